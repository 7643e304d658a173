#include "simulation/reaction_simulator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "reaction_support.h"
#include "runtime/errors.h"
#include "runtime/random.h"
#include "support/expect_throw_msg.h"

namespace corvane {
namespace {

void ExpectRecord(const TPeriodRecord& r, std::int32_t N, std::int32_t K, double YBegin, double YEnd,
                  double Term, double Subtotal, double YValue, double asom) {
  EXPECT_EQ(r.N, N);
  EXPECT_EQ(r.K, K);
  EXPECT_EQ(r.YBegin, YBegin);
  EXPECT_EQ(r.YEnd, YEnd);
  EXPECT_EQ(r.Term, Term);
  EXPECT_EQ(r.Subtotal, Subtotal);
  EXPECT_EQ(r.YValue, YValue);
  EXPECT_EQ(r.asom, asom);
}

// The generator yields 0.5, 0.25, 0.8 and 0.9: two cycles, the second completing the work.
TEST(ReactionSimulatorTest, WorkedExampleToTheLastDigit) {
  ScriptedDraws draws{0.5, 0.25, 0.8, 0.9};
  TReactionSimulator simulator(draws.Source());
  RecordingSink sink;

  const double reaction_time = simulator.SimulateReaction(DefaultParameters(), true, sink);

  EXPECT_EQ(reaction_time, 7.772588722239782);
  EXPECT_EQ(simulator.CarriedY(), 2.7725887222397816);
  EXPECT_EQ(draws.Consumed(), 4u);  // the last draw is consumed although it leaves no trace

  const std::vector<PathPoint> expected_points = {{0, 5},
                                                  {3.75, 1.25},
                                                  {6.522588722239782, 4.022588722239782},
                                                  {7.772588722239782, 2.7725887222397816},
                                                  {7.772588722239782, 2.7725887222397816}};
  EXPECT_EQ(sink.points, expected_points);

  ASSERT_EQ(sink.records.size(), 3u);
  ExpectRecord(sink.records[0], 1, 1, 5, 1.25, 3.75, 3.75, 1.25, 3.75);
  ExpectRecord(sink.records[1], 1, 2, 1.25, 4.022588722239782, 2.772588722239781, 6.522588722239782,
               4.022588722239782, 3.75);
  ExpectRecord(sink.records[2], 2, 1, 4.022588722239782, 2.7725887222397816, 1.2500000000000002,
               7.772588722239782, 2.7725887222397816, 5.198131940006321);

  // Each record follows the path point of its period; the final distraction has a point only.
  const bool expected_kinds[] = {false, false, true, false, true, false, true, false};
  ASSERT_EQ(sink.deliveries.size(), std::size(expected_kinds));
  for (std::size_t i = 0; i < sink.deliveries.size(); ++i)
    EXPECT_EQ(sink.deliveries[i].is_record, expected_kinds[i]) << "delivery " << i;
}

TEST(ReactionSimulatorTest, LaterReactionsStartFromCarriedYAndANewSeriesFromY0) {
  ScriptedDraws draws{0.5, 0.25, 0.8, 0.9, 0.5, 0.5, 0.5, 0.5};
  TReactionSimulator simulator(draws.Source());
  EXPECT_EQ(simulator.CarriedY(), 0.0);

  RecordingSink first;
  simulator.SimulateReaction(DefaultParameters(), true, first);
  // A = 1 from here on, so that one work period of U1 = 0.5 completes each later reaction.
  TParameterSet short_reaction = DefaultParameters();
  short_reaction.A = 1;
  RecordingSink second;
  simulator.SimulateReaction(short_reaction, false, second);
  ASSERT_FALSE(second.points.empty());
  EXPECT_EQ(second.points.front(), (PathPoint{0, 2.7725887222397816}));
  EXPECT_EQ(second.records.front().YBegin, 2.7725887222397816);

  TParameterSet other = short_reaction;
  other.y0 = 3;
  RecordingSink new_series;
  simulator.SimulateReaction(other, true, new_series);
  EXPECT_EQ(new_series.points.front(), (PathPoint{0, 3}));
  EXPECT_EQ(draws.Consumed(), 8u);
}

TEST(ReactionSimulatorTest, FirstWorkPeriodCompletingTheWorkIsCutAtA) {
  // y0 = 100 and U1 = 0.5: the period would do 75 units of work, 70 more than A = 5.
  TParameterSet P = DefaultParameters();
  P.y0 = 100;
  ScriptedDraws draws{0.5, 0.3};
  TReactionSimulator simulator(draws.Source());
  RecordingSink sink;

  EXPECT_EQ(simulator.SimulateReaction(P, true, sink), 5.0);

  ASSERT_EQ(sink.records.size(), 1u);
  ExpectRecord(sink.records[0], 1, 1, 100, 95, 5, 5, 95, 75);  // asom keeps the overshoot
  const std::vector<PathPoint> expected_points = {{0, 100}, {5, 95}, {5, 95}};
  EXPECT_EQ(sink.points, expected_points);
  EXPECT_EQ(simulator.CarriedY(), 95.0);
  EXPECT_EQ(draws.Consumed(), 2u);
}

TEST(ReactionSimulatorTest, WorkDrawOfZeroUsesUpAllTheInhibition) {
  // U1 = 0: WTerm = Y / a1 = 5 = A exactly, so the reaction ends with Y at 0.
  ScriptedDraws draws{0.0, 0.5};
  TReactionSimulator simulator(draws.Source());
  RecordingSink sink;
  EXPECT_EQ(simulator.SimulateReaction(DefaultParameters(), true, sink), 5.0);
  ASSERT_EQ(sink.records.size(), 1u);
  ExpectRecord(sink.records[0], 1, 1, 5, 0, 5, 5, 0, 5);
  EXPECT_EQ(simulator.CarriedY(), 0.0);
}

TEST(ReactionSimulatorTest, WorkDrawOfZeroLeavesNoNegativeInhibitionWhateverA1) {
  // WTerm = 5 * (1/3) rounds above 5/3, so Y - 3 * WTerm would come out at -2.2e-16.
  TParameterSet P = DefaultParameters();
  P.a1 = 3;
  P.A = 2;  // the second work period completes
  ScriptedDraws draws{0.0, 0.5, 0.0, 0.5};
  TReactionSimulator simulator(draws.Source());
  RecordingSink sink;
  simulator.SimulateReaction(P, true, sink);
  ASSERT_EQ(sink.records.size(), 3u);
  EXPECT_EQ(sink.records[0].YEnd, 0.0);
  EXPECT_EQ(sink.records[1].YBegin, 0.0);
}

TEST(ReactionSimulatorTest, LongFinalDistractionLeavesTheReactionTimeExact) {
  // c0 = 1e-16 makes the discarded distraction about 1.4e16 long; subtracting it again from the
  // elapsed time would lose the 5 entirely.
  TParameterSet P = DefaultParameters();
  P.c0 = 1e-16;
  ScriptedDraws draws{0.0, 0.5};
  TReactionSimulator simulator(draws.Source());
  RecordingSink sink;
  EXPECT_EQ(simulator.SimulateReaction(P, true, sink), 5.0);
  EXPECT_EQ(sink.points.back(), (PathPoint{5, 0}));
}

// --- Floating-point faults: raised where they arise, after everything delivered before them ---

template <typename Error>
void ExpectFault(const std::string& message, auto&& run) {
  EXPECT_THROW_MSG(run(), Error, message);
}

TEST(ReactionSimulatorFaultTest, DistractionDrawOfZeroEndsTheReactionAfterItsWorkPeriod) {
  ScriptedDraws draws{0.5, 0.25, 0.8, 0.9, 0.5, 0.0};
  TReactionSimulator simulator(draws.Source());
  RecordingSink first;
  simulator.SimulateReaction(DefaultParameters(), true, first);

  RecordingSink sink;
  ExpectFault<EZeroDivide>("Floating point division by zero",
                           [&] { simulator.SimulateReaction(DefaultParameters(), false, sink); });
  ASSERT_EQ(sink.points.size(), 2u);
  ASSERT_EQ(sink.records.size(), 1u);
  EXPECT_EQ(sink.records[0].K, 1);
  EXPECT_EQ(simulator.CarriedY(), 2.7725887222397816);  // untouched by the broken reaction
}

TEST(ReactionSimulatorFaultTest, HugeA0OverflowsInsideTheReactionAfterTheWorkPeriod) {
  TParameterSet P = DefaultParameters();
  P.a0 = 1e308;
  ScriptedDraws draws{0.5, 0.25};  // DTerm = 2.77: Y would reach 2.77e308
  TReactionSimulator simulator(draws.Source());
  RecordingSink sink;
  ExpectFault<EOverflow>("Floating point overflow", [&] { simulator.SimulateReaction(P, true, sink); });
  EXPECT_EQ(sink.points.size(), 2u);
  EXPECT_EQ(sink.records.size(), 1u);
}

TEST(ReactionSimulatorFaultTest, OverflowingWorkOrDurationIsNeverDelivered) {
  TParameterSet tiny_a1 = DefaultParameters();  // exponent 1, WTerm = 0.5 * 1e10 / 1e-300
  tiny_a1.a1 = 1e-300;
  tiny_a1.c1 = 1e-300;
  tiny_a1.y0 = 1e10;
  TParameterSet tiny_c0 = DefaultParameters();  // DTerm = 4.6 / 1e-308
  tiny_c0.c0 = 1e-308;
  for (const TParameterSet& P : {tiny_a1, tiny_c0}) {
    ScriptedDraws draws{0.5, 0.01};
    TReactionSimulator simulator(draws.Source());
    RecordingSink sink;
    ExpectFault<EOverflow>("Floating point overflow", [&] { simulator.SimulateReaction(P, true, sink); });
    for (const PathPoint& p : sink.points) EXPECT_TRUE(std::isfinite(p.time) && std::isfinite(p.inhibition));
  }
}

TEST(ReactionSimulatorFaultTest, AnErrorFromTheSinkEndsTheReaction) {
  // The memo refuses its second line: nothing is delivered after it and no draw is made for it.
  class RefusingSink : public RecordingSink {
    void AddPeriodRecord(const TPeriodRecord& record) override {
      if (!records.empty())
        throw EOutOfResources();
      RecordingSink::AddPeriodRecord(record);
    }
  } sink;
  ScriptedDraws draws{0.5, 0.25, 0.8, 0.9};
  TReactionSimulator simulator(draws.Source());
  EXPECT_THROW(simulator.SimulateReaction(DefaultParameters(), true, sink), EOutOfResources);
  EXPECT_EQ(sink.records.size(), 1u);
  EXPECT_EQ(sink.points.size(), 3u);
  EXPECT_EQ(draws.Consumed(), 2u);
}

}  // namespace
}  // namespace corvane
