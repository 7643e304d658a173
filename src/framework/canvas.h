// The drawing surface that charts paint on.
//
//   TCanvas          the abstract surface: drawing state (Pen, Brush, Font, text alignment,
//                    background mode and colour, pen position) and primitives in logical pixels.
//                    Implementations read the state at every call, so callers just set fields.
//   TQtCanvas         (qt_canvas.h) paints through a QPainter onto a QImage, at any device pixel ratio.
//   TQtVectorCanvas   (qt_vector_canvas.h) paints through a QPainter onto a vector file (SVG, PDF),
//                    keeping lines as paths and positions finer than a pixel.
//   TRecordingCanvas  (recording_canvas.h) records every call with the state in force, for tests.
//   TBitmap          (bitmap.h) an off-screen image; a chart paints into it, then copies it out.
//   TBitmapCanvasMaker  opens a surface on a bitmap; whoever owns the chart chooses the kind.
//
// Edge rules, the same for every implementation:
//   - MoveTo(0, 0); LineTo(10, 0) paints x 0..9: the end pixel is left out, so consecutive LineTo
//     calls paint each joint once.
//   - Rectangle, Ellipse, FillRect and ClipRect leave out the right column and the bottom row:
//     Rectangle(2, 2, 8, 8) outlines x 2..7, y 2..7.
//   - A pen wider than 1 pixel is centred on the ideal line, the odd pixel going up or left: a
//     horizontal line at y with width 2 covers rows y - 1 and y.
//   - Rectangle, Ellipse and Polygon outline with the pen (unless psClear) and fill with the brush
//     (unless bsClear); they, and lines, combine with the destination by Pen.Mode. FillRect,
//     SetPixel, text and bitmaps always copy.
#pragma once

#include <cmath>
#include <functional>
#include <memory>
#include <span>
#include <string_view>

#include "framework/graphics.h"
#include "framework/rect.h"

namespace corvane {

class TBitmap;

// Where the reference point of TextOut lies on the text: horizontally at its left end, centre or
// right end; vertically at the top of the character cell, on the baseline or at the cell's bottom.
enum class TTextHorz { Left, Center, Right };
enum class TTextVert { Top, Baseline, Bottom };
struct TTextAlign {
  TTextHorz Horz = TTextHorz::Left;
  TTextVert Vert = TTextVert::Top;
  bool operator==(const TTextAlign&) const = default;
};

// The top-left corner of a text cell `width` wide whose reference point `p` the alignment places:
// (100, 50) centred, width 40, is x 80; baseline-aligned with ascent 9 it is y 41.
inline TPoint AlignedTextCorner(TPoint p, TTextAlign align, int width, int ascent, int height) {
  const int left = p.X - (align.Horz == TTextHorz::Center  ? width / 2
                          : align.Horz == TTextHorz::Right ? width
                                                           : 0);
  const int top = align.Vert == TTextVert::Top        ? p.Y
                  : align.Vert == TTextVert::Baseline ? p.Y - ascent
                                                      : p.Y - height;
  return {left, top};
}

// Opaque fills the gaps of dashed pens and hatched brushes and the cell behind text with the
// background colour; transparent (the default) leaves them alone.
enum TBackgroundMode { bmTransparent, bmOpaque };

// A position finer than a pixel, in the frame of the pixels: (12.4, 3) is where pixel (12, 3)
// would be drawn on a surface that rounds.
struct TExactPoint {
  double X = 0;
  double Y = 0;
  bool operator==(const TExactPoint&) const = default;
};

class TCanvas {
 public:
  virtual ~TCanvas() = default;

  TPen Pen;
  TBrush Brush;
  TFont Font;

  TTextAlign TextAlign() const { return text_align_; }
  void SetTextAlign(TTextAlign align) { text_align_ = align; }
  TBackgroundMode BackgroundMode() const { return background_mode_; }
  void SetBackgroundMode(TBackgroundMode mode) { background_mode_ = mode; }
  TColor BackgroundColor() const { return background_color_; }
  void SetBackgroundColor(TColor color) { background_color_ = color; }

  TPoint PenPos() const { return pen_pos_; }
  void MoveTo(int x, int y) { pen_pos_ = {x, y}; }
  // A line from PenPos to (x, y) without its end pixel; PenPos becomes (x, y).
  void LineTo(int x, int y) {
    DoLine(pen_pos_, {x, y});
    pen_pos_ = {x, y};
  }

