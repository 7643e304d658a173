// The chart's own mouse handling without a window: the hit test order, the press with its click
// events and cancel flag, the hover cursor, the animated zoom, scroll vetoes and undo.
// Geometry of the program-like chart after a paint: PlotRect (39, 23, 575, 129), the title in
// (18, 5, 575, 18), the bottom axis line at y 129 and the left one at x 39; the line's points sit
// at (368, 109), (409, 98), (449, 105), (490, 94), (530, 101).
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "chart/chart_hit_test.h"
#include "chart/value_range.h"
#include "framework/cursors.h"
#include "zoom_support.h"

namespace corvane {
namespace {

using testing::TMouseChart;

class ChartMouseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chart.Paint();
    ASSERT_EQ(chart.PlotRect(), (TRect{39, 23, 575, 129}));
  }
  void Drag(TMouseButton button, TPoint from, TPoint to) {
    chart.MouseDown(button, 0, from.X, from.Y);
    chart.MouseMove(0, to.X, to.Y);
    chart.MouseUp(button, 0, to.X, to.Y);
  }
  TChartHit Hit(int x, int y) { return HitTestChart(chart, x, y); }

  TMouseChart chart;
};

TEST_F(ChartMouseTest, HitTestTakesSeriesPointsThenAxesThenTitlesThenTheBackground) {
  EXPECT_EQ(Hit(368, 109).Part, TClickedPart::Series);
  EXPECT_EQ(Hit(368, 109).ValueIndex, 0);
  EXPECT_EQ(Hit(389, 104).ValueIndex, 0);  // on the segment from point 0 to point 1
  // The axis wins over the background inside the plot, within 11 pixels of its line.
  EXPECT_EQ(Hit(200, 118).Axis, &chart.BottomAxis());
  EXPECT_EQ(Hit(200, 117).Part, TClickedPart::Background);
  EXPECT_EQ(Hit(200, 140).Axis, &chart.BottomAxis());
  EXPECT_EQ(Hit(200, 141).Part, TClickedPart::Nothing);
  EXPECT_EQ(Hit(575, 130).Axis, &chart.BottomAxis());  // both ends of the plot count
  EXPECT_EQ(Hit(576, 130).Part, TClickedPart::Nothing);
  EXPECT_EQ(Hit(28, 60).Axis, &chart.LeftAxis());
  EXPECT_EQ(Hit(27, 60).Part, TClickedPart::Nothing);
  EXPECT_EQ(Hit(300, 10).Part, TClickedPart::Title);
  EXPECT_EQ(Hit(100, 40).Part, TClickedPart::Background);
  EXPECT_EQ(Hit(574, 50).Part, TClickedPart::Background);
  EXPECT_EQ(Hit(590, 50).Part, TClickedPart::Nothing);  // the panel beside the plot
}

TEST_F(ChartMouseTest, LaterSeriesAreAskedFirstAndTheBackgroundNeedsAnActiveSeries) {
  TLineSeries& top = chart.CreateSeries<TLineSeries>();
  top.AddPoint(16, 4);
  chart.Paint();
  EXPECT_EQ(Hit(368, 109).Series, &top);
  top.SetActive(false);
  chart.Paint();
  EXPECT_EQ(Hit(368, 109).Series, chart.line);
  chart.line->SetActive(false);
  chart.Paint();
  EXPECT_EQ(Hit(chart.PlotCenterX(), chart.PlotCenterY()).Part, TClickedPart::Nothing);
  chart.line->SetActive(true);
  chart.Paint();
  EXPECT_EQ(Hit(chart.PlotCenterX(), chart.PlotCenterY()).Part, TClickedPart::Background);
}

TEST_F(ChartMouseTest, TheLegendComesFirst) {
  chart.Legend().SetVisible(true);
  chart.Paint();
  const TRect legend = chart.Legend().LegendRect();
  ASSERT_FALSE(legend.IsEmpty());
  EXPECT_EQ(Hit(legend.Left + 2, legend.Top + 2).Part, TClickedPart::Legend);
}

TEST_F(ChartMouseTest, InThreeDimensionsThePlotAreaReachesOverTheBackPlane) {
  chart.SetView3D(true);
  chart.Paint();
  const TRect& p = chart.PlotRect();
  ASSERT_GT(chart.Width3D(), 0);
  EXPECT_TRUE(InPlotArea(chart, p.Right + chart.Width3D() - 1, p.Top - chart.Height3D()));
  EXPECT_FALSE(InPlotArea(chart, p.Right + chart.Width3D(), p.Top));
  EXPECT_FALSE(InPlotArea(chart, p.Left, p.Bottom));
}

