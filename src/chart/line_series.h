// The two series kinds of the program: TLineSeries joins its points with lines and starts with
// its markers hidden; TPointSeries shows markers only. Copying a series into either kind forces
// these traits again.
#pragma once

#include "chart/custom_series.h"

namespace corvane {

class TLineSeries : public TCustomSeries {
 public:
  TLineSeries();
  void Assign(const TChartSeries& source) override;

 private:
  void ForceKind();
};

class TPointSeries : public TCustomSeries {
 public:
  TPointSeries();
  void Assign(const TChartSeries& source) override;

 private:
  void ForceKind();
};

}  // namespace corvane
