#include "chart/axis_room.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/axis_geometry.h"
#include "chart/axis_labels.h"
#include "chart/line_series.h"
#include "chart_support.h"
#include "framework/recording_canvas.h"
#include "runtime/number_format_settings.h"

namespace corvane {
namespace {

using testing::TTestChart;

// Every character 6 pixels wide, every text 13 high (the height of "W").
constexpr int kCharWidth = 6;
constexpr int kTextHeight = 13;

struct AxisFixtureTest : ::testing::Test {
  TTestChart chart;
  TRecordingCanvas canvas;

  AxisFixtureTest() { canvas.SetTextMetrics(kCharWidth, kTextHeight); }

  static void Fix(TChartAxis& axis, double minimum, double maximum) {
    axis.SetAutomatic(false);
    axis.SetMaximum(maximum);
    axis.SetMinimum(minimum);
    axis.SetLabelStyle(talValue);
  }
  // The layout part of a paint for one axis: scale, take the room, then draw on what is left.
  TRect LayOutAndDraw(TChartAxis& axis, const TRect& plot) {
    chart.PlaceLayout(plot);
    chart.ScaleAxes();
    const TRect rest = CalcAxisRoom(axis, canvas, chart.PlotRect());
    chart.PlaceLayout(rest);
    canvas.Clear();
    DrawAxis(axis, canvas);
    return rest;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const TCanvasCall& c : canvas.Calls())
      if (c.Op == TCanvasOp::TextOut || c.Op == TCanvasOp::RotatedTextOut)
        texts.push_back(c.Text);
    return texts;
  }
  std::vector<TCanvasCall> LinesWith(TPenStyle style, TColor color, int width = 1) const {
    std::vector<TCanvasCall> found;
    for (const TCanvasCall& c : canvas.CallsOf(TCanvasOp::Line))
      if (c.Pen.Style == style && c.Pen.Color == color && c.Pen.Width == width)
        found.push_back(c);
    return found;
  }
  std::vector<TCanvasCall> GridLines() const { return LinesWith(psDot, clGray); }
  std::vector<TCanvasCall> TickLines() const { return LinesWith(psSolid, clGray); }
};

std::vector<std::string> Numbers(int from, int down_to, int step) {
  std::vector<std::string> texts;
  for (int v = from; v >= down_to; v -= step) texts.push_back(std::to_string(v));
  return texts;
}

// --- Steps, label values and their places -------------------------------------------------------

TEST_F(AxisFixtureTest, BottomAxis0To26LabelsEveryValueFromTheRightEnd) {
  Fix(chart.BottomAxis(), 0, 26);
  const TRect rest = LayOutAndDraw(chart.BottomAxis(), {18, 5, 575, 148});
  EXPECT_EQ(rest, (TRect{18, 5, 575, 129}));  // labels 13, line and ticks 6
  EXPECT_EQ(Texts(), Numbers(26, 0, 1));

  const TCanvasCall* top = canvas.FindText("26");
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(top->Points[0], (TPoint{575, 135}));
  EXPECT_EQ(top->Align, (TTextAlign{TTextHorz::Center, TTextVert::Top}));
  EXPECT_EQ(top->BackgroundMode, bmTransparent);
  EXPECT_EQ(top->Font.Name, "Arial");
  EXPECT_EQ(canvas.FindText("13")->Points[0].X, 18 + 278);  // 278.5 rounds to even
  EXPECT_EQ(canvas.FindText("0")->Points[0].X, 18);
}

TEST_F(AxisFixtureTest, LeftAxis0To25OnA100PixelPlotStepsBy5) {
  Fix(chart.LeftAxis(), 0, 25);
  const TRect rest = LayOutAndDraw(chart.LeftAxis(), {40, 10, 500, 110});
  // Widest label "25" and a blank: 18; line and ticks 6.
  EXPECT_EQ(rest, (TRect{64, 10, 500, 110}));
  EXPECT_EQ(Texts(), Numbers(25, 0, 5));
  const TCanvasCall* twenty = canvas.FindText("20");
  ASSERT_NE(twenty, nullptr);
  EXPECT_EQ(twenty->Points[0], (TPoint{58, 30 - kTextHeight / 2}));
  EXPECT_EQ(twenty->Align, (TTextAlign{TTextHorz::Right, TTextVert::Top}));
}

TEST_F(AxisFixtureTest, EqualBoundsGiveOneLabelAndNoGridLine) {
  Fix(chart.LeftAxis(), 4, 4);
  LayOutAndDraw(chart.LeftAxis(), {40, 10, 500, 110});
  EXPECT_EQ(Texts(), std::vector<std::string>{"4"});
  EXPECT_EQ(canvas.FindText("4")->Points[0].Y, 60 - kTextHeight / 2);  // the plot's centre
  EXPECT_TRUE(GridLines().empty());
  EXPECT_EQ(TickLines().size(), 1u);
}

TEST_F(AxisFixtureTest, TickOnLabelsOnlyWithoutLabelsDrawsOnlyTheAxisLine) {
  TChartAxis& axis = chart.BottomAxis();
  Fix(axis, 0, 26);
  axis.SetLabels(false);
  const TRect rest = LayOutAndDraw(axis, {18, 5, 575, 148});
  EXPECT_EQ(rest.Bottom, 142);  // no room for labels
  ASSERT_EQ(canvas.Calls().size(), 1u);
  EXPECT_EQ(canvas.Calls()[0].Pen.Width, 2);

  axis.SetTickOnLabelsOnly(false);  // now ticks and grid go without the labels
  LayOutAndDraw(axis, {18, 5, 575, 148});
  EXPECT_TRUE(Texts().empty());
  EXPECT_EQ(TickLines().size(), 27u + 26 * 3);  // majors and the minors between them
  EXPECT_EQ(GridLines().size(), 25u);
}

TEST(AxisLabelTextTest, DefaultMaskGroupsThousandsWithTheCurrentMarks) {
  TTestChart chart;
  {
    TScopedNumberFormat marks('.', ',');
    EXPECT_EQ(AxisValueLabel(chart.LeftAxis(), 1234.5), "1,234.5");
    EXPECT_EQ(AxisValueLabel(chart.LeftAxis(), 0.00049), "0");
  }
  TScopedNumberFormat marks(',', '.');
  EXPECT_EQ(AxisValueLabel(chart.LeftAxis(), 1234.5), "1.234,5");
}

TEST_F(AxisFixtureTest, ATooSmallStepDrawsNoLabelsButTheTitleAndLine) {
  TChartAxis& axis = chart.BottomAxis();
  Fix(axis, 0, 1000);
  axis.SetIncrement(0.01);
  axis.SetLabelsSeparation(0);  // keeps the increment: 100000 steps are too many to walk
  axis.Title().SetCaption("Time");
  LayOutAndDraw(axis, {18, 5, 575, 148});
  EXPECT_EQ(Texts(), std::vector<std::string>{"Time"});
  EXPECT_EQ(canvas.CallsOf(TCanvasOp::Line).size(), 1u);
}

// --- Titles and room ---------------------------------------------------------------------------

TEST_F(AxisFixtureTest, LeftTitleTurned90DegreesCentredOnPlotCenterYLeftOfTheLabels) {
  TChartAxis& axis = chart.LeftAxis();
  Fix(axis, 0, 25);
  axis.Title().SetCaption("Reaction time");
  const TRect rest = LayOutAndDraw(axis, {40, 10, 500, 110});
  EXPECT_EQ(axis.TitlePosition(), 53);   // one line of "W" across a turned title
  EXPECT_EQ(axis.LabelsPosition(), 71);  // the labels' right end
  EXPECT_EQ(rest.Left, 77);
  const TCanvasCall* title = canvas.FindText("Reaction time");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->Op, TCanvasOp::RotatedTextOut);
  EXPECT_EQ(title->Angle, 90);
  EXPECT_EQ(title->Points[0], (TPoint{53, 60}));
  EXPECT_EQ(title->Align, (TTextAlign{TTextHorz::Center, TTextVert::Bottom}));
  EXPECT_EQ(canvas.Calls().back().Align, TTextAlign{});  // alignment reset after every text
}