  void Rectangle(int x1, int y1, int x2, int y2) { DoRectangle({x1, y1, x2, y2}); }
  void Rectangle(const TRect& box) { DoRectangle(box); }
  // The ellipse inscribed in the box, right and bottom edges excluded like Rectangle.
  void Ellipse(int x1, int y1, int x2, int y2) { DoEllipse({x1, y1, x2, y2}); }
  void Ellipse(const TRect& box) { DoEllipse(box); }
  // A closed polygon of three or more points; pixels whose centres lie inside are filled.
  void Polygon(std::span<const TPoint> points) { DoPolygon(points); }
  void SetPixel(int x, int y, TColor color) { DoSetPixel({x, y}, color); }
  // Brush fill of the box without an outline.
  void FillRect(const TRect& box) { DoFillRect(box); }

  // Text in Font at the reference point (x, y) given by TextAlign.
  void TextOut(int x, int y, std::string_view text) { DoTextOut({x, y}, text); }
  // Text turned by angle degrees counter-clockwise about its reference point, TextAlign taken in
  // the turned text's own frame; always drawn transparently.
  void RotatedTextOut(int x, int y, int angle, std::string_view text) {
    DoRotatedTextOut({x, y}, angle, text);
  }
  // Extents in pixels with the current Font; the height is that of the character cell.
  int TextWidth(std::string_view text) { return DoTextWidth(text); }
  int TextHeight(std::string_view text) { return DoTextHeight(text); }

  // Later drawing stays inside the clip until RemoveClip; a new clip replaces the old one.
  void ClipRect(const TRect& box) { DoClipRect(box); }
  void ClipPolygon(std::span<const TPoint> points) { DoClipPolygon(points); }
  void RemoveClip() { DoRemoveClip(); }

  // Whether the surface keeps positions finer than a pixel (a vector file). Series then give their
  // lines as one ExactPolyline through every point, unrounded, where a surface of pixels gets
  // LineTo between rounded points that skips points falling on the same pixel.
  virtual bool KeepsExactPoints() const { return false; }
  // Lines in Pen through the points in order; PenPos becomes the last point, rounded.
  void ExactPolyline(std::span<const TExactPoint> points) {
    DoExactPolyline(points);
    if (!points.empty())
      pen_pos_ = Rounded(points.back());
  }

  // Copies the whole bitmap with its top-left corner at (x, y).
  void Draw(int x, int y, const TBitmap& bitmap) { DoDraw({x, y}, bitmap); }
  // Copies the whole bitmap scaled smoothly to fill the box.
  void StretchDraw(const TRect& box, const TBitmap& bitmap) { DoStretchDraw(box, bitmap); }

 protected:
  static TPoint Rounded(TExactPoint p) { return {int(std::lround(p.X)), int(std::lround(p.Y))}; }
  // Where positions are whole pixels: LineTo between the rounded points.
  virtual void DoExactPolyline(std::span<const TExactPoint> points) {
    for (std::size_t i = 1; i < points.size(); ++i) DoLine(Rounded(points[i - 1]), Rounded(points[i]));
  }
  virtual void DoLine(TPoint from, TPoint to) = 0;
  virtual void DoRectangle(const TRect& box) = 0;
  virtual void DoEllipse(const TRect& box) = 0;
  virtual void DoPolygon(std::span<const TPoint> points) = 0;
  virtual void DoSetPixel(TPoint p, TColor color) = 0;
  virtual void DoFillRect(const TRect& box) = 0;
  virtual void DoTextOut(TPoint p, std::string_view text) = 0;
  virtual void DoRotatedTextOut(TPoint p, int angle, std::string_view text) = 0;
  virtual int DoTextWidth(std::string_view text) = 0;
  virtual int DoTextHeight(std::string_view text) = 0;
  virtual void DoClipRect(const TRect& box) = 0;
  virtual void DoClipPolygon(std::span<const TPoint> points) = 0;
  virtual void DoRemoveClip() = 0;
  virtual void DoDraw(TPoint p, const TBitmap& bitmap) = 0;
  virtual void DoStretchDraw(const TRect& box, const TBitmap& bitmap) = 0;

 private:
  TTextAlign text_align_;
  TBackgroundMode background_mode_ = bmTransparent;
  TColor background_color_ = clWhite;
  TPoint pen_pos_;
};

// A surface painting on the bitmap (at its device pixel ratio) until destroyed; the bitmap keeps
// its size meanwhile.
using TBitmapCanvasMaker = std::function<std::unique_ptr<TCanvas>(TBitmap& bitmap)>;

}  // namespace corvane
