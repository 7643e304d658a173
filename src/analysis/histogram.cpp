#include "analysis/histogram.h"

#include <algorithm>
#include <cmath>

namespace corvane {
namespace {

// The bin width for the m values of `rest` (sorted, m >= 1), and the rule that chose it.
std::pair<double, TBinRule> BinWidth(std::span<const double> rest, double start) {
  const double iqr = SortedQuantile(rest, 0.75) - SortedQuantile(rest, 0.25);
  const auto m = static_cast<double>(rest.size());
  if (iqr > 0)
    return {2.0 * iqr / std::cbrt(m), TBinRule::FreedmanDiaconis};
  const double bins = std::ceil(std::log2(m)) + 1.0;
  const double range = rest.back() - start;
  return {range > 0 ? range / bins : 1.0, TBinRule::Sturges};
}

// Values this close, relative to the larger, count as one value of the grid.
constexpr double kSameValue = 1e-12;
// How far from a whole number of steps a grid value may lie, in steps.
constexpr double kGridTolerance = 1e-6;

}  // namespace

double DataGridStep(std::span<const double> sorted) {
  if (sorted.size() < 2 || !std::isfinite(sorted.front()) || !std::isfinite(sorted.back()))
    return kNotANumber;
  const double range = sorted.back() - sorted.front();
  if (!(range > 0))
    return kNotANumber;
  double step = range;
  for (std::size_t i = 1; i < sorted.size(); ++i) {
    const double gap = sorted[i] - sorted[i - 1];
    if (gap > kSameValue * std::max(std::fabs(sorted[i]), std::fabs(sorted[i - 1])))
      step = std::min(step, gap);
  }
  if (step < range * 1e-9)
    return kNotANumber;
  for (const double v : sorted) {
    const double steps = (v - sorted.front()) / step;
    if (std::fabs(steps - std::round(steps)) > kGridTolerance)
      return kNotANumber;
  }
  return step;
}

THistogram HistogramOf(std::span<const double> sorted, double atom) {
  THistogram h;
  h.Total = sorted.size();
  if (sorted.empty())
    return h;
  h.Atom = std::isfinite(atom) ? atom : sorted.front();
  const double limit = h.Atom + std::fabs(h.Atom) * kAtomTolerance;
  const double low_limit = h.Atom - std::fabs(h.Atom) * kAtomTolerance;
  const auto first_at = std::lower_bound(sorted.begin(), sorted.end(), low_limit);
  const auto past_atom = std::upper_bound(first_at, sorted.end(), limit);
  h.AtomCount = static_cast<std::size_t>(past_atom - first_at);
  h.AtomShare = static_cast<double>(h.AtomCount) / static_cast<double>(h.Total);
  // The bins hold every value not at the atom: those above it, and below it where the caller's
  // atom lies above the minimum.
  std::vector<double> rest_copy;
  std::span<const double> rest(&*past_atom, static_cast<std::size_t>(sorted.end() - past_atom));
  if (first_at != sorted.begin()) {
    rest_copy.assign(sorted.begin(), first_at);
    rest_copy.insert(rest_copy.end(), past_atom, sorted.end());
    rest = rest_copy;
  }
  if (rest.empty())
    return h;
  h.Start = std::min(h.Atom, rest.front());
  auto [width, rule] = BinWidth(rest, h.Start);
  h.Rule = rule;
  const double range = rest.back() - h.Start;
  // The grid of the values binned. Edges a whole number of steps apart cut the grid alike in
  // every bin, whether or not the start (the caller's A) lies on it.
  h.Resolution = DataGridStep(rest);
  const double resolution = h.Resolution;
  const auto whole_steps = [resolution](double w) {
    return std::max(1.0, std::round(w / resolution)) * resolution;
  };
  if (std::isfinite(resolution))
    width = whole_steps(width);
  double bins = std::max(1.0, std::ceil(range / width - (std::isfinite(resolution) ? kGridTolerance : 0.0)));
  if (bins > static_cast<double>(kMaxHistogramBins)) {
    width = range / static_cast<double>(kMaxHistogramBins);
    if (std::isfinite(resolution))
      width = std::ceil(width / resolution) * resolution;
    bins = std::min(static_cast<double>(kMaxHistogramBins), std::max(1.0, std::ceil(range / width)));
  }
  h.Width = width;
  const auto count = static_cast<std::size_t>(bins);
  h.Counts.assign(count, 0);
  // A grid value on an edge may lie a rounding error above it: it is taken back to the edge.
  const double nudge = std::isfinite(resolution) ? kGridTolerance * resolution / width : 0.0;
  for (const double v : rest) {
    // (lower, upper]: a value on an edge belongs to the bin below it; the start to the first.
    double position = std::ceil((v - h.Start) / width - nudge) - 1.0;
    position = std::clamp(position, 0.0, bins - 1.0);
    ++h.Counts[static_cast<std::size_t>(position)];
  }
  h.Densities.resize(count);
  for (std::size_t i = 0; i < count; ++i)
    h.Densities[i] = static_cast<double>(h.Counts[i]) / (static_cast<double>(h.Total) * width);
  return h;
}

}  // namespace corvane
