#include "chart/chart_title.h"

namespace corvane {

TChartTitle::TChartTitle(TCustomChartPanel* chart)
    : TChartFontObject(chart), brush_(RepaintNotice()), frame_(RepaintNotice()) {
  TFont font = Font().Font();
  font.Color = clBlue;
  Font().Assign(font);
}

bool TChartTitle::Clicked(int x, int y) const {
  return visible_ && title_rect_.Contains({x, y});
}

void TChartTitle::Assign(const TChartTitle& source) {
  if (&source == this)
    return;
  SetAdjustFrame(source.adjust_frame_);
  SetAlignment(source.alignment_);
  brush_.Assign(source.brush_);
  Font().Assign(source.Font());
  frame_.Assign(source.frame_);
  SetText(source.text_);
  SetVisible(source.visible_);
}

}  // namespace corvane
