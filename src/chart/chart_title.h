// TChartTitle: the text above (Title) or below (Foot) a chart's plot area, with its font (blue by
// default), brush, frame (hidden by default) and alignment. The paint (title_draw.h) records the
// rectangle it last occupied, which the mouse hit test reads.
#pragma once

#include <string>
#include <vector>

#include "chart/chart_brush.h"
#include "chart/chart_font_object.h"
#include "chart/chart_pen.h"
#include "framework/rect.h"

namespace corvane {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TChartTitle : public TChartFontObject {
 public:
  explicit TChartTitle(TCustomChartPanel* chart);

  // Published, in stream order.
  bool AdjustFrame() const { return adjust_frame_; }
  void SetAdjustFrame(bool value) { Store(adjust_frame_, value); }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment) { Store(alignment_, alignment); }
  TChartBrush& Brush() { return brush_; }
  const TChartBrush& Brush() const { return brush_; }
  TChartHiddenPen& Frame() { return frame_; }
  const TChartHiddenPen& Frame() const { return frame_; }
  // One entry per text line.
  const std::vector<std::string>& Text() const { return text_; }
  void SetText(const std::vector<std::string>& lines) { Store(text_, lines); }
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { Store(visible_, value); }

  // The rectangle the title occupied at the last paint (empty before any).
  const TRect& TitleRect() const { return title_rect_; }
  void SetTitleRect(const TRect& rect) { title_rect_ = rect; }
  // Whether (x, y) falls in the visible title's last rectangle.
  bool Clicked(int x, int y) const;

  void Assign(const TChartTitle& source);

 private:
  bool adjust_frame_ = true;
  TAlignment alignment_ = taCenter;
  TChartBrush brush_;
  TChartHiddenPen frame_;
  std::vector<std::string> text_;
  bool visible_ = true;
  TRect title_rect_;
};

}  // namespace corvane