TEST_F(AxisFixtureTest, BottomAxisRoomIsTitleThenLabelsThenLineAndTicks) {
  TChartAxis& axis = chart.BottomAxis();
  Fix(axis, 0, 26);
  axis.Title().SetCaption("Time");
  chart.PlaceLayout({18, 5, 575, 148});
  chart.ScaleAxes();
  EXPECT_EQ(CalcAxisRoom(axis, canvas, chart.PlotRect()), (TRect{18, 5, 575, 116}));
  EXPECT_EQ(axis.TitlePosition(), 135);
  EXPECT_EQ(axis.LabelsPosition(), 122);
  EXPECT_EQ(axis.AxisPosition(), 116);

  axis.SetTitleSize(20);
  axis.SetLabelsSize(30);
  axis.Axis().SetVisible(false);
  axis.Ticks().SetVisible(false);  // the minor ticks' 2 remain
  EXPECT_EQ(CalcAxisRoom(axis, canvas, chart.PlotRect()).Bottom, 148 - 20 - 30 - 2);

  axis.Title().SetCaption("");
  axis.MinorTicks().SetVisible(false);
  EXPECT_EQ(CalcAxisRoom(axis, canvas, chart.PlotRect()).Bottom, 148 - 30);
}

TEST_F(AxisFixtureTest, TurnedBottomLabelsTakeTheWidestLabelAcross) {
  TChartAxis& axis = chart.BottomAxis();
  Fix(axis, 0, 1000);
  axis.SetLabelsAngle(90);
  chart.PlaceLayout({18, 5, 575, 148});
  chart.ScaleAxes();
  // "1,000" and a blank.
  EXPECT_EQ(CalcAxisRoom(axis, canvas, chart.PlotRect()).Bottom, 148 - 6 * kCharWidth - 6);
}

