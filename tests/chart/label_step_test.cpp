// The label step search and the walk over label values, with the axes of the program's charts
// and the boundary cases of the rounding and the limits.
#include "chart/label_step.h"

#include <gtest/gtest.h>

#include <vector>

#include "chart/label_walk.h"

namespace corvane {
namespace {

std::vector<double> Countdown(double from, double to, double step) {
  std::vector<double> values;
  for (double v = from; v >= to; v -= step) values.push_back(v);
  return values;
}

TEST(LabelStepTest, LadderRunsOneTwoFiveTenFiftyAndDoublesOffIt) {
  std::vector<double> ladder{1};
  while (ladder.size() < 13) ladder.push_back(NextLabelStep(ladder.back()));
  EXPECT_EQ(ladder, (std::vector<double>{1, 2, 5, 10, 50, 100, 200, 500, 1000, 5000, 10000, 20000, 40000}));
  EXPECT_EQ(NextLabelStep(0.3), 0.6);
  EXPECT_EQ(NextLabelStep(0.00001), 0.00002);
  EXPECT_EQ(NextLabelStep(3), 5);
  EXPECT_EQ(NextLabelStep(7), 14);
  EXPECT_EQ(NextLabelStep(20), 40);
}

TEST(LabelStepTest, LabelCountRoundsHalvesToEven) {
  EXPECT_EQ(MaxLabelCount(13, 100, 10), 7);  // 13 + Round(1.3) = 14; 100 / 14 = 7.1
  EXPECT_EQ(MaxLabelCount(8, 100, 0), 12);   // 12.5 -> 12
  EXPECT_EQ(MaxLabelCount(8, 60, 0), 8);     // 7.5 -> 8
  EXPECT_EQ(MaxLabelCount(15, 100, 10), 6);  // 15 + Round(1.5) = 17 (1.5 -> 2); 5.88 -> 6
  EXPECT_EQ(MaxLabelCount(25, 100, 10), 4);  // 25 + Round(2.5) = 27 (2.5 -> 2); 3.7 -> 4
  EXPECT_EQ(MaxLabelCount(0, 100, 10), 1);
  EXPECT_EQ(MaxLabelCount(14, 0, 10), 0);
}

TEST(LabelStepTest, ReactionNumberAxisKeepsStepOneOnAWidePlot) {
  // Bottom axis 0..26, labels "26" and "0" about 12 pixels wide, a plot 550 wide: m = 42.
  EXPECT_EQ(ValueLabelStep({.Range = 26, .LabelSize = 12, .Length = 550}), 1);
  EXPECT_EQ(LabelValues({.Minimum = 0, .Maximum = 26, .Step = 1}), Countdown(26, 0, 1));
}

TEST(LabelStepTest, ShortLeftAxisClimbsToFive) {
  const double step = ValueLabelStep({.Range = 25, .LabelSize = 13, .Length = 100});
  EXPECT_EQ(step, 5);
  EXPECT_EQ(LabelValues({.Minimum = 0, .Maximum = 25, .Step = step}),
            (std::vector<double>{25, 20, 15, 10, 5, 0}));
}

TEST(LabelStepTest, RoomForOneLabelOnZeroToThree) {
  const double step = ValueLabelStep({.Range = 3, .LabelSize = 14, .Length = 20});
  EXPECT_EQ(step, 5) << "1 -> 2 (Round(1.5) = 2 > 1) -> 5";
  EXPECT_EQ(LabelValues({.Minimum = 0, .Maximum = 3, .Step = step}), (std::vector<double>{0}));
  EXPECT_EQ(LabelValues({.Minimum = 0, .Maximum = 3, .Step = step, .RoundFirstLabel = false}),
            (std::vector<double>{3}));
}

TEST(LabelStepTest, StartsAtIncrementAndNoSeparationKeepsIt) {
  EXPECT_EQ(ValueLabelStep({.Range = 10, .Increment = 2, .LabelSize = 12, .Length = 550}), 2);
  EXPECT_EQ(ValueLabelStep({.Range = 10, .Increment = 3, .LabelSize = 14, .Length = 30}), 5)
      << "3.33 intervals round to 3 > 2 labels";
  EXPECT_EQ(ValueLabelStep({.Range = 10, .Increment = 3, .LabelSize = 14, .Length = 40}), 3);
  // Labels 50 pixels wide on 100 pixels: a thousand overlapping labels, as asked.
  EXPECT_EQ(ValueLabelStep({.Range = 1000, .LabelSize = 50, .Length = 100, .LabelsSeparation = 0}), 1);
  EXPECT_EQ(
      ValueLabelStep({.Range = 1000, .Increment = 3, .LabelSize = 50, .Length = 100, .LabelsSeparation = 0}),
      3);
}

TEST(LabelStepTest, SmallRangesDoubleFromTheSmallestStep) {
  // 0.00001 * 2^13: 0.5 / 0.08192 = 6.1 intervals for 7 labels; 2^12 would give 12.
  const double step = ValueLabelStep({.Range = 0.5, .LabelSize = 13, .Length = 100});
  EXPECT_EQ(step, 0.00001 * 8192);
  EXPECT_EQ(ValueLabelStep({.Range = 0.5, .LabelSize = 14, .Length = 0}), kMinValueLabelStep) << "no room";
  EXPECT_EQ(ValueLabelStep({.Range = 0, .LabelSize = 14, .Length = 100}), kMinValueLabelStep);
}

TEST(LabelStepTest, HugeRangesClimbPastTheIntervalLimit) {
  // 10^10 / 5120000 = 1953 intervals > 1000 labels; 10240000 gives 977.
  EXPECT_EQ(ValueLabelStep({.Range = 1e10, .LabelSize = 1, .Length = 1000}), 10240000);
}

TEST(LabelWalkTest, SingleValueAxisHasOneLabel) {
  const double step = ValueLabelStep({.Range = 0, .LabelSize = 6, .Length = 100});
  EXPECT_EQ(LabelValues({.Minimum = 4, .Maximum = 4, .Step = step}), (std::vector<double>{4}));
  EXPECT_TRUE(LabelValues({.Minimum = 4, .Maximum = 4, .Step = step, .LabelsOnAxis = false}).empty());
}

TEST(LabelWalkTest, WithoutLabelsOnAxisTheBoundsAreLeftOut) {
  EXPECT_EQ(LabelValues({.Minimum = 0, .Maximum = 26, .Step = 1, .LabelsOnAxis = false}),
            Countdown(25, 1, 1));
  EXPECT_EQ(LabelValues({.Minimum = 0.5, .Maximum = 26.5, .Step = 5}),
            (std::vector<double>{25, 20, 15, 10, 5}));
  EXPECT_EQ(LabelValues({.Minimum = 0.5, .Maximum = 26.5, .Step = 5, .RoundFirstLabel = false}),
            (std::vector<double>{26.5, 21.5, 16.5, 11.5, 6.5, 1.5}));
}

TEST(LabelWalkTest, NegativeTopTruncatesTowardZeroAndStepsBackInside) {
  EXPECT_EQ(LabelValues({.Minimum = -10, .Maximum = -2.5, .Step = 1}), Countdown(-3, -10, 1));
}

TEST(LabelWalkTest, FractionalStepsReachZeroExactly) {
  // Trunc(1.55 / 0.1) = 15: the walk starts at 1.5. Subtracting 0.1 fifteen times from there
  // ends a hair below 0, which would drop the 0 label; counting steps from 15 does not.
  const long double step = 0.1;  // the double nearest 0.1, in extended precision
  double naive = double(15 * step);
  for (int i = 0; i < 15; ++i) naive = double(naive - step);
  ASSERT_LT(naive, 0.0) << "the premise: repeated subtraction drifts";
  const std::vector<double> values = LabelValues({.Minimum = 0, .Maximum = 1.55, .Step = 0.1});
  ASSERT_EQ(values.size(), 16u);
  EXPECT_EQ(values.front(), double(15 * step));
  EXPECT_EQ(values.back(), 0.0);
  const std::vector<double> small = LabelValues({.Minimum = 0, .Maximum = 0.5, .Step = 0.00001 * 8192});
  ASSERT_EQ(small.size(), 7u);
  EXPECT_EQ(small.back(), 0.0);
}

TEST(LabelWalkTest, FirstValueTruncatesTheQuotientAsComputed) {
  // 1.5 / 0.1 is 14.999... in binary: the first label is 1.4, as Trunc gives it.
  const long double step = 0.1;
  EXPECT_EQ(LabelValueAt({.Minimum = 0, .Maximum = 1.5, .Step = 0.1}, 0), double(14 * step));
  EXPECT_EQ(LabelValueAt({.Minimum = 0, .Maximum = 1.5, .Step = 0.1, .RoundFirstLabel = false}, 2),
            double(1.5 - 2 * step));
}

TEST(LabelWalkTest, LimitsDrawNoLabelsAtAll) {
  EXPECT_EQ(LabelValues({.Minimum = 0, .Maximum = 9999, .Step = 1}).size(), 10000u);
  EXPECT_FALSE(WalksLabels({.Minimum = 0, .Maximum = 10000, .Step = 1}));
  EXPECT_TRUE(WalksLabels({.Minimum = 2147483636, .Maximum = 2147483646, .Step = 1}));
  EXPECT_FALSE(WalksLabels({.Minimum = 2147483637, .Maximum = 2147483647, .Step = 1}));
  EXPECT_FALSE(WalksLabels({.Minimum = 5, .Maximum = 4, .Step = 1}));
  EXPECT_FALSE(WalksLabels({.Minimum = 0, .Maximum = 4, .Step = 0}));
  EXPECT_TRUE(LabelValues({.Minimum = 0, .Maximum = 1, .Step = kMinValueLabelStep}).empty())
      << "100000 steps";
}

TEST(LabelWalkTest, ExtremesForTheRoomComputation) {
  const TLabelExtremes rounded = LabelExtremes(-7.5, 26.5, 5, true);
  EXPECT_EQ(rounded.Low, -5);
  EXPECT_EQ(rounded.High, 25);
  const TLabelExtremes plain = LabelExtremes(-7.5, 26.5, 5, false);
  EXPECT_EQ(plain.Low, -7.5);
  EXPECT_EQ(plain.High, 26.5);
}

TEST(DateTimeLabelStepTest, WalksTheTableThenDoubles) {
  // One day with room for 9 labels: 2 hours give 12 intervals, 6 hours 4.
  EXPECT_EQ(DateTimeLabelStep({.Range = 1, .LabelSize = 50, .Length = 500}), 0.25);
  EXPECT_EQ(DateTimeLabelStep({.Range = 1000, .LabelSize = 50, .Length = 500}), 120);
  EXPECT_EQ(DateTimeLabelStep({.Range = 10000, .LabelSize = 50, .Length = 500}), 1460);
  EXPECT_EQ(DateTimeLabelStep({.Range = 0.0001, .LabelSize = 50, .Length = 500}), DateTimeStep(0));
  EXPECT_EQ(DateTimeLabelStep({.Range = 1, .Increment = 2, .LabelSize = 50, .Length = 500}), 2);
  EXPECT_EQ(DateTimeStep(kDateTimeStepCount - 1), 365);
}

}  // namespace
}  // namespace corvane
