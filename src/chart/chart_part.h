// TChartPart: the base of a chart's owned objects (walls, gradient, legend, and through
// TChartFontObject the axes and titles). It refers to its chart and follows the engine's setter
// rule: store only a different value, then mark the chart for repaint. Pens, brushes and fonts of
// a part report through RepaintNotice().
#pragma once

#include "chart/change_notice.h"

namespace corvane {

class TCustomChartPanel;

class TChartPart {
 public:
  explicit TChartPart(TCustomChartPanel* chart) : chart_(chart) {}
  TChartPart(const TChartPart&) = delete;
  TChartPart& operator=(const TChartPart&) = delete;
  virtual ~TChartPart() = default;

  TCustomChartPanel* ParentChart() const { return chart_; }

 protected:
  // Marks the chart for repaint; nothing when the part has no chart.
  void Repaint() const;
  template <class T>
  void Store(T& field, const T& value) {
    if (StoreChanged(field, value))
      Repaint();
  }
  TChangeNotice RepaintNotice() const {
    return [this] { Repaint(); };
  }

 private:
  TCustomChartPanel* chart_;
};

}  // namespace corvane
