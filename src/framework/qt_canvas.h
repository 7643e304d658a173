// QtCanvas: the drawing surface over a QPainter, on an image of its own or on a painter that is
// already active (a widget's paint event). It rasterises lines and shapes itself (line_raster.h,
// shape_raster.h) and hands the toolkit only axis-aligned rectangles, so the edge rules of
// canvas.h hold exactly and a paint at device pixel ratio r covers r x r device pixels for every
// logical one. Text is drawn by the toolkit at full device resolution, never antialiased shapes.
// Ellipse outlines lie inside their box whatever the pen's width and are drawn solid.
// On an image of its own at a whole ratio, solid copies of boxes bypass the painter and write the
// pixels directly: a long series is tens of thousands of tiny boxes, and the painter's per-call
// cost would dominate. Both paths paint the same pixels (the scaling tests compare them).
#pragma once

#include <QFont>
#include <QPainter>
#include <QPalette>
#include <memory>
#include <vector>

#include "framework/canvas.h"
#include "framework/shape_raster.h"

class QImage;

namespace corvane {

class TBitmap;

class QtCanvas final : public TCanvas {
 public:
  // Paints on the image (its device pixel ratio included) until destroyed; the image must keep
  // its size meanwhile. System colours come from `palette`, by default the application's.
  explicit QtCanvas(QImage& image);
  QtCanvas(QImage& image, const QPalette& palette);
  explicit QtCanvas(TBitmap& bitmap);
  // Borrows an active painter; its state is saved here and restored on destruction.
  explicit QtCanvas(QPainter& painter);
  ~QtCanvas() override;

  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

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

 private:
  void Begin();
  bool PenDraws() const;
  int PenWidth() const;
  QColor Resolve(TColor color) const;
  void UseMode(QPainter::CompositionMode mode);
  void UsePenMode();
  const QFont& CurrentFont();

  void FillBox(const TRect& box, const QColor& color);
  bool CanWriteDirectly(const QColor& color) const;
  void WriteBox(const TRect& box, QRgb rgb);
  void FillSpans(std::span<const TSpan> spans, const QColor& color);
  void BrushSpans(std::span<const TSpan> spans);
  TRect LineWindow(int width) const;
  void StrokeLine(TPoint from, TPoint to, int width, const QColor& color);
  TRect PenOuter(const TRect& box) const;
  void OutlineRectangle(const TRect& box);
  void DrawText(TPoint p, std::string_view text, bool opaque);

  std::unique_ptr<QPainter> own_painter_;
  QPainter* painter_;
  QPalette palette_;
  QPainter::CompositionMode mode_ = QPainter::CompositionMode_SourceOver;

  // The own image's pixels when direct writing is possible (a whole ratio, 32 bits), else null;
  // the direct path also needs no clip or a rectangular one, kept here in logical pixels.
  uchar* direct_bits_ = nullptr;
  qsizetype direct_stride_ = 0;
  int direct_scale_ = 1;
  TRect direct_bounds_;
  TRect direct_clip_;
  bool region_clip_ = false;

  // The last font resolved, reused while Font stays the same.
  TFont resolved_font_;
  QFont qt_font_;
  bool font_resolved_ = false;
  int cell_ascent_ = 0;  // of qt_font_: the text cell above the baseline, and all of it
  int cell_height_ = 0;

  // Scratch space reused by every shape, so painting allocates nothing once warmed up.
  std::vector<TSpan> rows_;
  std::vector<TSpan> rim_;
  std::vector<TSpan> interior_;
  std::vector<double> crossings_;
};

}  // namespace corvane
