// The device-resolution half of TQtCanvas, taken at every device pixel ratio but 1: the same
// logical geometry as the exact path, placed on device pixels by TDeviceGrid. Boxes and
// horizontal and vertical lines are filled on whole device pixels; diagonals, ellipses and
// polygons go to the toolkit antialiased (aliased under a raster operation, which the toolkit
// cannot blend). Every rectangle in this file is in device pixels unless it says otherwise.
#include <QPainterPath>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "framework/bitmap.h"
#include "framework/line_raster.h"
#include "framework/qt_canvas.h"
#include "framework/qt_canvas_styles.h"

namespace corvane {
namespace {

// Cuts the segment a-b to `window` (Liang-Barsky); false when nothing of it is inside. Keeps the
// toolkit's rasteriser away from coordinates far beyond the image.
bool CutToWindow(QPointF& a, QPointF& b, const QRectF& window) {
  double t0 = 0;
  double t1 = 1;
  const double dx = b.x() - a.x();
  const double dy = b.y() - a.y();
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x() - window.left(), window.right() - a.x(), a.y() - window.top(),
                       window.bottom() - a.y()};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0)
        return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
  }
  if (t0 > t1)
    return false;
  const QPointF start = a;
  a = start + QPointF(dx, dy) * t0;
  b = start + QPointF(dx, dy) * t1;
  return true;
}

}  // namespace

void TQtCanvas::SetUpDevice(qreal ratio, const QRect& device_bounds) {
  logical_transform_ = painter_->worldTransform();
  if (ratio == 1.0 || ratio <= 0)
    return;
  grid_.emplace(ratio);
  device_transform_ = QTransform::fromScale(1 / ratio, 1 / ratio) * logical_transform_;
  device_bounds_ = {device_bounds.left(), device_bounds.top(), device_bounds.right() + 1,
                    device_bounds.bottom() + 1};
}

