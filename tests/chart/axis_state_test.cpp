// The axis state a zoom saves and the two ways back: the undoing drag's (automatic flags turned
// off where the axis was not wholly automatic) and the exact one of the wheel and "Reset zoom".
// The chart's left axis is set up as the program's inhibition chart has it: minimum fixed at 0,
// only the maximum automatic.
#include "chart/axis_state.h"

#include <gtest/gtest.h>

#include "zoom_support.h"

namespace corvane {
namespace {

using testing::TMouseChart;

struct TFlags {
  bool Automatic, AutomaticMinimum, AutomaticMaximum;
  bool operator==(const TFlags&) const = default;
};
TFlags FlagsOf(const TChartAxis& axis) {
  return {axis.Automatic(), axis.AutomaticMinimum(), axis.AutomaticMaximum()};
}
constexpr TFlags kMaximumOnly{false, false, true};
constexpr TFlags kFixed{false, false, false};

class AxisStateChartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TChartAxis& left = chart.LeftAxis();
    left.SetAutomatic(false);
    left.SetAutomaticMaximum(true);
    left.SetMinimum(0);
    chart.Paint();
  }
  void Empty() {
    chart.line->ClearPoints();
    chart.Paint();
  }
  void Grow(double y) {
    chart.line->AddPoint(25, y, {}, chart.line->SeriesColor());
    chart.Paint();
  }
  void UndoDrag() {
    chart.MouseDown(mbLeft, {}, 300, 120);
    chart.MouseMove({}, 100, 40);
    chart.MouseUp(mbLeft, {}, 100, 40);
    chart.Paint();
  }
  void ZoomDrag() {
    chart.MouseDown(mbLeft, {}, 100, 40);
    chart.MouseMove({}, 300, 120);
    chart.MouseUp(mbLeft, {}, 300, 120);
    chart.Paint();
  }

  TMouseChart chart;
};

TEST(AxisStateTest, AnExactRestoreSetsTheBoundsInAnOrderTheSettersAccept) {
  TMouseChart chart;
  TChartAxis& axis = chart.BottomAxis();
  struct {
    TValueRange Now, Saved;
  } const cases[] = {{{0, 10}, {20, 30}}, {{20, 30}, {0, 10}}, {{0, 10}, {5, 5}}, {{0, 10}, {-3, 40}}};
  for (const auto& c : cases) {
    axis.AssignRange(c.Now);
    RestoreAxisStateExactly(axis, {false, false, false, c.Saved});
    EXPECT_EQ(axis.Bounds(), c.Saved);  // 5..5 too: AssignRange would have widened it
  }
  RestoreAxisStateExactly(axis, {true, true, true, {1, 2}});
  EXPECT_EQ(FlagsOf(axis), (TFlags{true, true, true}));
  RestoreAxisStateExactly(axis, {false, true, false, {1, 2}});
  EXPECT_EQ(FlagsOf(axis), (TFlags{false, true, false}));
}

// Once broke the inhibition chart until the program restarted: one notch on the empty chart
// left its vertical axis fixed at 0..0.001, and "Reset zoom" fixed it there again.
TEST_F(AxisStateChartTest, ResetAfterAWheelNotchOnTheEmptyChartLeavesTheMaximumAutomatic) {
  Empty();
  ASSERT_EQ(chart.LeftAxis().Bounds(), (TValueRange{0, 0}));
  ASSERT_TRUE(chart.WheelZoom(300, 80, 1));
  chart.Paint();
  chart.ResetZoom();
  EXPECT_EQ(FlagsOf(chart.LeftAxis()), kMaximumOnly);
  Grow(17);
  EXPECT_EQ(chart.LeftAxis().Bounds(), (TValueRange{0, 17}));
  EXPECT_FALSE(chart.AxisStateSaved());
}

// Once froze the maximum at its value of the time of the zoom.
TEST_F(AxisStateChartTest, ResetAfterAWheelZoomFollowsASeriesThatChangedMeanwhile) {
  ASSERT_EQ(chart.LeftAxis().Bounds(), (TValueRange{0, 8}));
  ASSERT_TRUE(chart.WheelZoom(300, 80, 2));
  chart.Paint();
  Grow(40);
  chart.ResetZoom();
  chart.Paint();
  EXPECT_EQ(FlagsOf(chart.LeftAxis()), kMaximumOnly);
  EXPECT_EQ(chart.LeftAxis().Bounds(), (TValueRange{0, 40}));
  EXPECT_EQ(chart.BottomAxis().Bounds(), (TValueRange{0, 26}));  // a fixed axis keeps its bounds
  EXPECT_EQ(FlagsOf(chart.BottomAxis()), kFixed);
}

TEST_F(AxisStateChartTest, TheUndoingDragUndoesAWheelZoomExactlyAndADragZoomAsItAlwaysHas) {
  ASSERT_TRUE(chart.WheelZoom(300, 80, 1));
  chart.Paint();
  ZoomDrag();  // on top of the wheel's: the wheel saved the state
  UndoDrag();
  EXPECT_EQ(FlagsOf(chart.LeftAxis()), kMaximumOnly);
  // A drag's own zoom comes back fixed at the bounds it found.
  ZoomDrag();
  UndoDrag();
  EXPECT_EQ(FlagsOf(chart.LeftAxis()), kFixed);
  EXPECT_EQ(chart.LeftAxis().Bounds(), (TValueRange{0, 8}));
}

// A drag's zoom on the empty chart: fixed at 0..0.001 no path would ever show.
TEST_F(AxisStateChartTest, TheUndoingDragOnTheEmptyChartLeavesTheMaximumAutomatic) {
  Empty();
  ZoomDrag();
  ASSERT_TRUE(chart.AxisStateSaved());
  UndoDrag();
  EXPECT_EQ(FlagsOf(chart.LeftAxis()), kMaximumOnly);
  Grow(12);
  EXPECT_EQ(chart.LeftAxis().Bounds(), (TValueRange{0, 12}));
}

TEST_F(AxisStateChartTest, ResetWheelZoomResetsOnlyAZoomTheWheelBegan) {
  EXPECT_FALSE(chart.ResetWheelZoom());
  ZoomDrag();
  EXPECT_FALSE(chart.SavedByWheel());
  EXPECT_FALSE(chart.ResetWheelZoom());
  EXPECT_TRUE(chart.AxisStateSaved());
  UndoDrag();
  ASSERT_TRUE(chart.WheelZoom(300, 80, 1));
  EXPECT_TRUE(chart.SavedByWheel());
  EXPECT_TRUE(chart.ResetWheelZoom());
  EXPECT_FALSE(chart.AxisStateSaved());
  EXPECT_FALSE(chart.Zoomed());
}

}  // namespace
}  // namespace corvane
