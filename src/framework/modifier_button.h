// TModifierButton: a push button that tells its click handler which modifier keys the clicking
// gesture held. Qt's clicked() carries no modifiers, and the application-wide modifier state
// outlives the event that set it (a later click from the program would still read Shift), so the
// button keeps the modifiers of the mouse or Space release only while that release emits clicked().
#pragma once

#include <QPushButton>

namespace corvane {

class TModifierButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

  // The modifiers of the release that is clicking the button now; NoModifier outside a click
  // and for a click from the program.
  Qt::KeyboardModifiers ClickModifiers() const noexcept { return click_modifiers_; }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  Qt::KeyboardModifiers click_modifiers_ = Qt::NoModifier;
};

}  // namespace corvane
