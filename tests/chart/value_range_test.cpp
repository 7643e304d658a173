// The value-range type under zoom and scroll: steps that undo each other, a range of no width,
// a width beyond the double range, and an axis handing its bounds out and taking them back.
#include "chart/value_range.h"

#include <gtest/gtest.h>

#include <limits>

#include "chart/chart_axis.h"
#include "chart_support.h"
#include "runtime/errors.h"

namespace corvane {
namespace {

TEST(ValueRangeTest, AScrollAndItsReverseComeBackExactly) {
  const TValueRange start{-3.25, 18.5};
  const TValueRange there = start.Scrolled(10.0, 4.5);
  EXPECT_EQ(there, (TValueRange{2.25, 24}));
  EXPECT_EQ(there.Width(), start.Width());
  EXPECT_EQ(there.Scrolled(4.5, 10.0), start);
}

TEST(ValueRangeTest, WheelNotchesScaleTheWidthAndKeepTheValueInPlace) {
  const TValueRange start{0, 10};
  const TValueRange in = start.WheelZoomed(2, 2);
  EXPECT_DOUBLE_EQ(static_cast<double>(in.Width()), 10 / 1.5625);
  // 2 stays a fifth of the way in, so the pixel under the pointer keeps showing it.
  EXPECT_DOUBLE_EQ(static_cast<double>((2 - in.Minimum) / in.Width()), 0.2);
  const TValueRange out = in.WheelZoomed(2, -2);
  EXPECT_NEAR(out.Minimum, 0, 1e-15);
  EXPECT_DOUBLE_EQ(out.Maximum, 10);
}

TEST(ValueRangeTest, ARangeOfNoWidthStaysOneValue) {
  const TValueRange point{5, 5};
  EXPECT_EQ(point.Width(), 0);
  EXPECT_EQ(point.Scrolled(1, 3), (TValueRange{3, 3}));
  EXPECT_EQ(point.WheelZoomed(5, 4), point);
  EXPECT_EQ(point.WheelZoomed(5, -4), point);
  // Zoomed around another value, the point moves toward or away from it.
  EXPECT_EQ(point.WheelZoomed(0, -1), (TValueRange{6.25, 6.25}));
  EXPECT_EQ(point.AnimatedStepTowards({8, 8}), (TValueRange{6, 6}));
}

TEST(ValueRangeTest, TheAnimationNearsItsTargetFromBothSides) {
  TValueRange range{0, 27};
  const TValueRange target{9, 18};
  for (int step = 0; step < 60; ++step) {
    const TValueRange next = range.AnimatedStepTowards(target);
    EXPECT_GE(next.Minimum, range.Minimum);
    EXPECT_LE(next.Maximum, range.Maximum);
    EXPECT_LE(next.Minimum, target.Minimum);
    EXPECT_GE(next.Maximum, target.Maximum);
    range = next;
  }
  // Two thirds of the gap remain after each step: (2/3)^60 of 9 is below 1e-9.
  EXPECT_NEAR(range.Minimum, 9, 1e-9);
  EXPECT_NEAR(range.Maximum, 18, 1e-9);
}

TEST(ValueRangeTest, AWidthBeyondTheDoubleRangeIsStillFinite) {
  const double max = std::numeric_limits<double>::max();
  const TValueRange whole{-max, max};
  EXPECT_EQ(whole.Width(), 2.0L * max);
  EXPECT_THROW((void)whole.Scrolled(0, 1e300), EOverflow);
  EXPECT_THROW((void)whole.WheelZoomed(0, -1), EOverflow);
}

TEST(ValueRangeTest, AnAxisHandsOutItsBoundsAndTakesThemBackFixed) {
  testing::TTestChart chart;
  TChartAxis& axis = chart.BottomAxis();
  axis.AssignRange(TValueRange{8, 3});
  EXPECT_EQ(axis.Bounds(), (TValueRange{3, 8}));
  EXPECT_FALSE(axis.Automatic());
  axis.AssignRange(axis.Bounds().Scrolled(3, 4));
  EXPECT_EQ(axis.Bounds(), (TValueRange{2, 7}));
}

}  // namespace
}  // namespace corvane
