// The gesture fuzzer: seeded random sequences of real pointer, wheel and key events, sent through
// the X server by xdotool, on the main window running in this process on the xcb platform
// (tooltips, menus and grabs are X windows of their own, which Qt's offscreen platform does not
// have). After each sequence it checks what every gesture must leave behind:
//   - no zoom or scroll record active and no button counted as held, with no button down;
//   - a right click without a drag opens the menu, also just after a read-out showed;
//   - "Reset zoom" brings back the axes from before the first zoom, automatic limits automatic;
//   - a wheel notch over the plot changes the axes, and the undoing drag restores them;
//   - the next press draws its whole path while the path's maximum is automatic;
//   - no error report;
//   - every fifth sequence, a Save entry of a chart's menu opens the file dialog and Escape
//     closes it. Whatever else a sequence opens (the dialog of a Save entry it happened to click,
//     a menu, a help page, the analysis window) is closed as a user would close it.
// A failing seed is printed and replays the same sequence: gesture_fuzz --seed N.
//   usage: gesture_fuzz [--seed N | --seeds FROM TO] [--tip-delay MS] [--scenario hover-menu-wheel]
// (FUZZ_TRACE=1 tells where each check clicked and where the tooltip stood)
// tools/gesture-fuzz starts the X server (and openbox) and runs it as CI does.
#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QMenu>
#include <QProcess>
#include <QProxyStyle>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "app/application.h"
#include "chart/chart.h"
#include "chart/chart_pointer_tools.h"
#include "chart/chart_readout.h"
#include "chart/chart_strings.h"
#include "chart/line_series.h"
#include "dialogs/app_title.h"
#include "dialogs/error_report.h"
#include "dialogs/notice_sink.h"
#include "mainwindow/main_form.h"

namespace corvane {
namespace {

// Rests must outlast the tooltip's wake-up; a shorter one than the desktop's lets more sequences run.
class TTipDelayStyle : public QProxyStyle {
 public:
  explicit TTipDelayStyle(int delay_ms) : delay_ms_(delay_ms) {}
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* result) const override {
    if (hint == SH_ToolTip_WakeUpDelay)
      return delay_ms_;
    return QProxyStyle::styleHint(hint, option, widget, result);
  }

 private:
  int delay_ms_;
};

class TQuietNotices : public TNoticeSink {
 public:
  void ShowNotice(const std::string& text) override { texts.push_back(text); }
  std::vector<std::string> texts;
};

// Qt's tooltip window, while one shows.
QWidget* ShownTip() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->inherits("QTipLabel") && w->isVisible())
      return w;
  }
  return nullptr;
}

// Lets the program run for `ms` milliseconds.
void Pump(int ms) {
  QElapsedTimer timer;
  timer.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QTest::qSleep(1);
  } while (timer.elapsed() < ms);
}

// xdotool, with the program running meanwhile, as it would while a user acts.
void Xdo(const QStringList& args) {
  QProcess process;
  process.start(QStringLiteral("xdotool"), args);
  process.waitForStarted();
  while (process.state() != QProcess::NotRunning && !process.waitForFinished(1))
    QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
  QCoreApplication::processEvents();
}

// Screen pixels of a widget's logical point (QT_SCALE_FACTOR scales them).
QPoint ScreenPixel(const QWidget& widget, QPoint local) {
  const QPoint global = widget.mapToGlobal(local);
  const double ratio = widget.devicePixelRatioF();
  return {qRound(global.x() * ratio), qRound(global.y() * ratio)};
}

struct TAxisSnapshot {
  bool Automatic, AutomaticMinimum, AutomaticMaximum;
  double Minimum, Maximum;
  bool operator==(const TAxisSnapshot&) const = default;
};
using TChartSnapshot = std::array<TAxisSnapshot, 4>;

