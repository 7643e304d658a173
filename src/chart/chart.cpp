#include "chart/chart.h"

#include <QPainter>
#include <QResizeEvent>

namespace corvane {

TChart::TChart(QWidget* parent) : QWidget(parent) {
  resize(400, 250);
  // The cached image covers every pixel: Qt need not clear the background first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TChart::paintEvent(QPaintEvent*) {
  const TBitmap& image = UpdateCachedImage(width(), height(), devicePixelRatioF());
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), image.Image());
}

void TChart::resizeEvent(QResizeEvent* event) {
  MarkStale();
  QWidget::resizeEvent(event);
}

}  // namespace corvane
