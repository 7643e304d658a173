// Shapes, pixels, clips and bitmaps of TQtCanvas's device-resolution path (see
// qt_canvas_device.cpp). Rectangles keep whole device pixels; ellipses and polygons are smooth.
#include <QPolygonF>
#include <QRegion>

#include "framework/bitmap.h"
#include "framework/qt_canvas.h"
#include "framework/qt_canvas_styles.h"

namespace corvane {

// The outline is the bands of the four edge lines, so a frame is as thick as any line of its pen
// and its corners meet the axis lines exactly; the brush fills what lies inside it.
void TQtCanvas::DeviceRectangle(const TRect& box) {
  const TRect b = box.Normalized();
  if (b.IsEmpty() || Pen.Mode == pmNop)
    return;
  FlushStrokes();
  UsePenMode();
  if (!PenDraws()) {
    BrushDevice(grid_->Box(b));
    return;
  }
  const int w = Pen.Width;
  const int width = grid_->PenWidth(w);
  TRect outer = grid_->Box(b);
  if (Pen.Style != psInsideFrame)
    outer = {grid_->Across(b.Left, w).First, grid_->Across(b.Top, w).First, grid_->Across(b.Right - 1, w).End,
             grid_->Across(b.Bottom - 1, w).End};
  const TRect inner{outer.Left + width, outer.Top + width, outer.Right - width, outer.Bottom - width};
  if (!inner.IsEmpty())
    BrushDevice(inner);
  const QColor color = Resolve(Pen.Color);
  if (!BasePattern(Pen.Style).empty()) {
    // Clockwise from the top-left corner, each edge leaving out its last pixel like a line.
    const int right = outer.Right - width;
    const int bottom = outer.Bottom - width;
    DeviceRun(true, outer.Left, right, {outer.Top, outer.Top + width}, color);
    DeviceRun(false, outer.Top, bottom, {right, outer.Right}, color);
    DeviceRun(true, outer.Right - 1, outer.Left + width - 1, {bottom, outer.Bottom}, color);
    DeviceRun(false, outer.Bottom - 1, outer.Top + width - 1, {outer.Left, outer.Left + width}, color);
    return;
  }
  FillFrame(outer, width, color);
}

// Smooth unless a raster operation is in force; the outline lies inside the box like the exact
// path's, so the ellipse keeps its size whatever the pen.
void TQtCanvas::DeviceEllipse(const TRect& box) {
  const TRect b = box.Normalized();
  if (b.IsEmpty() || Pen.Mode == pmNop)
    return;
  FlushStrokes();
  UsePenMode();
  QRectF area(ToQRect(grid_->Box(b)));
  painter_->setRenderHint(QPainter::Antialiasing, mode_ == QPainter::CompositionMode_SourceOver);
  if (Brush.Style != bsSolid && Brush.Style != bsClear && BackgroundMode() == bmOpaque) {
    painter_->setPen(Qt::NoPen);
    painter_->setBrush(Resolve(BackgroundColor()));
    painter_->drawEllipse(area);
  }
  QBrush brush = DeviceBrush();
  if (PenDraws()) {
    const QPen pen = DevicePen(Pen.Width);
    const qreal half = pen.widthF() / 2;
    const QRectF inset = area.adjusted(half, half, -half, -half);
    if (inset.width() > 0 && inset.height() > 0) {
      painter_->setPen(pen);
      area = inset;
    } else {
      painter_->setPen(Qt::NoPen);  // all rim: the pen fills the whole ellipse
      brush = pen.color();
    }
  } else {
    painter_->setPen(Qt::NoPen);
  }
  painter_->setBrush(brush);
  painter_->drawEllipse(area);
  painter_->setBrush(Qt::NoBrush);
  painter_->setRenderHint(QPainter::Antialiasing, false);
}

// With a pen the outline runs through the snapped centres of the corner pixels, like lines, and
// the fill lies under it; without one the fill takes the corners' device edges, like boxes.
void TQtCanvas::DevicePolygon(std::span<const TPoint> points) {
  if (Pen.Mode == pmNop || points.size() < 2)
    return;
  FlushStrokes();
  UsePenMode();
  QPolygonF polygon;
  const int w = Pen.Width;
  for (const TPoint& p : points)
    polygon << (PenDraws() ? QPointF(grid_->Centre(p.X, w), grid_->Centre(p.Y, w))
                           : QPointF(grid_->Edge(p.X), grid_->Edge(p.Y)));
  painter_->setRenderHint(QPainter::Antialiasing, mode_ == QPainter::CompositionMode_SourceOver);
  if (points.size() >= 3 && Brush.Style != bsSolid && Brush.Style != bsClear &&
      BackgroundMode() == bmOpaque) {
    painter_->setPen(Qt::NoPen);
    painter_->setBrush(Resolve(BackgroundColor()));
    painter_->drawPolygon(polygon, Qt::OddEvenFill);
  }
  if (PenDraws())
    painter_->setPen(DevicePen(w));
  else
    painter_->setPen(Qt::NoPen);
  painter_->setBrush(points.size() >= 3 ? DeviceBrush() : QBrush(Qt::NoBrush));
  painter_->drawPolygon(polygon, Qt::OddEvenFill);
  painter_->setBrush(Qt::NoBrush);
  painter_->setRenderHint(QPainter::Antialiasing, false);
}

// A pixel is the square a 1-pixel pen puts there, so dots match the lines around them.
void TQtCanvas::DeviceSetPixel(TPoint p, TColor color) {
  FlushStrokes();
  UseMode(QPainter::CompositionMode_SourceOver);
  const TDeviceBand x = grid_->Across(p.X, 1);
  const TDeviceBand y = grid_->Across(p.Y, 1);
  FillDevice({x.First, y.First, x.End, y.End}, Resolve(color));
}

void TQtCanvas::DeviceClipRect(const TRect& box) {
  const TRect clip = grid_->Clip(box.Normalized());
  painter_->setClipRect(clip.IsEmpty() ? QRect() : ToQRect(clip), Qt::ReplaceClip);
  direct_clip_ = clip.Intersected(direct_bounds_);
  region_clip_ = false;
}

// The clip covers the device pixels of the logical pixels that Polygon would fill.
void TQtCanvas::DeviceClipPolygon(std::span<const TPoint> points) {
  PolygonSpans(points, crossings_, rows_);
  QRegion region;
  for (const TSpan& s : rows_) region += ToQRect(grid_->Box({s.Left, s.Y, s.Right, s.Y + 1}));
  painter_->setClipRegion(region, Qt::ReplaceClip);
  region_clip_ = true;
}

// A bitmap made at this ratio is copied pixel for pixel; any other is scaled smoothly to its
// logical size.
void TQtCanvas::DeviceDraw(TPoint p, const TBitmap& bitmap) {
  UseMode(QPainter::CompositionMode_SourceOver);
  const QImage& image = bitmap.Image();
  if (image.isNull())
    return;
  const bool same = bitmap.DevicePixelRatio() == grid_->Ratio();
  const QRect target = same ? QRect(grid_->Edge(p.X), grid_->Edge(p.Y), image.width(), image.height())
                            : ToQRect(grid_->Box({p.X, p.Y, p.X + bitmap.Width(), p.Y + bitmap.Height()}));
  painter_->setRenderHint(QPainter::SmoothPixmapTransform, !same);
  painter_->drawImage(QRectF(target), image, QRectF(image.rect()));
  painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
}

}  // namespace corvane
