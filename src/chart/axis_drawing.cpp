#include "chart/axis_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/axis_labels.h"
#include "chart/axis_panel.h"
#include "chart/custom_chart.h"

namespace corvane {

namespace {

// OnGetNextAxisLabel values this far beyond the bounds still get their label.
constexpr double kEventValueTolerance = 0.0000001;
constexpr int kLastEventLabelIndex = 1000;

}  // namespace

int WallSizeOf(const TChartAxis& axis) {
  const auto* chart = dynamic_cast<const TCustomChart*>(axis.AxisPanel());
  if (chart == nullptr || !chart->View3D() || axis.FarSide())
    return 0;
  return axis.Horizontal() ? chart->BottomWall().Size() : chart->LeftWall().Size();
}

TAxisDrawing::TAxisDrawing(TChartAxis& axis, TCanvas& canvas)
    : axis_(axis),
      canvas_(canvas),
      side_(AxisSideOf(axis)),
      plot_(axis.AxisPanel()->PlotRect()),
      width_3d_(axis.AxisPanel()->Width3D()),
      height_3d_(axis.AxisPanel()->Height3D()),
      wall_size_(WallSizeOf(axis)) {
  axis_.SetAxisPosition(EdgeOnSide(plot_, side_));
  axis_.SetDrawnAxisPosition(DrawnAxisPosition(side_, axis_.AxisPosition(), width_3d_, height_3d_));
  step_ = AxisLabelStep(axis_, canvas_, axis_.Horizontal() ? plot_.Width() : plot_.Height());
}

void TAxisDrawing::DrawTitle() {
  const TChartAxisTitle& title = axis_.Title();
  if (title.Caption().empty())
    return;
  canvas_.Font = title.Font().Font();
  const TCustomAxisPanel& chart = *axis_.AxisPanel();
  const TPoint anchor = axis_.Horizontal() ? TPoint{chart.PlotCenterX(), axis_.TitlePosition()}
                                           : TPoint{axis_.TitlePosition(), chart.PlotCenterY()};
  DrawText(anchor, title.Angle(), title.Caption());
}

void TAxisDrawing::DrawLabels() {
  canvas_.Font = axis_.LabelsFont().Font();
  switch (const TAxisLabelStyle style = ResolvedLabelStyle(axis_)) {
    case talValue:
      if (!axis_.OnGetNextAxisLabel || !WalkEventValues())
        WalkValues();
      break;
    case talMark:
    case talText:
      WalkPoints(style);
      break;
    case talAuto:
    case talNone:
      break;
  }
}

void TAxisDrawing::DrawAxisLine() {
  if (!axis_.Axis().Visible())
    return;
  canvas_.Pen = axis_.Axis().Pen();
  Line(AxisLineSegment(side_, plot_, axis_.DrawnAxisPosition(), width_3d_, height_3d_));
}

void TAxisDrawing::WalkValues() {
  for (const double value : AxisLabelValues(axis_, step_)) PlaceValueLabel(value);
}

// The event moves LabelValue on from the lower bound; it ends the walk by setting Stop, by a
// value beyond the bounds, or after label index 1000.
bool TAxisDrawing::WalkEventValues() {
  const double low = axis_.CurrentMinimum() - kEventValueTolerance;
  const double high = axis_.CurrentMaximum() + kEventValueTolerance;
  double value = axis_.CurrentMinimum();
  bool stop = true;
  for (int index = 0; index <= kLastEventLabelIndex; ++index) {
    axis_.OnGetNextAxisLabel(axis_, index, value, stop);
    if (stop)
      return index > 0;
    if (!(value >= low && value <= high))
      break;
    PlaceValueLabel(value);
  }
  return true;
}

void TAxisDrawing::PlaceValueLabel(double value) {
  const int p = axis_.ValueToPixel(value);
  if (!axis_.TickOnLabelsOnly())
    TicksAndGrid(p, value);
  if (!axis_.Labels())
    return;
  const std::string text = AxisValueLabel(axis_, value);
  if (axis_.TickOnLabelsOnly())
    TicksAndGrid(p, value);
  DrawLabelText(p, text);
}

void TAxisDrawing::TicksAndGrid(int p, double value) {
  if (axis_.Ticks().Visible())
    DrawTick(axis_.Ticks(), p, 1 + wall_size_, axis_.TickLength());
  if (axis_.Grid().Visible() && value != axis_.CurrentMinimum() && value != axis_.CurrentMaximum())
    DrawGridLine(p);
  if (axis_.TicksInner().Visible())
    DrawTick(axis_.TicksInner(), p, -1, -axis_.TickInnerLength());
  if (axis_.MinorTicks().Visible() && previous_tick_)
    DrawMinorTicks(p, *previous_tick_);
  previous_tick_ = p;
}

// A tick of length 0 paints nothing; it is not drawn at all.
void TAxisDrawing::DrawTick(const TChartTickPen& pen, int p, int offset, int length) {
  if (length == 0)
    return;
  canvas_.Pen = pen.Pen();
  Line(TickSegment(side_, axis_.DrawnAxisPosition(), p, offset, length));
}

// Spaced evenly between the previous major tick and this one: p - Round((p - p0) / (n + 1) * i),
// halves to even (rint: the rounding mode is to nearest, and it leaves the float environment alone).
// From n = 2 |p - p0| on, the spacing is below half a pixel and the ticks cover every pixel from
// p to p0 whatever n is, so a larger count is cut to that: the same pixels, without a loop over
// an absurd count.
void TAxisDrawing::DrawMinorTicks(int p, int previous) {
  const long long distance = std::llabs(static_cast<long long>(p) - previous);
  const long long count = std::min<long long>(axis_.MinorTickCount(), std::max(2 * distance, 1LL));
  for (long long i = 1; i <= count; ++i) {
    const long double offset = std::rint((static_cast<long double>(p) - previous) / (count + 1) * i);
    DrawTick(axis_.MinorTicks(), p - int(offset), 1 + wall_size_, axis_.MinorTickLength());
  }
}

void TAxisDrawing::DrawGridLine(int p) {
  TPen pen = axis_.Grid().Pen();
  if (pen.Color == clAutoColor)
    pen.Color = clGray;
  canvas_.Pen = pen;
  canvas_.SetBackgroundMode(bmTransparent);
  Line(GridSegment(side_, plot_, p));
}

void TAxisDrawing::DrawLabelText(int p, const std::string& text) {
  const int position = DrawnAxisPosition(side_, axis_.LabelsPosition(), width_3d_, height_3d_);
  const TPoint anchor = axis_.Horizontal() ? TPoint{p, position} : TPoint{position, p};
  DrawText(anchor, axis_.LabelsAngle(), text);
}

void TAxisDrawing::DrawText(TPoint anchor, int angle, const std::string& text) {
  const TTextPlacement place =
      PlaceAxisText(side_, angle, anchor, canvas_.TextHeight(text), canvas_.TextHeight("W"));
  canvas_.SetBackgroundMode(bmTransparent);
  canvas_.SetTextAlign(place.Align);
  if (angle == 0)
    canvas_.TextOut(place.Point.X, place.Point.Y, text);
  else
    canvas_.RotatedTextOut(place.Point.X, place.Point.Y, angle, text);
  canvas_.SetTextAlign({});
}

void TAxisDrawing::Line(const TSegment& segment) {
  canvas_.MoveTo(segment.From.X, segment.From.Y);
  canvas_.LineTo(segment.To.X, segment.To.Y);
}

}  // namespace corvane
