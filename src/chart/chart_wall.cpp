#include "chart/chart_wall.h"

namespace corvane {

TChartWall::TChartWall(TCustomChartPanel* chart, TColor color)
    : TChartPart(chart), brush_(RepaintNotice()), color_(color), pen_(RepaintNotice()) {}

void TChartWall::Assign(const TChartWall& source) {
  if (&source == this)
    return;
  brush_.Assign(source.brush_);
  SetColor(source.color_);
  pen_.Assign(source.pen_);
  SetSize(source.size_);
}

}  // namespace corvane
