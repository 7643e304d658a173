#include "framework/qt_vector_canvas.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "framework/bitmap.h"
#include "framework/fonts.h"
#include "framework/qt_canvas_styles.h"
#include "framework/system_colors.h"

namespace corvane {
namespace {

// Exact positions are kept to hundredths of a pixel: finer than any screen or print shows, and
// short in the file.
double Hundredths(double v) {
  return std::round(v * 100) / 100;
}

QRectF ToQRectF(const TRect& r) {
  return QRectF(r.Left, r.Top, r.Width(), r.Height());
}

}  // namespace

TQtVectorCanvas::TQtVectorCanvas(QPainter& painter) : TQtVectorCanvas(painter, QGuiApplication::palette()) {}

TQtVectorCanvas::TQtVectorCanvas(QPainter& painter, const QPalette& palette)
    : painter_(painter), palette_(palette) {
  painter_.save();
  painter_.setRenderHint(QPainter::Antialiasing, true);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  painter_.setClipping(false);
}

TQtVectorCanvas::~TQtVectorCanvas() {
  Flush();
  painter_.restore();
}

bool TQtVectorCanvas::PenDraws() const {
  return Pen.Style != psClear && Pen.Mode != pmNop;
}

double TQtVectorCanvas::PenWidth() const {
  return std::max(1, Pen.Width);
}

// A width-w pen over pixel v covers v - w/2 .. v - w/2 + w - 1 (the odd pixel up or left), so its
// middle is v + 0.5 for odd widths and v for even ones.
double TQtVectorCanvas::Centre(double v) const {
  return Pen.Style == psInsideFrame || int(PenWidth()) % 2 == 1 ? v + 0.5 : v;
}

QColor TQtVectorCanvas::Resolve(TColor color) const {
  return ResolveColor(color, palette_);
}

QPen TQtVectorCanvas::CurrentPen() const {
  if (!PenDraws())
    return Qt::NoPen;
  QPen pen(Resolve(Pen.Color), PenWidth(), Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
  const std::span<const int> pattern = BasePattern(Pen.Style);
  if (!pattern.empty()) {
    // Qt's dash pattern counts in pen widths, as the surface's patterns stretch with the width.
    QList<qreal> dashes;
    for (const int length : pattern) dashes << qreal(length);
    pen.setDashPattern(dashes);
  }
  return pen;
}

QBrush TQtVectorCanvas::CurrentBrush() const {
  if (Brush.Style == bsClear)
    return Qt::NoBrush;
  return QBrush(Resolve(Brush.Color), Brush.Style == bsSolid ? Qt::SolidPattern : HatchFor(Brush.Style));
}

const QFont& TQtVectorCanvas::CurrentFont() {
  if (!font_resolved_ || !(resolved_font_ == Font)) {
    qt_font_ = ResolveFont(Font);
    resolved_font_ = Font;
    font_resolved_ = true;
    // The cell rule of the screen surface (qt_canvas.cpp), measured on the screen so that the
    // file is laid out as the chart on screen.
    const QFontMetricsF metrics(qt_font_);
    cell_ascent_ = int(std::ceil(metrics.ascent() - 1.0 / 64));
    cell_height_ = cell_ascent_ + int(std::ceil(metrics.descent() - 1.0 / 64));
  }
  return qt_font_;
}

void TQtVectorCanvas::Flush() {
  if (gathering_) {
    painter_.strokePath(path_, path_pen_);
    path_.clear();
    gathering_ = false;
  }
  std::vector<std::function<void(QPainter&)>> shapes;
  shapes.swap(after_path_);
  for (const auto& paint : shapes) paint(painter_);
}

void TQtVectorCanvas::Gather(QPointF from, QPointF to) {
  const QPen pen = CurrentPen();
  if (gathering_ && !(pen == path_pen_))
    Flush();
  if (!gathering_) {
    path_pen_ = pen;
    gathering_ = true;
    path_.moveTo(from);
  } else if (from != path_end_) {
    path_.moveTo(from);
  }
  path_.lineTo(to);
  path_end_ = to;
}

void TQtVectorCanvas::Shape(std::function<void(QPainter&)> paint) {
  if (gathering_)
    after_path_.push_back(std::move(paint));
  else
    paint(painter_);
}

void TQtVectorCanvas::DoExactPolyline(std::span<const TExactPoint> points) {
  if (!PenDraws() || points.size() < 2)
    return;
  const QPen pen = CurrentPen();
  if (gathering_ && !(pen == path_pen_))
    Flush();
  const QPointF first(Hundredths(Centre(points[0].X)), Hundredths(Centre(points[0].Y)));
  if (!gathering_) {
    path_pen_ = pen;
    gathering_ = true;
    path_.moveTo(first);
  } else if (first != path_end_) {
    path_.moveTo(first);
  }
  path_.reserve(path_.elementCount() + int(points.size()));
  for (std::size_t i = 1; i < points.size(); ++i)
    path_.lineTo(Hundredths(Centre(points[i].X)), Hundredths(Centre(points[i].Y)));
  path_end_ = path_.currentPosition();
}

void TQtVectorCanvas::DoLine(TPoint from, TPoint to) {
  if (!PenDraws())
    return;
  Gather({Centre(from.X), Centre(from.Y)}, {Centre(to.X), Centre(to.Y)});
}

// The brush fills the box's pixels inside the outline; the outline runs along the edge pixels.
void TQtVectorCanvas::DoRectangle(const TRect& box) {
  const TRect b = box.Normalized();
  if (b.IsEmpty() || Pen.Mode == pmNop)
    return;
  const QBrush brush = CurrentBrush();
  const QPen pen = CurrentPen();
  QRectF outline = ToQRectF(b);
  if (PenDraws()) {
    const double w = PenWidth();
    outline = Pen.Style == psInsideFrame ? outline.adjusted(w / 2, w / 2, -w / 2, -w / 2)
                                         : QRectF(QPointF(Centre(b.Left), Centre(b.Top)),
                                                  QPointF(Centre(b.Right - 1), Centre(b.Bottom - 1)));
  }
  Shape([outline, brush, pen](QPainter& painter) {
    painter.setPen(pen);
    painter.setBrush(brush);
    painter.drawRect(outline);
  });
}

// The outline lies inside the box whatever the pen, as on screen.
void TQtVectorCanvas::DoEllipse(const TRect& box) {
  const TRect b = box.Normalized();
  if (b.IsEmpty() || Pen.Mode == pmNop)
    return;
  const QBrush brush = CurrentBrush();
  const QPen pen = CurrentPen();
  QRectF area = ToQRectF(b);
  if (PenDraws()) {
    const double w = PenWidth();
    area.adjust(w / 2, w / 2, -w / 2, -w / 2);
  }
  Shape([area, brush, pen](QPainter& painter) {
    painter.setPen(pen);
    painter.setBrush(brush);
    painter.drawEllipse(area);
  });
}

void TQtVectorCanvas::DoPolygon(std::span<const TPoint> points) {
  if (Pen.Mode == pmNop || points.size() < 2)
    return;
  QPolygonF polygon;
  for (const TPoint& p : points) polygon << QPointF(p.X + 0.5, p.Y + 0.5);
  const QBrush brush = CurrentBrush();
  const QPen pen = CurrentPen();
  Shape([polygon, brush, pen](QPainter& painter) {
    painter.setPen(pen);
    painter.setBrush(brush);
    painter.drawPolygon(polygon);
  });
}

void TQtVectorCanvas::DoSetPixel(TPoint p, TColor color) {
  Flush();
  painter_.fillRect(QRectF(p.X, p.Y, 1, 1), Resolve(color));
}

void TQtVectorCanvas::DoFillRect(const TRect& box) {
  Flush();
  const TRect b = box.Normalized();
  if (b.IsEmpty() || Brush.Style == bsClear)
    return;
  if (Brush.Style != bsSolid && BackgroundMode() == bmOpaque)
    painter_.fillRect(ToQRectF(b), Resolve(BackgroundColor()));
  painter_.fillRect(ToQRectF(b), CurrentBrush());
}

void TQtVectorCanvas::DrawText(TPoint p, std::string_view text, bool opaque) {
  Flush();
  painter_.setFont(CurrentFont());
  const QString s = QString::fromUtf8(text.data(), qsizetype(text.size()));
  const int width = QFontMetrics(qt_font_).horizontalAdvance(s);
  const auto [left, top] = AlignedTextCorner(p, TextAlign(), width, cell_ascent_, cell_height_);
  if (opaque)
    painter_.fillRect(QRectF(left, top, width, cell_height_), Resolve(BackgroundColor()));
  painter_.setPen(Resolve(Font.Color));
  painter_.drawText(QPointF(left, top + cell_ascent_), s);
}

void TQtVectorCanvas::DoTextOut(TPoint p, std::string_view text) {
  DrawText(p, text, BackgroundMode() == bmOpaque);
}

void TQtVectorCanvas::DoRotatedTextOut(TPoint p, int angle, std::string_view text) {
  Flush();
  painter_.save();
  painter_.translate(p.X, p.Y);
  painter_.rotate(-angle);
  DrawText({0, 0}, text, false);
  painter_.restore();
}

int TQtVectorCanvas::DoTextWidth(std::string_view text) {
  return QFontMetrics(CurrentFont())
      .horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

int TQtVectorCanvas::DoTextHeight(std::string_view) {
  CurrentFont();
  return cell_height_;
}

void TQtVectorCanvas::DoClipRect(const TRect& box) {
  Flush();
  painter_.setClipRect(ToQRectF(box.Normalized()), Qt::ReplaceClip);
}

void TQtVectorCanvas::DoClipPolygon(std::span<const TPoint> points) {
  Flush();
  QPolygonF polygon;
  for (const TPoint& p : points) polygon << QPointF(p.X + 0.5, p.Y + 0.5);
  QPainterPath path;
  path.addPolygon(polygon);
  path.closeSubpath();
  painter_.setClipPath(path, Qt::ReplaceClip);
}

void TQtVectorCanvas::DoRemoveClip() {
  Flush();
  painter_.setClipping(false);
}

void TQtVectorCanvas::DoDraw(TPoint p, const TBitmap& bitmap) {
  Flush();
  painter_.drawImage(QPointF(p.X, p.Y), bitmap.Image());
}

void TQtVectorCanvas::DoStretchDraw(const TRect& box, const TBitmap& bitmap) {
  Flush();
  painter_.drawImage(ToQRectF(box.Normalized()), bitmap.Image());
}

}  // namespace corvane
