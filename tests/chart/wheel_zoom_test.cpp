// Zoom by the mouse wheel: notches added up from small steps, the bounds around the value under
// the pointer, and the chart's four axes zoomed, undone and refused where they would break.
#include "chart/wheel_zoom.h"

#include <gtest/gtest.h>

#include <cmath>

#include "chart/value_range.h"
#include "runtime/errors.h"
#include "zoom_support.h"

namespace corvane {
namespace {

using testing::TMouseChart;

TEST(WheelNotchesTest, SmallStepsAddUpAndTurningBackUsesThemFirst) {
  TWheelNotches notches;
  EXPECT_EQ(notches.Add(120), 1);
  EXPECT_EQ(notches.Add(240), 2);
  EXPECT_EQ(notches.Add(40), 0);
  EXPECT_EQ(notches.Add(40), 0);
  EXPECT_EQ(notches.Add(40), 1);
  EXPECT_EQ(notches.Pending(), 0);
  EXPECT_EQ(notches.Add(-130), -1);
  EXPECT_EQ(notches.Pending(), -10);
  EXPECT_EQ(notches.Add(70), 0);  // -10 + 70: pending 60, short of a notch
  EXPECT_EQ(notches.Add(60), 1);
  notches.Add(50);
  notches.Reset();
  EXPECT_EQ(notches.Add(100), 0);
}

TEST(ValueRangeWheelZoomTest, TheValueKeepsItsPlaceBetweenTheBounds) {
  EXPECT_EQ((TValueRange{0, 10}.WheelZoomed(2, 1)), (TValueRange{0.4, 8.4}));
  EXPECT_EQ((TValueRange{0, 10}.WheelZoomed(2, -1)), (TValueRange{-0.5, 12}));
  EXPECT_EQ((TValueRange{0, 10}.WheelZoomed(2, 0)), (TValueRange{0, 10}));
  const TValueRange twice = TValueRange{0, 10}.WheelZoomed(5, 2);  // 5 -/+ 5 / 1.5625
  EXPECT_DOUBLE_EQ(twice.Minimum, 1.8);
  EXPECT_DOUBLE_EQ(twice.Maximum, 8.2);
  // In and out again comes back.
  const TValueRange back = TValueRange{3, 7}.WheelZoomed(6.5, 3).WheelZoomed(6.5, -3);
  EXPECT_DOUBLE_EQ(back.Minimum, 3);
  EXPECT_DOUBLE_EQ(back.Maximum, 7);
}

TEST(ValueRangeWheelZoomTest, BeyondTheDoubleRangeIsAnOverflow) {
  EXPECT_THROW((TValueRange{-1e308, 1.5e308}.WheelZoomed(0, -2)), EOverflow);
  const TValueRange inside = TValueRange{-1e308, 1e308}.WheelZoomed(0, 1);
  EXPECT_DOUBLE_EQ(inside.Maximum, 0.8e308);
}

// The program-like chart, painted: PlotRect (39, 23, 575, 129), bottom 0..26, left 0..25, a
// blue line with markers that widen both scales by 4 pixels on each side.
class WheelZoomChartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chart.OnZoom = [this](TCustomChart&) { ++zooms; };
    chart.Paint();
  }
  TValueRange Bounds(const TChartAxis& axis) const { return {axis.Minimum(), axis.Maximum()}; }

  TMouseChart chart;
  int zooms = 0;
};

TEST_F(WheelZoomChartTest, TheValuesUnderThePointerStayUnderIt) {
  const double x_value = chart.BottomAxis().PixelToValue(200);
  const double y_value = chart.LeftAxis().PixelToValue(60);
  ASSERT_TRUE(chart.WheelZoom(200, 60, 1));
  EXPECT_EQ(zooms, 1);
  EXPECT_TRUE(chart.Zoomed());
  chart.Paint();
  EXPECT_NEAR(chart.BottomAxis().PixelToValue(200), x_value, 1e-12);
  EXPECT_NEAR(chart.LeftAxis().PixelToValue(60), y_value, 1e-12);
  // One notch narrows the shown range by the factor.
  EXPECT_NEAR(chart.BottomAxis().CurrentRange() * kWheelZoomFactor, 26 * (536.0 / 528), 1e-9);
  // Out again, elsewhere: the new place keeps its values too.
  const double x_out = chart.BottomAxis().PixelToValue(500);
  const double y_out = chart.LeftAxis().PixelToValue(100);
  ASSERT_TRUE(chart.WheelZoom(500, 100, -3));
  chart.Paint();
  EXPECT_NEAR(chart.BottomAxis().PixelToValue(500), x_out, 1e-12);
  EXPECT_NEAR(chart.LeftAxis().PixelToValue(100), y_out, 1e-12);
  EXPECT_EQ(zooms, 2);
}