TChartSnapshot SnapshotOf(TChart& chart) {
  TChartSnapshot s{};
  const std::array<const TChartAxis*, 4> axes{&chart.TopAxis(), &chart.BottomAxis(), &chart.LeftAxis(),
                                              &chart.RightAxis()};
  for (std::size_t i = 0; i < axes.size(); ++i)
    s[i] = {axes[i]->Automatic(), axes[i]->AutomaticMinimum(), axes[i]->AutomaticMaximum(),
            axes[i]->Minimum(), axes[i]->Maximum()};
  return s;
}

// The same scale settings: the flags, and the bounds that are fixed. An automatic bound holds
// what the last paint resolved, which follows the series (a press may have changed them since).
bool SameSettings(const TChartSnapshot& a, const TChartSnapshot& b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    const TAxisSnapshot& x = a[i];
    const TAxisSnapshot& y = b[i];
    if (x.Automatic != y.Automatic || x.AutomaticMinimum != y.AutomaticMinimum ||
        x.AutomaticMaximum != y.AutomaticMaximum)
      return false;
    if (!x.Automatic && !x.AutomaticMinimum && x.Minimum != y.Minimum)
      return false;
    if (!x.Automatic && !x.AutomaticMaximum && x.Maximum != y.Maximum)
      return false;
  }
  return true;
}

std::string Describe(const TChartSnapshot& s) {
  static const char* const kNames[] = {"top", "bottom", "left", "right"};
  std::string text;
  for (std::size_t i = 0; i < s.size(); ++i) {
    char line[160];
    std::snprintf(line, sizeof line, " %s[auto %d/%d/%d %.6g..%.6g]", kNames[i], s[i].Automatic,
                  s[i].AutomaticMinimum, s[i].AutomaticMaximum, s[i].Minimum, s[i].Maximum);
    text += line;
  }
  return text;
}

