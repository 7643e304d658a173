// The axes of the program's reaction-time chart, laid out and drawn into a 593 x 145 image: the
// left axis 20..32 and the bottom axis 0..50 with their titles, labels, ticks, minor ticks, grid
// lines and axis lines, through the drawing surface. The peer draws the same labels (snprintf
// text), ticks and dotted grid lines with QPainter in a plain loop, with the positions worked out
// inline.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "chart/axis_room.h"
#include "chart/custom_chart.h"
#include "framework/qt_canvas.h"

namespace {

constexpr int kWidth = 593;
constexpr int kHeight = 145;

class BenchChart : public corvane::TCustomChart {
 public:
  BenchChart() : TCustomChart(&corvane::TQtCanvas::OnBitmap) {}
};

void FixAxis(corvane::TChartAxis& axis, double minimum, double maximum, const char* title) {
  axis.SetAutomatic(false);
  axis.SetMaximum(maximum);
  axis.SetMinimum(minimum);
  axis.SetLabelStyle(corvane::talValue);
  axis.Title().SetCaption(title);
}

void BM_AxisRoomAndDraw(benchmark::State& state) {
  BenchChart chart;
  FixAxis(chart.LeftAxis(), 20, 32, "Reaction time");
  FixAxis(chart.BottomAxis(), 0, 50, "Reaction number");
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    corvane::TQtCanvas canvas(image);
    chart.SetPanelBounds({0, 0, kWidth, kHeight});
    chart.SetPlotRect({18, 5, 575, 140});
    chart.ResolveRanges();
    chart.SetPlotRect(corvane::CalcAxisRoom(chart.LeftAxis(), canvas, chart.PlotRect()));
    chart.SetPlotRect(corvane::CalcAxisRoom(chart.BottomAxis(), canvas, chart.PlotRect()));
    corvane::DrawAxis(chart.BottomAxis(), canvas);
    corvane::DrawAxis(chart.LeftAxis(), canvas);
    benchmark::DoNotOptimize(image.bits());
  }
}
BENCHMARK(BM_AxisRoomAndDraw)->Unit(benchmark::kMicrosecond);

// One axis's labels: tick, dotted grid line inside the bounds, three minor ticks, text.
void PeerAxis(QPainter& painter, bool horizontal, int from, int to, int step, int axis_at, QRect plot) {
  const QPen tick(QColor(128, 128, 128), 1);
  const QPen grid(QColor(128, 128, 128), 1, Qt::DotLine);
  const int length = horizontal ? plot.width() : plot.height();
  int previous = -1;
  char text[32];
  for (int v = to; v >= from; v -= step) {
    const int along = horizontal ? plot.left() + (v - from) * length / (to - from)
                                 : plot.bottom() - (v - from) * length / (to - from);
    const auto at = [&](int across) { return horizontal ? QPoint(along, across) : QPoint(across, along); };
    const int out = horizontal ? 1 : -1;
    painter.setPen(tick);
    painter.drawLine(at(axis_at + out), at(axis_at + 4 * out));
    if (v != from && v != to) {
      painter.setPen(grid);
      painter.drawLine(at(horizontal ? plot.bottom() - 1 : plot.left() + 1),
                       at(horizontal ? plot.top() : plot.right()));
    }
    if (previous >= 0) {
      painter.setPen(tick);
      for (int i = 1; i <= 3; ++i) {
        const int p = along - (along - previous) * i / 4;
        painter.drawLine(horizontal ? QPoint(p, axis_at + 1) : QPoint(axis_at - 1, p),
                         horizontal ? QPoint(p, axis_at + 2) : QPoint(axis_at - 2, p));
      }
    }
    previous = along;
    std::snprintf(text, sizeof text, "%d", v);
    painter.setPen(Qt::black);
    painter.drawText(at(axis_at + 6 * out) + QPoint(0, horizontal ? 11 : 4), QString::fromLatin1(text));
  }
}

void BM_PeerPainterLoop(benchmark::State& state) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  QFont font("Arial");
  font.setPixelSize(11);
  const QRect plot(QPoint(56, 5), QPoint(575, 98));
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    PeerAxis(painter, true, 0, 50, 2, plot.bottom(), plot);
    PeerAxis(painter, false, 20, 32, 2, plot.left(), plot);
    painter.save();
    painter.translate(12, plot.center().y());
    painter.rotate(-90);
    painter.drawText(0, 0, QStringLiteral("Reaction time"));
    painter.restore();
    painter.drawText(plot.center().x(), kHeight - 4, QStringLiteral("Reaction number"));
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.topLeft(), plot.bottomLeft());
    benchmark::DoNotOptimize(image.bits());
  }
}
BENCHMARK(BM_PeerPainterLoop)->Unit(benchmark::kMicrosecond);

}  // namespace
