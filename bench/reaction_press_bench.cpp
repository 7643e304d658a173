// One press of "Start Reaction Time" from a real click on the button until the window has painted,
// for reactions of about 10^4 and 10^5 periods (A = 10000 and A = 100000, the other fields at their
// defaults), beside the direct call of the handler, and the same work taken apart: simulation
// alone, log formatting alone, the memo alone, the charts' paint alone, so the shares can be read
// side by side. A runaway press (A = 1e9) runs until the memo's capacity ends it: its time to the
// error report and the process's peak resident memory. Run on the xcb platform (under Xvfb) for
// user-visible figures: QT_QPA_PLATFORM=xcb.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <map>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "chart/line_series.h"
#include "dialogs/error_report.h"
#include "dialogs/notice_sink.h"
#include "mainwindow/main_form.h"
#include "memo/data_memo.h"
#include "memo/memo_view.h"
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

// Counts the paints of a widget, so a click can be timed until the window has drawn its result.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint)
      ++paints;
    return false;
  }
  int paints = 0;
};

void WaitUntilPainted(const PaintCounter& chart, const PaintCounter& memo, int chart_before,
                      int memo_before) {
  while (chart.paints == chart_before || memo.paints == memo_before)
    QApplication::processEvents(QEventLoop::AllEvents, 5);
}

// The paint counts when the handler has returned: the first press of a series paints once inside
// the handler, and that paint must not count as the result's.
struct AfterHandler {
  int chart = 0;
  int memo = 0;
};

void ShowForm(TForm1& form, double A) {
  form.FormCreate();
  form.EditAcrit->setText(QString::number(A));
  form.show();
  (void)QTest::qWaitForWindowExposed(&form);
  QApplication::processEvents();
  RandomSeed = 12345;
}

// From the mouse click on the button, as the user makes it, until the inhibition chart and the
// memo have painted the new reaction.
void BM_ClickToPainted(benchmark::State& state) {
  NoNotices notices;
  TForm1 form(&notices);
  ShowForm(form, double(state.range(0)));
  const PaintCounter chart(form.Chart1);
  const PaintCounter memo(form.MemoData->Widget()->viewport());
  AfterHandler after;
  // Connected after the form's own slot, so it runs when the handler has returned.
  QObject::connect(form.ButtonBegin, &QPushButton::clicked, [&] { after = {chart.paints, memo.paints}; });
  for (auto _ : state) {
    QTest::mouseClick(form.ButtonBegin, Qt::LeftButton);
    WaitUntilPainted(chart, memo, after.chart, after.memo);
    state.PauseTiming();
    form.BitBtn1Click();  // every press the first of its series: the same kind of work each time
    state.ResumeTiming();
  }
  state.counters["periods"] = form.MemoData->LineCount();
}
BENCHMARK(BM_ClickToPainted)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The peer: the handler called directly and the window repainted at once.
void BM_DirectCallToPainted(benchmark::State& state) {
  NoNotices notices;
  TForm1 form(&notices);
  ShowForm(form, double(state.range(0)));
  for (auto _ : state) {
    form.ButtonBeginClick();
    form.BitBtn1Click();
    form.repaint();
  }
  state.counters["periods"] = form.MemoData->LineCount();
}
BENCHMARK(BM_DirectCallToPainted)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

double PeakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_maxrss) / 1024.0;
}

// A = 1e9 with the other defaults: the reaction outgrows the memo, and the insertion error ends
// it. Timed from the click to the error report; peak_rss_mb is the process's peak (run this
// benchmark alone for a true figure: --benchmark_filter=Runaway).
void BM_RunawayPress(benchmark::State& state) {
  NoNotices notices;
  TForm1 form(&notices);
  ShowForm(form, 1e9);
  bool reported = false;
  SetErrorReportSink([&](const std::string&, const std::string&) { reported = true; });
  for (auto _ : state) {
    reported = false;
    QTest::mouseClick(form.ButtonBegin, Qt::LeftButton);
    while (!reported) QApplication::processEvents(QEventLoop::AllEvents, 5);
    state.PauseTiming();
    form.BitBtn1Click();
    state.ResumeTiming();
  }
  SetErrorReportSink(nullptr);
  state.counters["lines"] = form.MemoData->LineCount();
  state.counters["peak_rss_mb"] = PeakResidentMegabytes();
}
BENCHMARK(BM_RunawayPress)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

// Its peer: the same reaction simulated and formatted into a plain string until as many bytes.
void BM_RunawayPeerString(benchmark::State& state) {
  class StringSink : public TReactionSink {
   public:
    void AddPathPoint(double, double) override {}
    void AddPeriodRecord(const TPeriodRecord& record) override {
      text += FormatPeriodLine(record);
      text += "\r\n";
      if (text.size() >= TDataMemo::kDefaultCapacity)
        throw std::length_error("full");
    }
    std::string text;
  };
  for (auto _ : state) {
    RandomSeed = 12345;
    StringSink sink;
    TReactionSimulator simulator;
    try {
      simulator.SimulateReaction(Defaults(1e9), true, sink);
    } catch (const std::length_error&) {
    }
    benchmark::DoNotOptimize(sink.text.data());
  }
}
BENCHMARK(BM_RunawayPeerString)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

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
