// The Qt side of the mouse: Qt's buttons, modifiers and cursor shapes turned into the
// framework's TMouseButton, TShiftState and TCursorId, so controls stay in framework terms.
#pragma once

#include <Qt>
#include <optional>

#include "framework/cursors.h"
#include "framework/mouse.h"

namespace corvane {

// Nothing for buttons the framework does not know (the extra side buttons).
std::optional<TMouseButton> MouseButtonOf(Qt::MouseButton button);
// The modifiers and the buttons held, plus ssDouble for the press of a double click.
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, bool double_click);
// The Qt shape of a stock cursor; nothing for crDefault (the widget then shows its parent's) and
// for identifiers of no stock cursor.
std::optional<Qt::CursorShape> QtCursorShape(TCursorId cursor);

}  // namespace corvane
