#include "analysis/stationary_series.h"

#include <cmath>

#include "analysis/model_prediction.h"
#include "simulation/null_sink.h"

namespace corvane {
namespace {

// A standard normal by the polar method.
double DrawNormal(TRandomGenerator& generator) {
  for (;;) {
    const double u = 2.0 * generator.OpenFraction() - 1.0;
    const double v = 2.0 * generator.OpenFraction() - 1.0;
    const double s = u * u + v * v;
    if (s > 0 && s < 1)
      return u * std::sqrt(-2.0 * std::log(s) / s);
  }
}

}  // namespace

double DrawGamma(double shape, double rate, TRandomGenerator& generator) {
  const double d = shape - 1.0 / 3.0;
  const double c = 1.0 / std::sqrt(9.0 * d);
  for (;;) {
    const double x = DrawNormal(generator);
    double v = 1.0 + c * x;
    if (v <= 0)
      continue;
    v = v * v * v;
    const double u = generator.OpenFraction();
    if (u < 1.0 - 0.0331 * x * x * x * x || std::log(u) < 0.5 * x * x + d * (1.0 - v + std::log(v)))
      return d * v / rate;
  }
}

TStationarySeries::TStationarySeries(const TParameterSet& P, std::uint32_t seed)
    : P_(P), generator_(seed), simulator_(generator_) {
  const double k = P.c1 / P.a1;
  start_y_ = DrawGamma(k + 1.0, P.c0 / P.a0, generator_);
  P_.y0 = start_y_ > 0 ? start_y_ : P.a0 / P.c0 * 1e-300;  // the simulator wants y0 > 0
}

double TStationarySeries::Next() {
  TNullReactionSink sink;
  const double rt = simulator_.SimulateReaction(P_, first_, sink);
  first_ = false;
  return rt;
}

void TStationarySeries::Fill(std::span<double> reaction_times) {
  TNullReactionSink sink;
  for (double& rt : reaction_times) {
    rt = simulator_.SimulateReaction(P_, first_, sink);
    first_ = false;
  }
}

double TStationarySeries::CarriedY() const noexcept {
  return first_ ? P_.y0 : simulator_.CarriedY();
}

}  // namespace corvane
