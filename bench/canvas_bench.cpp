// Drawing a line series of 2 x 10^5 points spread over a 593 x 145 chart image, one LineTo per
// point through the drawing surface with the per-point pen settings a series makes, against the
// toolkit drawing the same points as one aliased polyline.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <random>

#include "framework/qt_canvas.h"

namespace {

constexpr int kPoints = 200000;
constexpr int kWidth = 593;
constexpr int kHeight = 145;

const QPolygon& Points() {
  static const QPolygon points = [] {
    QPolygon p(kPoints);
    std::mt19937 random(42);
    int y = kHeight / 2;
    for (int i = 0; i < kPoints; ++i) {
      y = std::clamp(y + int(random() % 21) - 10, 5, kHeight - 5);
      p[i] = QPoint(18 + int(static_cast<long long>(i) * 557 / kPoints), y);
    }
    return p;
  }();
  return points;
}

void BM_ToolkitPolyline(benchmark::State& state) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::blue, 1));
    painter.drawPolyline(Points());
    benchmark::DoNotOptimize(image.bits());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_ToolkitPolyline)->Unit(benchmark::kMillisecond);

// Argument: the device pixel ratio (1, or 2 for a scaled desktop).
void BM_CanvasLineTo(benchmark::State& state) {
  const int ratio = int(state.range(0));
  QImage image(kWidth * ratio, kHeight * ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  const corvane::TPen line_pen{corvane::clBlue, 1, corvane::psSolid, corvane::pmCopy};
  for (auto _ : state) {
    image.fill(Qt::white);
    corvane::TQtCanvas canvas(image);
    canvas.ClipRect({19, 6, 575, 140});
    const QPolygon& points = Points();
    canvas.MoveTo(points[0].x(), points[0].y());
    for (const QPoint& p : points) {
      canvas.Pen.Color = corvane::clBlack;
      canvas.Brush.Color = corvane::clBlue;
      canvas.Pen = line_pen;
      canvas.Brush.Style = corvane::bsClear;
      canvas.LineTo(p.x(), p.y());
    }
    canvas.RemoveClip();
    benchmark::DoNotOptimize(image.bits());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_CanvasLineTo)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
