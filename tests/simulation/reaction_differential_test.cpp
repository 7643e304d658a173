// The simulator's fast paths against general ones: the process-wide generator's draws worked out
// ahead against the same generator behind an injected source, and the power on the extended kernels
// against the library's exp(e ln U), over long series of reactions and their log lines.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "reaction_support.h"
#include "runtime/errors.h"
#include "runtime/extended_log.h"
#include "runtime/power.h"
#include "runtime/random.h"
#include "simulation/period_line.h"
#include "simulation/reaction_simulator.h"

namespace corvane {
namespace {

const TParameterSet kIntegralExponent{5, 1, 1, 0.5, 0.5, 5};  // a1/c1 = 2
const TParameterSet kTenThirds{5, 1, 1, 0.3, 0.5, 5};         // a1/c1 = 1/0.3
const TParameterSet kThreeSevenths{1, 0.3, 3, 0.7, 5, 0.2};   // a1/c1 = 0.3/0.7
const TParameterSet kFiftyThirds{5, 5, 1, 0.3, 0.5, 5};       // a1/c1 = 5/0.3, the longer series
const TParameterSet kFifty{5, 5, 1, 0.1, 0.5, 5};             // a1/c1 = 5/0.1, the table of exponents
const TParameterSet kParameterSets[] = {kIntegralExponent, kTenThirds, kThreeSevenths, kFiftyThirds, kFifty};

class SeedGuard {
 public:
  SeedGuard() : saved_(RandomSeed) {}
  ~SeedGuard() { RandomSeed = saved_; }

 private:
  std::uint32_t saved_;
};

// The reaction as the simulator computed it before its power ran on the extended kernels: the
// power's logarithm rule straight from the library. Everything else follows the same formulas,
// each stored to double.
class LibraryPowerReaction {
 public:
  explicit LibraryPowerReaction(const TParameterSet& P)
      : P_(P), exponent_(static_cast<long double>(P.a1) / P.c1), integral_(exponent_) {}

  std::vector<TPeriodRecord> Run(double y) {
    std::vector<TPeriodRecord> records;
    double asom = 0, subtotal = 0;
    for (std::int32_t n = 1; asom < P_.A; ++n) {
      const double y_begin = y;
      const long double u1 = RandomFraction();
      const long double share = std::floor(exponent_) == exponent_ ? integral_(u1)
                                : u1 == 0                          ? 0.0L
                                                                   : std::exp(exponent_ * std::log(u1));
      double w = static_cast<double>((1.0L - share) * (1.0L / P_.a1) * y);
      y = static_cast<double>(std::max(0.0L, y - P_.a1 * static_cast<long double>(w)));
      double y_end = y;
      asom = static_cast<double>(static_cast<long double>(asom) + w);
      if (asom >= P_.A) {
        const long double overshoot = static_cast<long double>(asom) - P_.A;
        y_end = static_cast<double>(overshoot * P_.a1 + y_end);
        carried_y = y_end;
        w = static_cast<double>(w - overshoot);
      }
      subtotal = static_cast<double>(static_cast<long double>(subtotal) + w);
      records.push_back({n, kWorkPeriod, y_begin, y_end, w, subtotal, y_end, asom});
      const double d_begin = y;
      const double d = static_cast<double>(0.0L - ExtendedLog(RandomFraction()) * (1.0L / P_.c0));
      y = static_cast<double>(P_.a0 * static_cast<long double>(d) + y);
      if (asom < P_.A) {
        subtotal = static_cast<double>(static_cast<long double>(subtotal) + d);
        records.push_back({n, kDistractionPeriod, d_begin, y, d, subtotal, y, asom});
      }
    }
    return records;
  }

  double carried_y = 0;

