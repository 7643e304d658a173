// A whole chart paint, 593 x 145, holding one line series of 2 x 10^5 points spread over the
// bottom axis (a random walk in y), against the toolkit drawing the same points, already mapped
// to pixels, as one aliased polyline into an image of the same size. Then the repaint of an
// unchanged chart, which only hands out its cached image, against a plain image copy.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <random>

#include "chart/custom_chart.h"
#include "chart/line_series.h"

namespace {

constexpr int kPoints = 200000;
constexpr int kWidth = 593;
constexpr int kHeight = 145;

class BenchChart : public corvane::TCustomChart {};

// Series1 of the inhibition chart: a blue line without markers, on a 2-D chart without legend.
BenchChart& Chart() {
  static BenchChart* chart = [] {
    auto* c = new BenchChart;
    c->SetView3D(false);
    c->Legend().SetVisible(false);
    auto& series = c->CreateSeries<corvane::TLineSeries>();
    series.SetSeriesColor(corvane::clBlue);
    std::mt19937 random(42);
    double y = 50;
    for (int i = 0; i < kPoints; ++i) {
      y += (int(random() % 21) - 10) * 0.1;
      series.AddPoint(i * 0.001, y);
    }
    c->UpdateCachedImage(kWidth, kHeight);
    return c;
  }();
  return *chart;
}

// The series' points as the chart maps them at its last paint.
const QPolygon& MappedPoints() {
  static const QPolygon points = [] {
    BenchChart& chart = Chart();
    const corvane::TChartSeries& series = chart.SeriesList().At(0);
    QPolygon p(kPoints);
    for (int i = 0; i < kPoints; ++i)
      p[i] = QPoint(chart.BottomAxis().ValueToPixel(series.XValueAt(i)),
                    chart.LeftAxis().ValueToPixel(series.YValueAt(i)));
    return p;
  }();
  return points;
}

void BM_ChartPaint(benchmark::State& state) {
  BenchChart& chart = Chart();
  const double ratio = double(state.range(0));
  for (auto _ : state) {
    chart.Invalidate();
    benchmark::DoNotOptimize(chart.UpdateCachedImage(kWidth, kHeight, ratio).Image().constBits());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_ChartPaint)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_ToolkitPolyline(benchmark::State& state) {
  const QPolygon& points = MappedPoints();
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::blue, 1));
    painter.drawPolyline(points);
    benchmark::DoNotOptimize(image.bits());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_ToolkitPolyline)->Unit(benchmark::kMillisecond);

// What a widget's paint event does for an unchanged chart: fetch the image, draw it.
void BM_UnchangedRepaint(benchmark::State& state) {
  BenchChart& chart = Chart();
  chart.UpdateCachedImage(kWidth, kHeight);
  QImage target(kWidth, kHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&target);
    painter.drawImage(QPoint(0, 0), chart.UpdateCachedImage(kWidth, kHeight).Image());
    benchmark::DoNotOptimize(target.bits());
  }
}
BENCHMARK(BM_UnchangedRepaint)->Unit(benchmark::kMicrosecond);

void BM_ImageCopy(benchmark::State& state) {
  QImage source(kWidth, kHeight, QImage::Format_RGB32);
  source.fill(Qt::gray);
  QImage target(kWidth, kHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&target);
    painter.drawImage(QPoint(0, 0), source);
    benchmark::DoNotOptimize(target.bits());
  }
}
BENCHMARK(BM_ImageCopy)->Unit(benchmark::kMicrosecond);

}  // namespace