// --- Ticks, grid and axis line -----------------------------------------------------------------

TEST(AxisGeometryTest, TicksStartOnePixelOutsideTheLineAndLeaveOutTheirEnd) {
  EXPECT_EQ(TickSegment(TAxisSide::Bottom, 148, 100, 1, 4), (TSegment{{100, 149}, {100, 153}}));
  EXPECT_EQ(TickSegment(TAxisSide::Top, 20, 100, 1, 4), (TSegment{{100, 19}, {100, 15}}));
  EXPECT_EQ(TickSegment(TAxisSide::Left, 64, 30, 1, 4), (TSegment{{63, 30}, {59, 30}}));
  EXPECT_EQ(TickSegment(TAxisSide::Right, 500, 30, 1, 4), (TSegment{{501, 30}, {505, 30}}));
  // Inner ticks run into the plot.
  EXPECT_EQ(TickSegment(TAxisSide::Bottom, 148, 100, -1, -3), (TSegment{{100, 147}, {100, 144}}));
  EXPECT_EQ(TickSegment(TAxisSide::Left, 64, 30, -1, -3), (TSegment{{65, 30}, {68, 30}}));
}

TEST(AxisGeometryTest, GridLinesCrossThePlotFromBesideTheAxis) {
  const TRect plot{64, 10, 500, 110};
  EXPECT_EQ(GridSegment(TAxisSide::Bottom, plot, 70), (TSegment{{70, 109}, {70, 10}}));
  EXPECT_EQ(GridSegment(TAxisSide::Top, plot, 70), (TSegment{{70, 11}, {70, 110}}));
  EXPECT_EQ(GridSegment(TAxisSide::Left, plot, 30), (TSegment{{65, 30}, {500, 30}}));
  EXPECT_EQ(GridSegment(TAxisSide::Right, plot, 30), (TSegment{{499, 30}, {64, 30}}));
  EXPECT_EQ(AxisLineSegment(TAxisSide::Bottom, plot, 110, 0, 0), (TSegment{{64, 110}, {500, 110}}));
  EXPECT_EQ(AxisLineSegment(TAxisSide::Left, plot, 64, 0, 0), (TSegment{{64, 11}, {64, 110}}));
  EXPECT_EQ(AxisLineSegment(TAxisSide::Right, plot, 507, 7, 5), (TSegment{{507, 6}, {507, 105}}));
}

