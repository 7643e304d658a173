#include "chart/series_pointer.h"

#include "chart/chart_errors.h"
#include "chart/chart_series.h"
#include "chart/chart_strings.h"

namespace corvane {
namespace {

int CheckedPointerSize(int size) {
  if (size < 1)
    throw ChartException(chart_text::kPointerSizeNotPositive);
  return size;
}

}  // namespace

TSeriesPointer::TSeriesPointer(TChartSeries& series)
    : series_(series), brush_([this] { Repaint(); }), pen_([this] { Repaint(); }) {}

void TSeriesPointer::Repaint() const {
  series_.RepaintChart();
}

void TSeriesPointer::SetHorizSize(int size) {
  Store(horiz_size_, CheckedPointerSize(size));
}

void TSeriesPointer::SetVertSize(int size) {
  Store(vert_size_, CheckedPointerSize(size));
}

void TSeriesPointer::Assign(const TSeriesPointer& source) {
  if (&source == this)
    return;
  brush_.Assign(source.brush_);
  SetDraw3D(source.draw_3d_);
  SetHorizSize(source.horiz_size_);
  SetInflateMargins(source.inflate_margins_);
  pen_.Assign(source.pen_);
  SetStyle(source.style_);
  SetVertSize(source.vert_size_);
  SetVisible(source.visible_);
}

}  // namespace corvane
