// TModifierButton: a push button that tells its click handler which modifier keys the clicking
// gesture held. Qt's clicked() carries no modifiers, and the application-wide modifier state
// outlives the event that set it (a later click from the program would still read Shift), so the
// button keeps the modifiers of the gesture only while its release emits clicked(). A gesture holds
// what was held at its press or at its release: Shift+Space typed quickly often lets go of Shift
// before Space, and the click still means Shift+Space.
#pragma once

#include <QPushButton>

namespace corvane {

class TModifierButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

  // The modifiers of the gesture that is clicking the button now; NoModifier outside a click and
  // for a click from the program.
  Qt::KeyboardModifiers ClickModifiers() const noexcept { return click_modifiers_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  Qt::KeyboardModifiers press_modifiers_ = Qt::NoModifier;
  Qt::KeyboardModifiers click_modifiers_ = Qt::NoModifier;
};

}  // namespace corvane
