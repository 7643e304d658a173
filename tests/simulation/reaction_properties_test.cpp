// Properties every reaction shows, over many seeds of the process-wide generator and several
// parameter sets (integral and fractional exponents a1/c1, short and long reactions).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "reaction_support.h"
#include "runtime/random.h"
#include "simulation/reaction_simulator.h"

namespace corvane {
namespace {

struct Outcome {
  RecordingSink sink;
  double reaction_time = 0;
  std::size_t draws = 0;
};

Outcome Simulate(TReactionSimulator& simulator, const TParameterSet& P, bool first,
                 const std::size_t& draw_counter) {
  Outcome outcome;
  const std::size_t before = draw_counter;
  outcome.reaction_time = simulator.SimulateReaction(P, first, outcome.sink);
  outcome.draws = draw_counter - before;
  return outcome;
}

void ExpectShapeOfReaction(const Outcome& o, const TParameterSet& P) {
  const auto& points = o.sink.points;
  const auto& records = o.sink.records;
  ASSERT_FALSE(records.empty());
  const std::size_t n = static_cast<std::size_t>(records.back().N);
  EXPECT_EQ(o.draws, 2 * n);
  ASSERT_EQ(points.size(), 1 + 2 * n);
  ASSERT_EQ(records.size(), 2 * n - 1);
  EXPECT_EQ(points[2 * n], points[2 * n - 1]);
  EXPECT_EQ(points.back().time, o.reaction_time);

  const TPeriodRecord& last = records.back();
  EXPECT_EQ(last.K, 1);
  EXPECT_GE(last.asom, P.A);
  EXPECT_EQ(last.Subtotal, o.reaction_time);
  EXPECT_EQ(last.YEnd, points.back().inhibition);
  if (records.size() > 1) {
    const TPeriodRecord& before = records[records.size() - 2];
    EXPECT_NEAR(last.Term, P.A - before.asom, 1e-12 * P.A);
    EXPECT_NEAR(last.YEnd, last.YBegin - P.a1 * last.Term, 1e-12 * last.YBegin);
  }
}

void ExpectRecordsFollowTheirPoints(const Outcome& o) {
  const auto& points = o.sink.points;
  const auto& records = o.sink.records;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const TPeriodRecord& r = records[i];
    EXPECT_EQ(r.N, static_cast<std::int32_t>(i / 2 + 1));
    EXPECT_EQ(r.K, static_cast<std::int32_t>(i % 2 + 1));
    EXPECT_EQ(points[i + 1], (PathPoint{r.Subtotal, r.YValue}));
    EXPECT_EQ(r.YValue, r.YEnd);
    if (r.K == 2) {  // a distraction continues from its work period and does no work
      EXPECT_EQ(r.YBegin, records[i - 1].YEnd);
      EXPECT_EQ(r.asom, records[i - 1].asom);
    }
  }
}

void ExpectSumsAndSigns(const Outcome& o, const TParameterSet& P) {
  long double work = 0, distraction = 0;
  for (const TPeriodRecord& r : o.sink.records) {
    (r.K == 1 ? work : distraction) += r.Term;
    EXPECT_GE(r.Term, 0.0);
    EXPECT_GE(r.YBegin, 0.0);
    EXPECT_GE(r.YEnd, 0.0);
  }
  for (const PathPoint& p : o.sink.points) EXPECT_GE(p.inhibition, 0.0);
  const double n = static_cast<double>(o.sink.records.size());
  EXPECT_NEAR(static_cast<double>(work), P.A, 1e-13 * n * P.A);
  EXPECT_NEAR(o.reaction_time, static_cast<double>(P.A + distraction), 1e-13 * n * o.reaction_time);
}

class ReactionPropertiesTest : public ::testing::TestWithParam<TParameterSet> {
 protected:
  void SetUp() override { saved_seed_ = RandomSeed; }
  void TearDown() override { RandomSeed = saved_seed_; }

 private:
  std::uint32_t saved_seed_ = 0;
};

TEST_P(ReactionPropertiesTest, HoldForManySeedsAndWholeSeries) {
  const TParameterSet P = GetParam();
  std::size_t draws = 0;
  TReactionSimulator simulator([&draws] {
    ++draws;
    return RandomFraction();
  });
  for (std::uint32_t seed = 1; seed <= 150; ++seed) {
    RandomSeed = seed * 2654435761u;
    for (int reaction = 0; reaction < 3; ++reaction) {
      const double start = reaction == 0 ? P.y0 : simulator.CarriedY();
      const Outcome o = Simulate(simulator, P, reaction == 0, draws);
      SCOPED_TRACE(::testing::Message() << "seed " << seed << " reaction " << reaction);
      ASSERT_NO_FATAL_FAILURE(ExpectShapeOfReaction(o, P));
      EXPECT_EQ(o.sink.points.front(), (PathPoint{0, start}));
      EXPECT_EQ(simulator.CarriedY(), o.sink.points.back().inhibition);
      ExpectRecordsFollowTheirPoints(o);
      ExpectSumsAndSigns(o, P);
      if (::testing::Test::HasFailure())
        return;  // one broken reaction tells enough
    }
  }
}

INSTANTIATE_TEST_SUITE_P(ParameterSets, ReactionPropertiesTest,
                         ::testing::Values(TParameterSet{5, 1, 1, 0.5, 0.5, 5},        // defaults, a1/c1 = 2
                                           TParameterSet{10, 2, 0.5, 1.5, 2, 1},       // a1/c1 = 4/3
                                           TParameterSet{1, 0.3, 3, 0.7, 5, 0.2},      // fractional, short
                                           TParameterSet{50, 1, 1, 1, 0.5, 5},         // a1/c1 = 1, long
                                           TParameterSet{0.01, 4, 0.1, 0.5, 1, 30}));  // often one cycle

TEST(ReactionSimulatorTest, DefaultSourceIsTheProcessWideGenerator) {
  const std::uint32_t saved = RandomSeed;
  RandomSeed = 12345;
  TReactionSimulator simulator;
  RecordingSink sink;
  simulator.SimulateReaction(DefaultParameters(), true, sink);
  const std::size_t cycles = static_cast<std::size_t>(sink.records.back().N);

  std::uint32_t expected = 12345;
  for (std::size_t i = 0; i < 2 * cycles; ++i) expected = NextRandomSeed(expected);
  EXPECT_EQ(RandomSeed, expected);
  RandomSeed = saved;
}

}  // namespace
}  // namespace corvane
