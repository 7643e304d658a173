#include "chart/chart_pointer_tools.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <QWindow>

#include "chart/chart.h"
#include "chart/chart_context_menu.h"
#include "chart/chart_readout.h"

namespace corvane {
namespace {

// Qt's tooltip window, while one shows.
QWidget* ShownTip() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->inherits("QTipLabel") && w->isVisible())
      return w;
  }
  return nullptr;
}

// A tooltip that took the press would close at it and Qt would never see the release: the chart
// below would then wait for it and ignore the wheel. So the tip lets the mouse through, and it is
// moved off the pointer should the screen's edge have pushed it there.
void LetTheMouseThrough(QWidget& tip, QPoint pointer) {
  tip.setAttribute(Qt::WA_TransparentForMouseEvents);
  if (QWindow* window = tip.windowHandle())
    window->setFlag(Qt::WindowTransparentForInput, true);
  const QRect screen = tip.screen() != nullptr ? tip.screen()->availableGeometry() : QRect();
  const TRect placed = ReadoutTipPlacement(
      {tip.x(), tip.y(), tip.x() + tip.width(), tip.y() + tip.height()}, {pointer.x(), pointer.y()},
      {screen.left(), screen.top(), screen.right() + 1, screen.bottom() + 1});
  if (placed.Left != tip.x() || placed.Top != tip.y())
    tip.move(placed.Left, placed.Top);
}

// A press outside an open popup closes it and goes nowhere else: the release goes with the popup.
// A right press on a chart while its menu (or the other chart's) is open is a right click all the
// same, so the chart under it opens its menu there, once the closing one is gone.
class TMenuReopener final : public QObject {
 public:
  explicit TMenuReopener(QMenu& menu) : QObject(&menu), menu_(menu) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::MouseButtonPress)
      return false;
    const auto* press = static_cast<const QMouseEvent*>(event);
    if (press->button() != Qt::RightButton || menu_.rect().contains(press->position().toPoint()))
      return false;
    const QPoint global = press->globalPosition().toPoint();
    auto* chart = dynamic_cast<TChart*>(QApplication::widgetAt(global));
    if (chart != nullptr)
      QTimer::singleShot(0, chart, [chart, global] { chart->PointerTools().OpenMenu(global); });
    return false;
  }

 private:
  QMenu& menu_;
};

}  // namespace

// The tooltip is given a one-pixel rectangle at the pointer: Qt then moves it with every new
// position instead of leaving it where it first appeared.
bool TChartPointerTools::ShowReadout(QPoint local) {
  const bool idle = !chart_.ZoomRecord().Active && !chart_.ScrollRecord().Active &&
                    buttons_.Held(QGuiApplication::mouseButtons()) == Qt::NoButton;
  std::string text;
  if (idle && QRect(0, 0, chart_.ContentWidth(), chart_.ContentHeight()).contains(local))
    text = ReadoutTipText(ReadoutHits(chart_, local.x(), local.y()), chart_.OnGetReadoutText);
  if (text.empty()) {
    HideReadout();
    return false;
  }
  const QPoint at = chart_.WidgetPoint(local);
  const QPoint global = chart_.mapToGlobal(at);
  QToolTip::showText(global, QString::fromStdString(text), &chart_, QRect(at, QSize(1, 1)));
  if (QWidget* tip = ShownTip())
    LetTheMouseThrough(*tip, global);
  readout_shown_ = true;
  return true;
}

// Qt's own hiding waits a moment, and a tip left standing would hide what the pointer moved to.
void TChartPointerTools::HideReadout() {
  if (!readout_shown_)
    return;
  readout_shown_ = false;
  QToolTip::hideText();
  if (QWidget* tip = ShownTip())
    tip->hide();
}

void TChartPointerTools::Pressed(const QMouseEvent& event) {
  HideReadout();
  buttons_.Pressed(event.button(), event.buttons());
  // Another button joining in makes the right press no click.
  right_click_ = event.button() == Qt::RightButton &&
                 (buttons_.Held(event.buttons()) & ~Qt::MouseButtons(Qt::RightButton)) == Qt::NoButton;
  right_press_ = event.position().toPoint();
}

void TChartPointerTools::Moved(const QMouseEvent& event) {
  buttons_.Moved(event.buttons());
  const QPoint at = event.position().toPoint();
  if (buttons_.Held(event.buttons()) != Qt::NoButton) {
    HideReadout();
    if (at != right_press_)
      right_click_ = false;
    return;
  }
  right_click_ = false;
  if (readout_shown_)
    ShowReadout(chart_.ContentPoint(event.position()));
}

// The release itself may come from elsewhere than the press when no move was seen between.
void TChartPointerTools::Released(const QMouseEvent& event) {
  buttons_.Released(event.button(), event.buttons());
  const bool click = right_click_ && event.button() == Qt::RightButton &&
                     buttons_.Held(event.buttons()) == Qt::NoButton &&
                     event.position().toPoint() == right_press_;
  right_click_ = false;
  if (click)
    OpenMenu(event.globalPosition().toPoint());
}

void TChartPointerTools::OpenMenu(QPoint global) {
  HideReadout();
  if (menu_ == nullptr) {
    menu_ = CreateChartMenu(chart_);
    menu_->installEventFilter(new TMenuReopener(*menu_));
  }
  menu_->popup(global);
}

void TChartPointerTools::Left() {
  HideReadout();
  notches_.Reset();
}

void TChartPointerTools::Cancelled() {
  HideReadout();
  right_click_ = false;
  notches_.Reset();
  buttons_.Reset();
}

bool TChartPointerTools::Wheel(const QWheelEvent& event) {
  if (buttons_.Held(event.buttons()) != Qt::NoButton)
    return false;
  const int notches = notches_.Add(event.angleDelta().y());
  if (notches == 0)
    return false;
  const QPoint at = chart_.ContentPoint(event.position());
  if (!chart_.WheelZoom(at.x(), at.y(), notches))
    return false;
  HideReadout();
  return true;
}

}  // namespace corvane
