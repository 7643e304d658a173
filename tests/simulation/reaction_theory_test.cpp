// The model's closed-form predictions: the values derived for two parameter sets, the exact
// per-reaction identity, and a statistical check against a long simulated series.
#include "simulation/reaction_theory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "reaction_support.h"
#include "runtime/errors.h"
#include "runtime/random.h"
#include "simulation/reaction_simulator.h"

namespace corvane {
namespace {

const TParameterSet kOtherSet{3, 0.6, 1.5, 0.9, 0.7, 6};

TEST(ReactionTheoryTest, DerivedValuesForTheDefaultsAndAnotherSet) {
  const TReactionTheory d = ReactionTheoryOf(DefaultParameters());
  EXPECT_EQ(d.StationaryMean, 10);
  EXPECT_NEAR(d.Variance, 9.733, 5e-4);
  EXPECT_NEAR(d.StandardDeviation, 3.120, 5e-4);
  EXPECT_NEAR(d.Lag1Autocorrelation, -0.4056, 5e-5);
  EXPECT_DOUBLE_EQ(d.CarriedInhibitionMean, 3.0);  // (0.5 + 1) * 1 / 0.5
  EXPECT_DOUBLE_EQ(d.DistractionsPerReaction, 2.5);

  const TReactionTheory o = ReactionTheoryOf(kOtherSet);
  EXPECT_DOUBLE_EQ(o.StationaryMean, 4.2);
  EXPECT_NEAR(o.Variance, 2.912, 5e-4);
  EXPECT_NEAR(o.Lag1Autocorrelation, -0.1427, 5e-5);
}

TEST(ReactionTheoryTest, AutocorrelationDecaysGeometricallyAndIsSymmetric) {
  const TParameterSet P = DefaultParameters();
  const double r = std::exp(-2.5 / 1.5);
  EXPECT_EQ(ReactionTimeAutocorrelation(P, 0), 1.0);
  EXPECT_DOUBLE_EQ(ReactionTimeAutocorrelation(P, 1), ReactionTheoryOf(P).Lag1Autocorrelation);
  EXPECT_DOUBLE_EQ(ReactionTimeAutocorrelation(P, 3), -(1 - r) * r * r / 2);
  EXPECT_EQ(ReactionTimeAutocorrelation(P, -3), ReactionTimeAutocorrelation(P, 3));
  EXPECT_EQ(ReactionTimeAutocorrelation(P, 100000), 0.0);  // r^99999 underflows quietly
}

// A tiny rho A leaves r just below 1: 1 - r must keep its digits, not cancel to 0.
TEST(ReactionTheoryTest, ShortReactionsKeepTheirSmallVariance) {
  const TParameterSet P{1e-12, 1, 1, 1, 1, 1};
  const TReactionTheory t = ReactionTheoryOf(P);
  EXPECT_NEAR(t.Variance, 2 * 2 * 0.5e-12, 1e-24);
  EXPECT_NEAR(t.Lag1Autocorrelation, -0.25e-12, 1e-25);
}

TEST(ReactionTheoryTest, ValuesBeyondTheDoubleRangeRaiseOverflow) {
  EXPECT_THROW(ReactionTheoryOf({1, 1e-300, 1, 1e300, 1, 1}), EOverflow);
  EXPECT_THROW(ReactionTimeFromCarried({1e300, 1e10, 1, 1, 1, 1}, 0, 1), EOverflow);
  // Enormous but representable: the mean overflows, nothing is infinite or NaN.
  EXPECT_THROW(ReactionTheoryOf({1e300, 1e10, 1, 1, 1, 1}), EOverflow);
  const TReactionTheory huge = ReactionTheoryOf({1e300, 1, 1, 1, 1, 1});
  EXPECT_EQ(huge.Lag1Autocorrelation, -0.5);
  EXPECT_DOUBLE_EQ(huge.Variance, 4.0);  // 2 (k + 1)(1 - r) / c0^2 with k = 1, r = 0
}

// Keeps only the inhibition carried out of each reaction and the distractions that counted.
class CountingSink final : public TReactionSink {
 public:
  void AddPathPoint(double, double) override {}
  void AddPeriodRecord(const TPeriodRecord& record) override { distractions += record.K == 2 ? 1 : 0; }
  std::int64_t distractions = 0;
};

struct TSeries {
  std::vector<double> times;
  std::vector<double> carried;  // carried[n] after reaction n; carried[0] = y0
  std::int64_t distractions = 0;
};

TSeries SimulateSeries(const TParameterSet& P, std::size_t count, std::uint32_t seed) {
  RandomSeed = seed;
  TReactionSimulator simulator;
  CountingSink sink;
  TSeries s;
  s.times.reserve(count);
  s.carried.reserve(count + 1);
  s.carried.push_back(P.y0);
  for (std::size_t n = 0; n < count; ++n) {
    s.times.push_back(simulator.SimulateReaction(P, n == 0, sink));
    s.carried.push_back(simulator.CarriedY());
  }
  s.distractions = sink.distractions;
  return s;
}

TEST(ReactionTheoryTest, EveryReactionTimeFollowsFromTheCarriedInhibition) {
  for (const TParameterSet& P : {DefaultParameters(), kOtherSet}) {
    const TSeries s = SimulateSeries(P, 100000, 20261208u);
    int misses = 0;
    for (std::size_t n = 0; n < s.times.size(); ++n) {
      const double expected = ReactionTimeFromCarried(P, s.carried[n], s.carried[n + 1]);
      if (std::abs(s.times[n] - expected) > 1e-9 * s.times[n])
        ++misses;
    }
    EXPECT_EQ(misses, 0);
  }
}

double Mean(const double* x, std::size_t n) {
  long double sum = 0;
  for (std::size_t i = 0; i < n; ++i) sum += x[i];
  return static_cast<double>(sum / n);
}

double Variance(const double* x, std::size_t n) {
  const double m = Mean(x, n);
  long double sum = 0;
  for (std::size_t i = 0; i < n; ++i) sum += (x[i] - m) * (x[i] - m);
  return static_cast<double>(sum / (n - 1));
}

double Autocorrelation(const double* x, std::size_t n, std::size_t lag) {
  const double m = Mean(x, n);
  long double num = 0;
  long double den = 0;
  for (std::size_t i = 0; i < n; ++i) {
    den += (x[i] - m) * (x[i] - m);
    if (i + lag < n)
      num += (x[i] - m) * (x[i + lag] - m);
  }
  return static_cast<double>(num / den);
}

// An estimate over the whole series, with its standard error taken from the spread of the same
// estimate over kBatches consecutive batches: the reaction times are correlated, so the
// textbook error of independent draws would not do.
struct TEstimate {
  double Value = 0;
  double StandardError = 0;
};

template <class Statistic>
TEstimate Estimate(const std::vector<double>& x, Statistic statistic) {
  constexpr std::size_t kBatches = 100;
  const std::size_t size = x.size() / kBatches;
  std::vector<double> batches;
  for (std::size_t b = 0; b < kBatches; ++b) batches.push_back(statistic(x.data() + b * size, size));
  return {statistic(x.data(), x.size()), std::sqrt(Variance(batches.data(), kBatches) / kBatches)};
}

// Within five standard errors: a fault in the model or the simulator shows as tens of them.
void ExpectWithinSamplingError(const char* what, const TEstimate& e, double expected) {
  EXPECT_LT(std::abs(e.Value - expected), 5 * e.StandardError)
      << what << ": " << e.Value << " against " << expected << " (standard error " << e.StandardError << ")";
}

TEST(ReactionTheoryTest, AMillionReactionsAgreeWithThePredictions) {
  for (const TParameterSet& P : {DefaultParameters(), kOtherSet}) {
    SCOPED_TRACE(::testing::PrintToString(P));
    const TReactionTheory theory = ReactionTheoryOf(P);
    TSeries s = SimulateSeries(P, 1000000, 4711u);
    ExpectWithinSamplingError("variance", Estimate(s.times, Variance), theory.Variance);
    const auto lag = [](std::size_t j) {
      return [j](const double* x, std::size_t n) { return Autocorrelation(x, n, j); };
    };
    ExpectWithinSamplingError("lag 1", Estimate(s.times, lag(1)), theory.Lag1Autocorrelation);
    ExpectWithinSamplingError("lag 2", Estimate(s.times, lag(2)), ReactionTimeAutocorrelation(P, 2));
    s.carried.erase(s.carried.begin());  // y0 is where the series starts, not a stationary value
    ExpectWithinSamplingError("carried inhibition", Estimate(s.carried, Mean), theory.CarriedInhibitionMean);
    // The mean reaction time telescopes: it differs from the stationary mean by (Y_n - y0) / (n a0).
    EXPECT_NEAR(Mean(s.times.data(), s.times.size()), theory.StationaryMean, 1e-4 * theory.StationaryMean);
    const double per_reaction = static_cast<double>(s.distractions) / 1e6;
    // Poisson: the mean count's error is sqrt(rho A / n).
    EXPECT_NEAR(per_reaction, theory.DistractionsPerReaction,
                5 * std::sqrt(theory.DistractionsPerReaction / 1e6));
  }
}

}  // namespace
}  // namespace corvane
