#include "runtime/random.h"

#include <gtest/gtest.h>

#include <cmath>

namespace corvane {
namespace {

class RandomTest : public ::testing::Test {
 protected:
  void SetUp() override { RandomSeed = 0; }
  void TearDown() override { SetRandomClock(nullptr); }
};

TEST_F(RandomTest, FirstStepsFromSeedZeroGiveKnownSeedsAndFractions) {
  const std::uint32_t seeds[] = {1u, 134775814u, 3698175007u, 870078620u, 1172187917u};
  const double fractions[] = {2.3283064365386963e-10, 0.031379939522594213, 0.8610484672244638,
                              0.20258096512407064, 0.2729212671983987};
  for (int i = 0; i < 5; ++i) {
    const long double f = RandomFraction();
    EXPECT_EQ(RandomSeed, seeds[i]);
    EXPECT_EQ(f, std::ldexp(static_cast<long double>(seeds[i]), -32));  // exact, no rounding
    EXPECT_EQ(static_cast<double>(f), fractions[i]);
  }
}

TEST_F(RandomTest, RandomBelowTakesTheUpperHalfOfTheProductAndSharesTheSequence) {
  const int expected[] = {0, 0, 8, 2, 2};
  for (int e : expected) EXPECT_EQ(RandomBelow(10), e);

  RandomSeed = 0;
  RandomFraction();
  EXPECT_EQ(RandomBelow(10), 0);  // second step of the shared sequence
  EXPECT_EQ(RandomSeed, 134775814u);
  EXPECT_EQ(RandomBelow(0), 0);
  EXPECT_EQ(RandomSeed, NextRandomSeed(134775814u));
}

TEST_F(RandomTest, FractionIsNeverOne) {
  RandomSeed = 0;
  // Find the predecessor of 0xFFFFFFFF by inverting the step: seed = (s - 1) * inverse(a).
  std::uint32_t inverse = 1;
  for (int i = 0; i < 5; ++i) inverse *= 2u - 134775813u * inverse;  // Newton iteration mod 2^32
  RandomSeed = (0xFFFFFFFFu - 1u) * inverse;
  EXPECT_EQ(RandomFraction(), 1.0L - std::ldexp(1.0L, -32));
}

TEST_F(RandomTest, ClockSeedIsMillisecondsSinceMidnight) {
  SetRandomClock([] { return TClockTime{12, 34, 56, 789}; });
  SeedRandomFromClock();
  EXPECT_EQ(RandomSeed, 45296789u);
  SetRandomClock([] { return TClockTime{23, 59, 59, 999}; });
  SeedRandomFromClock();
  EXPECT_EQ(RandomSeed, 86399999u);
  SetRandomClock(nullptr);
  SeedRandomFromClock();
  EXPECT_LT(RandomSeed, 86400000u);
}

}  // namespace
}  // namespace corvane