class TFuzzer {
 public:
  explicit TFuzzer(unsigned seed) : rng_(seed), seed_(seed) {
    form_ = std::make_unique<TForm1>(
        &notices_, [this] { return std::uniform_real_distribution<long double>(0, 1)(sim_rng_); });
    form_->FormCreate();
    form_->show();
    (void)QTest::qWaitForWindowExposed(form_.get());
    form_->activateWindow();
    Pump(150);
    charts_ = {form_->Chart1, form_->Chart2};
    // What a random sequence opens besides the chart menus would hold the fuzzer inside a loop of
    // its own (the memo's menu, the menu bar's) or wait for an answer (a Save entry's file
    // dialog, modal; a help page; the Series analysis window): a user closes it, and so does this.
    // The Save entries are also chosen on purpose, once a sequence, in CheckSaveEntry.
    QObject::connect(&watchdog_, &QTimer::timeout, [this] {
      if (checking_save_)
        return;
      QWidget* popup = QApplication::activePopupWidget();
      if (popup != nullptr && popup != charts_[0]->PointerTools().Menu() &&
          popup != charts_[1]->PointerTools().Menu())
        popup->close();
      if (QWidget* modal = QApplication::activeModalWidget())
        Close(modal);
      for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window == form_.get() || !window->isVisible() || window->windowType() == Qt::Popup ||
            window->windowType() == Qt::ToolTip)
          continue;
        Close(window);
      }
    });
    watchdog_.start(400);
    for (std::size_t i = 0; i < charts_.size(); ++i) before_[i] = SnapshotOf(*charts_[i]);
  }
  ~TFuzzer() {
    for (TChart* chart : charts_) {
      if (QMenu* menu = chart->PointerTools().Menu())
        menu->hide();
    }
    form_->hide();
    form_.reset();
    Pump(30);
  }

  // Runs one random sequence and checks the invariants; returns the failures.
  std::vector<std::string> Run() {
    const int steps = Uniform(6, 18);
    for (int i = 0; i < steps; ++i) {
      Step();
      Track();
    }
    ReleaseAll();
    Pump(60);
    Track();
    Check();
    return failures_;
  }

  // A window the sequence opened, closed as a user would; told when tracing.
  void Close(QWidget* window) {
    if (Tracing())
      std::fprintf(stderr, "closing %s \"%s\"\n", window->metaObject()->className(),
                   qPrintable(window->windowTitle()));
    window->close();
  }

  // The sequence of the report: three presses, a rest on the red line, a right click at once on
  // an empty spot, then the menu and a working wheel.
  std::vector<std::string> HoverMenuWheel() {
    for (int i = 0; i < 3; ++i) PressStart();
    Track();
    Check();
    return failures_;
  }

 private:
  int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool Chance(int percent) { return Uniform(1, 100) <= percent; }
  TChart& AnyChart() { return *charts_[static_cast<std::size_t>(Uniform(0, 1))]; }

  // The memo covers part of the reaction-time chart: a chart's pixel counts where the chart shows.
  static bool Shows(const TChart& chart, QPoint p) {
    const QWidget* window = chart.window();
    return window->childAt(window->mapFromGlobal(chart.mapToGlobal(p))) == &chart;
  }
  QPoint InPlot(TChart& chart) {
    const TRect& r = chart.PlotRect();
    QPoint p;
    for (int tries = 0; tries < 50; ++tries) {
      p = {Uniform(r.Left + 2, r.Right - 3), Uniform(r.Top + 2, r.Bottom - 3)};
      if (Shows(chart, p))
        break;
    }
    return p;
  }
  // A pixel of a series point, or an ordinary plot pixel on an empty chart.
  QPoint OnASeries(TChart& chart) {
    std::vector<std::pair<const TChartSeries*, int>> points;
    for (const TChartSeries* s : chart.SeriesList()) {
      for (int i = 0; i < s->PointCount(); ++i) points.emplace_back(s, i);
    }
    if (points.empty())
      return InPlot(chart);
    const auto& [series, index] =
        points[static_cast<std::size_t>(Uniform(0, static_cast<int>(points.size()) - 1))];
    const QPoint p{chart.HorizAxisOf(*series).ValueToPixel(series->XValueAt(index)),
                   chart.VertAxisOf(*series).ValueToPixel(series->YValueAt(index))};
    const TRect& r = chart.PlotRect();
    if (p.x() < r.Left || p.x() >= r.Right || p.y() < r.Top || p.y() >= r.Bottom || !Shows(chart, p))
      return InPlot(chart);
    return p;
  }
  // A plot pixel with nothing to read out within reach, so a right click there is a plain one;
  // under the read-out's tooltip when one shows, where a user moving on would meet it.
  QPoint EmptySpot(TChart& chart) {
    const TRect& r = chart.PlotRect();
    QRect under;
    if (const QWidget* tip = ShownTip())
      under = QRect(chart.mapFromGlobal(tip->geometry().topLeft()), tip->size());
    for (int tries = 0; tries < 400; ++tries) {
      QPoint p = InPlot(chart);
      if (tries < 300 && !under.isEmpty()) {
        p = {Uniform(under.left(), under.right()), Uniform(under.top(), under.bottom())};
        if (!QRect(r.Left, r.Top, r.Width(), r.Height()).contains(p))
          continue;
      }
      const TRect near{p.x() - 12, p.y() - 12, p.x() + 12, p.y() + 12};
      bool clear = true;
      for (int x = near.Left; x <= near.Right && clear; x += 4)
        for (int y = near.Top; y <= near.Bottom && clear; y += 4) clear = ReadoutHits(chart, x, y).empty();
      if (clear && p.x() > r.Left + 14 && p.y() > r.Top + 14 && Shows(chart, p))
        return p;
    }
    return {r.Left + 20, r.Top + 20};
  }

  void MoveTo(const QWidget& widget, QPoint local) {
    const QPoint at = ScreenPixel(widget, local);
    Xdo({"mousemove", QString::number(at.x()), QString::number(at.y())});
  }
  void Rest(TChart& chart) {
    MoveTo(chart, OnASeries(chart));
    Pump(TipDelay() + 150);
  }
  static int TipDelay() { return QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay); }
  void Down(int button) {
    Xdo({"mousedown", QString::number(button)});
    held_.push_back(button);
  }
  void Up(int button) {
    Xdo({"mouseup", QString::number(button)});
    std::erase(held_, button);
  }
  void ReleaseAll() {
    while (!held_.empty()) Up(held_.back());
  }
  bool Held(int button) const { return std::find(held_.begin(), held_.end(), button) != held_.end(); }

  void PressStart() {
    ReleaseAll();
    MoveTo(*form_->ButtonBegin, form_->ButtonBegin->rect().center());
    Xdo({"click", "1"});
    Pump(60);
  }

  void Step() {
    TChart& chart = AnyChart();
    const int kind = Uniform(0, 13);
    if (Tracing())
      std::fprintf(stderr, "step %d on %s, held %zu\n", kind, &chart == form_->Chart1 ? "Chart1" : "Chart2",
                   held_.size());
    switch (kind) {
      case 0:
      case 1:
        MoveTo(chart, Chance(50) ? InPlot(chart) : OnASeries(chart));
        break;
      case 2:
        Rest(chart);
        break;
      case 3:  // somewhere off the charts: the memo, the labels, beyond the window
        if (Chance(50))
          MoveTo(*form_, {Uniform(0, form_->width() - 1), Uniform(0, form_->height() - 1)});
        else
          MoveTo(*form_, {form_->width() + Uniform(5, 200), Uniform(0, form_->height() + 100)});
        break;
      case 4:
      case 5: {
        const int button = Chance(60) ? 1 : 3;
        if (Held(button)) {
          Up(button);
          break;
        }
        // A press beside the window would go to the desktop, where a window manager opens menus
        // of its own.
        if (!form_->frameGeometry().contains(QCursor::pos()))
          MoveTo(chart, InPlot(chart));
        Down(button);
        break;
      }
      case 6:  // a drag, maybe across the charts or out of the window
        Down(Chance(60) ? 1 : 3);
        MoveTo(chart, InPlot(chart));
        if (Chance(30))
          MoveTo(Chance(50) ? AnyChart() : static_cast<QWidget&>(*form_->ButtonBegin), {3, 3});
        if (Chance(70))
          Up(held_.back());
        break;
      case 7:  // a right click at once after whatever showed
        MoveTo(chart, Chance(50) ? EmptySpot(chart) : InPlot(chart));
        Xdo({"click", "3"});
        Pump(40);
        if (Chance(70))
          Xdo({"key", "Escape"});
        break;
      case 8:
      case 9:
        // Beside the window the wheel would reach the desktop (which a window manager may switch).
        if (Chance(50) || !form_->frameGeometry().contains(QCursor::pos()))
          MoveTo(chart, InPlot(chart));
        Xdo({"click", Chance(60) ? "4" : "5"});
        break;
      case 10:
        Xdo({"key", "Escape"});
        break;
      case 11:
        if (Chance(40))
          PressStart();
        break;
      case 12:
        if (Chance(30)) {  // a run of ten, perhaps stopped by Escape while it runs
          ReleaseAll();
          MoveTo(*form_->ButtonBegin, form_->ButtonBegin->rect().center());
          if (Chance(50))
            QProcess::startDetached(QStringLiteral("xdotool"), {"sleep", "0.2", "key", "Escape"});
          Xdo({"keydown", "shift", "click", "1", "keyup", "shift"});
          Pump(60);
        }
        break;
      case 13:
        if (Chance(30)) {
          ReleaseAll();
          MoveTo(*form_->BitBtn1, form_->BitBtn1->rect().center());
          Xdo({"click", "1"});
        }
        break;
    }
    Pump(Uniform(5, 40));
  }

  // The axes as they were before the first zoom, while the chart has saved nothing.
  void Track() {
    for (std::size_t i = 0; i < charts_.size(); ++i) {
      if (!charts_[i]->AxisStateSaved())
        before_[i] = SnapshotOf(*charts_[i]);
    }
  }

  void Fail(const std::string& what) { failures_.push_back(what); }

  void CheckIdle(TChart& chart, const char* name, const char* when) {
    if (chart.ZoomRecord().Active)
      Fail(std::string(name) + ": zoom record active with no button down " + when);
    if (chart.ScrollRecord().Active)
      Fail(std::string(name) + ": scroll record active with no button down " + when);
  }

  bool MenuShown(TChart& chart) {
    const QMenu* menu = chart.PointerTools().Menu();
    return menu != nullptr && menu->isVisible();
  }

  static bool Tracing() { return std::getenv("FUZZ_TRACE") != nullptr; }

  // Right click at once on an empty spot, just after resting on a series.
  bool OpenMenu(TChart& chart, const char* name) {
    if (Tracing())
      std::fprintf(stderr, "%s: qt buttons %d, own %d, lost %d, pending %d, zoom %d, scroll %d, popup %p\n",
                   name, int(QGuiApplication::mouseButtons()), int(chart.PointerTools().Buttons().Own()),
                   int(chart.PointerTools().Buttons().Lost()), chart.PointerTools().RightClickPending(),
                   chart.ZoomRecord().Active, chart.ScrollRecord().Active,
                   static_cast<void*>(QApplication::activePopupWidget()));
    if (Tracing() && QApplication::activePopupWidget() != nullptr) {
      const QWidget* popup = QApplication::activePopupWidget();
      std::fprintf(
          stderr, "%s: popup %s of %s at %d,%d %dx%d, own menu %p\n", name, popup->metaObject()->className(),
          popup->parentWidget() ? popup->parentWidget()->metaObject()->className() : "none", popup->x(),
          popup->y(), popup->width(), popup->height(), static_cast<void*>(chart.PointerTools().Menu()));
    }
    // A menu the sequence left open (a right press held through it, released at the end) would
    // cover the spot and take the click as a choice of its own: closed first, as a user would.
    for (int i = 0; i < 5 && QApplication::activePopupWidget() != nullptr; ++i) {
      Xdo({"key", "Escape"});
      Pump(40);
    }
    Rest(chart);
    const QPoint spot = EmptySpot(chart);
    if (Tracing()) {
      const QWidget* tip = ShownTip();
      std::fprintf(stderr, "%s: tip %s, click at %d,%d global %d,%d\n", name,
                   tip ? qPrintable(QStringLiteral("%1,%2 %3x%4")
                                        .arg(tip->x())
                                        .arg(tip->y())
                                        .arg(tip->width())
                                        .arg(tip->height()))
                       : "none",
                   spot.x(), spot.y(), chart.mapToGlobal(spot).x(), chart.mapToGlobal(spot).y());
    }
    MoveTo(chart, spot);
    Xdo({"click", "3"});
    for (int i = 0; i < 20 && !MenuShown(chart); ++i) Pump(20);
    if (!MenuShown(chart)) {
      Fail(std::string(name) + ": a right click after a read-out opened no menu");
      return false;
    }
    return true;
  }

  void ChooseResetZoom(TChart& chart) {
    QMenu& menu = *chart.PointerTools().Menu();
    // Found by its text: the owner's entries (Save, Series analysis...) stand before it.
    QAction* reset = nullptr;
    for (QAction* action : menu.actions())
      if (action->text() == QString::fromLatin1(chart_text::kResetZoom))
        reset = action;
    if (!reset) {
      Fail("the chart menu has no Reset zoom");
      return;
    }
    MoveTo(menu, menu.actionGeometry(reset).center());
    Xdo({"click", "1"});
    Pump(80);
  }

  QAction* MenuEntry(TChart& chart, const QString& text) {
    for (QAction* action : chart.PointerTools().Menu()->actions())
      if (QString(action->text()).remove('&') == text)  // the mnemonic aside
        return action;
    return nullptr;
  }

  // A Save entry of a chart's menu, chosen on purpose: it opens the file dialog, modal, which
  // Escape closes without writing, and the chart is left idle.
  void CheckSaveEntry(TChart& chart, const char* name) {
    const bool image = seed_ % 2 == 0;
    checking_save_ = true;
    if (OpenMenu(chart, name)) {
      const QString text = image ? QStringLiteral("Save image as...") : QStringLiteral("Save data as...");
      QMenu& menu = *chart.PointerTools().Menu();
      if (QAction* save = MenuEntry(chart, text)) {
        MoveTo(menu, menu.actionGeometry(save).center());
        // The dialog's loop runs inside this click's events: the rest is done from a timer.
        bool seen = false, closed = false;
        QTimer probe;
        int ticks = 0;
        QObject::connect(&probe, &QTimer::timeout, [&] {
          QWidget* modal = QApplication::activeModalWidget();
          if (modal != nullptr && !seen) {
            seen = true;
            QProcess::startDetached(QStringLiteral("xdotool"), {"key", "Escape"});
          } else if (modal == nullptr && seen) {
            closed = true;
          } else if (modal != nullptr && ++ticks % 10 == 0 && ticks <= 40) {
            // A key sent before the dialog had the keyboard is lost on a busy machine: again,
            // as a user would press it again.
            QProcess::startDetached(QStringLiteral("xdotool"), {"key", "Escape"});
          } else if (modal != nullptr && ticks > 40) {
            Fail(std::string(name) + ": Escape did not close the file dialog of " + text.toStdString());
            modal->close();
          }
        });
        probe.start(100);
        Xdo({"click", "1"});
        for (int i = 0; i < 60 && !(seen && (closed || !QApplication::activeModalWidget())); ++i) Pump(50);
        probe.stop();
        if (!seen)
          Fail(std::string(name) + ": " + text.toStdString() + " opened no file dialog");
        if (QWidget* modal = QApplication::activeModalWidget())
          modal->close();
      } else {
        Fail(std::string(name) + ": the chart menu has no " + text.toStdString());
      }
      if (MenuShown(chart))
        Xdo({"key", "Escape"});
      Pump(60);
    }
    checking_save_ = false;
    CheckIdle(chart, name, "after a Save entry's dialog");
  }

  void Check() {
    if (seed_ % 5 == 0)
      CheckSaveEntry(*charts_[seed_ / 5 % 2],
                     seed_ / 5 % 2 == 0 ? "inhibition chart" : "reaction-time chart");
    for (std::size_t i = 0; i < charts_.size(); ++i) {
      TChart& chart = *charts_[i];
      const char* name = i == 0 ? "inhibition chart" : "reaction-time chart";
      CheckIdle(chart, name, "after the sequence");
      if (!OpenMenu(chart, name))
        continue;
      ChooseResetZoom(chart);
      if (MenuShown(chart))
        Fail(std::string(name) + ": the menu stayed open after Reset zoom");
      const TChartSnapshot reset = SnapshotOf(chart);
      if (!SameSettings(reset, before_[i]))
        Fail(std::string(name) + ": Reset zoom left" + Describe(reset) + ", before the first zoom" +
             Describe(before_[i]));
      // The wheel changes the axes; the undoing drag brings back what the wheel found.
      const TRect r = chart.PlotRect();
      const QPoint centre{(r.Left + r.Right) / 3, (r.Top + r.Bottom) / 2};
      MoveTo(chart, centre);
      Xdo({"click", "4"});
      Pump(60);
      if (SnapshotOf(chart) == reset)
        Fail(std::string(name) + ": a wheel notch over the plot changed nothing");
      MoveTo(chart, {r.Left + 120, r.Bottom - 4});
      Down(1);
      MoveTo(chart, {r.Left + 100, r.Bottom - 30});
      MoveTo(chart, {r.Left + 4, r.Top + 4});
      Up(1);
      Pump(60);
      if (SnapshotOf(chart) != reset)
        Fail(std::string(name) + ": the undoing drag left" + Describe(SnapshotOf(chart)) +
             ", before the wheel" + Describe(reset));
      CheckIdle(chart, name, "after the undoing drag");
      Track();
    }
    // The next press draws its whole path while the path's maximum follows it.
    PressStart();
    Pump(60);
    const TChart& chart1 = *form_->Chart1;
    if (chart1.LeftAxis().AutomaticMaximum()) {
      const TLineSeries& path = *form_->Series1;
      for (int i = 0; i < path.PointCount(); ++i) {
        if (path.YValueAt(i) > chart1.LeftAxis().Maximum() ||
            path.YValueAt(i) < chart1.LeftAxis().Minimum()) {
          Fail("inhibition chart: the path runs outside its automatic axis after a press");
          break;
        }
      }
    }
    if (!reports_.empty())
      Fail("error report: " + reports_.front());
  }

 public:
  std::vector<std::string> reports_;

 private:
  std::mt19937 rng_;
  std::mt19937_64 sim_rng_{1};
  unsigned seed_;
  TQuietNotices notices_;
  std::unique_ptr<TForm1> form_;
  std::array<TChart*, 2> charts_{};
  std::array<TChartSnapshot, 2> before_{};
  std::vector<int> held_;
  std::vector<std::string> failures_;
  QTimer watchdog_;
  bool checking_save_ = false;
};

