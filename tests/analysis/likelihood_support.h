// Series for the likelihood tests: the model's stationary reactions, the independent limit, and
// the field's standard shapes, each from a generator of its own.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "analysis/likelihood_bootstrap.h"
#include "analysis/stationary_series.h"
#include "runtime/random_generator.h"

namespace corvane::test_support {

inline std::vector<double> ModelSeries(const TParameterSet& P, std::size_t n, std::uint32_t seed) {
  std::vector<double> values(n);
  TStationarySeries series(P, seed);
  series.Fill(values);
  return values;
}

// Reactions of the independent limit (k = inf), rounded to `delta` (0: not rounded).
inline std::vector<double> IndependentSeries(double A, double b, double c0, std::size_t n, std::uint32_t seed,
                                             double delta = 0) {
  std::vector<double> values(n);
  const TStationaryLaw law{A, b, std::numeric_limits<double>::infinity(), c0};
  TLikelihoodData data;
  data.Resolution = delta > 0 ? delta : 1e-300;
  data.Minimum = data.Maximum = A;
  SimulateLaw(law, 1, 0, data, seed, values);
  return values;
}

inline double Normal(TRandomGenerator& g) {
  for (;;) {
    const double u = 2 * g.OpenFraction() - 1, v = 2 * g.OpenFraction() - 1, s = u * u + v * v;
    if (s > 0 && s < 1)
      return u * std::sqrt(-2 * std::log(s) / s);
  }
}

inline std::vector<double> ExGaussianSeries(double mu, double sigma, double tau, std::size_t n,
                                            std::uint32_t seed) {
  TRandomGenerator g(seed);
  std::vector<double> values(n);
  for (double& v : values) v = mu + sigma * Normal(g) - tau * std::log(g.OpenFraction());
  return values;
}

inline std::vector<double> LognormalSeries(double shift, double mu, double sigma, std::size_t n,
                                           std::uint32_t seed) {
  TRandomGenerator g(seed);
  std::vector<double> values(n);
  for (double& v : values) v = shift + std::exp(mu + sigma * Normal(g));
  return values;
}

inline std::vector<double> RoundedTo(std::vector<double> values, double delta) {
  for (double& v : values) v = std::nearbyint(v / delta) * delta;
  return values;
}

}  // namespace corvane::test_support
