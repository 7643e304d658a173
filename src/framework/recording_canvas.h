// TRecordingCanvas: a drawing surface that draws nothing and records every call with its
// coordinates and the drawing state in force, for tests that check a chart's geometry number for
// number. Text is measured with metrics the test sets, independent of the installed fonts: every
// character is CharWidth pixels wide and every text Height pixels high.
#pragma once

#include <string>
#include <vector>

#include "framework/canvas.h"

namespace corvane {

enum class TCanvasOp {
  Line,
  Rectangle,
  Ellipse,
  Polygon,
  SetPixel,
  FillRect,
  TextOut,
  RotatedTextOut,
  ClipRect,
  ClipPolygon,
  RemoveClip,
  Draw,
  StretchDraw
};

struct TCanvasCall {
  TCanvasOp Op = TCanvasOp::Line;
  // Line: from and to. Polygon, ClipPolygon: the corners. SetPixel, TextOut, RotatedTextOut, Draw:
  // the one point given.
  std::vector<TPoint> Points;
  // Rectangle, Ellipse, FillRect, ClipRect, StretchDraw: the box as given. Draw: the bitmap's
  // logical box.
  TRect Box;
  std::string Text;
  int Angle = 0;
  TColor Color = clBlack;  // SetPixel
  TPen Pen;
  TBrush Brush;
  TFont Font;
  TTextAlign Align;
  TBackgroundMode BackgroundMode = bmTransparent;
  TColor BackgroundColor = clWhite;
};

class TRecordingCanvas final : public TCanvas {
 public:
  void SetTextMetrics(int char_width, int height) {
    char_width_ = char_width;
    height_ = height;
  }

  const std::vector<TCanvasCall>& Calls() const { return calls_; }
  std::vector<TCanvasCall> CallsOf(TCanvasOp op) const;
  // The first text drawn (straight or rotated) with exactly this text, or nullptr.
  const TCanvasCall* FindText(std::string_view text) const;
  void Clear() { calls_.clear(); }

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
  TCanvasCall& Record(TCanvasOp op);

  int char_width_ = 6;
  int height_ = 13;
  std::vector<TCanvasCall> calls_;
};

}  // namespace corvane
