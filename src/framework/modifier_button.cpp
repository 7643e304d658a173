#include "framework/modifier_button.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>

namespace corvane {

void TModifierButton::mouseReleaseEvent(QMouseEvent* event) {
  const QScopedValueRollback<Qt::KeyboardModifiers> held(click_modifiers_, event->modifiers());
  QPushButton::mouseReleaseEvent(event);
}

void TModifierButton::keyReleaseEvent(QKeyEvent* event) {
  const QScopedValueRollback<Qt::KeyboardModifiers> held(click_modifiers_, event->modifiers());
  QPushButton::keyReleaseEvent(event);
}

}  // namespace corvane
