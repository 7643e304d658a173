// What the two message boxes (the notice and the error report) share as top-level windows: window
// flags for a fixed-size box with a title and a close button but no minimize or maximize button,
// and centring on the screen by the whole window, frame included.
//
// The frame's extents are the window manager's and are known only once it has framed the window.
// TBoxCentring places a box before it is mapped with the best extents known: those of the last box
// framed, or for the first those the manager gives on request (frame_extents_request.h). Once the
// manager's extents arrive it moves the frame to the centre if it is not there. Without a window
// manager the extents stay empty and the client is centred.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <Qt>

class QEvent;
class QWidget;

namespace corvane {

inline constexpr Qt::WindowFlags kFixedBoxFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                  Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                                  Qt::MSWindowsFixedSizeDialogHint;

// The top-left of the frame that centres a client of `client` size with `frame` extents around it:
// a 182x85 client in a 1/1/20/1 frame on a 1280x1024 screen -> frame at (548, 459), client at
// (549, 479). Divisions round toward zero.
QPoint CentredFramePosition(const QRect& screen, QSize client, const QMargins& frame) noexcept;

class TBoxCentring {
 public:
  // Before mapping (from showEvent, once the box has its final size).
  void Place(QWidget& box);
  // From the box's event(): after mapping, once a move, activation or paint finds the manager's
  // extents, the frame is moved to the centre if the platform reports it elsewhere.
  void Track(QWidget& box, const QEvent& event);

  // How often the box was moved after it was mapped: 0 when it was mapped in place.
  int Corrections() const noexcept { return corrections_; }

 private:
  static constexpr int kMaxCorrections = 3;

  int corrections_ = 0;
  bool settled_ = false;
};

}  // namespace corvane
