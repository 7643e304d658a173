// The mouse as the window framework hands it to its controls: which button went down or up, and
// the shift state (modifier keys, the buttons held, and the double-click flag) as a set of bits.
#pragma once

namespace corvane {

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TShiftFlag {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64
};
using TShiftState = int;  // a set of TShiftFlag bits

}  // namespace corvane
