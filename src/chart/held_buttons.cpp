#include "chart/held_buttons.h"

namespace corvane {

// A press of a lost button shows Qt has it again: the X server sent the press, so a release follows.
void THeldButtons::Pressed(Qt::MouseButton button, Qt::MouseButtons reported) {
  own_ = (own_ & reported) | button;
  lost_ &= reported & ~Qt::MouseButtons(button);
}

void THeldButtons::Released(Qt::MouseButton button, Qt::MouseButtons reported) {
  own_ &= reported & ~Qt::MouseButtons(button);
  lost_ &= reported;
}

void THeldButtons::Moved(Qt::MouseButtons reported) {
  own_ &= reported;
  lost_ = (lost_ | (reported & ~own_)) & reported;
}

}  // namespace corvane
