#include "framework/qt_canvas.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QImage>
#include <QRegion>
#include <QTransform>
#include <algorithm>
#include <array>
#include <cmath>

#include "framework/bitmap.h"
#include "framework/fonts.h"
#include "framework/line_raster.h"
#include "framework/qt_canvas_styles.h"
#include "framework/system_colors.h"

namespace corvane {

TQtCanvas::TQtCanvas(QImage& image) : TQtCanvas(image, FigurePalette()) {}

TQtCanvas::TQtCanvas(QImage& image, const QPalette& palette)
    : own_painter_(std::make_unique<QPainter>(&image)), painter_(own_painter_.get()), palette_(palette) {
  const bool plain = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
  if (plain && painter_->isActive()) {
    // The painter has detached the image already, so this does not copy it.
    direct_bits_ = image.bits();
    direct_stride_ = image.bytesPerLine();
    direct_bounds_ = {0, 0, image.width(), image.height()};
  }
  SetUpDevice(image.devicePixelRatio(), image.rect());
  Begin();
}

TQtCanvas::TQtCanvas(TBitmap& bitmap) : TQtCanvas(bitmap.Image()) {}

std::unique_ptr<TCanvas> TQtCanvas::OnBitmap(TBitmap& bitmap) {
  return std::make_unique<TQtCanvas>(bitmap);
}

TQtCanvas::TQtCanvas(QPainter& painter) : painter_(&painter), palette_(FigurePalette()) {
  painter_->save();
  const QPaintDevice* device = painter_->device();
  const qreal ratio = device != nullptr ? device->devicePixelRatio() : 1.0;
  QRect bounds;
  if (device != nullptr) {
    // Widgets measure themselves in logical pixels, images and pixmaps in device pixels.
    const qreal scale = device->devType() == QInternal::Widget ? ratio : 1.0;
    bounds = QRect(0, 0, int(std::ceil(device->width() * scale)), int(std::ceil(device->height() * scale)));
  }
  SetUpDevice(ratio, bounds);
  Begin();
}

// Strokes still gathered are drawn before the painter goes.
TQtCanvas::~TQtCanvas() {
  FlushStrokes();
  if (!own_painter_)
    painter_->restore();
}

void TQtCanvas::Begin() {
  painter_->setRenderHint(QPainter::Antialiasing, false);
  painter_->setCompositionMode(mode_);
  painter_->setClipping(false);
  if (grid_)
    painter_->setWorldTransform(device_transform_);
  direct_clip_ = direct_bounds_;
  region_clip_ = false;
}

bool TQtCanvas::PenDraws() const {
  return Pen.Style != psClear && Pen.Mode != pmNop;
}

// Width 0 is the thinnest pen there is: one pixel.
int TQtCanvas::PenWidth() const {
  return std::max(1, Pen.Width);
}

QColor TQtCanvas::Resolve(TColor color) const {
  return ResolveColor(color, palette_);
}

void TQtCanvas::UseMode(QPainter::CompositionMode mode) {
  if (mode == mode_)
    return;
  painter_->setCompositionMode(mode);
  mode_ = mode;
}

void TQtCanvas::UsePenMode() {
  UseMode(CompositionFor(Pen.Mode));
}

const QFont& TQtCanvas::CurrentFont() {
  if (!font_resolved_ || !(resolved_font_ == Font)) {
    qt_font_ = ResolveFont(Font);
    resolved_font_ = Font;
    font_resolved_ = true;
    // The cell takes whole pixels above and below the baseline, each rounded up, as layouts made
    // with these faces expect: an 11-pixel em of the Arial stand-in is 10 + 3 = 13 pixels high,
    // where rounding the two parts to nearest would give 12. A 1/64 pixel grace absorbs the
    // fixed-point noise of hinted metrics.
    const QFontMetricsF metrics(qt_font_, painter_->device());
    cell_ascent_ = int(std::ceil(metrics.ascent() - 1.0 / 64));
    cell_height_ = cell_ascent_ + int(std::ceil(metrics.descent() - 1.0 / 64));
  }
  return qt_font_;
}

bool TQtCanvas::CanWriteDirectly(const QColor& color) const {
  return direct_bits_ != nullptr && !region_clip_ && mode_ == QPainter::CompositionMode_SourceOver &&
         color.alpha() == 255;
}

void TQtCanvas::WriteBox(const TRect& box, QRgb rgb) {
  const TRect r = box.Intersected(direct_clip_);
  if (r.IsEmpty())
    return;
  for (int y = r.Top; y < r.Bottom; ++y) {
    auto* line = reinterpret_cast<QRgb*>(direct_bits_ + y * direct_stride_);
    std::fill(line + r.Left, line + r.Right, rgb);
  }
}

// A logical box: device pixels are logical ones at ratio 1.
void TQtCanvas::FillBox(const TRect& box, const QColor& color) {
  FillDevice(grid_ ? grid_->Box(box) : box, color);
}

void TQtCanvas::FillDevice(const TRect& box, const QColor& color) {
  if (box.IsEmpty())
    return;
  if (CanWriteDirectly(color))
    WriteBox(box, color.rgba());
  else
    painter_->fillRect(ToQRect(box), color);
}

void TQtCanvas::FillSpans(std::span<const TSpan> spans, const QColor& color) {
  for (const TSpan& s : spans) FillBox({s.Left, s.Y, s.Right, s.Y + 1}, color);
}

void TQtCanvas::BrushSpans(std::span<const TSpan> spans) {
  if (Brush.Style == bsClear)
    return;
  const QColor color = Resolve(Brush.Color);
  if (Brush.Style == bsSolid) {
    FillSpans(spans, color);
    return;
  }
  if (BackgroundMode() == bmOpaque)
    FillSpans(spans, Resolve(BackgroundColor()));
  const QBrush hatch(color, HatchFor(Brush.Style));
  for (const TSpan& s : spans)
    if (s.Left < s.Right)
      painter_->fillRect(QRect(s.Left, s.Y, s.Right - s.Left, 1), hatch);
}

// Where line pixels can show: the clip of an own image widened by the pen, else far enough that
// nothing the toolkit could show is left out.
TRect TQtCanvas::LineWindow(int width) const {
  constexpr int kFar = 1 << 30;
  if (direct_bits_ == nullptr)
    return {-kFar, -kFar, kFar, kFar};
  const TRect& v = region_clip_ ? direct_bounds_ : direct_clip_;
  return {v.Left - width, v.Top - width, v.Right + width, v.Bottom + width};
}

void TQtCanvas::StrokeLine(TPoint from, TPoint to, int width, const QColor& color) {
  std::array<int, 6> pattern{};
  const std::span<const int> base = BasePattern(Pen.Style);
  for (std::size_t i = 0; i < base.size(); ++i) pattern[i] = base[i] * width;
  const bool opaque = BackgroundMode() == bmOpaque && !base.empty();
  const QColor gap = opaque ? Resolve(BackgroundColor()) : QColor();
  const int before = width / 2;  // the odd pixel of a wide pen goes up or left
  ForEachLineRun(from, to, std::span<const int>(pattern.data(), base.size()), LineWindow(width),
                 [&](const TLineRun& run) {
                   if (!run.On && !opaque)
                     return;
                   const TRect r =
                       run.XMajor ? TRect{run.X, run.Y - before, run.X + run.Length, run.Y - before + width}
                                  : TRect{run.X - before, run.Y, run.X - before + width, run.Y + run.Length};
                   FillBox(r, run.On ? color : gap);
                 });
}

void TQtCanvas::DoLine(TPoint from, TPoint to) {
  if (!PenDraws())
    return;
  if (grid_) {
    DeviceLine(from, to);
    return;
  }
  UsePenMode();
  StrokeLine(from, to, PenWidth(), Resolve(Pen.Color));
}

// The pixels a rectangle's pen covers, as a box: the edge rows and columns of `box`, widened like
// lines (the odd pixel up or left), or kept inside the box for psInsideFrame.
TRect TQtCanvas::PenOuter(const TRect& box) const {
  if (Pen.Style == psInsideFrame)
    return box;
  const int width = PenWidth();
  const int before = width / 2;
  return {box.Left - before, box.Top - before, box.Right - 1 - before + width,
          box.Bottom - 1 - before + width};
}

// The outline of a normalised box whose interior has been filled. A solid pen is drawn as four
// disjoint bands, so raster operations touch each pixel once; dashed pens walk the four edges.
void TQtCanvas::OutlineRectangle(const TRect& box) {
  const int width = PenWidth();
  const QColor color = Resolve(Pen.Color);
  if (!BasePattern(Pen.Style).empty()) {
    const TPoint corners[4] = {{box.Left, box.Top},
                               {box.Right - 1, box.Top},
                               {box.Right - 1, box.Bottom - 1},
                               {box.Left, box.Bottom - 1}};
    for (int i = 0; i < 4; ++i) StrokeLine(corners[i], corners[(i + 1) % 4], width, color);
    return;
  }
  FillFrame(PenOuter(box), width, color);
}

// Four disjoint bands, so raster operations touch each pixel once; all of `outer` when the
// bands leave nothing inside. Device pixels, which are the logical ones at ratio 1.
void TQtCanvas::FillFrame(const TRect& outer, int width, const QColor& color) {
  const TRect inner{outer.Left + width, outer.Top + width, outer.Right - width, outer.Bottom - width};
  if (inner.IsEmpty()) {
    FillDevice(outer, color);
    return;
  }
  FillDevice({outer.Left, outer.Top, outer.Right, inner.Top}, color);
  FillDevice({outer.Left, inner.Bottom, outer.Right, outer.Bottom}, color);
  FillDevice({outer.Left, inner.Top, inner.Left, inner.Bottom}, color);
  FillDevice({inner.Right, inner.Top, outer.Right, inner.Bottom}, color);
}

void TQtCanvas::DoRectangle(const TRect& box) {
  if (grid_) {
    DeviceRectangle(box);
    return;
  }
  const TRect b = box.Normalized();
  if (b.IsEmpty() || Pen.Mode == pmNop)
    return;
  UsePenMode();
  TRect inside = b;
  if (PenDraws()) {
    const int width = PenWidth();
    const TRect outer = PenOuter(b);
    inside = {outer.Left + width, outer.Top + width, outer.Right - width, outer.Bottom - width};
  }
  rows_.clear();
  for (int y = inside.Top; y < inside.Bottom; ++y) rows_.push_back({y, inside.Left, inside.Right});
  BrushSpans(rows_);
  if (PenDraws())
    OutlineRectangle(b);
}

void TQtCanvas::DoEllipse(const TRect& box) {
  if (grid_) {
    DeviceEllipse(box);
    return;
  }
  if (Pen.Mode == pmNop)
    return;
  UsePenMode();
  EllipseSpans(box.Normalized(), rows_);
  if (!PenDraws()) {
    BrushSpans(rows_);
    return;
  }
  // The outline lies inside the box whatever the pen's width, so the ellipse keeps its size.
  SplitRim(rows_, PenWidth(), rim_, interior_);
  BrushSpans(interior_);
  FillSpans(rim_, Resolve(Pen.Color));
}

void TQtCanvas::DoPolygon(std::span<const TPoint> points) {
  if (grid_) {
    DevicePolygon(points);
    return;
  }
  if (Pen.Mode == pmNop || points.size() < 2)
    return;
  UsePenMode();
  PolygonSpans(points, crossings_, rows_);
  BrushSpans(rows_);
  if (!PenDraws())
    return;
  const int width = PenWidth();
  const QColor color = Resolve(Pen.Color);
  // Each edge leaves out its end pixel, which the next edge starts on: every vertex once.
  for (std::size_t i = 0; i < points.size(); ++i)
    StrokeLine(points[i], points[(i + 1) % points.size()], width, color);
}

void TQtCanvas::DoSetPixel(TPoint p, TColor color) {
  if (grid_) {
    DeviceSetPixel(p, color);
    return;
  }
  UseMode(QPainter::CompositionMode_SourceOver);
  FillBox({p.X, p.Y, p.X + 1, p.Y + 1}, Resolve(color));
}

void TQtCanvas::DoFillRect(const TRect& box) {
  FlushStrokes();
  UseMode(QPainter::CompositionMode_SourceOver);
  const TRect b = box.Normalized();
  if (grid_) {
    BrushDevice(grid_->Box(b));
    return;
  }
  rows_.clear();
  for (int y = b.Top; y < b.Bottom; ++y) rows_.push_back({y, b.Left, b.Right});
  BrushSpans(rows_);
}

void TQtCanvas::DrawText(TPoint p, std::string_view text, bool opaque, const QTransform& frame) {
  FlushStrokes();
  UseMode(QPainter::CompositionMode_SourceOver);
  painter_->setFont(CurrentFont());
  const QFontMetrics metrics = painter_->fontMetrics();
  const int ascent = cell_ascent_;
  const int height = cell_height_;
  const QString s = QString::fromUtf8(text.data(), qsizetype(text.size()));
  const int width = metrics.horizontalAdvance(s);
  const auto [left, top] = AlignedTextCorner(p, TextAlign(), width, ascent, height);
  if (opaque)
    FillBox({left, top, left + width, top + height}, Resolve(BackgroundColor()));
  painter_->setPen(Resolve(Font.Color));
  const QTransform resting = painter_->worldTransform();
  painter_->setWorldTransform(frame);
  painter_->drawText(QPoint(left, top + ascent), s);
  painter_->setWorldTransform(resting);
}

void TQtCanvas::DoTextOut(TPoint p, std::string_view text) {
  DrawText(p, text, BackgroundMode() == bmOpaque, logical_transform_);
}

// The toolkit turns clockwise on screen for positive angles.
void TQtCanvas::DoRotatedTextOut(TPoint p, int angle, std::string_view text) {
  QTransform frame = logical_transform_;
  frame.translate(p.X, p.Y);
  frame.rotate(-angle);
  DrawText({0, 0}, text, false, frame);
}

int TQtCanvas::DoTextWidth(std::string_view text) {
  painter_->setFont(CurrentFont());
  return painter_->fontMetrics().horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

int TQtCanvas::DoTextHeight(std::string_view) {
  CurrentFont();
  return cell_height_;
}

void TQtCanvas::DoClipRect(const TRect& box) {
  FlushStrokes();
  if (grid_) {
    DeviceClipRect(box);
    return;
  }
  painter_->setClipRect(ToQRect(box.Normalized()), Qt::ReplaceClip);
  direct_clip_ = box.Normalized().Intersected(direct_bounds_);
  region_clip_ = false;
}

// The clip covers the same pixels that Polygon would fill.
void TQtCanvas::DoClipPolygon(std::span<const TPoint> points) {
  FlushStrokes();
  if (grid_) {
    DeviceClipPolygon(points);
    return;
  }
  PolygonSpans(points, crossings_, rows_);
  QRegion region;
  for (const TSpan& s : rows_) region += QRect(s.Left, s.Y, s.Right - s.Left, 1);
  painter_->setClipRegion(region, Qt::ReplaceClip);
  region_clip_ = true;
}

void TQtCanvas::DoRemoveClip() {
  FlushStrokes();
  painter_->setClipping(false);
  direct_clip_ = direct_bounds_;
  region_clip_ = false;
}

void TQtCanvas::DoDraw(TPoint p, const TBitmap& bitmap) {
  FlushStrokes();
  if (grid_) {
    DeviceDraw(p, bitmap);
    return;
  }
  UseMode(QPainter::CompositionMode_SourceOver);
  painter_->drawImage(QPoint(p.X, p.Y), bitmap.Image());
}

// Scaled into a bitmap of the box's size first, so that the copy obeys Draw's rules at any ratio.
void TQtCanvas::DoStretchDraw(const TRect& box, const TBitmap& bitmap) {
  TBitmap stretched(box.Width(), box.Height(), bitmap.DevicePixelRatio());
  {
    QPainter painter(&stretched.Image());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(0, 0, box.Width(), box.Height()), bitmap.Image());
  }
  DoDraw({box.Left, box.Top}, stretched);
}

}  // namespace corvane
