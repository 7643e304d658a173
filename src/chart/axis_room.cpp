#include "chart/axis_room.h"

#include <algorithm>

#include "chart/axis_drawing.h"
#include "chart/axis_geometry.h"
#include "chart/axis_labels.h"
#include "chart/axis_panel.h"

namespace corvane {

namespace {

bool IsStraight(int angle) {
  return angle == 0 || angle == 180;
}

// Across a horizontal axis a straight title is one line high and a turned one its caption wide;
// across a vertical axis the other way round.
int TitleRoom(TChartAxis& axis, TCanvas& canvas) {
  const TChartAxisTitle& title = axis.Title();
  if (axis.TitleSize() != 0)
    return axis.TitleSize();
  canvas.Font = title.Font().Font();
  const bool height_across = axis.Horizontal() == IsStraight(title.Angle());
  return height_across ? canvas.TextHeight("W") : canvas.TextWidth(title.Caption());
}

int LabelsRoom(TChartAxis& axis, TCanvas& canvas, const TRect& plot) {
  if (axis.LabelsSize() != 0)
    return axis.LabelsSize();
  canvas.Font = axis.LabelsFont().Font();
  if (axis.Horizontal() == IsStraight(axis.LabelsAngle()))
    return canvas.TextHeight("W");
  const double step = AxisLabelStep(axis, canvas, axis.Horizontal() ? plot.Width() : plot.Height());
  return WidestAxisLabel(axis, canvas, ResolvedLabelStyle(axis), step);
}

// The axis line's width and the longer of the major and minor ticks, beyond the wall in 3-D.
int TicksRoom(const TChartAxis& axis) {
  int t = axis.Axis().Visible() ? axis.Axis().Width() : 0;
  if (axis.Ticks().Visible())
    t += axis.TickLength();
  if (axis.MinorTicks().Visible())
    t = std::max(t, axis.MinorTickLength());
  return t + WallSizeOf(axis);
}

}  // namespace

TRect CalcAxisRoom(TChartAxis& axis, TCanvas& canvas, const TRect& plot) {
  axis.UpdateDateTimeFlag();
  const TAxisSide side = AxisSideOf(axis);
  TRect r = plot;
  if (!axis.Title().Caption().empty()) {
    const TNarrowed narrowed = NarrowOnSide(r, side, TitleRoom(axis, canvas));
    r = narrowed.Rect;
    axis.SetTitlePosition(narrowed.Edge);
  }
  if (axis.Labels()) {
    const TNarrowed narrowed = NarrowOnSide(r, side, LabelsRoom(axis, canvas, plot));
    r = narrowed.Rect;
    axis.SetLabelsPosition(narrowed.Edge);
  }
  const TNarrowed narrowed = NarrowOnSide(r, side, std::max(0, TicksRoom(axis)));
  const TCustomAxisPanel& chart = *axis.AxisPanel();
  axis.SetAxisPosition(narrowed.Edge);
  axis.SetDrawnAxisPosition(DrawnAxisPosition(side, narrowed.Edge, chart.Width3D(), chart.Height3D()));
  return narrowed.Rect;
}

void DrawAxis(TChartAxis& axis, TCanvas& canvas) {
  axis.UpdateDateTimeFlag();
  const TBackgroundMode background = canvas.BackgroundMode();
  TAxisDrawing drawing(axis, canvas);
  drawing.DrawTitle();
  drawing.DrawLabels();
  drawing.DrawAxisLine();
  canvas.SetBackgroundMode(background);
}

}  // namespace corvane
