// The program's chart design, shared by the main window's charts and the analysis charts: flat,
// no legend, a white bottom wall and a light-yellow left wall, a title, axis titles, and a foot in
// an 11-pixel Arial of the chart's own colour and style.
#pragma once

#include "chart/chart.h"

namespace corvane {

struct TChartDesign {
  const char* Title = "";
  const char* BottomTitle = "";
  const char* LeftTitle = "";
  TColor FootColor = clRed;
  bool FootItalic = false;
};

void DesignChart(TChart& chart, const TChartDesign& design);

}  // namespace corvane
