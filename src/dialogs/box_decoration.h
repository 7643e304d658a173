// The message boxes' own title bar, for the platforms whose window decorations the program draws
// itself (Wayland without server-side decorations). Qt's own client-side decoration there gives
// every window minimize and maximize buttons whatever its flags, and on a box as narrow as the
// notice the buttons crowd out the title. A box decorated here is frameless and draws instead a
// strip with its title and one close button, and a one-pixel border; the strip moves the window
// through the compositor. The client keeps its size and layout: the box grows around it.
//
// Elsewhere (X11, the window manager's frame) nothing changes: DecorateBoxIfNeeded does nothing.
#pragma once

#include <QMargins>
#include <QWidget>

class QToolButton;

namespace corvane {

// Whether boxes on this platform get the title bar below.
bool BoxesDrawOwnTitleBar();

// Gives `box` the title bar where BoxesDrawOwnTitleBar() says so. Call once its client is built:
// a box without a layout (children at fixed positions, a fixed size) has its children moved and its
// fixed size grown; a box with a layout gets the decoration as contents margins.
void DecorateBoxIfNeeded(QWidget& box);

// Decorates unconditionally; what DecorateBoxIfNeeded does on a platform that wants it.
void DecorateBox(QWidget& box);

// Covers the whole box beneath its other children: paints the strip and the border, and moves the
// window when the strip is pressed.
class TBoxDecoration : public QWidget {
  Q_OBJECT

 public:
  explicit TBoxDecoration(QWidget& box);

  // Around the client: the strip on top, the border elsewhere.
  QMargins Margins() const;
  QToolButton& CloseButton() const noexcept { return *close_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  int StripHeight() const;
  void Fit();

  QToolButton* close_;
};

}  // namespace corvane
