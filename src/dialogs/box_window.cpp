#include "dialogs/box_window.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "dialogs/frame_extents_request.h"
#include "dialogs/message_layout.h"

namespace corvane {
namespace {

QMargins& LastExtents() {
  static QMargins extents;
  return extents;
}

QRect PrimaryScreenRect() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry() : QRect(0, 0, 640, 480);
}

// The manager's extents once it has framed the window; empty before, and always without a manager.
QMargins FrameExtentsOf(const QWidget& box) {
  const QWindow* window = box.windowHandle();
  return window && window->isExposed() ? window->frameMargins() : QMargins();
}

// Places the client inside a frame of `extents` centred on the screen. The client's own geometry is
// the one position that Qt and the manager read alike, whether the window is mapped or not; a
// frame position is read as the client's on some ways through Qt.
void PlaceClient(QWidget& box, const QMargins& extents) {
  const QPoint frame = CentredFramePosition(PrimaryScreenRect(), box.size(), extents);
  box.setGeometry(QRect(frame + QPoint(extents.left(), extents.top()), box.size()));
}

}  // namespace

QPoint CentredFramePosition(const QRect& screen, QSize client, const QMargins& frame) noexcept {
  return CenteredOnScreen(screen, client.grownBy(frame));
}

void TBoxCentring::Place(QWidget& box) {
  QMargins known = FrameExtentsOf(box);
  if (known.isNull() && LastExtents().isNull())
    known = RequestFrameExtents(box);  // the first box of the run
  PlaceClient(box, known.isNull() ? LastExtents() : known);
}

void TBoxCentring::Track(QWidget& box, const QEvent& event) {
  if (settled_ || !box.isVisible())
    return;
  const QEvent::Type type = event.type();
  if (type != QEvent::Move && type != QEvent::WindowActivate && type != QEvent::Paint)
    return;
  QWindow* window = box.windowHandle();
  const QMargins extents = FrameExtentsOf(box);
  if (extents.isNull())
    return;
  LastExtents() = extents;
  // The extents may differ from those the box was placed with (the first box, or a manager that
  // frames boxes differently): judge the frame by the client's position as the platform reports it,
  // less the extents. A manager that keeps the box elsewhere is not fought for long.
  const QPoint corner(extents.left(), extents.top());
  const QPoint target = CentredFramePosition(PrimaryScreenRect(), box.size(), extents);
  if (window->geometry().topLeft() - corner == target || corrections_ == kMaxCorrections) {
    settled_ = true;
    return;
  }
  ++corrections_;
  PlaceClient(box, extents);
}

}  // namespace corvane
