// TQtVectorCanvas: the drawing surface over a QPainter on a vector device (Qt's SVG generator, PDF
// writer or a QPicture), in logical pixels. What a reader of the file expects of it:
//   - lines stay lines: consecutive lines of one pen, and every ExactPolyline in it, gather into
//     one path, stroked once (in SVG one <path> element), so a series of 2x10^5 points is one
//     element through every point at its exact position;
//   - shapes stay shapes (rectangles, ellipses, polygons), and shapes drawn while lines are
//     gathered follow the gathered path, so the markers of a series lie on its line as on screen;
//   - text stays text, in the font the chart names, placed by the same cell rules as on screen.
// Positions are the pixel grid's: a 1-pixel line through pixel row y runs along y + 0.5, a wider
// pen centred as canvas.h says; a rectangle's fill covers its pixels exactly. Raster operations
// (pen modes other than copy) have no vector form and paint as copy; pmNop paints nothing.
#pragma once

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPen>
#include <functional>
#include <vector>

#include "framework/canvas.h"

namespace corvane {

class TQtVectorCanvas final : public TCanvas {
 public:
  // Borrows an active painter; its state is saved here and restored on destruction, after the
  // gathered lines are drawn.
  explicit TQtVectorCanvas(QPainter& painter);
  TQtVectorCanvas(QPainter& painter, const QPalette& palette);
  ~TQtVectorCanvas() override;
  TQtVectorCanvas(const TQtVectorCanvas&) = delete;
  TQtVectorCanvas& operator=(const TQtVectorCanvas&) = delete;

  bool KeepsExactPoints() const override { return true; }

  // Draws what is gathered now.
  void Flush();

 protected:
  void DoExactPolyline(std::span<const TExactPoint> points) override;
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
  bool PenDraws() const;
  double PenWidth() const;
  // Where the ideal line through pixel coordinate v runs: its centre for odd widths.
  double Centre(double v) const;
  QColor Resolve(TColor color) const;
  QPen CurrentPen() const;
  QBrush CurrentBrush() const;
  const QFont& CurrentFont();
  // Adds a line to the gathered path, starting a new path when the pen differs.
  void Gather(QPointF from, QPointF to);
  // Runs a shape now, or after the gathered path while there is one.
  void Shape(std::function<void(QPainter&)> paint);
  void DrawText(TPoint p, std::string_view text, bool opaque);

  QPainter& painter_;
  QPalette palette_;

  QPainterPath path_;
  QPen path_pen_;
  QPointF path_end_;
  bool gathering_ = false;
  std::vector<std::function<void(QPainter&)>> after_path_;

  TFont resolved_font_;
  QFont qt_font_;
  bool font_resolved_ = false;
  int cell_ascent_ = 0;
  int cell_height_ = 0;
};

}  // namespace corvane
