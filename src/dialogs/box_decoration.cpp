#include "dialogs/box_decoration.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolButton>
#include <QWindow>

namespace corvane {
namespace {

constexpr int kBorder = 1;
constexpr int kTitleIndent = 8;

bool HasFixedSize(const QWidget& widget) {
  return widget.minimumSize() == widget.maximumSize();
}

}  // namespace

bool BoxesDrawOwnTitleBar() {
  return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void DecorateBoxIfNeeded(QWidget& box) {
  if (BoxesDrawOwnTitleBar())
    DecorateBox(box);
}

void DecorateBox(QWidget& box) {
  // Qt drops the frameless hint while any title-bar hint is set.
  box.setWindowFlags(box.windowType() | Qt::FramelessWindowHint);
  const QObjectList children = box.children();  // before the decoration joins them
  auto* decoration = new TBoxDecoration(box);
  const QMargins margins = decoration->Margins();
  if (box.layout() != nullptr) {
    box.setContentsMargins(box.contentsMargins() + margins);
  } else {
    for (QObject* child : children)
      if (child->isWidgetType())
        static_cast<QWidget*>(child)->move(static_cast<QWidget*>(child)->pos() +
                                           QPoint(margins.left(), margins.top()));
    if (HasFixedSize(box))
      box.setFixedSize(box.size().grownBy(margins));
    else
      box.resize(box.size().grownBy(margins));
  }
}

TBoxDecoration::TBoxDecoration(QWidget& box) : QWidget(&box), close_(new QToolButton(this)) {
  setObjectName("BoxDecoration");
  close_->setObjectName("BoxClose");
  close_->setAutoRaise(true);
  close_->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton, nullptr, this));
  close_->setAccessibleName(QStringLiteral("Close"));
  close_->setFocusPolicy(Qt::NoFocus);  // the box's own controls keep the keyboard as they had it
  connect(close_, &QToolButton::clicked, &box, &QWidget::close);
  box.installEventFilter(this);
  Fit();
}

QMargins TBoxDecoration::Margins() const {
  return {kBorder, StripHeight(), kBorder, kBorder};
}

int TBoxDecoration::StripHeight() const {
  return fontMetrics().height() + 10;
}

void TBoxDecoration::Fit() {
  QWidget& box = *parentWidget();
  setGeometry(box.rect());
  lower();
  const int side = StripHeight() - 6;
  close_->setGeometry(width() - kBorder - 3 - side, 3, side, side);
}

bool TBoxDecoration::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parentWidget()) {
    if (event->type() == QEvent::Resize)
      Fit();
    else if (event->type() == QEvent::WindowTitleChange || event->type() == QEvent::ActivationChange)
      update();
  }
  return QWidget::eventFilter(watched, event);
}

void TBoxDecoration::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const bool active = parentWidget()->isActiveWindow();
  const QPalette::ColorGroup group = active ? QPalette::Active : QPalette::Inactive;
  const QRect strip(0, 0, width(), StripHeight());
  painter.fillRect(strip, palette().color(group, QPalette::Window).darker(active ? 115 : 105));
  painter.setPen(palette().color(group, QPalette::Mid));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  QFont title = font();
  title.setBold(true);
  painter.setFont(title);
  painter.setPen(palette().color(group, QPalette::WindowText));
  const QRect text = strip.adjusted(kTitleIndent, 0, -(close_->width() + kTitleIndent), 0);
  painter.drawText(
      text, Qt::AlignVCenter | Qt::AlignLeft,
      QFontMetrics(title).elidedText(parentWidget()->windowTitle(), Qt::ElideRight, text.width()));
}

// The compositor moves the window: a Wayland client cannot place itself.
void TBoxDecoration::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && event->position().y() < StripHeight())
    if (QWindow* window = parentWidget()->windowHandle())
      window->startSystemMove();
  QWidget::mousePressEvent(event);
}

}  // namespace corvane