 private:
  TParameterSet P_;
  long double exponent_;
  TPowerFunction integral_;
};

bool SameRecord(const TPeriodRecord& a, const TPeriodRecord& b) {
  return a.N == b.N && a.K == b.K && a.YBegin == b.YBegin && a.YEnd == b.YEnd && a.Term == b.Term &&
         a.Subtotal == b.Subtotal && a.YValue == b.YValue && a.asom == b.asom;
}

TEST(ReactionDifferentialTest, DefaultDrawsGiveTheInjectedSourcesReactionsBitForBit) {
  SeedGuard guard;
  for (const TParameterSet& P : kParameterSets) {
    TReactionSimulator inline_draws;
    TReactionSimulator injected(RandomFraction);
    for (std::uint32_t seed = 1; seed <= 2000; ++seed) {
      const bool first = seed % 50 == 1;
      RandomSeed = seed * 2654435761u;
      RecordingSink a;
      const double time_a = inline_draws.SimulateReaction(P, first, a);
      const std::uint32_t seed_after = RandomSeed;
      RandomSeed = seed * 2654435761u;
      RecordingSink b;
      const double time_b = injected.SimulateReaction(P, first, b);
      ASSERT_EQ(RandomSeed, seed_after);
      ASSERT_EQ(time_a, time_b);
      ASSERT_EQ(a.points, b.points);
      ASSERT_EQ(a.records.size(), b.records.size());
      for (std::size_t i = 0; i < a.records.size(); ++i) ASSERT_TRUE(SameRecord(a.records[i], b.records[i]));
    }
  }
}

TEST(ReactionDifferentialTest, ChangingTheExponentBetweenReactionsChangesThePowersTable) {
  SeedGuard guard;
  TReactionSimulator alternating;
  for (int reaction = 0; reaction < 200; ++reaction) {
    const TParameterSet& P = kParameterSets[1 + reaction % 2];  // 1/0.3 and 0.3/0.7 in turn
    RandomSeed = 1000u + static_cast<std::uint32_t>(reaction);
    RecordingSink a;
    alternating.SimulateReaction(P, true, a);
    RandomSeed = 1000u + static_cast<std::uint32_t>(reaction);
    TReactionSimulator fresh;
    RecordingSink b;
    fresh.SimulateReaction(P, true, b);
    ASSERT_EQ(a.records.size(), b.records.size());
    for (std::size_t i = 0; i < a.records.size(); ++i) ASSERT_TRUE(SameRecord(a.records[i], b.records[i]));
  }
}

// The default simulator works its draws out ahead; whatever moves the seed in between must leave
// the results those of drawing one by one, as the injected source does: a series carried on across
// reactions, a sink that draws, a reaction broken off after its work draw, a seed assigned anew.
class DrawingSink : public RecordingSink {
 public:
  explicit DrawingSink(int reaction) : reaction_(reaction) {}
  void AddPathPoint(double time, double inhibition) override {
    RecordingSink::AddPathPoint(time, inhibition);
    if (reaction_ % 7 == 3 && points.size() == 2)
      RandomFraction();  // between the work draw and the distraction draw
  }
  void AddPeriodRecord(const TPeriodRecord& record) override {
    RecordingSink::AddPeriodRecord(record);
    if (reaction_ % 11 == 5 && records.size() == 1)
      throw EOutOfResources();  // after the work draw, before the distraction draw
    if (reaction_ % 13 == 8 && records.size() == 2)
      RandomFraction();  // between two cycles
  }

