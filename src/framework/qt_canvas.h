// TQtCanvas: the drawing surface over a QPainter, on an image of its own or on a painter that is
// already active (a widget's paint event). The device's pixel ratio decides how it rasterises:
//   - at ratio 1 it rasterises lines and shapes itself (line_raster.h, shape_raster.h) and hands
//     the toolkit only axis-aligned rectangles, so the edge rules of canvas.h hold exactly;
//   - at any other ratio (qt_canvas_device.cpp) it paints at the device's own resolution at the
//     same logical geometry (device_grid.h): boxes and horizontal and vertical lines on whole
//     device pixels, pens round(width x ratio) device pixels wide; diagonals, ellipses and
//     polygons antialiased by the toolkit. Consecutive diagonals of one pen are gathered into
//     one path and stroked when anything else is drawn, so a long series costs one stroke.
// Text is drawn by the toolkit at full device resolution either way.
// Ellipse outlines lie inside their box whatever the pen's width.
// On an image of its own (32 bits), solid copies of boxes bypass the painter and write the
// pixels directly: a long series is tens of thousands of tiny boxes, and the painter's per-call
// cost would dominate. Both paths paint the same pixels (the scaling tests compare them).
#pragma once

#include <QFont>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QPointF>
#include <QTransform>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "framework/canvas.h"
#include "framework/device_grid.h"
#include "framework/shape_raster.h"

class QImage;

namespace corvane {

class TBitmap;

class TQtCanvas final : public TCanvas {
 public:
  // Paints on the image (its device pixel ratio included) until destroyed; the image must keep
  // its size meanwhile. System colours come from `palette`, by default the figure palette
  // (system_colors.h).
  explicit TQtCanvas(QImage& image);
  TQtCanvas(QImage& image, const QPalette& palette);
  explicit TQtCanvas(TBitmap& bitmap);
  // Borrows an active painter; its state is saved here and restored on destruction.
  explicit TQtCanvas(QPainter& painter);
  ~TQtCanvas() override;

  // A TBitmapCanvasMaker: a TQtCanvas on the bitmap.
  static std::unique_ptr<TCanvas> OnBitmap(TBitmap& bitmap);

  TQtCanvas(const TQtCanvas&) = delete;
  TQtCanvas& operator=(const TQtCanvas&) = delete;

 protected:
  void DoLine(TPoint from, TPoint to) override;
  void DoRectangle(const TRect& box) override;
  void DoEllipse(const TRect& box) override;
  void DoPolygon(std::span<const TPoint> points) override;
  void DoSetPixel(TPoint p, TColor color) override;
  void DoFillRect(const TRect& box) override;
  void DoTextOut(TPoint p, std::string_view text) override;
  void DoRotatedTextOut(TPoint p, int angle, std::string_view text) override;
  int DoTextWidth(std::string_view text) override;
  int DoTextHeight(std::string_view text) override;
  void DoClipRect(const TRect& box) override;
  void DoClipPolygon(std::span<const TPoint> points) override;
  void DoRemoveClip() override;
  void DoDraw(TPoint p, const TBitmap& bitmap) override;
  void DoStretchDraw(const TRect& box, const TBitmap& bitmap) override;

 private:
  void Begin();
  bool PenDraws() const;
  int PenWidth() const;
  QColor Resolve(TColor color) const;
  void UseMode(QPainter::CompositionMode mode);
  void UsePenMode();
  const QFont& CurrentFont();

  void FillBox(const TRect& box, const QColor& color);
  void FillDevice(const TRect& box, const QColor& color);
  bool CanWriteDirectly(const QColor& color) const;
  void WriteBox(const TRect& box, QRgb rgb);
  void FillSpans(std::span<const TSpan> spans, const QColor& color);
  void BrushSpans(std::span<const TSpan> spans);
  TRect LineWindow(int width) const;
  void StrokeLine(TPoint from, TPoint to, int width, const QColor& color);
  TRect PenOuter(const TRect& box) const;
  void OutlineRectangle(const TRect& box);
  void FillFrame(const TRect& outer, int width, const QColor& color);
  // Text at p in the logical frame `frame` (the painter's own transform, perhaps turned).
  void DrawText(TPoint p, std::string_view text, bool opaque, const QTransform& frame);

