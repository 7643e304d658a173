// TAxisDrawing: one axis's drawing phase of a paint, in order: title, labels with their ticks and
// grid lines by label style, axis line. It holds what the phase shares: the side, the plot
// rectangle and 3-D offset of this paint, the label step, and the previous major tick position
// from which minor ticks are spaced (empty at the start of every phase).
//
// Label walks: talValue walks the values from the top down (axis_labels.h), or asks
// OnGetNextAxisLabel for them; talMark and talText label the shown points of the axis's first
// series (axis_point_labels.cpp), dropping labels that would overlap.
#pragma once

#include <optional>
#include <string>

#include "chart/axis_geometry.h"
#include "chart/chart_axis.h"
#include "chart/chart_pen.h"
#include "framework/canvas.h"

namespace corvane {

// In 3-D the left and bottom walls stand between their axis and the plot, and the ticks start
// beyond them: the wall's Size there, 0 in 2-D, on the far axes and on panels without walls.
int WallSizeOf(const TChartAxis& axis);

class TAxisDrawing {
 public:
  // Sets the axis position and the drawn axis position from the chart's current PlotRect.
  TAxisDrawing(TChartAxis& axis, TCanvas& canvas);

  void DrawTitle();
  void DrawLabels();
  void DrawAxisLine();

 private:
  void WalkValues();
  // False when the event leaves Stop set at the first call: the default walk then runs.
  bool WalkEventValues();
  void WalkPoints(TAxisLabelStyle style);
  void PlaceValueLabel(double value);

  // Ticks, grid line and minor ticks at p for the label value `value`.
  void TicksAndGrid(int p, double value);
  void DrawTick(const TChartTickPen& pen, int p, int offset, int length);
  void DrawMinorTicks(int p, int previous);
  void DrawGridLine(int p);
  void DrawLabelText(int p, const std::string& text);
  void DrawText(TPoint anchor, int angle, const std::string& text);
  void Line(const TSegment& segment);

  TChartAxis& axis_;
  TCanvas& canvas_;
  TAxisSide side_;
  TRect plot_;
  int width_3d_ = 0;
  int height_3d_ = 0;
  int wall_size_ = 0;
  double step_ = 0;
  std::optional<int> previous_tick_;
};

}  // namespace corvane
