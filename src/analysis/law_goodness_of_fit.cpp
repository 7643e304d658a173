#include "analysis/law_goodness_of_fit.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace corvane {

double LawDistribution(const TStationaryLaw& law, double share, const TLikelihoodData& data, double x) {
  const double at = std::fabs(x - law.A) <= data.Resolution / 2 ? law.A : x;
  double F = at < law.A ? 0.0 : StationaryDistribution(law, at);
  if (share > 0) {
    const double u = std::clamp((x - data.Minimum) / (data.Maximum - data.Minimum), 0.0, 1.0);
    F = (1 - share) * F + share * u;
  }
  return std::clamp(F, 0.0, 1.0);
}

double KolmogorovDistance(std::span<const double> values, const TStationaryLaw& law, double share,
                          const TLikelihoodData& data) {
  thread_local std::vector<double> sorted;
  sorted.assign(values.begin(), values.end());
  std::sort(sorted.begin(), sorted.end());
  const auto n = static_cast<double>(sorted.size());
  const double keep = share > 0 ? 1 - share : 1.0;
  double distance = 0;
  std::size_t i = 0;
  while (i < sorted.size()) {
    std::size_t j = i;
    while (j < sorted.size() && sorted[j] == sorted[i]) ++j;
    const double x = sorted[i];
    const double F = LawDistribution(law, share, data, x);
    // Just below x: the continuous part is the same; at the atom the law's part is 0.
    double below = F;
    if (std::fabs(x - law.A) <= data.Resolution / 2)
      below = F - keep * StationaryAtom(law);
    distance = std::max({distance, std::fabs(static_cast<double>(j) / n - F),
                         std::fabs(static_cast<double>(i) / n - std::max(below, 0.0))});
    i = j;
  }
  return distance;
}

double LawQuantile(const TStationaryLaw& law, double share, const TLikelihoodData& data, double p) {
  if (!(share > 0))
    return StationaryQuantile(law, p);
  // The mixture's F rises from 0 below A (and min) to 1 at max or beyond: bisect on x.
  double low = std::min(law.A, data.Minimum);
  double high = std::max(data.Maximum, StationaryQuantile(law, std::min(p / (1 - share), 1 - 1e-12)));
  if (LawDistribution(law, share, data, low) >= p)
    return low;
  const double tolerance = 1e-10 * (data.Maximum - data.Minimum);
  for (int step = 0; step < 200 && high - low > tolerance; ++step) {
    const double mid = (low + high) / 2;
    (LawDistribution(law, share, data, mid) < p ? low : high) = mid;
  }
  return high;
}

}  // namespace corvane