TEST_F(WheelZoomChartTest, UndoRestoresTheStateBeforeTheFirstZoom) {
  ASSERT_TRUE(chart.WheelZoom(300, 80, 2));
  chart.Paint();
  ASSERT_TRUE(chart.WheelZoom(100, 40, 1));
  chart.UndoZoom();
  EXPECT_EQ(Bounds(chart.BottomAxis()), (TValueRange{0, 26}));
  EXPECT_EQ(Bounds(chart.LeftAxis()), (TValueRange{0, 25}));
  EXPECT_FALSE(chart.Zoomed());
  EXPECT_FALSE(chart.AxisStateSaved());
  // A wheel zoom after a drag zoom undoes back to before the drag.
  chart.Paint();
  chart.ZoomRect({100, 40, 300, 120});
  chart.Paint();
  ASSERT_TRUE(chart.WheelZoom(200, 80, 1));
  chart.UndoZoom();
  EXPECT_EQ(Bounds(chart.BottomAxis()), (TValueRange{0, 26}));
}

TEST_F(WheelZoomChartTest, OnlyOverThePlotAndNeverDuringADrag) {
  EXPECT_FALSE(chart.WheelZoom(10, 60, 1));   // left of the plot
  EXPECT_FALSE(chart.WheelZoom(200, 10, 1));  // over the title
  EXPECT_FALSE(chart.WheelZoom(200, 60, 0));
  chart.MouseDown(mbRight, {}, 200, 60);
  EXPECT_FALSE(chart.WheelZoom(200, 60, 1));
  chart.MouseUp(mbRight, {}, 200, 60);
  chart.MouseDown(mbLeft, {}, 200, 60);
  EXPECT_FALSE(chart.WheelZoom(200, 60, 1));
  chart.CancelMouseMode();
  EXPECT_EQ(zooms, 0);
  EXPECT_EQ(Bounds(chart.BottomAxis()), (TValueRange{0, 26}));
  EXPECT_FALSE(chart.AxisStateSaved());
}

// The unused top and right axes have no range to speak of; they must not stop the zoom.
TEST_F(WheelZoomChartTest, DeepZoomStopsAtTheNarrowestRangeWithNothingChanged) {
  int steps = 0;
  while (chart.WheelZoom(300, 80, 1) && steps < 200) {
    chart.Paint();
    ++steps;
  }
  EXPECT_GT(steps, 20);  // 25 / 1.25^n stays above 0.001 for n up to 45
  EXPECT_LT(steps, 60);
  const TValueRange before = Bounds(chart.LeftAxis());
  EXPECT_FALSE(chart.WheelZoom(300, 80, 1));
  EXPECT_EQ(Bounds(chart.LeftAxis()), before);
  EXPECT_GE(static_cast<long double>(before.Maximum) - before.Minimum, 0.001L);
}

TEST_F(WheelZoomChartTest, EnormousRangesZoomOutUntilTheDoubleRangeEnds) {
  chart.LeftAxis().AssignRange(0, 1e300);
  chart.BottomAxis().AssignRange(0, 1e300);
  chart.Paint();
  int steps = 0;
  while (chart.WheelZoom(300, 80, -10) && steps < 1000) {
    chart.Paint();
    ++steps;
  }
  EXPECT_LT(steps, 1000);
  EXPECT_TRUE(std::isfinite(chart.LeftAxis().Maximum()));
  EXPECT_TRUE(std::isfinite(chart.BottomAxis().Minimum()));
  EXPECT_TRUE(chart.WheelZoom(300, 80, 1));  // and back in
}

TEST_F(WheelZoomChartTest, AnEmptyChartZoomsItsFixedAxes) {
  chart.line->ClearPoints();
  chart.Paint();
  EXPECT_TRUE(chart.WheelZoom(300, 80, 1));
  EXPECT_LT(chart.BottomAxis().Maximum() - chart.BottomAxis().Minimum(), 26);
  EXPECT_NO_THROW(chart.Paint());
}

}  // namespace
}  // namespace corvane