TEST_F(ChartMouseTest, ABackgroundPressFiresOnceAndAHandlerLeavingTheFlagSetStopsTheDrag) {
  std::vector<TMouseButton> presses;
  bool cancel = true;
  chart.OnClickBackground = [&](TCustomChart& sender, TMouseButton button, TShiftState, int x, int y) {
    EXPECT_EQ(&sender, &chart);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 40);
    EXPECT_TRUE(sender.CancelMouse());  // set just before the event
    presses.push_back(button);
    sender.SetCancelMouse(cancel);
  };
  chart.MouseDown(mbLeft, 0, 100, 40);
  EXPECT_EQ(presses.size(), 1u);
  EXPECT_FALSE(chart.ZoomRecord().Active);
  EXPECT_FALSE(chart.CancelMouse());  // cleared at the end of the press
  cancel = false;
  chart.MouseDown(mbLeft, 0, 100, 40);
  EXPECT_EQ(presses.size(), 2u);
  EXPECT_TRUE(chart.ZoomRecord().Active);
  chart.MouseDown(mbRight, 0, 120, 50);  // ignored while a drag is active
  EXPECT_EQ(presses.size(), 2u);
  chart.MouseUp(mbLeft, 0, 100, 40);
  chart.MouseDown(mbMiddle, 0, 100, 40);  // starts no drag; the event is not fired twice
  EXPECT_EQ(presses, (std::vector<TMouseButton>{mbLeft, mbLeft, mbMiddle}));
}

TEST_F(ChartMouseTest, PressesOnOtherPartsFireTheirEventThenTheBackgroundsUnlessADragStarted) {
  std::vector<std::string> events;
  chart.OnClickBackground = [&](TCustomChart& c, TMouseButton, TShiftState, int, int) {
    events.push_back("background");
    c.SetCancelMouse(false);
  };
  bool cancel_axis = false;
  chart.OnClickAxis = [&](TCustomChart& c, TChartAxis& axis, TMouseButton, TShiftState, int, int) {
    events.push_back(&axis == &c.LeftAxis() ? "left" : "other axis");
    c.SetCancelMouse(cancel_axis);
  };
  chart.MouseDown(mbLeft, 0, 300, 10);  // the title
  EXPECT_EQ(events, (std::vector<std::string>{"background"}));
  EXPECT_FALSE(chart.ZoomRecord().Active);
  events.clear();
  chart.MouseDown(mbLeft, 0, 30, 60);  // the left axis starts a drag
  EXPECT_EQ(events, (std::vector<std::string>{"left"}));
  EXPECT_TRUE(chart.ZoomRecord().Active);
  chart.MouseUp(mbLeft, 0, 30, 60);
  events.clear();
  cancel_axis = true;
  chart.MouseDown(mbLeft, 0, 30, 60);
  EXPECT_EQ(events, (std::vector<std::string>{"left"}));
  EXPECT_FALSE(chart.ZoomRecord().Active);
  events.clear();
  chart.MouseDown(mbRight, 0, 10, 150);  // nothing at all
  EXPECT_EQ(events, (std::vector<std::string>{"background"}));
  EXPECT_FALSE(chart.ScrollRecord().Active);
}

TEST_F(ChartMouseTest, ASeriesPressRunsTheSeriesClickThenOnClickSeries) {
  std::vector<std::string> events;
  chart.line->OnClick = [&](TChartSeries&, int index, TMouseButton, TShiftState, int, int) {
    events.push_back("click " + std::to_string(index));
  };
  chart.line->OnDblClick = [&](TChartSeries&, int index, TMouseButton, TShiftState, int, int) {
    events.push_back("double " + std::to_string(index));
    chart.SetCancelMouse(false);
  };
  chart.OnClickSeries = [&](TCustomChart& c, TChartSeries& series, int index, TMouseButton, TShiftState, int,
                            int) {
    EXPECT_EQ(&series, chart.line);
    events.push_back("series " + std::to_string(index));
    c.SetCancelMouse(false);
  };
  // OnClick leaves the flag set as it found it: the press is consumed, no drag.
  chart.MouseDown(mbLeft, 0, 409, 98);
  EXPECT_EQ(events, (std::vector<std::string>{"click 1", "series 1"}));
  EXPECT_FALSE(chart.ZoomRecord().Active);
  events.clear();
  chart.MouseDown(mbLeft, ssLeft | ssDouble, 409, 98);
  EXPECT_EQ(events, (std::vector<std::string>{"double 1", "series 1"}));
  EXPECT_TRUE(chart.ZoomRecord().Active);
}

TEST_F(ChartMouseTest, ACancelFlagLeftSetSwallowsOnePressOnly) {
  chart.SetCancelMouse(true);
  chart.MouseDown(mbLeft, 0, 100, 40);
  EXPECT_FALSE(chart.ZoomRecord().Active);
  EXPECT_FALSE(chart.CancelMouse());
  chart.MouseDown(mbLeft, 0, 100, 40);
  EXPECT_TRUE(chart.ZoomRecord().Active);
}

