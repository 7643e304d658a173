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

}  // namespace

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
  double bins = std::max(1.0, std::ceil(range / width));
  if (bins > static_cast<double>(kMaxHistogramBins)) {
    bins = static_cast<double>(kMaxHistogramBins);
    width = range / bins;
  }
  h.Width = width;
  const auto count = static_cast<std::size_t>(bins);
  h.Counts.assign(count, 0);
  for (const double v : rest) {
    // (lower, upper]: a value on an edge belongs to the bin below it; the start to the first.
    double position = std::ceil((v - h.Start) / width) - 1.0;
    position = std::clamp(position, 0.0, bins - 1.0);
    ++h.Counts[static_cast<std::size_t>(position)];
  }
  h.Densities.resize(count);
  for (std::size_t i = 0; i < count; ++i)
    h.Densities[i] = static_cast<double>(h.Counts[i]) / (static_cast<double>(h.Total) * width);
  return h;
}

}  // namespace corvane
