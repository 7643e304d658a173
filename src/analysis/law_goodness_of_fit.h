// How far data lie from a fitted stationary law: the Kolmogorov distance and the quantiles.
//
//   values, law, share, data --KolmogorovDistance--> sup |empirical F - model F|
//   law, share, data, p --LawQuantile--> the model's p-quantile
//
// The model's distribution function includes the atom at A (a value within delta/2 of A is
// taken at A, where F jumps from 0 to the atom) and, with contaminants, the uniform over the
// data's range: F = (1 - share) F_law + share (x - min)/(max - min). The distance compares F
// with the empirical function on both sides of each distinct value. F is the lattice's
// (shape_lattice.h), as the likelihood's density, so a refit asks for no shape of its own; the
// quantile is found by bisection on F to 1e-10 of the data's range.
#pragma once

#include <array>
#include <span>

#include "analysis/stationary_law.h"
#include "analysis/stationary_likelihood.h"

namespace corvane {

inline constexpr std::array<double, 5> kGoodnessLevels = {0.1, 0.3, 0.5, 0.7, 0.9};

// share: NaN or 0 for none.
double KolmogorovDistance(std::span<const double> values, const TStationaryLaw& law, double share,
                          const TLikelihoodData& data);
double LawDistribution(const TStationaryLaw& law, double share, const TLikelihoodData& data, double x);
double LawQuantile(const TStationaryLaw& law, double share, const TLikelihoodData& data, double p);

}  // namespace corvane