  // The device-resolution path (qt_canvas_device.cpp); boxes there are in device pixels.
  void SetUpDevice(qreal ratio, const QRect& device_bounds);
  void DeviceLine(TPoint from, TPoint to);
  void DeviceRectangle(const TRect& box);
  void DeviceEllipse(const TRect& box);
  void DevicePolygon(std::span<const TPoint> points);
  void DeviceSetPixel(TPoint p, TColor color);
  void DeviceClipRect(const TRect& box);
  void DeviceClipPolygon(std::span<const TPoint> points);
  void DeviceDraw(TPoint p, const TBitmap& bitmap);
  void BrushDevice(const TRect& box);
  std::span<const int> DevicePattern(int width, std::array<int, 6>& storage) const;
  // A run of device pixels from `from` toward `to` (excluded) along x or y, `across` wide.
  void DeviceRun(bool horizontal, int from, int to, TDeviceBand across, const QColor& color);
  // Adds a diagonal to the strokes waiting with the pen of stroke_key_.
  void AddStroke(TPoint from, TPoint to);
  void FlushStrokes();
  QRectF StrokeWindow(int width) const;
  QPen DevicePen(int width) const;
  QBrush DeviceBrush() const;

  std::unique_ptr<QPainter> own_painter_;
  QPainter* painter_;
  QPalette palette_;
  QPainter::CompositionMode mode_ = QPainter::CompositionMode_SourceOver;

  // The own image's pixels when direct writing is possible (32 bits), else null; the direct path
  // also needs no clip or a rectangular one, kept here in device pixels.
  uchar* direct_bits_ = nullptr;
  qsizetype direct_stride_ = 0;
  TRect direct_bounds_;
  TRect direct_clip_;
  bool region_clip_ = false;

  // The last font resolved, reused while Font stays the same.
  TFont resolved_font_;
  QFont qt_font_;
  bool font_resolved_ = false;
  int cell_ascent_ = 0;  // of qt_font_: the text cell above the baseline, and all of it
  int cell_height_ = 0;

  // Set at every ratio but 1. The painter rests in device pixels there (device_transform_) and
  // turns to the logical frame only for text and bitmaps.
  std::optional<TDeviceGrid> grid_;
  QTransform logical_transform_;
  QTransform device_transform_;
  TRect device_bounds_;

  // Diagonals waiting to be stroked with stroke_pen_ (made from stroke_key_): subpaths of
  // stroke_points_ starting at the indices in stroke_starts_. The last subpath may go on from
  // stroke_end_ (logical).
  struct TStrokeKey {
    QRgb Color = 0;
    int Width = 0;
    TPenStyle Style = psSolid;
    TPenMode Mode = pmCopy;
    QRgb Gap = 0;  // the opaque background behind dashes, or 0
    bool operator==(const TStrokeKey&) const = default;
  };
  TStrokeKey stroke_key_;
  std::vector<QPointF> stroke_points_;
  std::vector<std::size_t> stroke_starts_;
  QPen stroke_pen_;
  QPainter::CompositionMode stroke_mode_ = QPainter::CompositionMode_SourceOver;
  QColor stroke_gap_;  // the background behind dashes, when opaque
  TPoint stroke_end_;
  bool stroke_open_ = false;

  // The last horizontal or vertical line, which the next may go straight on from.
  struct TStraightRun {
    TPoint End;
    bool Horizontal = true;
    bool Forward = true;
    TDeviceBand Across;
    QColor Color;
  };
  TStraightRun last_straight_;
  int straight_stop_ = 0;
  bool straight_open_ = false;

  // Scratch space reused by every shape, so painting allocates nothing once warmed up.
  std::vector<TSpan> rows_;
  std::vector<TSpan> rim_;
  std::vector<TSpan> interior_;
  std::vector<double> crossings_;
};

}  // namespace corvane
