// One press of "Start Reaction Time" from click to painted window (offscreen), for reactions of
// about 10^4 and 10^5 periods (A = 10000 and A = 100000, the other fields at their defaults), and
// the same work taken apart: simulation alone, log formatting alone, the memo alone, the charts'
// paint alone, so the shares can be read side by side.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <map>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "chart/line_series.h"
#include "mainwindow/data_memo.h"
#include "mainwindow/main_form.h"
#include "mainwindow/notice_sink.h"
#include "runtime/random.h"
#include "simulation/period_line.h"
#include "simulation/reaction_simulator.h"

namespace corvane {
namespace {

class NoNotices : public TNoticeSink {
 public:
  void ShowNotice(const std::string&) override {}
};

TParameterSet Defaults(double A) {
  return {A, 1, 1, 0.5, 0.5, 5};
}

// Collects what a reaction delivers, so the parts can be timed on the same data.
class Collect : public TReactionSink {
 public:
  void AddPathPoint(double t, double y) override { points.push_back({t, y}); }
  void AddPeriodRecord(const TPeriodRecord& r) override { records.push_back(r); }
  std::vector<std::pair<double, double>> points;
  std::vector<TPeriodRecord> records;
};

const Collect& Reaction(double A) {
  static std::map<double, Collect> cache;
  auto [it, fresh] = cache.try_emplace(A);
  if (fresh) {
    RandomSeed = 12345;
    TReactionSimulator simulator;
    simulator.SimulateReaction(Defaults(A), true, it->second);
  }
  return it->second;
}

void BM_ClickToPainted(benchmark::State& state) {
  NoNotices notices;
  TForm1 form(&notices);
  form.FormCreate();
  form.EditAcrit->setText(QString::number(state.range(0)));
  form.show();
  QApplication::processEvents();
  RandomSeed = 12345;
  for (auto _ : state) {
    form.ButtonBeginClick();
    form.BitBtn1Click();  // every press the first of its series: the same kind of work each time
    form.repaint();       // the charts and the memo are painted now, as the event loop would
  }
  state.counters["periods"] = form.MemoData->LineCount();
}
BENCHMARK(BM_ClickToPainted)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

class NullSink : public TReactionSink {
 public:
  void AddPathPoint(double, double) override {}
  void AddPeriodRecord(const TPeriodRecord&) override {}
};

void BM_SimulationShare(benchmark::State& state) {
  RandomSeed = 12345;
  for (auto _ : state) {
    TReactionSimulator simulator;
    NullSink sink;
    benchmark::DoNotOptimize(simulator.SimulateReaction(Defaults(double(state.range(0))), true, sink));
  }
}
BENCHMARK(BM_SimulationShare)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_FormattingShare(benchmark::State& state) {
  const Collect& reaction = Reaction(double(state.range(0)));
  for (auto _ : state) {
    for (const TPeriodRecord& r : reaction.records) benchmark::DoNotOptimize(FormatPeriodLine(r));
  }
  state.counters["periods"] = double(reaction.records.size());
}
BENCHMARK(BM_FormattingShare)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_MemoShare(benchmark::State& state) {
  const Collect& reaction = Reaction(double(state.range(0)));
  std::vector<std::string> lines;
  for (const TPeriodRecord& r : reaction.records) lines.push_back(FormatPeriodLine(r));
  QWidget window;
  TDataMemo memo(&window);
  memo.Widget()->setGeometry(440, 0, 185, 185);
  window.show();
  for (auto _ : state) {
    memo.ClearLines();
    for (const std::string& line : lines) memo.AppendLine(line);
    memo.Sync();
  }
}
BENCHMARK(BM_MemoShare)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PaintShare(benchmark::State& state) {
  const Collect& reaction = Reaction(double(state.range(0)));
  NoNotices notices;
  TForm1 form(&notices);
  form.FormCreate();
  form.show();
  for (auto [t, y] : reaction.points) form.Series1->AddPoint(t, y, {}, form.Series1->SeriesColor());
  form.Chart1->BottomAxis().SetMaximum(reaction.points.back().first * 2);
  QApplication::processEvents();
  for (auto _ : state) {
    form.Chart1->Invalidate();
    form.Chart2->Invalidate();
    form.Chart1->repaint();
    form.Chart2->repaint();
  }
}
BENCHMARK(BM_PaintShare)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace corvane
