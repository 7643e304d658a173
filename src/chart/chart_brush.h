// TChartBrush: a framework brush whose colour starts as clAutoColor (no colour set: drawn clear,
// or standing for the point colour where a series uses it). Reports changes like TChartPen.
#pragma once

#include "chart/change_notice.h"
#include "framework/graphics.h"

namespace corvane {

class TChartBrush {
 public:
  explicit TChartBrush(TChangeNotice on_change = {});
  TChartBrush(const TChartBrush&) = delete;
  TChartBrush& operator=(const TChartBrush&) = delete;

  const TBrush& Brush() const { return brush_; }
  TColor Color() const { return brush_.Color; }
  TBrushStyle Style() const { return brush_.Style; }

  void SetColor(TColor color);
  void SetStyle(TBrushStyle style);
  void Assign(const TChartBrush& source);

  void SetOnChange(TChangeNotice on_change) { on_change_ = std::move(on_change); }

 private:
  void Changed() const;

  TBrush brush_{.Color = clAutoColor, .Style = bsSolid};
  TChangeNotice on_change_;
};

}  // namespace corvane
