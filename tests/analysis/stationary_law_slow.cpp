// The stationary law against 1e7 simulated reactions of each of the four sets, the distribution
// function at 20 points within 4 batch-means standard errors (1,000 batches of 1e4). Minutes of
// work: registered only with CORVANE_SLOW_TESTS (make test-slow).
#include <gtest/gtest.h>

#include "stationary_law_check.h"

namespace corvane {
namespace {

class StationaryLawSlowTest : public ::testing::TestWithParam<TParameterSet> {};

TEST_P(StationaryLawSlowTest, DistributionAtTwentyPoints) {
  std::vector<double> levels;
  for (int i = 0; i < 19; ++i) levels.push_back(0.025 + 0.05 * i);
  test_support::ExpectDistributionMatchesSimulation(GetParam(), 10'000'000, 1000, levels, 4, 101);
}

INSTANTIATE_TEST_SUITE_P(Sets, StationaryLawSlowTest,
                         ::testing::Values(TParameterSet{5, 1, 1, 0.5, 0.5, 5},
                                           TParameterSet{3, 0.6, 1.5, 0.9, 0.7, 6},
                                           TParameterSet{1, 0.5, 2, 0.25, 1, 1},
                                           TParameterSet{0.3, 1, 0.8333, 20, 40, 0.4375}));

}  // namespace
}  // namespace corvane
