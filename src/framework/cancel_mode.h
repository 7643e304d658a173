// Cancelling mouse modes: before a modal report opens, a widget in the middle of a drag (a chart
// zoom or scroll) must end it, or it would stay half-active when the mouse comes back. Widgets with
// drag modes handle kCancelModeEvent.
#pragma once

#include <QEvent>

namespace corvane {

inline const QEvent::Type kCancelModeEvent = static_cast<QEvent::Type>(QEvent::User + 17);

// Sends kCancelModeEvent to every widget of the application and releases any mouse grab.
void CancelMouseModes();

}  // namespace corvane
