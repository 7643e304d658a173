// The paint of TCustomChart, one member function per step.
#include <algorithm>
#include <array>

#include "chart/axis_room.h"
#include "chart/custom_chart.h"
#include "chart/plot_rect.h"
#include "chart/title_draw.h"

namespace corvane {

void TCustomChart::PaintChart(TCanvas& canvas) {
  const TColor text_background = canvas.BackgroundColor();
  DrawPanelBackground(canvas);
  canvas.Pen.Color = clBlack;
  DrawTitlesAndLegend(canvas);
  AssignSeriesLayers();
  LayOutAxes(canvas);
  ApplyPixelMargins();
  series_plot_ = PlotRect();
  DrawPlotBack(canvas);
  DrawAxes(canvas);
  DrawAllSeries(canvas);
  // The cached image stays clean: the widget and Draw put the band over its copy.
  if (!painting_cache_)
    DrawZoomRectangle(canvas);
  canvas.SetBackgroundColor(text_background);
  if (OnAfterDraw)
    OnAfterDraw(*this);
}

void TCustomChart::DrawPanelBackground(TCanvas& canvas) {
  const TRect& bounds = PanelBounds();
  if (gradient_.Visible()) {
    FillGradient(canvas, bounds, gradient_);
  } else {
    canvas.Brush = {Color(), bsSolid};
    canvas.FillRect(bounds);
  }
  if (!back_image_inside_)
    DrawBackImage(canvas, back_image_, bounds, back_image_mode_);
  DrawPanelEdges(canvas, bounds, {bevel_outer_, bevel_inner_, bevel_width_, border_width_, Color()});
}

bool TCustomChart::LegendShown() const {
  return legend_.Visible() && SeriesList().ActiveCount() > 0;
}

void TCustomChart::DrawLegend(TCanvas& canvas) {
  SetPlotRect(legend_.Draw(canvas, SeriesList(), PlotRect()));
  NormalizePlotRect();
}

void TCustomChart::DrawTitlesAndLegend(TCanvas& canvas) {
  const bool legend = LegendShown();
  if (!legend)
    legend_.ForgetRect();
  if (legend && legend_.GoesBeforeTitles())
    DrawLegend(canvas);
  if (title_.Visible()) {
    SetPlotRect(DrawTitle(title_, canvas, PlotRect(), TTitleSide::Top));
    NormalizePlotRect();
  }
  if (foot_.Visible()) {
    SetPlotRect(DrawTitle(foot_, canvas, PlotRect(), TTitleSide::Bottom));
    NormalizePlotRect();
  }
  if (legend && !legend_.GoesBeforeTitles())
    DrawLegend(canvas);
}

// In 3-D the first series lies deepest: layers count down from the highest.
void TCustomChart::AssignSeriesLayers() {
  int layer = View3D() ? SeriesList().ActiveCount() - 1 : 0;
  for (TChartSeries* s : SeriesList()) {
    if (!s->Active())
      continue;
    s->SetSeriesLayer(layer);
    if (View3D())
      --layer;
  }
}

// The 3-D offset: Chart3DPercent per mille of the smaller plot side per series layer.
void TCustomChart::LayOutAxes(TCanvas& canvas) {
  ResolveRanges();
  int depth = 0;
  int offset = 0;
  if (View3D()) {
    depth = std::max(0, RoundingMulDiv(std::min(PlotWidth(), PlotHeight()), Chart3DPercent(), 1000));
    offset = ClampToInt(static_cast<long long>(depth) * std::max(1, SeriesList().ActiveCount()));
  }
  SetDepth3D(offset, offset, depth);
  TRect r = PlotRect();
  r.Right = ClampToInt(static_cast<long long>(r.Right) - offset);
  r.Top = ClampToInt(static_cast<long long>(r.Top) + offset);
  SetPlotRect(r);
  for (TChartAxis* axis : AxesVertFirst()) {
    if (IsAxisShown(*axis))
      NarrowByAxis(*axis, canvas);
  }
  NormalizePlotRect();
}

void TCustomChart::NarrowByAxis(TChartAxis& axis, TCanvas& canvas) {
  const TRect overlap = PlotRect().Intersected(CalcAxisRoom(axis, canvas, PlotRect()));
  if (!overlap.IsEmpty())
    SetPlotRect(overlap);
}

// A frame without a colour of its own shows against the panel: white on black, else black.
TColor TCustomChart::FrameColor() const {
  if (frame_.Color() != clAutoColor)
    return frame_.Color();
  return Color() == clBlack ? clWhite : clBlack;
}

void TCustomChart::DrawPlotBack(TCanvas& canvas) {
  const TRect& p = PlotRect();
  if (back_image_inside_)
    DrawBackImage(canvas, back_image_, p, back_image_mode_);
  if (frame_.Visible() || BackColor() != clAutoColor) {
    if (frame_.Visible()) {
      canvas.Pen = frame_.Pen();
      canvas.Pen.Color = FrameColor();
    } else {
      canvas.Pen.Style = psClear;
    }
    if (BackColor() != clAutoColor)
      canvas.Brush = {BackColor(), bsSolid};
    else
      canvas.Brush.Style = bsClear;
    canvas.Rectangle(p.Left + Width3D(), p.Top - Height3D(), p.Right + Width3D() + 1, p.Bottom - Height3D());
  }
  if (View3D() && View3DWalls())
    DrawWalls(canvas);
}

// The walls join the front plot edges to the back plane, offset right and up.
void TCustomChart::DrawWalls(TCanvas& canvas) {
  const TRect& p = PlotRect();
  const int dx = Width3D();
  const int dy = Height3D();
  const auto draw = [&canvas](const TChartWall& wall, const std::array<TPoint, 4>& corners) {
    canvas.Pen = wall.Pen().Visible() ? wall.Pen().Pen() : TPen{.Style = psClear};
    canvas.Brush = {wall.Color(), wall.Color() == clAutoColor ? bsClear : bsSolid};
    canvas.Polygon(corners);
  };
  draw(left_wall_,
       {{{p.Left, p.Top}, {p.Left + dx, p.Top - dy}, {p.Left + dx, p.Bottom - dy}, {p.Left, p.Bottom}}});
  draw(bottom_wall_, {{{p.Left, p.Bottom},
                       {p.Left + dx, p.Bottom - dy},
                       {p.Right + dx, p.Bottom - dy},
                       {p.Right, p.Bottom}}});
}

void TCustomChart::DrawAxes(TCanvas& canvas) {
  if (!AxisVisible())
    return;
  for (TChartAxis* axis : AxesHorizFirst()) {
    if (IsAxisShown(*axis))
      DrawAxis(*axis, canvas);
  }
}

// Inside the frame lines: one pixel in from the left and top lines, and clear of the right and
// bottom ones whatever the frame's width. In 3-D the box also covers the offset back plane.
std::optional<TRect> TCustomChart::SeriesClip() const {
  if (!clip_points_)
    return std::nullopt;
  const int fw = frame_.Visible() ? frame_.Width() : 1;
  const TRect& p = series_plot_;
  return TRect{p.Left + 1, p.Top + 1 - Height3D(), p.Right + Width3D() - (fw - 1), p.Bottom - fw};
}

// By index: a drawing event may change the list, and iterators would not survive that.
void TCustomChart::DrawAllSeries(TCanvas& canvas) {
  const std::optional<TRect> clip = SeriesClip();
  for (int i = 0; i < SeriesList().Count(); ++i) SeriesList().At(i).DrawValues(canvas, clip);
}

}  // namespace corvane
