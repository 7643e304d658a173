#include "chart/chart_readout.h"

#include <algorithm>
#include <cmath>

#include "chart/axis_panel.h"
#include "chart/custom_series.h"
#include "chart/point_mapper.h"

namespace corvane {
namespace {

struct TPlace {
  double X = 0;
  double Y = 0;
};

// The place on a-b nearest p; a itself for a segment without length.
TPlace NearestOnSegment(TPoint a, TPoint b, TPoint p) {
  const double dx = static_cast<double>(b.X) - a.X;
  const double dy = static_cast<double>(b.Y) - a.Y;
  const double length2 = dx * dx + dy * dy;
  double t = 0;
  if (length2 > 0)
    t = std::clamp(((static_cast<double>(p.X) - a.X) * dx + (static_cast<double>(p.Y) - a.Y) * dy) / length2,
                   0.0, 1.0);
  return {a.X + t * dx, a.Y + t * dy};
}

double Distance(TPlace q, TPoint p) {
  return std::hypot(q.X - p.X, q.Y - p.Y);
}

bool Inside(const TRect& r, TPlace q) {
  return q.X >= r.Left && q.X <= r.Right && q.Y >= r.Top && q.Y <= r.Bottom;
}

// Whether p lies within the radius of the box spanned by a and b: a cheap test in whole pixels
// that rules out nearly every segment of a long path before any distance is computed.
bool NearBox(TPoint a, TPoint b, TPoint p) {
  constexpr long long r = static_cast<long long>(kReadoutRadius);
  return p.X >= std::min(a.X, b.X) - r && p.X <= std::max(a.X, b.X) + r && p.Y >= std::min(a.Y, b.Y) - r &&
         p.Y <= std::max(a.Y, b.Y) + r;
}

TPlace PlaceOf(TPoint p) {
  return {static_cast<double>(p.X), static_cast<double>(p.Y)};
}

// The nearest point or segment of one series within the radius; Index -1 when none.
TReadoutHit NearestItem(const TChartSeries& series, const TRect& plot, TPoint mouse) {
  TReadoutHit best{&series, -1, kReadoutRadius};
  const int first = series.FirstShownIndex();
  if (first < 0)
    return best;
  const auto* drawn = dynamic_cast<const TCustomSeries*>(&series);
  const bool segments = drawn != nullptr && drawn->DrawsLines();
  const TPointMapper mapper = PointMapperOf(series);
  const auto consider = [&](int index, double distance) {
    if (distance <= kReadoutRadius && (best.Index < 0 || distance < best.Distance))
      best = {&series, index, distance};
  };
  TPoint previous;
  bool joined = false;  // whether a segment reaches point i from the point before
  // The line runs in from the point before the first shown one, cut at the plot edge.
  for (int i = std::max(0, first - 1); i <= series.LastShownIndex() && i < series.PointCount(); ++i) {
    if (series.PointColor(i) == clNone) {
      joined = false;
      continue;
    }
    const TPoint p{mapper.X(series.XValueAt(i)), mapper.Y(series.YValueAt(i))};
    if (NearBox(p, p, mouse) && Inside(plot, PlaceOf(p)))
      consider(i, Distance(PlaceOf(p), mouse));
    if (joined && NearBox(previous, p, mouse)) {
      const TPlace near = NearestOnSegment(previous, p, mouse);
      if (Inside(plot, near)) {
        const bool nearer_start = Distance(PlaceOf(previous), mouse) <= Distance(PlaceOf(p), mouse);
        consider(nearer_start ? i - 1 : i, Distance(near, mouse));
      }
    }
    previous = p;
    joined = segments;
  }
  return best;
}

}  // namespace

double PixelDistanceToSegment(TPoint a, TPoint b, TPoint p) {
  return Distance(NearestOnSegment(a, b, p), p);
}

std::vector<TReadoutHit> ReadoutHits(const TCustomAxisPanel& chart, int x, int y) {
  std::vector<TReadoutHit> hits;
  for (const TChartSeries* series : chart.SeriesList()) {
    if (!series->Active() || !series->UseAxis())
      continue;
    const TReadoutHit hit = NearestItem(*series, chart.PlotRect(), {x, y});
    if (hit.Index >= 0)
      hits.push_back(hit);
  }
  std::stable_sort(hits.begin(), hits.end(),
                   [](const TReadoutHit& a, const TReadoutHit& b) { return a.Distance < b.Distance; });
  return hits;
}

std::string ReadoutTipText(const std::vector<TReadoutHit>& hits, const TReadoutText& text) {
  std::string joined;
  if (!text)
    return joined;
  for (const TReadoutHit& hit : hits) {
    const std::string block = text(*hit.Series, hit.Index);
    if (block.empty())
      continue;
    if (!joined.empty())
      joined += "\n\n";
    joined += block;
  }
  return joined;
}

TRect ReadoutTipPlacement(const TRect& tip, TPoint pointer, const TRect& screen) {
  if (!tip.Contains(pointer))
    return tip;
  const int w = tip.Width();
  const int h = tip.Height();
  const int right = pointer.X + kReadoutTipGap;
  const int left = pointer.X - kReadoutTipGap - w;
  const int below = pointer.Y + kReadoutTipGap;
  const int above = pointer.Y - kReadoutTipGap - h;
  const TPoint corners[] = {{right, below}, {left, below}, {right, above}, {left, above}};
  for (const TPoint c : corners) {
    const TRect r{c.X, c.Y, c.X + w, c.Y + h};
    if (r.Left >= screen.Left && r.Top >= screen.Top && r.Right <= screen.Right && r.Bottom <= screen.Bottom)
      return r;
  }
  return {right, below, right + w, below + h};
}

}  // namespace corvane
