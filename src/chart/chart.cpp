#include "chart/chart.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>

#include "chart/chart_accessible.h"
#include "chart/chart_pointer_tools.h"
#include "framework/cancel_mode.h"
#include "framework/qt_canvas.h"
#include "framework/qt_input.h"

namespace corvane {
namespace {}  // namespace

// Qt reports positions in logical pixels already; the engine works in whole ones, of its content.
QPoint TChart::ContentPoint(QPointF widget) const {
  return content_scale_ == 1.0 ? widget.toPoint() : (widget / content_scale_).toPoint();
}

QPoint TChart::WidgetPoint(QPoint content) const {
  return content_scale_ == 1.0 ? content : (QPointF(content) * content_scale_).toPoint();
}

int TChart::ContentWidth() const {
  return content_scale_ == 1.0 ? width() : qRound(width() / content_scale_);
}

int TChart::ContentHeight() const {
  return content_scale_ == 1.0 ? height() : qRound(height() / content_scale_);
}

void TChart::SetContentScale(double scale) {
  if (!(scale > 0) || scale == content_scale_)
    return;
  EndGestures();
  content_scale_ = scale;
  MarkStale();
  update();
}

TChart::TChart(QWidget* parent)
    : QWidget(parent),
      TCustomChart(&TQtCanvas::OnBitmap),
      pointer_tools_(std::make_unique<TChartPointerTools>(*this)) {
  resize(400, 250);
  // The cached image covers every pixel: Qt need not clear the background first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Moves without a button pressed choose the cursor over series points.
  setMouseTracking(true);
  setContextMenuPolicy(Qt::PreventContextMenu);
  InstallChartAccessibility();
}

TChart::~TChart() = default;

bool TChart::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowDeactivate:
    case QEvent::Hide:
      CancelMouseMode();
      pointer_tools_->Cancelled();
      break;
    case QEvent::ToolTip:
      DropLostDrag(QGuiApplication::mouseButtons());
      pointer_tools_->ShowReadout(ContentPoint(static_cast<QHelpEvent*>(event)->pos()));
      return true;
    default:
      if (event->type() == kCancelModeEvent) {
        CancelMouseMode();
        pointer_tools_->Cancelled();
        return true;
      }
      break;
  }
  return QWidget::event(event);
}

void TChart::paintEvent(QPaintEvent*) {
  if (content_scale_ == 1.0) {
    const TBitmap& image = UpdateCachedImage(width(), height(), devicePixelRatioF());
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), image.Image());
    if (ZoomRecord().Active) {
      TQtCanvas canvas(painter);
      DrawZoomRectangle(canvas);
    }
    return;
  }
  // Scaled content: the image holds device pixels of the chart drawn at the finer ratio; they are
  // put down one to one, and the zoom rectangle is drawn on a copy at that ratio.
  const TBitmap& cached = UpdateCachedImage(ContentWidth(), ContentHeight(), ContentPixelRatio());
  QImage shown = cached.Image();
  if (ZoomRecord().Active) {
    shown = shown.copy();
    shown.setDevicePixelRatio(cached.Image().devicePixelRatio());
    TQtCanvas canvas(shown);
    DrawZoomRectangle(canvas);
  }
  const qreal device = devicePixelRatioF();
  QPainter painter(this);
  painter.drawImage(QRectF(0, 0, shown.width() / device, shown.height() / device), shown,
                    QRectF(shown.rect()));
}

void TChart::resizeEvent(QResizeEvent* event) {
  MarkStale();
  QWidget::resizeEvent(event);
}

void TChart::DropLostDrag(Qt::MouseButtons held) {
  if ((ZoomRecord().Active && !(held & Qt::LeftButton)) ||
      (ScrollRecord().Active && !(held & Qt::RightButton)))
    CancelMouseMode();
}

// A drag whose own button is pressed again never saw that button's release.
void TChart::Press(QMouseEvent* event, bool double_click) {
  DropLostDrag(event->buttons() & ~event->button());
  const std::optional<TMouseButton> button = MouseButtonOf(event->button());
  if (!button)
    return;
  const QPoint p = ContentPoint(event->position());
  MouseDown(*button, ShiftStateOf(event->modifiers(), event->buttons(), double_click), p.x(), p.y());
}

void TChart::mousePressEvent(QMouseEvent* event) {
  pointer_tools_->Pressed(*event);
  Press(event, false);
}

// The second press of a double click carries the double-click flag.
void TChart::mouseDoubleClickEvent(QMouseEvent* event) {
  pointer_tools_->Pressed(*event);
  Press(event, true);
}

void TChart::mouseMoveEvent(QMouseEvent* event) {
  DropLostDrag(event->buttons());
  const QPoint p = ContentPoint(event->position());
  MouseMove(ShiftStateOf(event->modifiers(), event->buttons(), false), p.x(), p.y());
  pointer_tools_->Moved(*event);
}

void TChart::mouseReleaseEvent(QMouseEvent* event) {
  const std::optional<TMouseButton> button = MouseButtonOf(event->button());
  if (!button)
    return;
  const QPoint p = ContentPoint(event->position());
  MouseUp(*button, ShiftStateOf(event->modifiers(), event->buttons(), false), p.x(), p.y());
  pointer_tools_->Released(*event);
}

void TChart::leaveEvent(QEvent* event) {
  MouseLeave();
  pointer_tools_->Left();
  QWidget::leaveEvent(event);
}

// Taken whether or not it zoomed: nothing behind a chart scrolls.
void TChart::wheelEvent(QWheelEvent* event) {
  DropLostDrag(event->buttons());
  pointer_tools_->Wheel(*event);
  event->accept();
}

void TChart::EndGestures() {
  CancelMouseMode();
  pointer_tools_->Cancelled();
}

void TChart::CursorChanged() {
  if (const std::optional<Qt::CursorShape> shape = QtCursorShape(Cursor()))
    setCursor(*shape);
  else
    unsetCursor();
}

}  // namespace corvane
