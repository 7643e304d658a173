#include "chart/chart_design.h"

namespace corvane {

void DesignChart(TChart& chart, const TChartDesign& design) {
  chart.Title().SetText({design.Title});
  chart.Foot().Font().SetName("Arial");
  chart.Foot().Font().SetColor(design.FootColor);
  chart.Foot().Font().SetHeight(-11);
  if (design.FootItalic)
    chart.Foot().Font().SetStyle(fsItalic);
  chart.LeftWall().SetColor(clLightYellow);
  chart.BottomWall().SetColor(clWhite);
  chart.Legend().SetVisible(false);
  chart.SetView3D(false);
  chart.BottomAxis().Title().SetCaption(design.BottomTitle);
  chart.LeftAxis().Title().SetCaption(design.LeftTitle);
}

}  // namespace corvane
