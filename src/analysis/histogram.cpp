#include "analysis/histogram.h"

#include <algorithm>
#include <cmath>

namespace corvane {

THistogram HistogramOf(std::span<const double> sorted, double atom) {
  THistogram h;
  h.Total = sorted.size();
  if (sorted.empty())
    return h;
  h.Atom = std::isfinite(atom) ? atom : sorted.front();
  const double limit = h.Atom + std::abs(h.Atom) * kAtomTolerance;
  const auto rest_begin = std::upper_bound(sorted.begin(), sorted.end(), limit);
  const auto low_begin =
      std::lower_bound(sorted.begin(), sorted.end(), h.Atom - std::abs(h.Atom) * kAtomTolerance);
  h.AtomCount = static_cast<std::size_t>(rest_begin - low_begin);
  h.AtomShare = static_cast<double>(h.AtomCount) / static_cast<double>(h.Total);
  // Values below the atom (data that are not the model's) are binned with the rest.
  std::vector<double> rest(sorted.begin(), low_begin);
  rest.insert(rest.end(), rest_begin, sorted.end());
  if (rest.empty())
    return h;
  const std::size_t m = rest.size();
  const double iqr = SortedQuantile(rest, 0.75) - SortedQuantile(rest, 0.25);
  h.Start = std::min(h.Atom, rest.front());
  const double range = rest.back() - h.Start;
  std::size_t bins;
  if (iqr > 0 && range > 0) {
    h.Rule = TBinRule::FreedmanDiaconis;
    h.Width = 2 * iqr * std::pow(static_cast<double>(m), -1.0 / 3.0);
    bins = static_cast<std::size_t>(std::ceil(range / h.Width));
    if (bins > kMaxHistogramBins) {
      bins = kMaxHistogramBins;
      h.Width = range / static_cast<double>(bins);
    }
  } else {
    h.Rule = TBinRule::Sturges;
    bins = static_cast<std::size_t>(std::ceil(std::log2(static_cast<double>(m)))) + 1;
    h.Width = range > 0 ? range / static_cast<double>(bins) : std::max(std::abs(h.Start) * 1e-3, 1e-9);
  }
  bins = std::max<std::size_t>(bins, 1);
  h.Counts.assign(bins, 0);
  for (double value : rest) {
    // Half-open (lower, upper]: a value on an edge belongs to the bin below it.
    const double position = (value - h.Start) / h.Width;
    auto bin = static_cast<std::size_t>(std::max(0.0, std::ceil(position) - 1));
    h.Counts[std::min(bin, bins - 1)] += 1;
  }
  h.Densities.resize(bins);
  for (std::size_t i = 0; i < bins; ++i)
    h.Densities[i] = static_cast<double>(h.Counts[i]) / (static_cast<double>(h.Total) * h.Width);
  return h;
}

}  // namespace corvane
