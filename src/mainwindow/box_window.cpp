#include "mainwindow/box_window.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "mainwindow/message_layout.h"

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

}  // namespace

QPoint CentredFramePosition(const QRect& screen, QSize client, const QMargins& frame) noexcept {
  return CenteredOnScreen(screen, client.grownBy(frame));
}

QMargins LastBoxFrameExtents() noexcept {
  return LastExtents();
}

void TBoxCentring::Place(QWidget& box) {
  const QMargins known = FrameExtentsOf(box);
  used_ = known.isNull() ? LastExtents() : known;
  // A top-level's position is its frame's.
  box.move(CentredFramePosition(PrimaryScreenRect(), box.size(), used_));
}

void TBoxCentring::Track(QWidget& box, const QEvent& event) {
  if (settled_ || !box.isVisible())
    return;
  const QEvent::Type type = event.type();
  if (type != QEvent::Move && type != QEvent::WindowActivate && type != QEvent::Paint)
    return;
  const QMargins extents = FrameExtentsOf(box);
  if (extents.isNull())
    return;
  LastExtents() = extents;
  used_ = extents;
  // Whether the manager took the first position as the frame's or the client's depends on the way
  // through Qt; the frame's true place is known now, so correct it until it is centred (a manager
  // that keeps it elsewhere is not fought for long).
  const QPoint target = CentredFramePosition(PrimaryScreenRect(), box.size(), extents);
  if (box.frameGeometry().topLeft() == target || corrections_ == kMaxCorrections) {
    settled_ = true;
    return;
  }
  ++corrections_;
  box.move(target);
}

}  // namespace corvane
