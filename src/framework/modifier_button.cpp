#include "framework/modifier_button.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>

namespace corvane {
namespace {

bool PressesTheButton(const QKeyEvent& event) {
  return !event.isAutoRepeat() && (event.key() == Qt::Key_Space || event.key() == Qt::Key_Select);
}

}  // namespace

void TModifierButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton)
    press_modifiers_ = event->modifiers();
  QPushButton::mousePressEvent(event);
}

void TModifierButton::mouseReleaseEvent(QMouseEvent* event) {
  const QScopedValueRollback<Qt::KeyboardModifiers> held(click_modifiers_,
                                                         press_modifiers_ | event->modifiers());
  if (event->button() == Qt::LeftButton)
    press_modifiers_ = Qt::NoModifier;
  QPushButton::mouseReleaseEvent(event);
}

void TModifierButton::keyPressEvent(QKeyEvent* event) {
  if (PressesTheButton(*event))
    press_modifiers_ = event->modifiers();
  QPushButton::keyPressEvent(event);
}

void TModifierButton::keyReleaseEvent(QKeyEvent* event) {
  const QScopedValueRollback<Qt::KeyboardModifiers> held(click_modifiers_,
                                                         press_modifiers_ | event->modifiers());
  if (PressesTheButton(*event))
    press_modifiers_ = Qt::NoModifier;
  QPushButton::keyReleaseEvent(event);
}

}  // namespace corvane