int RunSeeds(unsigned from, unsigned to, bool scenario) {
  int failed = 0;
  for (unsigned seed = from; seed <= to; ++seed) {
    std::printf("seed %u\n", seed);
    std::fflush(stdout);
    std::vector<std::string> reports;
    SetErrorReportSink([&reports](const std::string&, const std::string& text) { reports.push_back(text); });
    std::vector<std::string> failures;
    {
      TFuzzer fuzzer(seed);
      failures = scenario ? fuzzer.HoverMenuWheel() : fuzzer.Run();
      for (const std::string& r : reports) failures.push_back("error report: " + r);
    }
    SetErrorReportSink(nullptr);
    for (const std::string& f : failures) std::printf("FAIL seed %u: %s\n", seed, f.c_str());
    if (!failures.empty()) {
      ++failed;
      std::printf("replay: gesture_fuzz --seed %u%s\n", seed, scenario ? " --scenario hover-menu-wheel" : "");
    }
    std::fflush(stdout);
  }
  std::printf("%u sequences, %d failed\n", to - from + 1, failed);
  return failed == 0 ? 0 : 1;
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  corvane::TApplication app(argc, argv);
  corvane::SetApplicationTitle("corvane");
  unsigned from = 1, to = 20;
  int tip_delay = 200;
  bool scenario = false;
  const QStringList args = QCoreApplication::arguments();
  for (qsizetype i = 1; i < args.size(); ++i) {
    if (args[i] == "--seed" && i + 1 < args.size()) {
      from = to = args[++i].toUInt();
    } else if (args[i] == "--seeds" && i + 2 < args.size()) {
      from = args[++i].toUInt();
      to = args[++i].toUInt();
    } else if (args[i] == "--tip-delay" && i + 1 < args.size()) {
      tip_delay = args[++i].toInt();
    } else if (args[i] == "--scenario" && i + 1 < args.size() && args[i + 1] == "hover-menu-wheel") {
      scenario = true;
      ++i;
    } else {
      std::fprintf(stderr, "gesture_fuzz: unknown argument %s\n", qPrintable(args[i]));
      return 2;
    }
  }
  if (QGuiApplication::platformName() != "xcb") {
    std::fprintf(stderr, "gesture_fuzz: needs the xcb platform (an X server), not %s\n",
                 qPrintable(QGuiApplication::platformName()));
    return 2;
  }
  if (tip_delay > 0)
    QApplication::setStyle(new corvane::TTipDelayStyle(tip_delay));
  return corvane::RunSeeds(from, to, scenario);
}
