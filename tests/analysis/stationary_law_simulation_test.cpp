// The stationary law against 2e5 simulated reactions of two parameter sets (the slow run takes
// 1e7 of four: stationary_law_slow.cpp).
#include <gtest/gtest.h>

#include "stationary_law_check.h"

namespace corvane {
namespace {

TEST(StationaryLawSimulationTest, DistributionWithinFourBatchMeansErrors) {
  const std::vector<double> levels{0.1, 0.25, 0.4, 0.5, 0.6, 0.75, 0.9, 0.97};
  test_support::ExpectDistributionMatchesSimulation({5, 1, 1, 0.5, 0.5, 5}, 200'000, 200, levels, 4, 17);
  test_support::ExpectDistributionMatchesSimulation({3, 0.6, 1.5, 0.9, 0.7, 6}, 200'000, 200, levels, 4, 18);
}

// The check itself must fail on a law that is slightly off: here c0 5 % too large.
TEST(StationaryLawSimulationTest, CheckRejectsAWrongLaw) {
  const TParameterSet P{3, 0.6, 1.5, 0.9, 0.7, 6};
  TStationaryLaw wrong = test_support::LawOf(P);
  wrong.c0 *= 1.05;
  TStationarySeries series(P, 5);
  std::vector<double> rt(200'000);
  series.Fill(rt);
  const double x = StationaryQuantile(wrong, 0.5);
  double share = 0;
  for (double v : rt) share += v <= x ? 1 : 0;
  share /= static_cast<double>(rt.size());
  // A 5 % scale error moves the median's share by far more than the check's 4 SE (about 0.005).
  EXPECT_GT(std::fabs(share - 0.5), 0.01);
}

}  // namespace
}  // namespace corvane
