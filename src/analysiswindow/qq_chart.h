// The Series analysis window's QQ chart: the data's order statistics against the quantiles of the
// law fitted by maximum likelihood, the program's own TChart (every gesture, the read-out, the
// context menu's Copy and Save) designed as the other analysis charts (analysis_charts.h).
//
//   TQqPoint list (qq_points.h: the band from the order statistics' binomial law, not from the
//   bootstrap) --TQqChart::Show--> data points (blue circles) at (model, data), the identity line
//   (black), the pointwise 95 % band (grey dashes); the accessible description says what it shows
//
// Empty (and described so) before a likelihood fit.
#pragma once

#include <string>
#include <vector>

#include "analysiswindow/qq_points.h"

class QWidget;

namespace corvane {

class TChart;
class TChartSeries;
class TLineSeries;

// What the chart shows, in words: "QQ chart of 200 reaction times against the fitted model:
// 3 of 200 points outside the pointwise 95 % band."
std::string QqDescription(const std::vector<TQqPoint>& points, std::size_t n);

class TQqChart {
 public:
  explicit TQqChart(QWidget* parent);

  TChart& Chart() const { return *chart_; }
  // `n` the values fitted (the points may be fewer).
  void Show(const std::vector<TQqPoint>& points, std::size_t n);

  TLineSeries& DataSeries() const { return *data_; }
  TLineSeries& IdentitySeries() const { return *identity_; }
  TLineSeries& UpperBandSeries() const { return *upper_; }
  TLineSeries& LowerBandSeries() const { return *lower_; }

 private:
  std::string Readout(const TChartSeries& series, int index) const;

  TChart* chart_;
  TLineSeries* identity_ = nullptr;
  TLineSeries* upper_ = nullptr;
  TLineSeries* lower_ = nullptr;
  TLineSeries* data_ = nullptr;
  std::vector<TQqPoint> shown_;  // the points drawn, in the data series' order
};

}  // namespace corvane
