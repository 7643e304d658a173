// The Series analysis window's cost to the program.
//
// A run of fifty reactions (Ctrl+Shift+click, painted to the display) with the window open and
// following the series, beside the same run with the window closed: the ratio is what following
// live adds to a run. The model's simulation for the parameters is done before the timing (it
// runs once per parameter set, off the user-interface thread). Needs xcb under an X server
// (tools/run-benchmarks starts one).
//
// The data side's update after one new reaction on a series of 10^4: the incremental append and
// the refresh of histogram, lags and table (the charts marked for repaint), beside the peer that
// recomputes the statistics of the whole series from scratch.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <string>

#include "analysis/series_statistics.h"
#include "analysis/stationary_series.h"
#include "analysiswindow/series_analysis_window.h"
#include "chart/line_series.h"
#include "dialogs/notice_sink.h"
#include "mainwindow/main_form.h"
#include "mainwindow/main_form_analysis.h"
#include "mainwindow/reaction_run.h"
#include "runtime/random.h"

namespace corvane {
namespace {

// Every background computation of the window ended and its result taken.
void FinishWork(TSeriesAnalysisWindow& window) {
  while (window.Session().WorkRunning()) {
    window.Session().JoinWork();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
  }
  window.RefreshNow();
}

class NoNotices : public TNoticeSink {
 public:
  void ShowNotice(const std::string&) override {}
};

constexpr std::size_t kLongSeries = 10'000;

void UntilPainted() {
  QApplication::processEvents();
  QGuiApplication::sync();
}

void RunOfFifty(benchmark::State& state, bool window_open) {
  if (QGuiApplication::platformName() != "xcb") {
    state.SkipWithError("needs the xcb platform under an X server (tools/run-benchmarks)");
    return;
  }
  NoNotices notices;
  TForm1 form(&notices);
  form.FormCreate();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  form.setGeometry(screen.x(), screen.y(), screen.width() / 2, screen.height());
  form.show();
  [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(&form);
  RandomSeed = 12345;
  if (window_open) {
    form.Press();
    form.Analysis().OpenSeriesAnalysis();
    TSeriesAnalysisWindow* window = form.Analysis().Window();
    window->setGeometry(screen.x() + screen.width() / 2, screen.y(), screen.width() / 2, screen.height());
    [[maybe_unused]] const bool shown = QTest::qWaitForWindowExposed(window);
    FinishWork(*window);
  }
  UntilPainted();
  for (auto _ : state) {
    form.BitBtn1Click();
    QTest::mouseClick(form.ButtonBegin, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
    UntilPainted();
  }
  if (form.Series2->PointCount() != kLongRunLength)
    state.SkipWithError("the run did not record fifty reactions");
}

void BM_RunOfFiftyAnalysisWindowClosed(benchmark::State& state) {
  RunOfFifty(state, false);
}
void BM_RunOfFiftyAnalysisWindowOpen(benchmark::State& state) {
  RunOfFifty(state, true);
}
BENCHMARK(BM_RunOfFiftyAnalysisWindowClosed)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RunOfFiftyAnalysisWindowOpen)->Unit(benchmark::kMillisecond)->UseRealTime();

std::vector<double> LongSeries() {
  TStationarySeries series(TParameterSet{5, 1, 1, 0.5, 0.5, 5}, 1);
  std::vector<double> times(kLongSeries);
  series.Fill(times);
  return times;
}

void BM_DataSideUpdateOnASeriesOf10k(benchmark::State& state) {
  NoNotices notices;
  TForm1 form(&notices);
  form.FormCreate();
  const TParameterSet P{5, 1, 1, 0.5, 0.5, 5};
  const std::vector<double> times = LongSeries();
  for (double time : times) form.SeriesRecord().Append(time, P);
  form.Analysis().OpenSeriesAnalysis();
  TSeriesAnalysisWindow& window = *form.Analysis().Window();
  FinishWork(window);
  std::size_t i = 0;
  for (auto _ : state) {
    form.SeriesRecord().Append(times[i++ % times.size()], P);
    window.RefreshNow();
  }
}
BENCHMARK(BM_DataSideUpdateOnASeriesOf10k)->Unit(benchmark::kMicrosecond);

void BM_PeerStatisticsRecomputedOnASeriesOf10k(benchmark::State& state) {
  const std::vector<double> times = LongSeries();
  for (auto _ : state) {
    TIncrementalStatistics statistics;
    statistics.Assign(times);
    benchmark::DoNotOptimize(statistics.Statistics());
  }
}
BENCHMARK(BM_PeerStatisticsRecomputedOnASeriesOf10k)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace corvane
