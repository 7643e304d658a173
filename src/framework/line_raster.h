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

// Calls sink(TLineRun) for each run, from the start of the line to its end. `pattern` alternates
// on and off lengths in pixels (each > 0), starting with on and restarting at `from`; empty means
// solid.
template <class Sink>
void ForEachLineRun(TPoint from, TPoint to, std::span<const int> pattern, Sink&& sink) {
  const long long dx = to.X - from.X;
  const long long dy = to.Y - from.Y;
  const bool x_major = std::llabs(dx) >= std::llabs(dy);
  const long long major = x_major ? std::llabs(dx) : std::llabs(dy);
  const long long minor = x_major ? std::llabs(dy) : std::llabs(dx);
  if (major == 0)
    return;
  const int major_step = (x_major ? dx : dy) > 0 ? 1 : -1;
  const int minor_step = (x_major ? dy : dx) >= 0 ? 1 : -1;
  const int major_start = x_major ? from.X : from.Y;
  const int minor_start = x_major ? from.Y : from.X;

  std::size_t dash = 0;
  long long dash_left = pattern.empty() ? major : pattern[0];
  auto report = [&](long long first, long long count, long long offset, bool on) {
    // Runs walking toward smaller coordinates are reported from their top-left end.
    const long long low = major_step > 0 ? first : first + count - 1;
    const int along = int(major_start + major_step * low);
    const int across = int(minor_start + minor_step * offset);
    sink(TLineRun{x_major ? along : across, x_major ? across : along, int(count), x_major, on});
  };

  long long i = 0;
  while (i < major) {
    const long long offset = (2 * i * minor + major) / (2 * major);
    // First pixel with a larger offset: the smallest j with 2 j minor + major >= 2 major (offset + 1).
    long long end = major;
    if (minor != 0) {
      const long long bound = 2 * major * (offset + 1) - major;
      end = std::min(major, (bound + 2 * minor - 1) / (2 * minor));
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

}  // namespace corvane
