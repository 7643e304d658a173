#include "framework/cancel_mode.h"

#include <QApplication>
#include <QWidget>

namespace corvane {

void CancelMouseModes() {
  if (QWidget* grabber = QWidget::mouseGrabber())
    grabber->releaseMouse();
  const auto widgets = QApplication::allWidgets();
  for (QWidget* widget : widgets) {
    QEvent cancel(kCancelModeEvent);
    QCoreApplication::sendEvent(widget, &cancel);
  }
}

}  // namespace corvane
