#include "framework/qt_input.h"

namespace corvane {

std::optional<TMouseButton> MouseButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return mbLeft;
    case Qt::RightButton:
      return mbRight;
    case Qt::MiddleButton:
      return mbMiddle;
    default:
      return std::nullopt;
  }
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, bool double_click) {
  TShiftState shift = 0;
  if (modifiers & Qt::ShiftModifier)
    shift |= ssShift;
  if (modifiers & Qt::AltModifier)
    shift |= ssAlt;
  if (modifiers & Qt::ControlModifier)
    shift |= ssCtrl;
  if (buttons & Qt::LeftButton)
    shift |= ssLeft;
  if (buttons & Qt::RightButton)
    shift |= ssRight;
  if (buttons & Qt::MiddleButton)
    shift |= ssMiddle;
  if (double_click)
    shift |= ssDouble;
  return shift;
}

std::optional<Qt::CursorShape> QtCursorShape(TCursorId cursor) {
  switch (cursor) {
    case crNone:
      return Qt::BlankCursor;
    case crArrow:
      return Qt::ArrowCursor;
    case crCross:
      return Qt::CrossCursor;
    case crIBeam:
      return Qt::IBeamCursor;
    case crSizeNESW:
      return Qt::SizeBDiagCursor;
    case crSizeNS:
      return Qt::SizeVerCursor;
    case crSizeNWSE:
      return Qt::SizeFDiagCursor;
    case crSizeWE:
      return Qt::SizeHorCursor;
    case crUpArrow:
      return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait:
      return Qt::WaitCursor;
    case crDrag:
    case crMultiDrag:
      return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo:
      return Qt::ForbiddenCursor;
    case crHSplit:
      return Qt::SplitHCursor;
    case crVSplit:
      return Qt::SplitVCursor;
    case crAppStart:
      return Qt::BusyCursor;
    case crHelp:
      return Qt::WhatsThisCursor;
    case crHandPoint:
      return Qt::PointingHandCursor;
    case crSizeAll:
      return Qt::SizeAllCursor;
    default:
      return std::nullopt;
  }
}

}  // namespace corvane
