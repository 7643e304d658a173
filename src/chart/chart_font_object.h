// TChartFontObject: the base of the axis and title objects. It refers to its chart (which it
// asks for repaints) and owns one font whose changes repaint that chart.
#pragma once

#include "chart/chart_font.h"

namespace corvane {

class TCustomChartPanel;

class TChartFontObject {
 public:
  explicit TChartFontObject(TCustomChartPanel* chart);
  TChartFontObject(const TChartFontObject&) = delete;
  TChartFontObject& operator=(const TChartFontObject&) = delete;
  virtual ~TChartFontObject() = default;

  TCustomChartPanel* ParentChart() const { return chart_; }
  TChartFont& Font() { return font_; }
  const TChartFont& Font() const { return font_; }

 protected:
  // Marks the chart for repaint; nothing when the object has no chart.
  void Repaint() const;
  // The store-and-repaint rule of every scalar setter.
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
  TChartFont font_;
};

}  // namespace corvane
