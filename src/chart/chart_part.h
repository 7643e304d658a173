// TChartPart: the base of a chart's small owned objects (walls, gradient, legend). It refers to
// its chart and follows the engine's setter rule: store only a different value, then mark the
// chart for repaint. Pens and brushes of a part report through RepaintNotice().
#pragma once

#include "chart/change_notice.h"
#include "chart/chart_panel.h"

namespace corvane {

class TChartPart {
 public:
  explicit TChartPart(TCustomChartPanel* chart) : chart_(chart) {}
  TChartPart(const TChartPart&) = delete;
  TChartPart& operator=(const TChartPart&) = delete;

  TCustomChartPanel* ParentChart() const { return chart_; }

 protected:
  void Repaint() const {
    if (chart_ != nullptr)
      chart_->Invalidate();
  }
  template <class T>
  void Store(T& field, const T& value) {
    if (field == value)
      return;
    field = value;
    Repaint();
  }
  TChangeNotice RepaintNotice() const {
    return [this] { Repaint(); };
  }

 private:
  TCustomChartPanel* chart_;
};

}  // namespace corvane
