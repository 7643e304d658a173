#include "analysis/law_goodness_of_fit.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace corvane {

double LawDistribution(const TStationaryLaw& law, double share, const TLikelihoodData& data, double x) {
  const double at = std::fabs(x - law.A) <= data.Resolution / 2 ? law.A : x;
  double F = at < law.A ? 0.0 : LatticeDistribution(law, at);
  if (share > 0) {
    const double u = std::clamp((x - data.Minimum) / (data.Maximum - data.Minimum), 0.0, 1.0);
    F = (1 - share) * F + share * u;
  }
  return std::clamp(F, 0.0, 1.0);
}

double KolmogorovDistance(std::span<const double> values, const TStationaryLaw& law, double share,
                          const TLikelihoodData& data) {
  thread_local std::vector<double> sorted, at, F;
  sorted.assign(values.begin(), values.end());
  std::sort(sorted.begin(), sorted.end());
  // A value within delta/2 of A is taken at A.
  at.resize(sorted.size());
  for (std::size_t i = 0; i < sorted.size(); ++i)
    at[i] = std::fabs(sorted[i] - law.A) <= data.Resolution / 2 ? law.A : sorted[i];
  F.resize(sorted.size());
  LatticeDistribution(law, at, F);
  const auto n = static_cast<double>(sorted.size());
  const double keep = share > 0 ? 1 - share : 1.0;
  const double atom = StationaryAtom(law);
  double distance = 0;
  std::size_t i = 0;
  while (i < sorted.size()) {
    std::size_t j = i;
    while (j < sorted.size() && sorted[j] == sorted[i]) ++j;
    double model = F[i];
    if (share > 0) {
      const double u = std::clamp((sorted[i] - data.Minimum) / (data.Maximum - data.Minimum), 0.0, 1.0);
      model = keep * model + share * u;
    }
    // Just below the value: the same but for the atom's jump at A.
    const double below = at[i] == law.A ? model - keep * atom : model;
    distance = std::max({distance, std::fabs(static_cast<double>(j) / n - model),
                         std::fabs(static_cast<double>(i) / n - std::max(below, 0.0))});
    i = j;
  }
  return distance;
}

double LawQuantile(const TStationaryLaw& law, double share, const TLikelihoodData& data, double p) {
  // F rises from 0 below A (and min) to 1: bisect on x, doubling the upper end until F reaches p.
  double low = std::min(law.A, data.Minimum);
  if (LawDistribution(law, share, data, low) >= p)
    return low;
  const double scale = std::max(data.Maximum - data.Minimum, 1 / law.c0);
  double high = std::max(data.Maximum, law.A + 1 / law.c0);
  for (int step = 0; step < 60 && LawDistribution(law, share, data, high) < p; ++step)
    high += scale * (step + 1);
  const double tolerance = 1e-10 * scale;
  for (int step = 0; step < 200 && high - low > tolerance; ++step) {
    const double mid = (low + high) / 2;
    (LawDistribution(law, share, data, mid) < p ? low : high) = mid;
  }
  return high;
}

}  // namespace corvane
