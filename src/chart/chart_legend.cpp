#include "chart/chart_legend.h"

#include <algorithm>
#include <string>
#include <vector>

#include "chart/chart_series.h"

namespace corvane {
namespace {

constexpr int kSwatch = 24;  // the series' sample before each name: its line and marker
constexpr int kPadding = 4;  // inside the frame
constexpr int kSpacing = 5;  // between the legend and the plot

std::string LegendText(const TChartSeries& s) {
  return s.Title().empty() ? s.Name() : s.Title();
}

}  // namespace

TChartLegend::TChartLegend(TCustomChartPanel* chart) : TChartFontObject(chart), frame_(RepaintNotice()) {}

TRect TChartLegend::Draw(TCanvas& canvas, const TChartSeriesList& series, const TRect& plot) {
  std::vector<const TChartSeries*> shown;
  for (const TChartSeries* s : series)
    if (s->Active() && s->ShowInLegend() && s->PointCount() > 0)  // nothing to name without points
      shown.push_back(s);
  canvas.Font = Font().Font();
  const int h = canvas.TextHeight("W");
  int widest = 0;
  for (const TChartSeries* s : shown) widest = std::max(widest, canvas.TextWidth(LegendText(*s)));
  const int width = widest + kSwatch + 3 * kPadding;
  const int height = static_cast<int>(shown.size()) * h + 2 * kPadding;

  TRect box;
  TRect narrowed = plot;
  switch (alignment_) {
    case laLeft:
      box = {plot.Left, plot.Top, plot.Left + width, plot.Top + height};
      narrowed.Left = box.Right + kSpacing;
      break;
    case laRight:
      box = {plot.Right - width, plot.Top, plot.Right, plot.Top + height};
      narrowed.Right = box.Left - kSpacing;
      break;
    case laTop:
      box = {plot.Left, plot.Top, plot.Left + width, plot.Top + height};
      narrowed.Top = box.Bottom + kSpacing;
      break;
    case laBottom:
      box = {plot.Left, plot.Bottom - height, plot.Left + width, plot.Bottom};
      narrowed.Bottom = box.Top - kSpacing;
      break;
  }
  // Series without points name nothing: no empty box (an analysis chart before its data).
  if (shown.empty()) {
    legend_rect_ = {};
    return resize_chart_ ? narrowed : plot;
  }
  canvas.Brush = {color_, bsSolid};
  canvas.Pen = frame_.Visible() ? frame_.Pen() : TPen{.Style = psClear};
  canvas.Rectangle(box);
  canvas.SetBackgroundMode(bmTransparent);
  int y = box.Top + kPadding;
  for (const TChartSeries* s : shown) {
    s->DrawLegendSample(canvas, {box.Left + kPadding, y + 1, box.Left + kPadding + kSwatch, y + h - 1});
    canvas.SetBackgroundMode(bmTransparent);
    canvas.TextOut(box.Left + 2 * kPadding + kSwatch, y, LegendText(*s));
    y += h;
  }
  legend_rect_ = box;
  return resize_chart_ ? narrowed : plot;
}

}  // namespace corvane
