// Asking the window manager, before a window is mapped, which frame it will give the window, so that
// the first message box of a run can be centred by its whole window at once instead of being moved
// once framed. Only an X11 manager that announces _NET_REQUEST_FRAME_EXTENTS answers; elsewhere
// (another platform, no manager, no answer within a short wait) the answer is empty.
#pragma once

#include <QMargins>

class QWidget;

namespace corvane {

// The window must be created (it has a native window) and not yet mapped.
QMargins RequestFrameExtents(QWidget& window);

}  // namespace corvane
