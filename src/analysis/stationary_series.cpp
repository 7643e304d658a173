#include "analysis/stationary_series.h"

#include <cmath>

namespace corvane {
namespace {

// A standard normal draw by the polar method.
double DrawNormal(TRandomGenerator& generator) {
  for (;;) {
    const double u = 2 * generator.OpenFraction() - 1;
    const double v = 2 * generator.OpenFraction() - 1;
    const double s = u * u + v * v;
    if (s > 0 && s < 1)
      return u * std::sqrt(-2 * std::log(s) / s);
  }
}

class TNoSink final : public TReactionSink {
 public:
  void AddPathPoint(double, double) override {}
  void AddPeriodRecord(const TPeriodRecord&) override {}
};

}  // namespace

double DrawGamma(double shape, double rate, TRandomGenerator& generator) {
  const double d = shape - 1.0 / 3.0;
  const double c = 1 / std::sqrt(9 * d);
  for (;;) {
    const double x = DrawNormal(generator);
    const double t = 1 + c * x;
    if (t <= 0)
      continue;
    const double v = t * t * t;
    const double u = generator.OpenFraction();
    if (u < 1 - 0.0331 * x * x * x * x || std::log(u) < 0.5 * x * x + d * (1 - v + std::log(v)))
      return d * v / rate;
  }
}

TStationarySeries::TStationarySeries(const TParameterSet& P, std::uint32_t seed)
    : P_(P),
      generator_(seed),
      simulator_([this] { return generator_.Fraction(); }),
      start_y_(DrawGamma(P.c1 / P.a1 + 1, P.c0 / P.a0, generator_)) {}

double TStationarySeries::Next() {
  TNoSink sink;
  TParameterSet P = P_;
  P.y0 = start_y_;
  const double time = simulator_.SimulateReaction(P, first_, sink);
  first_ = false;
  return time;
}

void TStationarySeries::Fill(std::span<double> reaction_times) {
  for (double& time : reaction_times) time = Next();
}

double TStationarySeries::CarriedY() const noexcept {
  return first_ ? start_y_ : simulator_.CarriedY();
}

}  // namespace corvane
