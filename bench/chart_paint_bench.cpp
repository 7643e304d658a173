// A whole chart paint, 593 x 145, holding one line series of 2 x 10^5 points spread over the
// bottom axis (a random walk in y), against the toolkit drawing the same points, already mapped
// to pixels, as one polyline into an image of the same size: aliased at ratio 1, antialiased at
// the device's resolution otherwise, as the chart draws its diagonals there. Then the repaint of
// an unchanged chart, which only hands out its cached image, against a plain image copy, at each
// ratio. Arguments are device pixel ratios in percent.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <cmath>
#include <random>

#include "chart/custom_chart.h"
#include "chart/line_series.h"
#include "framework/qt_canvas.h"

namespace {

constexpr int kPoints = 200000;
constexpr int kWidth = 593;
constexpr int kHeight = 145;

class BenchChart : public corvane::TCustomChart {
 public:
  BenchChart() : TCustomChart(&corvane::TQtCanvas::OnBitmap) {}
};

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

double Ratio(const benchmark::State& state) {
  return double(state.range(0)) / 100;
}

void BM_ChartPaint(benchmark::State& state) {
  BenchChart& chart = Chart();
  const double ratio = Ratio(state);
  for (auto _ : state) {
    chart.Invalidate();
    benchmark::DoNotOptimize(chart.UpdateCachedImage(kWidth, kHeight, ratio).Image().constBits());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_ChartPaint)->Arg(100)->Arg(150)->Arg(200)->Unit(benchmark::kMillisecond);

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

void BM_ToolkitPolylineSmooth(benchmark::State& state) {
  const QPolygon& points = MappedPoints();
  const double ratio = Ratio(state);
  QImage image(int(std::ceil(kWidth * ratio)), int(std::ceil(kHeight * ratio)), QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::blue, 1));
    painter.drawPolyline(points);
    benchmark::DoNotOptimize(image.bits());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_ToolkitPolylineSmooth)->Arg(150)->Arg(200)->Unit(benchmark::kMillisecond);

// What a widget's paint event does for an unchanged chart: fetch the image, draw it.
// A target image at the ratio, as the widget's backing store is.
QImage Target(double ratio) {
  QImage image(int(std::ceil(kWidth * ratio)), int(std::ceil(kHeight * ratio)), QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  return image;
}

void BM_UnchangedRepaint(benchmark::State& state) {
  BenchChart& chart = Chart();
  const double ratio = Ratio(state);
  chart.UpdateCachedImage(kWidth, kHeight, ratio);
  QImage target = Target(ratio);
  for (auto _ : state) {
    QPainter painter(&target);
    painter.drawImage(QPoint(0, 0), chart.UpdateCachedImage(kWidth, kHeight, ratio).Image());
    benchmark::DoNotOptimize(target.bits());
  }
}
BENCHMARK(BM_UnchangedRepaint)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);

void BM_ImageCopy(benchmark::State& state) {
  const double ratio = Ratio(state);
  QImage source = Target(ratio);
  source.fill(Qt::gray);
  QImage target = Target(ratio);
  for (auto _ : state) {
    QPainter painter(&target);
    painter.drawImage(QPoint(0, 0), source);
    benchmark::DoNotOptimize(target.bits());
  }
}
BENCHMARK(BM_ImageCopy)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);

}  // namespace
