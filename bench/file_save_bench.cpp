// Saving results into files, each against a peer doing the same work directly:
//   - a chart of 2 x 10^5 points as SVG and as PDF (the whole chart through the vector surface)
//     against the same points stroked as one QPainterPath onto the same Qt generator; the SVG's
//     size in bytes is a counter;
//   - the log at capacity (32 MiB) saved as "Save log as..." does (line breaks converted, through
//     QSaveFile) against QSaveFile writing the same bytes; the growth of the peak resident memory
//     during the first save is a counter (the log itself is resident before).
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QTemporaryDir>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "chart/chart.h"
#include "chart/chart_export.h"
#include "chart/line_series.h"
#include "dialogs/save_file.h"
#include "mainwindow/main_form.h"
#include "memo/data_memo.h"

namespace corvane {
namespace {

constexpr int kPoints = 200000;
constexpr int kWidth = 593;
constexpr int kHeight = 145;

double X(int i) {
  return 25.0 * i / kPoints;
}
double Y(int i) {
  return 8 + 6 * std::sin(i * 0.001) + std::sin(i * 0.37);
}

TChart& BigChart() {
  static TChart* chart = [] {
    auto* c = new TChart;
    c->resize(kWidth, kHeight);
    c->SetView3D(false);
    c->Legend().SetVisible(false);
    TLineSeries& s = c->CreateSeries<TLineSeries>();
    for (int i = 0; i < kPoints; ++i) s.AddPoint(X(i), Y(i));
    return c;
  }();
  return *chart;
}

// The peer's points, in the chart's plot rectangle after one paint.
QPainterPath PeerPath() {
  TChart& chart = BigChart();
  QBuffer sink;
  sink.open(QIODevice::WriteOnly);
  WriteChartImage(chart, TChartImageFormat::Svg, sink);
  const TRect plot = chart.PlotRect();
  QPainterPath path;
  for (int i = 0; i < kPoints; ++i) {
    const QPointF p(plot.Left + (plot.Right - plot.Left) * X(i) / 25.0,
                    plot.Bottom - (plot.Bottom - plot.Top) * (Y(i) - 0) / 16.0);
    if (i == 0)
      path.moveTo(p);
    else
      path.lineTo(std::round(p.x() * 100) / 100, std::round(p.y() * 100) / 100);
  }
  return path;
}

void BM_ChartSvg(benchmark::State& state) {
  TChart& chart = BigChart();
  qint64 bytes = 0;
  for (auto _ : state) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteChartImage(chart, TChartImageFormat::Svg, buffer);
    bytes = buffer.size();
  }
  state.counters["svg_bytes"] = double(bytes);
}
BENCHMARK(BM_ChartSvg)->Unit(benchmark::kMillisecond);

void BM_PathSvgPeer(benchmark::State& state) {
  const QPainterPath path = PeerPath();
  for (auto _ : state) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(kWidth, kHeight));
    svg.setResolution(96);
    QPainter painter(&svg);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.strokePath(path, QPen(Qt::blue, 1));
    painter.end();
    benchmark::DoNotOptimize(buffer.size());
  }
}
BENCHMARK(BM_PathSvgPeer)->Unit(benchmark::kMillisecond);

void BM_ChartPdf(benchmark::State& state) {
  TChart& chart = BigChart();
  for (auto _ : state) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteChartImage(chart, TChartImageFormat::Pdf, buffer);
    benchmark::DoNotOptimize(buffer.size());
  }
}
BENCHMARK(BM_ChartPdf)->Unit(benchmark::kMillisecond);

void BM_PathPdfPeer(benchmark::State& state) {
  const QPainterPath path = PeerPath();
  for (auto _ : state) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(96);
    QPainter painter(&pdf);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.strokePath(path, QPen(Qt::blue, 1));
    painter.end();
    benchmark::DoNotOptimize(buffer.size());
  }
}
BENCHMARK(BM_PathPdfPeer)->Unit(benchmark::kMillisecond);

// From /proc/self/status, in MiB: the resident set now (VmRSS) and its peak (VmHWM), which
// writing 5 to /proc/self/clear_refs brings back to the resident set of the moment.
double StatusMegabytes(const char* key) {
  QFile status("/proc/self/status");
  if (!status.open(QIODevice::ReadOnly))
    return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith(key))
      return line.mid(qsizetype(std::strlen(key))).trimmed().split(' ').front().toDouble() / 1024.0;
  return -1;
}

void ResetPeak() {
  QFile clear("/proc/self/clear_refs");
  if (clear.open(QIODevice::WriteOnly))
    clear.write("5");
}

// A window whose memo holds nearly its 32 MiB of 110-character lines.
TForm1& FullForm() {
  static TForm1* form = [] {
    auto* f = new TForm1;
    f->MemoData->ClearLines();
    std::string line(110, '7');
    const std::size_t lines = TDataMemo::kDefaultCapacity / (line.size() + 2) - 16;
    for (std::size_t i = 0; i < lines; ++i) f->MemoData->AppendLine(line);
    return f;
  }();
  return *form;
}

QTemporaryDir& Folder() {
  static QTemporaryDir dir;
  return dir;
}

void BM_SaveLogAtCapacity(benchmark::State& state) {
  TForm1& form = FullForm();
  const QString path = Folder().filePath("reaction-log.txt");
  SetSavePathAsker([&](QWidget*, const TSaveRequest&) {
    return std::optional<TSaveTarget>(TSaveTarget{path, 0});
  });
  ResetPeak();
  const double before = StatusMegabytes("VmRSS:");
  double growth = -1;
  for (auto _ : state) {
    form.SaveLogAs();
    if (growth < 0)
      growth = StatusMegabytes("VmHWM:") - before;
  }
  SetSavePathAsker(nullptr);
  state.counters["log_MiB"] = double(form.MemoData->Text().size()) / (1 << 20);
  state.counters["peak_growth_MiB"] = growth;
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(form.MemoData->Text().size()));
}
BENCHMARK(BM_SaveLogAtCapacity)->Unit(benchmark::kMillisecond);

void BM_SaveFilePeer(benchmark::State& state) {
  TForm1& form = FullForm();
  QByteArray bytes = QByteArray::fromStdString(form.MemoData->Text());
  bytes.replace("\r\n", "\n");
  const QString path = Folder().filePath("peer.txt");
  for (auto _ : state) {
    QSaveFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    benchmark::DoNotOptimize(file.commit());
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(form.MemoData->Text().size()));
}
BENCHMARK(BM_SaveFilePeer)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane
