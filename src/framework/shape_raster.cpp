#include "framework/shape_raster.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <cmath>

namespace corvane {

void EllipseSpans(const TRect& box, std::vector<TSpan>& rows) {
  rows.clear();
  if (box.IsEmpty())
    return;
  const double cx = (double(box.Left) + box.Right) / 2;
  const double cy = (double(box.Top) + box.Bottom) / 2;
  const double rx = box.Width() / 2.0;
  const double ry = box.Height() / 2.0;
  for (int y = box.Top; y < box.Bottom; ++y) {
    const double t = (y + 0.5 - cy) / ry;
    const double half = rx * std::sqrt(std::max(0.0, 1 - t * t));
    // Pixel x is inside when |x + 0.5 - cx| <= half.
    const int left = int(std::ceil(cx - half - 0.5));
    const int right = int(std::floor(cx + half - 0.5)) + 1;
    rows.push_back({y, std::max(left, box.Left), std::min(right, box.Right)});
  }
}

namespace {

bool IsEmpty(const TSpan& s) {
  return s.Right <= s.Left;
}

// The row `k` steps away from index i, or an empty one beyond the shape.
TSpan RowAt(std::span<const TSpan> rows, std::size_t i, int k) {
  const long long j = static_cast<long long>(i) + k;
  if (j < 0 || j >= static_cast<long long>(rows.size()))
    return {};
  return rows[std::size_t(j)];
}

}  // namespace

void SplitRim(std::span<const TSpan> rows, int width, std::vector<TSpan>& rim, std::vector<TSpan>& interior) {
  assert(width >= 1);
  rim.clear();
  interior.clear();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TSpan row = rows[i];
    if (IsEmpty(row))
      continue;
    // A pixel belongs to the interior when the `width` pixels on either side of it in its row and
    // in its column all belong to the shape: (x, y) with a neighbour outside is rim.
    int left = row.Left + width;
    int right = row.Right - width;
    for (int k = -width; k <= width && left < right; ++k) {
      if (k == 0)
        continue;
      const TSpan other = RowAt(rows, i, k);
      if (IsEmpty(other)) {
        left = right;
        break;
      }
      left = std::max(left, other.Left);
      right = std::min(right, other.Right);
    }
    if (left >= right) {
      rim.push_back(row);
      continue;
    }
    rim.push_back({row.Y, row.Left, left});
    interior.push_back({row.Y, left, right});
    rim.push_back({row.Y, right, row.Right});
  }
}

void PolygonSpans(std::span<const TPoint> points, std::vector<double>& crossings, std::vector<TSpan>& spans) {
  spans.clear();
  if (points.size() < 3)
    return;
  int top = INT_MAX;
  int bottom = INT_MIN;
  for (const TPoint& p : points) {
    top = std::min(top, p.Y);
    bottom = std::max(bottom, p.Y);
  }
  for (int y = top; y < bottom; ++y) {
    // Row centres lie half way between integer vertices, so no vertex is ever met exactly.
    const double yc = y + 0.5;
    crossings.clear();
    for (std::size_t i = 0; i < points.size(); ++i) {
      const TPoint a = points[i];
      const TPoint b = points[(i + 1) % points.size()];
      if ((a.Y < yc) == (b.Y < yc))
        continue;
      crossings.push_back(a.X + (yc - a.Y) * (b.X - a.X) / double(b.Y - a.Y));
    }
    std::sort(crossings.begin(), crossings.end());
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
      // Pixel x is inside when crossings[i] <= x + 0.5 < crossings[i + 1].
      const int left = int(std::ceil(crossings[i] - 0.5));
      const int right = int(std::ceil(crossings[i + 1] - 0.5));
      if (left < right)
        spans.push_back({y, left, right});
    }
  }
}

}  // namespace corvane
