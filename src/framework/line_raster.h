// Rasterising one line into runs of pixels, the surface's own rule rather than the toolkit's, so
// that the end pixel is left out exactly and a scaled paint covers the same logical pixels.
//
// The line from `from` to `to` paints max(|dx|, |dy|) pixels: pixel i lies i steps along the
// major axis from `from`, and its minor offset is i * minor / major rounded, halves away from the
// start. (0, 0) -> (10, 0) paints x 0..9; (0, 0) -> (4, 2) paints (0,0) (1,1) (2,1) (3,2).
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

// Pixel positions of lines reach 2^32 apart, and their products 2^65: wider than long long.
__extension__ typedef __int128 TLineWide;

// Calls sink(TLineRun) for each run, from the start of the line to its end. `pattern` alternates
// on and off lengths in pixels (each > 0), starting with on and restarting at `from`; empty means
// solid. Only pixels whose coordinate along the major axis lies within `visible` are reported,
// so a line running far off the image costs only its visible part; the pixels and the dash
// phase are those of the whole line.
template <class Sink>
void ForEachLineRun(TPoint from, TPoint to, std::span<const int> pattern, const TRect& visible, Sink&& sink) {
  const long long dx = (long long)to.X - from.X;
  const long long dy = (long long)to.Y - from.Y;
  const bool x_major = std::llabs(dx) >= std::llabs(dy);
  const long long major = x_major ? std::llabs(dx) : std::llabs(dy);
  const long long minor = x_major ? std::llabs(dy) : std::llabs(dx);
  if (major == 0)
    return;
  const int major_step = (x_major ? dx : dy) > 0 ? 1 : -1;
  const int minor_step = (x_major ? dy : dx) >= 0 ? 1 : -1;
  const long long major_start = x_major ? from.X : from.Y;
  const long long minor_start = x_major ? from.Y : from.X;

  // Indices i whose coordinate major_start + major_step * i lies within lo .. hi - 1.
  const long long lo = x_major ? visible.Left : visible.Top;
  const long long hi = x_major ? visible.Right : visible.Bottom;
  long long i = std::max(0LL, major_step > 0 ? lo - major_start : major_start - hi + 1);
  const long long last = std::min(major, major_step > 0 ? hi - major_start : major_start - lo + 1);
  if (i >= last)
    return;

  std::size_t dash = 0;
  long long dash_left = last;
  if (!pattern.empty()) {
    long long period = 0;
    for (const int length : pattern) period += length;
    long long phase = i % period;
    while (phase >= pattern[dash]) phase -= pattern[dash++];
    dash_left = pattern[dash] - phase;
  }
  auto report = [&](long long first, long long count, long long offset, bool on) {
    // Runs walking toward smaller coordinates are reported from their top-left end.
    const long long low = major_step > 0 ? first : first + count - 1;
    const int along = int(major_start + major_step * low);
    const int across = int(minor_start + minor_step * offset);
    sink(TLineRun{x_major ? along : across, x_major ? across : along, int(count), x_major, on});
  };

  const TLineWide wide_major = major;
  const TLineWide wide_minor = minor;
  while (i < last) {
    const long long offset = (long long)((2 * i * wide_minor + wide_major) / (2 * wide_major));
    // First pixel with a larger offset: the smallest j with 2 j minor + major >= 2 major (offset + 1).
    long long end = last;
    if (minor != 0) {
      const TLineWide bound = 2 * wide_major * (offset + 1) - wide_major;
      end = std::min(last, (long long)((bound + 2 * wide_minor - 1) / (2 * wide_minor)));
    }
    while (i < end) {
      const long long count = std::min(end - i, dash_left);
      report(i, count, offset, dash % 2 == 0);
      i += count;
      dash_left -= count;
      if (dash_left == 0 && !pattern.empty()) {
        dash = (dash + 1) % pattern.size();
        dash_left = pattern[dash];
      }
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
