// Mouse cursor identifiers as the window framework numbers them. 0 is the control's default
// cursor (whatever its parent shows); the stock cursors count down from -1.
#pragma once

namespace corvane {

using TCursorId = int;

constexpr TCursorId crDefault = 0;
constexpr TCursorId crNone = -1;
constexpr TCursorId crArrow = -2;
constexpr TCursorId crCross = -3;
constexpr TCursorId crIBeam = -4;
constexpr TCursorId crSizeNESW = -6;
constexpr TCursorId crSizeNS = -7;
constexpr TCursorId crSizeNWSE = -8;
constexpr TCursorId crSizeWE = -9;
constexpr TCursorId crUpArrow = -10;
constexpr TCursorId crHourGlass = -11;
constexpr TCursorId crDrag = -12;
constexpr TCursorId crNoDrop = -13;
constexpr TCursorId crHSplit = -14;
constexpr TCursorId crVSplit = -15;
constexpr TCursorId crMultiDrag = -16;
constexpr TCursorId crSQLWait = -17;
constexpr TCursorId crNo = -18;
constexpr TCursorId crAppStart = -19;
constexpr TCursorId crHelp = -20;
constexpr TCursorId crHandPoint = -21;
constexpr TCursorId crSizeAll = -22;

}  // namespace corvane
