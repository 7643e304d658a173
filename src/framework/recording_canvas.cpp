#include "framework/recording_canvas.h"

#include "framework/bitmap.h"

namespace corvane {

namespace {

// Characters, not bytes: a UTF-8 label such as "µs" is two characters wide.
int CharacterCount(std::string_view text) {
  int count = 0;
  for (const char c : text)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
      ++count;
  return count;
}

}  // namespace

std::vector<TCanvasCall> TRecordingCanvas::CallsOf(TCanvasOp op) const {
  std::vector<TCanvasCall> found;
  for (const TCanvasCall& call : calls_)
    if (call.Op == op)
      found.push_back(call);
  return found;
}

const TCanvasCall* TRecordingCanvas::FindText(std::string_view text) const {
  for (const TCanvasCall& call : calls_)
    if ((call.Op == TCanvasOp::TextOut || call.Op == TCanvasOp::RotatedTextOut) && call.Text == text)
      return &call;
  return nullptr;
}

TCanvasCall& TRecordingCanvas::Record(TCanvasOp op) {
  TCanvasCall& call = calls_.emplace_back();
  call.Op = op;
  call.Pen = Pen;
  call.Brush = Brush;
  call.Font = Font;
  call.Align = TextAlign();
  call.BackgroundMode = BackgroundMode();
  call.BackgroundColor = BackgroundColor();
  return call;
}

void TRecordingCanvas::DoLine(TPoint from, TPoint to) {
  Record(TCanvasOp::Line).Points = {from, to};
}
void TRecordingCanvas::DoRectangle(const TRect& box) {
  Record(TCanvasOp::Rectangle).Box = box;
}
void TRecordingCanvas::DoEllipse(const TRect& box) {
  Record(TCanvasOp::Ellipse).Box = box;
}

void TRecordingCanvas::DoPolygon(std::span<const TPoint> points) {
  Record(TCanvasOp::Polygon).Points.assign(points.begin(), points.end());
}

void TRecordingCanvas::DoSetPixel(TPoint p, TColor color) {
  TCanvasCall& call = Record(TCanvasOp::SetPixel);
  call.Points = {p};
  call.Color = color;
}

void TRecordingCanvas::DoFillRect(const TRect& box) {
  Record(TCanvasOp::FillRect).Box = box;
}

void TRecordingCanvas::DoTextOut(TPoint p, std::string_view text) {
  TCanvasCall& call = Record(TCanvasOp::TextOut);
  call.Points = {p};
  call.Text = text;
}

void TRecordingCanvas::DoRotatedTextOut(TPoint p, int angle, std::string_view text) {
  TCanvasCall& call = Record(TCanvasOp::RotatedTextOut);
  call.Points = {p};
  call.Angle = angle;
  call.Text = text;
}

int TRecordingCanvas::DoTextWidth(std::string_view text) {
  return CharacterCount(text) * char_width_;
}
int TRecordingCanvas::DoTextHeight(std::string_view) {
  return height_;
}

void TRecordingCanvas::DoClipRect(const TRect& box) {
  Record(TCanvasOp::ClipRect).Box = box;
}

void TRecordingCanvas::DoClipPolygon(std::span<const TPoint> points) {
  Record(TCanvasOp::ClipPolygon).Points.assign(points.begin(), points.end());
}

void TRecordingCanvas::DoRemoveClip() {
  Record(TCanvasOp::RemoveClip);
}

void TRecordingCanvas::DoDraw(TPoint p, const TBitmap& bitmap) {
  TCanvasCall& call = Record(TCanvasOp::Draw);
  call.Points = {p};
  call.Box = {p.X, p.Y, p.X + bitmap.Width(), p.Y + bitmap.Height()};
}

void TRecordingCanvas::DoStretchDraw(const TRect& box, const TBitmap&) {
  TCanvasCall& call = Record(TCanvasOp::StretchDraw);
  call.Box = box;
}

}  // namespace corvane