TEST_F(ChartMouseTest, AHandlerThatThrowsLeavesNoCancelFlagBehind) {
  chart.OnClickBackground = [](TCustomChart&, TMouseButton, TShiftState, int, int) {
    throw std::runtime_error("handler");
  };
  EXPECT_THROW(chart.MouseDown(mbLeft, 0, 100, 40), std::runtime_error);
  EXPECT_FALSE(chart.CancelMouse());
  chart.OnClickBackground = nullptr;
  chart.MouseDown(mbLeft, 0, 100, 40);
  EXPECT_TRUE(chart.ZoomRecord().Active);
}

TEST_F(ChartMouseTest, NoZoomOrPanningSettingStartsNoDrag) {
  chart.SetAllowZoom(false);
  chart.SetAllowPanning(pmNone);
  chart.MouseDown(mbLeft, 0, 100, 40);
  EXPECT_FALSE(chart.ZoomRecord().Active);
  chart.MouseDown(mbRight, 0, 100, 40);
  EXPECT_FALSE(chart.ScrollRecord().Active);
}

TEST_F(ChartMouseTest, HoverTakesASeriesCursorWithoutFiringItsMarkerClick) {
  int pointer_clicks = 0;
  chart.line->OnClickPointer = [&](TChartSeries&, int, int, int) { ++pointer_clicks; };
  chart.line->SetCursor(crHandPoint);
  chart.SetOriginalCursor(crCross);
  chart.MouseMove(0, 410, 99);
  EXPECT_EQ(chart.Cursor(), crHandPoint);
  chart.MouseMove(0, 100, 40);
  EXPECT_EQ(chart.Cursor(), crCross);
  chart.MouseMove(0, 410, 99);
  chart.MouseLeave();
  EXPECT_EQ(chart.Cursor(), crCross);
  EXPECT_EQ(pointer_clicks, 0);
  // A drag shows the default cursor.
  chart.MouseDown(mbLeft, 0, 100, 40);
  EXPECT_EQ(chart.Cursor(), crDefault);
  EXPECT_EQ(pointer_clicks, 0);
}

TEST_F(ChartMouseTest, TheAnimatedZoomGoesAThirdOfTheWayPerShownStep) {
  chart.SetAnimatedZoom(true);
  chart.SetAnimatedZoomSteps(4);
  const TValueRange target{chart.BottomAxis().PixelToValue(100), chart.BottomAxis().PixelToValue(300)};
  std::vector<TValueRange> shown;
  chart.OnAfterDraw = [&](TCustomChart& c) {
    shown.push_back({c.BottomAxis().Minimum(), c.BottomAxis().Maximum()});
  };
  Drag(mbLeft, {100, 40}, {300, 120});
  EXPECT_EQ(chart.immediate_repaints, 3);
  TValueRange expected{0, 26};
  ASSERT_EQ(shown.size(), 3u);
  for (const TValueRange& step : shown) {
    expected = expected.AnimatedStepTowards(target);
    EXPECT_EQ(step, expected);
  }
  EXPECT_EQ((TValueRange{chart.BottomAxis().Minimum(), chart.BottomAxis().Maximum()}), target);
}

TEST_F(ChartMouseTest, OnAllowScrollMayVetoOrChangeOneAxisStep) {
  int scrolls = 0;
  chart.OnScroll = [&](TCustomChart&) { ++scrolls; };
  chart.OnAllowScroll = [&](TChartAxis& axis, double& a_min, double& a_max, bool& allow) {
    if (&axis == &chart.LeftAxis())
      allow = false;
    if (&axis == &chart.BottomAxis()) {
      a_min = 2;
      a_max = 7;
    }
  };
  chart.MouseDown(mbRight, 0, 300, 80);
  chart.MouseMove(0, 310, 90);
  EXPECT_EQ(scrolls, 1);
  EXPECT_EQ(chart.BottomAxis().Minimum(), 2);
  EXPECT_EQ(chart.BottomAxis().Maximum(), 7);
  EXPECT_EQ(chart.LeftAxis().Minimum(), 0);
  EXPECT_EQ(chart.LeftAxis().Maximum(), 25);
  EXPECT_TRUE(chart.AxisStateSaved());
  EXPECT_FALSE(chart.Zoomed());  // a scroll is no zoom, but an undo returns from it
}

TEST_F(ChartMouseTest, ZoomRectIsOpenToTheProgram) {
  const double low = chart.LeftAxis().PixelToValue(120);
  chart.ZoomRect({300, 120, 100, 40});  // any corners: put in order first
  EXPECT_EQ(chart.BottomAxis().Minimum(), chart.BottomAxis().PixelToValue(100));
  EXPECT_EQ(chart.LeftAxis().Minimum(), low);
  EXPECT_TRUE(chart.Zoomed());
}

}  // namespace
}  // namespace corvane
