// Rasterising one line into runs of pixels, the surface's own rule rather than the toolkit's, so
// that the end pixel is left out exactly and a scaled paint covers the same logical pixels.
//
// The line from `from` to `to` paints max(|dx|, |dy|) pixels: pixel i lies i steps along the
// major axis from `from`, and its minor offset is i * minor / major rounded, halves away from the
// start. (0, 0) -> (10, 0) paints x 0..9; (0, 0) -> (4, 2) paints (0,0) (1,1) (2,1) (3,2).
//
// ForEachLineRun works in three steps: TLineAxes names the major and minor axes of the line,
// VisiblePixels clips the pixel indices to the window, and the walk splits them into runs of one
// minor offset (MinorOffset, OffsetRunEnd), cut again by the dash pattern (TDashCursor).
#pragma once

#include <algorithm>
#include <cstdlib>
#include <span>
#include <utility>

#include "framework/rect.h"

namespace corvane {

// `Length` pixels along the major axis starting at the top-left-most pixel (X, Y); `On` is false
// for the gaps of a dash pattern.
struct TLineRun {
  int X = 0;
  int Y = 0;
  int Length = 0;
  bool XMajor = true;
  bool On = true;
  bool operator==(const TLineRun&) const = default;
};

// Pixel positions of lines reach 2^32 apart, and the products in MinorOffset and OffsetRunEnd
// reach 2^65: wider than long long, and splitting them into 64-bit halves would hide the rule
// behind carries. Both compilers we build with (GCC and Clang) provide a 128-bit integer;
// `__extension__` keeps -Wpedantic quiet about it.
__extension__ typedef __int128 TLineWide;

namespace line_raster_detail {

// The line seen along its major axis: Major pixels, each Minor / Major across.
struct TLineAxes {
  bool XMajor = true;
  long long Major = 0;
  long long Minor = 0;
  int MajorStep = 1;
  int MinorStep = 1;
  long long MajorStart = 0;
  long long MinorStart = 0;
};

inline TLineAxes LineAxes(TPoint from, TPoint to) {
  const long long dx = static_cast<long long>(to.X) - from.X;
  const long long dy = static_cast<long long>(to.Y) - from.Y;
  TLineAxes axes;
  axes.XMajor = std::llabs(dx) >= std::llabs(dy);
  axes.Major = axes.XMajor ? std::llabs(dx) : std::llabs(dy);
  axes.Minor = axes.XMajor ? std::llabs(dy) : std::llabs(dx);
  axes.MajorStep = (axes.XMajor ? dx : dy) > 0 ? 1 : -1;
  axes.MinorStep = (axes.XMajor ? dy : dx) >= 0 ? 1 : -1;
  axes.MajorStart = axes.XMajor ? from.X : from.Y;
  axes.MinorStart = axes.XMajor ? from.Y : from.X;
  return axes;
}

// Pixel indices first .. last - 1 whose coordinate MajorStart + MajorStep * i lies within the
// window along the major axis; empty when first >= last.
inline std::pair<long long, long long> VisiblePixels(const TLineAxes& axes, const TRect& visible) {
  const long long lo = axes.XMajor ? visible.Left : visible.Top;
  const long long hi = axes.XMajor ? visible.Right : visible.Bottom;
  const bool forward = axes.MajorStep > 0;
  const long long first = std::max(0LL, forward ? lo - axes.MajorStart : axes.MajorStart - hi + 1);
  const long long last = std::min(axes.Major, forward ? hi - axes.MajorStart : axes.MajorStart - lo + 1);
  return {first, last};
}

// The minor offset of pixel i: i * minor / major rounded, halves away from the start.
inline long long MinorOffset(const TLineAxes& axes, long long i) {
  const TLineWide major = axes.Major;
  return static_cast<long long>((2 * i * TLineWide{axes.Minor} + major) / (2 * major));
}

// The first pixel past `offset`, capped at `last`: the smallest j with
// 2 j minor + major >= 2 major (offset + 1).
inline long long OffsetRunEnd(const TLineAxes& axes, long long offset, long long last) {
  if (axes.Minor == 0)
    return last;
  const TLineWide major = axes.Major;
  const TLineWide minor = axes.Minor;
  const TLineWide bound = 2 * major * (offset + 1) - major;
  return std::min(last, static_cast<long long>((bound + 2 * minor - 1) / (2 * minor)));
}

// Where the dash pattern stands: the index of the current dash (even ones are on) and the pixels
// left in it. The phase restarts at the line's start, so a clipped walk enters mid-pattern.
class TDashCursor {
 public:
  TDashCursor(std::span<const int> pattern, long long start, long long solid_length)
      : pattern_(pattern), left_(solid_length) {
    if (pattern_.empty())
      return;
    long long period = 0;
    for (const int length : pattern_) period += length;
    long long phase = start % period;
    while (phase >= pattern_[dash_]) phase -= pattern_[dash_++];
    left_ = pattern_[dash_] - phase;
  }

  bool On() const { return dash_ % 2 == 0; }
  long long Remaining() const { return left_; }

  void Advance(long long count) {
    left_ -= count;
    if (left_ == 0 && !pattern_.empty()) {
      dash_ = (dash_ + 1) % pattern_.size();
      left_ = pattern_[dash_];
    }
  }

 private:
  std::span<const int> pattern_;
  long long left_ = 0;
  std::size_t dash_ = 0;
};

// The run of `count` pixels from index `first` at minor `offset`, from its top-left end.
inline TLineRun MakeRun(const TLineAxes& axes, long long first, long long count, long long offset, bool on) {
  const long long low = axes.MajorStep > 0 ? first : first + count - 1;
  const int along = static_cast<int>(axes.MajorStart + axes.MajorStep * low);
  const int across = static_cast<int>(axes.MinorStart + axes.MinorStep * offset);
  return TLineRun{axes.XMajor ? along : across, axes.XMajor ? across : along, static_cast<int>(count),
                  axes.XMajor, on};
}

}  // namespace line_raster_detail

// Calls sink(TLineRun) for each run, from the start of the line to its end. `pattern` alternates
// on and off lengths in pixels (each > 0), starting with on and restarting at `from`; empty means
// solid. Only pixels whose coordinate along the major axis lies within `visible` are reported,
// so a line running far off the image costs only its visible part; the pixels and the dash
// phase are those of the whole line.
template <class Sink>
void ForEachLineRun(TPoint from, TPoint to, std::span<const int> pattern, const TRect& visible, Sink&& sink) {
  using namespace line_raster_detail;
  const TLineAxes axes = LineAxes(from, to);
  if (axes.Major == 0)
    return;
  auto [i, last] = VisiblePixels(axes, visible);
  if (i >= last)
    return;
  TDashCursor dash(pattern, i, last);
  while (i < last) {
    const long long offset = MinorOffset(axes, i);
    const long long end = OffsetRunEnd(axes, offset, last);
    while (i < end) {
      const long long count = std::min(end - i, dash.Remaining());
      sink(MakeRun(axes, i, count, offset, dash.On()));
      i += count;
      dash.Advance(count);
    }
  }
}

// The whole line, wherever it runs.
template <class Sink>
void ForEachLineRun(TPoint from, TPoint to, std::span<const int> pattern, Sink&& sink) {
  constexpr int kFar = 1 << 30;
  ForEachLineRun(from, to, pattern, TRect{-kFar - kFar, -kFar - kFar, kFar + (kFar - 1), kFar + (kFar - 1)},
                 std::forward<Sink>(sink));
}

}  // namespace corvane
