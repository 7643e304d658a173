#include "chart/series_marks.h"

namespace corvane {

TSeriesMarks::TSeriesMarks(TChangeNotice on_change)
    : on_change_(std::move(on_change)), arrow_(on_change_), font_(on_change_), frame_(on_change_) {}

void TSeriesMarks::Assign(const TSeriesMarks& source) {
  if (&source == this)
    return;
  arrow_.Assign(source.arrow_);
  SetArrowLength(source.arrow_length_);
  SetBackColor(source.back_color_);
  SetClip(source.clip_);
  font_.Assign(source.font_);
  frame_.Assign(source.frame_);
  SetStyle(source.style_);
  SetTransparent(source.transparent_);
  SetVisible(source.visible_);
}

}  // namespace corvane