TEST_F(AxisFixtureTest, DrawnTicksGridAndLineOfALeftAxis) {
  TChartAxis& axis = chart.LeftAxis();
  Fix(axis, 0, 25);
  axis.SetTickInnerLength(3);
  LayOutAndDraw(axis, {40, 10, 500, 110});
  // Grid lines only inside the bounds: at 20, 15, 10, 5 (y 30, 50, 70, 90).
  const std::vector<TCanvasCall> grid = GridLines();
  ASSERT_EQ(grid.size(), 4u);
  EXPECT_EQ(grid[0].Points, (std::vector<TPoint>{{65, 30}, {500, 30}}));
  EXPECT_EQ(grid[3].Points[0].Y, 90);
  EXPECT_EQ(grid[0].BackgroundMode, bmTransparent);

  const TCanvasCall& line = canvas.Calls().back();
  EXPECT_EQ(line.Points, (std::vector<TPoint>{{64, 11}, {64, 110}}));
  EXPECT_EQ(line.Pen.Width, 2);

  // Per label: major tick, inner tick, then the minors back to the previous label.
  const std::vector<TCanvasCall> ticks = TickLines();
  ASSERT_EQ(ticks.size(), 6u * 2 + 5 * 3);
  EXPECT_EQ(ticks[0].Points, (std::vector<TPoint>{{63, 10}, {59, 10}}));
  EXPECT_EQ(ticks[1].Points, (std::vector<TPoint>{{65, 10}, {68, 10}}));
  // Between y 10 and y 30: 30 - Round(20 / 4 * i) for i = 1, 2, 3, 2 long.
  EXPECT_EQ(ticks[4].Points, (std::vector<TPoint>{{63, 25}, {61, 25}}));
  EXPECT_EQ(ticks[5].Points[0].Y, 20);
  EXPECT_EQ(ticks[6].Points[0].Y, 15);
}

TEST_F(AxisFixtureTest, MinorTicksOnlyBetweenTwoMajorTicks) {
  TChartAxis& axis = chart.BottomAxis();
  Fix(axis, 0, 3);
  axis.SetIncrement(2);
  axis.SetMinorTickCount(1);
  LayOutAndDraw(axis, {0, 0, 300, 100});
  // Labels 2 and 0: one minor tick between x 200 and x 0, none beyond either end.
  std::vector<int> xs;
  for (const TCanvasCall& c : TickLines()) xs.push_back(c.Points[0].X);
  EXPECT_EQ(xs, (std::vector<int>{200, 0, 100}));
}

TEST_F(AxisFixtureTest, AHugeMinorTickCountTicksEveryPixelBetweenWithoutLoopingOverIt) {
  TChartAxis& axis = chart.BottomAxis();
  Fix(axis, 0, 2);
  axis.SetIncrement(1);
  axis.SetMinorTickCount(2000000000);
  LayOutAndDraw(axis, {0, 0, 10, 100});  // labels at x 10, 5, 0
  std::vector<TCanvasCall> ticks = TickLines();
  ASSERT_LE(ticks.size(), 3u + 2 * 11);
  std::vector<bool> hit(11);
  for (const TCanvasCall& c : ticks) hit.at(std::size_t(c.Points[0].X)) = true;
  EXPECT_EQ(hit, std::vector<bool>(11, true));
}

