// One mouse move of a drag on the reaction-time chart (593 x 153, a line with circle markers
// through 50 points). A zoom drag move hands out the unchanged cached image and XOR-draws the
// rubber band over its copy, against the toolkit copying the same image and drawing the same
// rectangle in its own NOT-XOR raster mode. A scroll drag move shifts the axes and repaints the
// whole chart, against the repaint alone after a plain change.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "chart/custom_chart.h"
#include "chart/line_series.h"
#include "framework/qt_canvas.h"
#include "framework/system_colors.h"

namespace {

constexpr int kWidth = 593;
constexpr int kHeight = 153;

class BenchChart : public corvane::TCustomChart {
 public:
  BenchChart() : TCustomChart(&corvane::TQtCanvas::OnBitmap) {}

  // Paints the cached image when stale, then copies it out with the band on top.
  void PaintEvent(QImage& target) {
    QPainter painter(&target);
    painter.drawImage(QPoint(0, 0), UpdateCachedImage(kWidth, kHeight).Image());
    corvane::TQtCanvas canvas(painter);
    DrawZoomRectangle(canvas);
  }
};

BenchChart& Chart() {
  static BenchChart* chart = [] {
    auto* c = new BenchChart;
    c->SetView3D(false);
    c->Legend().SetVisible(false);
    c->Title().SetText({"Reaction Time Plot"});
    c->BottomAxis().SetAutomatic(false);
    c->BottomAxis().SetMaximum(50);
    c->LeftAxis().SetAutomatic(false);
    c->LeftAxis().SetMaximum(25);
    auto& series = c->CreateSeries<corvane::TLineSeries>();
    series.SetSeriesColor(corvane::clBlue);
    series.Pointer().SetVisible(true);
    series.Pointer().SetStyle(corvane::psCircle);
    series.Pointer().SetHorizSize(3);
    series.Pointer().SetVertSize(3);
    for (int i = 1; i <= 50; ++i) series.AddPoint(i, 10 + (i * 7) % 9);
    c->UpdateCachedImage(kWidth, kHeight);
    return c;
  }();
  return *chart;
}

void BM_ZoomDragMove(benchmark::State& state) {
  BenchChart& chart = Chart();
  QImage target(kWidth, kHeight, QImage::Format_RGB32);
  chart.MouseDown(corvane::mbLeft, 0, 100, 40);
  int step = 0;
  for (auto _ : state) {
    chart.MouseMove(0, 300 + step % 2, 120);
    chart.PaintEvent(target);
    benchmark::DoNotOptimize(target.bits());
    ++step;
  }
  chart.CancelMouseMode();
}
BENCHMARK(BM_ZoomDragMove)->Unit(benchmark::kMicrosecond);

void BM_ToolkitXorRectangle(benchmark::State& state) {
  const QImage& image = Chart().UpdateCachedImage(kWidth, kHeight).Image();
  QImage target(kWidth, kHeight, QImage::Format_RGB32);
  const QColor pen = corvane::ResolveColor(corvane::clBtnFace);
  int step = 0;
  for (auto _ : state) {
    QPainter painter(&target);
    painter.drawImage(QPoint(0, 0), image);
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    painter.setPen(QPen(pen, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(100, 40, 199 + step % 2, 79);
    benchmark::DoNotOptimize(target.bits());
    ++step;
  }
}
BENCHMARK(BM_ToolkitXorRectangle)->Unit(benchmark::kMicrosecond);

void BM_ScrollDragMove(benchmark::State& state) {
  BenchChart& chart = Chart();
  QImage target(kWidth, kHeight, QImage::Format_RGB32);
  chart.MouseDown(corvane::mbRight, 0, 300, 80);
  int step = 0;
  for (auto _ : state) {
    chart.MouseMove(0, 300 + (step % 2 ? 10 : -10), 80);
    chart.PaintEvent(target);
    benchmark::DoNotOptimize(target.bits());
    ++step;
  }
  chart.MouseUp(corvane::mbRight, 0, 300, 80);
}
BENCHMARK(BM_ScrollDragMove)->Unit(benchmark::kMicrosecond);

void BM_RepaintAfterAChange(benchmark::State& state) {
  BenchChart& chart = Chart();
  QImage target(kWidth, kHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    chart.Invalidate();
    chart.PaintEvent(target);
    benchmark::DoNotOptimize(target.bits());
  }
}
BENCHMARK(BM_RepaintAfterAChange)->Unit(benchmark::kMicrosecond);

}  // namespace
