#include "chart/chart_pointer_tools.h"

#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>

#include "chart/chart.h"
#include "chart/chart_context_menu.h"
#include "chart/chart_readout.h"

namespace corvane {

// The tooltip is given a one-pixel rectangle at the pointer: Qt then moves it with every new
// position instead of leaving it where it first appeared.
bool TChartPointerTools::ShowReadout(QPoint local) {
  const bool idle = !chart_.ZoomRecord().Active && !chart_.ScrollRecord().Active &&
                    QGuiApplication::mouseButtons() == Qt::NoButton;
  std::string text;
  if (idle && chart_.rect().contains(local))
    text = ReadoutTipText(ReadoutHits(chart_, local.x(), local.y()), chart_.OnGetReadoutText);
  if (text.empty()) {
    HideReadout();
    return false;
  }
  QToolTip::showText(chart_.mapToGlobal(local), QString::fromStdString(text), &chart_,
                     QRect(local, QSize(1, 1)));
  readout_shown_ = true;
  return true;
}

void TChartPointerTools::HideReadout() {
  if (!readout_shown_)
    return;
  readout_shown_ = false;
  QToolTip::hideText();
}

void TChartPointerTools::Pressed(const QMouseEvent& event) {
  HideReadout();
  // Another button joining in makes the right press no click.
  right_click_ = event.button() == Qt::RightButton && event.buttons() == Qt::RightButton;
  right_press_ = event.position().toPoint();
}

void TChartPointerTools::Moved(const QMouseEvent& event) {
  const QPoint at = event.position().toPoint();
  if (event.buttons() != Qt::NoButton) {
    HideReadout();
    if (at != right_press_)
      right_click_ = false;
    return;
  }
  if (readout_shown_)
    ShowReadout(at);
}

// The release itself may come from elsewhere than the press when no move was seen between.
void TChartPointerTools::Released(const QMouseEvent& event) {
  const bool click = right_click_ && event.button() == Qt::RightButton && event.buttons() == Qt::NoButton &&
                     event.position().toPoint() == right_press_;
  right_click_ = false;
  if (!click)
    return;
  if (menu_ == nullptr)
    menu_ = CreateChartMenu(chart_);
  menu_->popup(event.globalPosition().toPoint());
}

void TChartPointerTools::Left() {
  HideReadout();
  notches_.Reset();
}

void TChartPointerTools::Cancelled() {
  HideReadout();
  right_click_ = false;
}

bool TChartPointerTools::Wheel(const QWheelEvent& event) {
  if (event.buttons() != Qt::NoButton)
    return false;
  const int notches = notches_.Add(event.angleDelta().y());
  if (notches == 0)
    return false;
  const QPoint at = event.position().toPoint();
  if (!chart_.WheelZoom(at.x(), at.y(), notches))
    return false;
  HideReadout();
  return true;
}

}  // namespace corvane