TEST(AxisWallsTest, InThreeDTheNearWallPushesTicksAndRoomOutward) {
  testing::TTestPaintChart chart;
  TRecordingCanvas canvas;
  canvas.SetTextMetrics(kCharWidth, kTextHeight);
  chart.BottomWall().SetSize(5);
  TChartAxis& axis = chart.BottomAxis();
  AxisFixtureTest::Fix(axis, 0, 10);
  chart.SetPanelBounds({0, 0, 400, 200});
  chart.SetPlotRect({0, 0, 300, 100});
  chart.ResolveRanges();
  EXPECT_EQ(CalcAxisRoom(axis, canvas, chart.PlotRect()).Bottom, 100 - 13 - 6 - 5);
  chart.SetPlotRect({0, 0, 300, 100});
  DrawAxis(axis, canvas);
  EXPECT_EQ(canvas.CallsOf(TCanvasOp::Line)[0].Points, (std::vector<TPoint>{{300, 106}, {300, 110}}));

  chart.SetView3D(false);  // walls are not drawn in 2-D, and take no room
  EXPECT_EQ(CalcAxisRoom(axis, canvas, chart.PlotRect()).Bottom, 100 - 13 - 6);
}

TEST_F(AxisFixtureTest, FarAxesStandOnTheBackPlaneMovedByTheDepth) {
  chart.SetDepth3D(7, 5, 0);
  TChartAxis& top = chart.TopAxis();
  Fix(top, 0, 10);
  const TRect rest = LayOutAndDraw(top, {20, 40, 320, 140});
  EXPECT_EQ(rest.Top, 40 + 13 + 6);
  EXPECT_EQ(top.DrawnAxisPosition(), 59 - 5);
  const TCanvasCall* ten = canvas.FindText("10");
  ASSERT_NE(ten, nullptr);
  EXPECT_EQ(ten->Points[0], (TPoint{320, 53 - 5}));
  EXPECT_EQ(ten->Align, (TTextAlign{TTextHorz::Center, TTextVert::Bottom}));
  EXPECT_EQ(canvas.Calls().back().Points, (std::vector<TPoint>{{20, 54}, {327, 54}}));

  TChartAxis& right = chart.RightAxis();
  Fix(right, 0, 10);
  LayOutAndDraw(right, {20, 40, 320, 140});
  EXPECT_EQ(right.DrawnAxisPosition(), 320 - 18 - 6 + 7);
  EXPECT_EQ(canvas.FindText("10")->Points[0], (TPoint{302 + 7, 40 - kTextHeight / 2}));
  EXPECT_EQ(canvas.Calls().back().Points, (std::vector<TPoint>{{303, 36}, {303, 135}}));
}

// --- Text placement ----------------------------------------------------------------------------

TEST(AxisGeometryTest, TextAlignmentByAngleAndSide) {
  using H = TTextHorz;
  using V = TTextVert;
  const TPoint a{100, 50};
  const auto place = [&](TAxisSide side, int angle) { return PlaceAxisText(side, angle, a, 14, 13); };
  EXPECT_EQ(place(TAxisSide::Top, 0), (TTextPlacement{{100, 50}, {H::Center, V::Bottom}}));
  EXPECT_EQ(place(TAxisSide::Right, 0), (TTextPlacement{{100, 44}, {H::Left, V::Top}}));
  EXPECT_EQ(place(TAxisSide::Bottom, 90), (TTextPlacement{{93, 50}, {H::Right, V::Top}}));
  EXPECT_EQ(place(TAxisSide::Right, 90), (TTextPlacement{{100, 50}, {H::Center, V::Top}}));
  EXPECT_EQ(place(TAxisSide::Bottom, 180), (TTextPlacement{{100, 50}, {H::Center, V::Bottom}}));
  EXPECT_EQ(place(TAxisSide::Left, 180), (TTextPlacement{{100, 56}, {H::Left, V::Top}}));
  EXPECT_EQ(place(TAxisSide::Top, 270), (TTextPlacement{{107, 50}, {H::Right, V::Top}}));
  EXPECT_EQ(place(TAxisSide::Right, 270), (TTextPlacement{{100, 50}, {H::Center, V::Bottom}}));
  EXPECT_EQ(place(TAxisSide::Left, 45), (TTextPlacement{{100, 50}, {H::Left, V::Top}}));
}

