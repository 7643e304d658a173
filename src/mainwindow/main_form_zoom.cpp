// View > Zoom in, Zoom out, Actual size: the whole client area larger for a larger screen. Every
// control keeps its layout rectangle scaled edge by edge (each edge's exact product, rounded
// halves to even as all pixel arithmetic here), and its font scaled in pixels; the charts lay
// themselves out at the layout's size and draw at the finer resolution (TChart::SetContentScale),
// so their lines, markers and text are as crisp as on a denser screen. The menu bar is not
// scaled. Actual size gives back the layout exactly.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>
#include <iterator>

#include "chart/chart.h"
#include "mainwindow/main_form.h"

namespace corvane {

int TForm1::ZoomedPixel(int value, int percent) {
  const long long product = static_cast<long long>(value) * percent;
  long long quotient = product / 100;
  long long remainder = product % 100;
  if (remainder < 0) {
    remainder += 100;
    --quotient;
  }
  if (remainder > 50 || (remainder == 50 && quotient % 2 != 0))
    ++quotient;
  return static_cast<int>(quotient);
}

QRect TForm1::ZoomedRect(const QRect& layout, int percent) {
  const int left = ZoomedPixel(layout.left(), percent);
  const int top = ZoomedPixel(layout.top(), percent);
  const int right = ZoomedPixel(layout.left() + layout.width(), percent);
  const int bottom = ZoomedPixel(layout.top() + layout.height(), percent);
  return {left, top, right - left, bottom - top};
}

void TForm1::SetZoomPercent(int percent) {
  if (std::find(std::begin(kZoomPercents), std::end(kZoomPercents), percent) == std::end(kZoomPercents) ||
      percent == zoom_percent_)
    return;
  if (layout_places_.empty()) {
    // Taken at the first zoom, when every control still stands where the layout put it.
    for (QWidget* control : Client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      layout_places_.push_back({control, control->geometry(), control->font()});
  }
  zoom_percent_ = percent;
  const double scale = percent / 100.0;
  for (const TLayoutPlace& place : layout_places_) {
    QFont font = place.font;
    if (font.pixelSize() > 0)
      font.setPixelSize(ZoomedPixel(font.pixelSize(), percent));
    else
      font.setPointSizeF(font.pointSizeF() * scale);
    place.control->setFont(font);
    place.control->setGeometry(ZoomedRect(place.rect, percent));
  }
  Chart1->SetContentScale(scale);
  Chart2->SetContentScale(scale);
  const QSize client(ZoomedPixel(kClientWidth, percent), ZoomedPixel(kClientHeight, percent));
  Client->setMinimumSize(percent == 100 ? QSize(0, 0) : client);
  // A window that is not maximized grows to show the whole client area (within the screen, as
  // the window system allows); it does not shrink again.
  if (!isMaximized() && !isFullScreen()) {
    const int bar = MenuBar->isNativeMenuBar() ? 0 : MenuBar->heightForWidth(client.width());
    resize(std::max(width(), client.width()), std::max(height(), client.height() + bar));
  }
  ZoomInAction->setEnabled(percent != std::end(kZoomPercents)[-1]);
  ZoomOutAction->setEnabled(percent != kZoomPercents[0]);
}

void TForm1::ZoomIn() {
  const int* next = std::upper_bound(std::begin(kZoomPercents), std::end(kZoomPercents), zoom_percent_);
  if (next != std::end(kZoomPercents))
    SetZoomPercent(*next);
}

void TForm1::ZoomOut() {
  const int* at = std::lower_bound(std::begin(kZoomPercents), std::end(kZoomPercents), zoom_percent_);
  if (at != std::begin(kZoomPercents))
    SetZoomPercent(*(at - 1));
}

void TForm1::CreateViewMenu() {
  ViewMenu = MenuBar->addMenu(QStringLiteral("&View"));
  ViewMenu->setObjectName("ViewMenu");
  ZoomInAction = ViewMenu->addAction(QStringLiteral("Zoom &in"), this, [this] { ZoomIn(); });
  ZoomInAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  ZoomOutAction = ViewMenu->addAction(QStringLiteral("Zoom &out"), this, [this] { ZoomOut(); });
  ZoomOutAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
  ZoomOutAction->setEnabled(false);
  ActualSizeAction =
      ViewMenu->addAction(QStringLiteral("&Actual size"), this, [this] { SetZoomPercent(100); });
  ActualSizeAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
  // Window shortcuts, so that they work wherever the focus is in the window.
  addAction(ZoomInAction);
  addAction(ZoomOutAction);
  addAction(ActualSizeAction);
}

}  // namespace corvane
