#include "analysiswindow/qq_points.h"

#include <boost/math/special_functions/beta.hpp>
#include <cmath>

namespace corvane {
namespace {

constexpr double kBandTail = 0.025;

double Quantile(const TStationaryLaw& law, double share, const TLikelihoodData& data, double p) {
  try {
    return LawQuantile(law, share, data, p);
  } catch (const std::exception&) {  // a law the distribution function cannot serve
    return kNotANumber;
  }
}

}  // namespace

std::vector<TQqPoint> QqPointsOf(std::span<const double> sorted, const TLikelihoodFit& fit,
                                 const TWorkControl& control) {
  std::vector<TQqPoint> points;
  if (!fit.Fitted() || sorted.empty())
    return points;
  const std::size_t n = sorted.size();
  const std::size_t count = std::min(n, kQqMostPoints);
  const TLikelihoodData data = LikelihoodDataOf(sorted, fit.Resolution);
  const auto nd = static_cast<double>(n);
  points.reserve(count);
  for (std::size_t j = 0; j < count; ++j) {
    ThrowIfStopped(control);
    // Ranks spread evenly from the first to the last.
    const std::size_t i =
        count == n
            ? j
            : static_cast<std::size_t>(std::lround(static_cast<double>(j) * static_cast<double>(n - 1) /
                                                   static_cast<double>(count - 1)));
    const double rank = static_cast<double>(i + 1);
    TQqPoint point;
    point.Data = sorted[i];
    point.Model = Quantile(fit.Law, fit.ContaminantShare, data, (rank - 0.5) / nd);
    point.Low =
        Quantile(fit.Law, fit.ContaminantShare, data, boost::math::ibeta_inv(rank, nd + 1 - rank, kBandTail));
    point.High = Quantile(fit.Law, fit.ContaminantShare, data,
                          boost::math::ibeta_inv(rank, nd + 1 - rank, 1 - kBandTail));
    points.push_back(point);
  }
  return points;
}

}  // namespace corvane
