#include "mainwindow/reaction_run.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QWidget>
#include <string>

#include "mainwindow/busy_cursor.h"

namespace corvane {

const char kStartButtonHint[] =
    "Click: one reaction\n"
    "Shift+click (Shift+Space): a run of ten reactions\n"
    "Ctrl+Shift+click (Ctrl+Shift+Space): a run of fifty reactions\n"
    "Esc or a click on the button stops a run";

int ReactionRunLength(Qt::KeyboardModifiers modifiers) {
  if (!modifiers.testFlag(Qt::ShiftModifier))
    return 1;
  return modifiers.testFlag(Qt::ControlModifier) ? kLongRunLength : kShortRunLength;
}

namespace {

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      return true;
    default:
      return false;
  }
}

// Keeps the user's input from the window for as long as it lives, and notes a request to stop:
// Escape anywhere in the window, a press of the left mouse button or of Space on the start
// button, or the window being closed (the close itself goes through). Other windows, such as the
// notice box of a rejected entry, get their input as usual.
class TRunInputGate final : public QObject {
 public:
  TRunInputGate(QWidget& window, QWidget& start_button) : window_(window), start_button_(start_button) {
    QCoreApplication::instance()->installEventFilter(this);
  }
  ~TRunInputGate() override { QCoreApplication::instance()->removeEventFilter(this); }
  TRunInputGate(const TRunInputGate&) = delete;
  TRunInputGate& operator=(const TRunInputGate&) = delete;

  bool StopRequested() const noexcept { return stop_requested_; }
  void RequestStop() noexcept { stop_requested_ = true; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!watched->isWidgetType())
      return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget != &window_ && !window_.isAncestorOf(widget))
      return false;
    if (event->type() == QEvent::Close) {
      stop_requested_ = true;
      return false;
    }
    if (!IsUserInput(event->type()))
      return false;
    if (AsksToStop(widget, *event))
      stop_requested_ = true;
    return true;
  }

 private:
  bool AsksToStop(const QWidget* widget, const QEvent& event) const {
    if (event.type() == QEvent::KeyPress) {
      const auto& key = static_cast<const QKeyEvent&>(event);
      if (key.key() == Qt::Key_Escape)
        return true;
      return widget == &start_button_ && !key.isAutoRepeat() &&
             (key.key() == Qt::Key_Space || key.key() == Qt::Key_Select);
    }
    if (event.type() == QEvent::MouseButtonPress || event.type() == QEvent::MouseButtonDblClick)
      return widget == &start_button_ && static_cast<const QMouseEvent&>(event).button() == Qt::LeftButton;
    return false;
  }

  QWidget& window_;
  QWidget& start_button_;
  bool stop_requested_ = false;
};

// The gate of the run in progress; the user-interface thread runs one run at a time.
TRunInputGate* running_gate = nullptr;

}  // namespace

int RunReactions(QWidget& window, QWidget& start_button, const TPress& press, int count) {
  // A click that still reaches the button during a run (from the program or an assistive tool,
  // delivered while the run lets events through) stops the run like the user's click, rather than
  // starting a press inside the one in progress.
  if (running_gate) {
    running_gate->RequestStop();
    return 0;
  }
  if (count <= 1)
    return press().recorded ? 1 : 0;

  const TBusyCursor busy;
  TRunInputGate gate(window, start_button);
  const QScopedValueRollback<TRunInputGate*> running(running_gate, &gate);
  int recorded = 0;
  while (recorded < count) {
    const TPressOutcome outcome = press();
    if (outcome.recorded)
      ++recorded;
    // A press that told the user about a field ends the run, recorded or not: a field that does not
    // convert keeps its last value and the press goes on with it, and every further press of the
    // run would show the same message again.
    if (!outcome.recorded || outcome.notices > 0)
      break;
    window.repaint();  // the user sees the series grow, reaction by reaction
    // Waits until the display has taken the frame: otherwise frames queue up in the window system
    // and reach the screen late (under X a run of fifty took up to twice as long to show).
    QGuiApplication::sync();
    // Input that arrived during the reaction goes to the gate now, the last reaction's too, so a
    // click meant to stop the run does not start a new press once the run is over.
    QCoreApplication::processEvents();
    if (gate.StopRequested())
      break;
  }
  return recorded;
}

}  // namespace corvane