 private:
  int reaction_;
};

struct SeriesOutcome {
  std::vector<TPeriodRecord> records;
  std::vector<double> times;
  std::uint32_t final_seed = 0;
};

SeriesOutcome RunMovedSeries(TReactionSimulator& simulator, const TParameterSet& P) {
  SeriesOutcome outcome;
  RandomSeed = 4242;
  for (int reaction = 0; reaction < 600; ++reaction) {
    if (reaction % 97 == 50)
      RandomSeed = static_cast<std::uint32_t>(reaction) * 2654435761u;
    DrawingSink sink(reaction);
    try {
      outcome.times.push_back(simulator.SimulateReaction(P, reaction % 40 == 0, sink));
    } catch (const EOutOfResources&) {
      outcome.times.push_back(-1);
    }
    outcome.records.insert(outcome.records.end(), sink.records.begin(), sink.records.end());
  }
  outcome.final_seed = RandomSeed;
  return outcome;
}

TEST(ReactionDifferentialTest, DrawsWorkedOutAheadFollowTheSeedWhereverItMoves) {
  SeedGuard guard;
  for (const TParameterSet& P : kParameterSets) {
    TReactionSimulator ahead;
    TReactionSimulator one_by_one(RandomFraction);
    const SeriesOutcome a = RunMovedSeries(ahead, P);
    const SeriesOutcome b = RunMovedSeries(one_by_one, P);
    ASSERT_EQ(a.final_seed, b.final_seed);
    ASSERT_EQ(a.times, b.times);
    ASSERT_EQ(a.records.size(), b.records.size());
    for (std::size_t i = 0; i < a.records.size(); ++i)
      ASSERT_TRUE(SameRecord(a.records[i], b.records[i])) << i;
  }
}

// The seed whose step gives `seed`: the multiplier is odd, so the step can be undone.
std::uint32_t PreviousSeed(std::uint32_t seed) {
  std::uint32_t inverse = 134775813u;  // Newton's iteration for the inverse modulo 2^32
  for (int i = 0; i < 5; ++i) inverse *= 2u - 134775813u * inverse;
  return (seed - 1u) * inverse;
}

TEST(ReactionDifferentialTest, DefaultDrawsRaiseForADistractionDrawOfZero) {
  SeedGuard guard;
  RandomSeed = PreviousSeed(PreviousSeed(0));  // the first distraction draws exactly 0
  TReactionSimulator simulator;
  RecordingSink sink;
  EXPECT_THROW(simulator.SimulateReaction(kIntegralExponent, true, sink), EZeroDivide);
  EXPECT_EQ(RandomSeed, 0u);
  EXPECT_EQ(sink.points.size(), 2u);  // the start and the work period, nothing after the fault
  EXPECT_EQ(sink.records.size(), 1u);
  // A work draw of 0 is legal: it uses up all the inhibition.
  RandomSeed = PreviousSeed(0);
  RecordingSink work_sink;
  EXPECT_NO_THROW(simulator.SimulateReaction(kTenThirds, true, work_sink));
  EXPECT_EQ(work_sink.records.front().YEnd, 0.0);
}

// 10^5 reactions of each parameter set, in series. Records may differ in a last bit where the
// library's power is off by more than our kernels; the log lines must not.
TEST(ReactionDifferentialTest, LogLinesOfLongSeriesAreThoseOfTheLibrarysPower) {
  SeedGuard guard;
  constexpr int kReactions = 100000;
  for (const TParameterSet& P : kParameterSets) {
    RandomSeed = 20261208;
    TReactionSimulator simulator;
    LibraryPowerReaction reference(P);
    std::size_t records = 0, differing_records = 0, differing_lines = 0;
    for (int reaction = 0; reaction < kReactions; ++reaction) {
      const bool first = reaction == 0;
      const std::uint32_t seed = RandomSeed;
      RecordingSink sink;
      simulator.SimulateReaction(P, first, sink);
      const std::uint32_t seed_after = RandomSeed;
      RandomSeed = seed;
      const std::vector<TPeriodRecord> expected = reference.Run(first ? P.y0 : reference.carried_y);
      ASSERT_EQ(RandomSeed, seed_after) << "reaction " << reaction;
      ASSERT_EQ(sink.records.size(), expected.size()) << "reaction " << reaction;
      for (std::size_t i = 0; i < expected.size(); ++i) {
        ++records;
        if (SameRecord(sink.records[i], expected[i]))
          continue;
        ++differing_records;
        if (FormatPeriodLine(sink.records[i]) != FormatPeriodLine(expected[i]))
          ++differing_lines;
      }
      // Keep the series on one path, so that one difference is counted once.
      reference.carried_y = simulator.CarriedY();
    }
    EXPECT_EQ(differing_lines, 0u) << differing_records << " of " << records << " records differ";
    if (&P == &kParameterSets[0]) {
      EXPECT_EQ(differing_records, 0u);  // the integer rule is unchanged
    }
    std::printf("a1/c1 = %.17g: %zu of %zu records differ, no line\n", P.a1 / P.c1, differing_records,
                records);
  }
}

}  // namespace
}  // namespace corvane