// Dashed pens carry their device pattern, in pen widths as the toolkit counts, and flat caps.
QPen TQtCanvas::DevicePen(int width) const {
  QPen pen(QBrush(Resolve(Pen.Color)), grid_->PenWidth(width), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
  std::array<int, 6> storage{};
  const std::span<const int> pattern = DevicePattern(width, storage);
  if (!pattern.empty()) {
    QList<qreal> dashes;
    for (const int length : pattern) dashes.append(qreal(length) / pen.widthF());
    pen.setDashPattern(dashes);
    pen.setCapStyle(Qt::FlatCap);
  }
  return pen;
}

// Hatches keep roughly their logical spacing: the toolkit's 8-pixel patterns grow by the whole
// part of the ratio, so they stay crisp.
QBrush TQtCanvas::DeviceBrush() const {
  if (Brush.Style == bsClear)
    return Qt::NoBrush;
  QBrush brush(Resolve(Brush.Color), HatchFor(Brush.Style));
  const qreal k = std::max(1.0, std::round(grid_->Ratio()));
  if (Brush.Style != bsSolid)
    brush.setTransform(QTransform::fromScale(k, k));
  return brush;
}

void TQtCanvas::BrushDevice(const TRect& box) {
  if (Brush.Style == bsClear || box.IsEmpty())
    return;
  if (Brush.Style == bsSolid) {
    FillDevice(box, Resolve(Brush.Color));
    return;
  }
  if (BackgroundMode() == bmOpaque)
    FillDevice(box, Resolve(BackgroundColor()));
  painter_->fillRect(ToQRect(box), DeviceBrush());
}

// The dash pattern of the pen in device pixels: each length times the pen's logical width and
// the ratio, rounded, so the dots of a dotted line lie evenly however the ratio falls.
std::span<const int> TQtCanvas::DevicePattern(int width, std::array<int, 6>& storage) const {
  const std::span<const int> base = BasePattern(Pen.Style);
  for (std::size_t i = 0; i < base.size(); ++i)
    storage[i] = std::max(1, int(std::lround(base[i] * std::max(width, 1) * grid_->Ratio())));
  return {storage.data(), base.size()};
}

void TQtCanvas::DeviceRun(bool horizontal, int from, int to, TDeviceBand across, const QColor& color) {
  std::array<int, 6> storage{};
  const std::span<const int> pattern = DevicePattern(Pen.Width, storage);
  const bool opaque = BackgroundMode() == bmOpaque && !pattern.empty();
  const QColor gap = opaque ? Resolve(BackgroundColor()) : QColor();
  const TPoint a = horizontal ? TPoint{from, across.First} : TPoint{across.First, from};
  const TPoint b = horizontal ? TPoint{to, across.First} : TPoint{across.First, to};
  const TRect& v = region_clip_ || direct_bits_ == nullptr ? device_bounds_ : direct_clip_;
  ForEachLineRun(a, b, pattern, v, [&](const TLineRun& run) {
    if (!run.On && !opaque)
      return;
    const TRect r = horizontal ? TRect{run.X, across.First, run.X + run.Length, across.End}
                               : TRect{across.First, run.Y, across.End, run.Y + run.Length};
    FillDevice(r, run.On ? color : gap);
  });
}

// Horizontal and vertical lines are runs of whole device pixels; the rest is stroked smoothly.
void TQtCanvas::DeviceLine(TPoint from, TPoint to) {
  if (from == to)
    return;
  // Compared by value, so a long series costs no pen objects.
  const QColor color = Resolve(Pen.Color);
  const bool opaque = BackgroundMode() == bmOpaque;
  const TStrokeKey key{color.rgba(), Pen.Width, Pen.Style, Pen.Mode,
                       opaque ? Resolve(BackgroundColor()).rgba() : 0};
  if (!stroke_points_.empty() && !(key == stroke_key_))
    FlushStrokes();
  UsePenMode();
  if (from.X != to.X && from.Y != to.Y) {
    if (stroke_points_.empty() || !(key == stroke_key_)) {
      stroke_key_ = key;
      stroke_pen_ = DevicePen(Pen.Width);
      stroke_mode_ = CompositionFor(Pen.Mode);
      stroke_gap_ = opaque ? Resolve(BackgroundColor()) : QColor();
    }
    AddStroke(from, to);
    return;
  }
  // The stroke gathered so far does not go on through this line; same-coloured fills commute
  // with it, so it may wait.
  stroke_open_ = false;
  const bool horizontal = from.Y == to.Y;
  const int a = horizontal ? from.X : from.Y;
  const int b = horizontal ? to.X : to.Y;
  TDeviceBand along = b > a ? grid_->Along(a, b - 1) : grid_->Along(b + 1, a);
  const TDeviceBand across = grid_->Across(horizontal ? from.Y : from.X, Pen.Width);
  // A line going straight on from the last one starts where that one stopped: the bands of two
  // neighbouring pixels overlap at ratios like 1.5, and the gap between them would show.
  const TStraightRun run{to, horizontal, b > a, across, color};
  if (straight_open_ && from == last_straight_.End && run.Horizontal == last_straight_.Horizontal &&
      run.Forward == last_straight_.Forward && run.Across == last_straight_.Across &&
      run.Color == last_straight_.Color)
    (run.Forward ? along.First : along.End) = straight_stop_;
  if (run.Forward)
    DeviceRun(horizontal, along.First, along.End, across, color);
  else
    DeviceRun(horizontal, along.End - 1, along.First - 1, across, color);
  last_straight_ = run;
  straight_stop_ = run.Forward ? along.End : along.First;
  straight_open_ = true;
}

// Where strokes can show: the device widened by the pen. The same on an own image and a borrowed
// painter, so both rasterise the same segments.
QRectF TQtCanvas::StrokeWindow(int width) const {
  const TRect& v = device_bounds_;
  return QRectF(v.Left - width, v.Top - width, v.Width() + 2.0 * width, v.Height() + 2.0 * width);
}

// The stroke runs between the snapped centres of the first and the last pixel the exact path
// would paint (the end pixel left out), with square caps, so a lone segment covers the same
// span; a segment that goes on from the previous one's end joins it in one subpath instead.
void TQtCanvas::AddStroke(TPoint from, TPoint to) {
  straight_open_ = false;
  const int w = Pen.Width;
  const double major = std::max(std::abs(double(to.X) - from.X), std::abs(double(to.Y) - from.Y));
  const double back = (major - 1) / major;
  QPointF start(grid_->Centre(from.X, w), grid_->Centre(from.Y, w));
  QPointF end(grid_->Centre(from.X + (double(to.X) - from.X) * back, w),
              grid_->Centre(from.Y + (double(to.Y) - from.Y) * back, w));
  const bool joins = stroke_open_ && from == stroke_end_ && !stroke_points_.empty();
  const QPointF ideal_start = start;
  const QPointF ideal_end = end;
  if (!CutToWindow(start, end, StrokeWindow(stroke_pen_.width()))) {
    stroke_open_ = false;
    return;
  }
  if (joins && start == ideal_start) {
    stroke_points_.back() = start;
  } else {
    stroke_starts_.push_back(stroke_points_.size());
    stroke_points_.push_back(start);
  }
  stroke_points_.push_back(end);
  stroke_end_ = to;
  stroke_open_ = end == ideal_end;
  // Dashes restart at every line, and a raster operation must not wait for later lines.
  if (stroke_pen_.style() != Qt::SolidLine || stroke_mode_ != QPainter::CompositionMode_SourceOver)
    FlushStrokes();
}

void TQtCanvas::FlushStrokes() {
  if (stroke_points_.empty())
    return;
  UseMode(stroke_mode_);
  // A diagonal one pixel long is a subpath of one point, which the toolkit strokes as nothing:
  // it gets the square of its pixel instead.
  const int width = stroke_pen_.width();
  QPainterPath path;
  stroke_starts_.push_back(stroke_points_.size());
  for (std::size_t s = 0; s + 1 < stroke_starts_.size(); ++s) {
    const auto first = stroke_points_.begin() + std::ptrdiff_t(stroke_starts_[s]);
    const auto end = stroke_points_.begin() + std::ptrdiff_t(stroke_starts_[s + 1]);
    if (std::all_of(first, end, [p = *first](QPointF q) { return q == p; })) {
      const int left = int(std::floor(first->x() - width / 2.0));
      const int top = int(std::floor(first->y() - width / 2.0));
      FillDevice({left, top, left + width, top + width}, stroke_pen_.color());
      continue;
    }
    path.moveTo(*first);
    for (auto i = first + 1; i != end; ++i) path.lineTo(*i);
  }
  stroke_points_.clear();
  stroke_starts_.clear();
  stroke_open_ = false;
  painter_->setRenderHint(QPainter::Antialiasing, stroke_mode_ == QPainter::CompositionMode_SourceOver);
  if (stroke_pen_.style() != Qt::SolidLine && stroke_gap_.isValid())
    painter_->strokePath(path, QPen(QBrush(stroke_gap_), stroke_pen_.widthF(), Qt::SolidLine, Qt::FlatCap));
  painter_->strokePath(path, stroke_pen_);
  painter_->setRenderHint(QPainter::Antialiasing, false);
}

}  // namespace corvane