// --- Events and label styles -------------------------------------------------------------------

TEST_F(AxisFixtureTest, LabelEventsChangeTextsAndSupplyValues) {
  TChartAxis& axis = chart.BottomAxis();
  Fix(axis, 0, 10);
  axis.OnGetAxisLabel = [](TChartAxis&, TChartSeries* series, int index, std::string& text) {
    EXPECT_EQ(series, nullptr);
    EXPECT_EQ(index, -1);
    text += "s";
  };
  std::vector<int> indexes;
  axis.OnGetNextAxisLabel = [&](TChartAxis&, int index, double& value, bool& stop) {
    indexes.push_back(index);
    value = index * 4.0;  // 0, 4, 8, then 12 beyond the bounds ends the walk
    stop = false;
  };
  LayOutAndDraw(axis, {0, 0, 300, 100});
  EXPECT_EQ(Texts(), (std::vector<std::string>{"0s", "4s", "8s"}));
  EXPECT_EQ(indexes, (std::vector<int>{0, 1, 2, 3}));

  // Stop left set at the first call: the default walk runs instead.
  axis.OnGetNextAxisLabel = [](TChartAxis&, int, double&, bool&) {};
  LayOutAndDraw(axis, {0, 0, 300, 100});
  EXPECT_EQ(Texts().front(), "10s");
  EXPECT_EQ(Texts().size(), 11u);
}

TEST_F(AxisFixtureTest, AutoStyleFollowsTheAxisSeries) {
  TLineSeries& series = chart.CreateSeries<TLineSeries>();
  EXPECT_EQ(ResolvedLabelStyle(chart.RightAxis()), talNone);  // no series on it
  EXPECT_EQ(ResolvedLabelStyle(chart.BottomAxis()), talValue);
  series.AddPoint(1, 5, "first");
  EXPECT_EQ(ResolvedLabelStyle(chart.BottomAxis()), talText);
  EXPECT_EQ(ResolvedLabelStyle(chart.LeftAxis()), talValue);  // the texts run along X only
  series.SetActive(false);
  EXPECT_EQ(ResolvedLabelStyle(chart.BottomAxis()), talNone);
}

TEST_F(AxisFixtureTest, PointLabelsDropThoseThatCrowdTheLastPlaced) {
  TLineSeries& series = chart.CreateSeries<TLineSeries>();
  // x pixels 0, 10, 40, 45, 100 on a 100-pixel plot; labels 18 wide, half room (18 + 3) div 2 = 10.
  const double xs[] = {0, 10, 40, 45, 100};
  const char* names[] = {"aaa", "bbb", "ccc", "ddd", "eee"};
  for (int i = 0; i < 5; ++i) series.AddPoint(xs[i], i, names[i]);
  TChartAxis& axis = chart.BottomAxis();
  axis.SetAutomatic(false);
  axis.SetMaximum(100);
  axis.SetMinimum(0);
  LayOutAndDraw(axis, {0, 0, 100, 100});
  EXPECT_EQ(Texts(), (std::vector<std::string>{"aaa", "ccc", "eee"}));
  EXPECT_EQ(TickLines().size(), 3u + 2 * 3);  // ticks at placed labels only

  axis.SetLabelsSeparation(0);  // no overlap check
  LayOutAndDraw(axis, {0, 0, 100, 100});
  EXPECT_EQ(Texts().size(), 5u);
}

}  // namespace
}  // namespace corvane
