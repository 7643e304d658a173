// A run of fifty reactions with the default parameters, from the user's gesture (a Ctrl+Shift
// click on "Start Reaction Time") to the window painted and flushed to the display, on a real
// window system: xcb, under a virtual X server (tools/run-benchmarks starts one). The peer does the
// same fifty presses as fifty plain clicks, each painted before the next, as a user clicking
// fifty times would see them; the ratio is what the run adds or saves around the same work.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <string>

#include "chart/line_series.h"
#include "dialogs/notice_sink.h"
#include "mainwindow/main_form.h"
#include "mainwindow/reaction_run.h"
#include "runtime/random.h"

namespace corvane {
namespace {

class NoNotices : public TNoticeSink {
 public:
  void ShowNotice(const std::string&) override {}
};

// Sets the window up as the program opens it: created, maximized, shown and painted once.
void OpenAsTheProgramDoes(TForm1& form) {
  form.FormCreate();
  form.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
  form.showMaximized();
  [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(&form);
  QApplication::processEvents();
}

// Painted on the screen: what is pending is processed and the display has taken every request.
void UntilPainted() {
  QApplication::processEvents();
  QGuiApplication::sync();
}

bool OnAWindowSystem(benchmark::State& state) {
  if (QGuiApplication::platformName() == "xcb")
    return true;
  state.SkipWithError("needs the xcb platform: QT_QPA_PLATFORM=xcb under an X server (tools/run-benchmarks)");
  return false;
}

// Times `gesture` on a window opened as the program opens it, each time from a new series, until
// the window is painted; the gesture must leave fifty reactions recorded.
template <class Gesture>
void TimeFiftyReactions(benchmark::State& state, Gesture gesture) {
  if (!OnAWindowSystem(state))
    return;
  NoNotices notices;
  TForm1 form(&notices);
  OpenAsTheProgramDoes(form);
  RandomSeed = 12345;
  for (auto _ : state) {
    form.BitBtn1Click();  // each time a new series from y0: the same kind of work every time
    gesture(form);
    UntilPainted();
  }
  if (form.Series2->PointCount() != kLongRunLength)
    state.SkipWithError("the gesture did not record fifty reactions");
}

void BM_RunOfFiftyFromCtrlShiftClick(benchmark::State& state) {
  TimeFiftyReactions(state, [](TForm1& form) {
    QTest::mouseClick(form.ButtonBegin, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
  });
}
BENCHMARK(BM_RunOfFiftyFromCtrlShiftClick)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FiftyPlainClicksEachPainted(benchmark::State& state) {
  TimeFiftyReactions(state, [](TForm1& form) {
    for (int i = 0; i < kLongRunLength; ++i) {
      QTest::mouseClick(form.ButtonBegin, Qt::LeftButton);
      form.repaint();
      UntilPainted();
    }
  });
}
BENCHMARK(BM_FiftyPlainClicksEachPainted)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace corvane
