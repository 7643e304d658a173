#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "chart/line_series.h"
#include "chart/pointer_shape.h"
#include "chart/shown_range.h"
#include "chart_support.h"
#include "framework/recording_canvas.h"

namespace corvane {
namespace {

using testing::TTestChart;

std::vector<TPoint> Corners(const TCanvasCall& call) {
  return call.Points;
}

// Plot pixels (20, 0) .. (520, 100) with the bottom axis fixed to 0..25 (20 pixels a unit) and
// the left one to 0..10 (10 pixels a unit, upward from y = 100).
class SeriesPaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chart.BottomAxis().AssignRange(0, 25);
    chart.LeftAxis().AssignRange(0, 10);
    series = &chart.CreateSeries<TLineSeries>();
    series->SetSeriesColor(clBlue);
  }
  void Paint(std::optional<TRect> clip = std::nullopt) {
    chart.PlaceLayout({20, 0, 520, 100});
    chart.ScaleAxes();
    canvas.Clear();
    series->DrawValues(canvas, clip);
  }
  std::vector<TCanvasCall> Lines() const { return canvas.CallsOf(TCanvasOp::Line); }
  void ShowMarkers(TSeriesPointerStyle style = psRectangle) {
    series->Pointer().SetVisible(true);
    series->Pointer().SetInflateMargins(false);
    series->Pointer().SetStyle(style);
  }

  TTestChart chart;
  TLineSeries* series = nullptr;
  TRecordingCanvas canvas;
};

TEST_F(SeriesPaintTest, FirstSegmentIsBroughtInFromTheAxisMinimumByInterpolation) {
  series->AddPoint(-2, 0);
  series->AddPoint(3, 5);
  Paint();
  ASSERT_EQ(Lines().size(), 1u);
  // y = 0 + (0 - -2) * 5 / 5 = 2 at x = 0: pixel (20, 80); the point (3, 5) is at (80, 50).
  EXPECT_EQ(Lines()[0].Points, (std::vector<TPoint>{{20, 80}, {80, 50}}));
  EXPECT_EQ(Lines()[0].Pen.Color, clBlue);
  EXPECT_EQ(series->FirstShownIndex(), 1);
}

TEST_F(SeriesPaintTest, WithStairsOrEqualXTheEntryTakesThePreviousY) {
  series->SetStairs(true);
  series->AddPoint(-2, 4);
  series->AddPoint(3, 5);
  Paint();
  // Entry at (20, 60) (y 4), then a horizontal and a vertical step to (80, 50).
  ASSERT_EQ(Lines().size(), 2u);
  EXPECT_EQ(Lines()[0].Points, (std::vector<TPoint>{{20, 60}, {80, 60}}));
  EXPECT_EQ(Lines()[1].Points, (std::vector<TPoint>{{80, 60}, {80, 50}}));

  series->SetInvertedStairs(true);
  Paint();
  ASSERT_EQ(Lines().size(), 2u);
  EXPECT_EQ(Lines()[0].Points, (std::vector<TPoint>{{20, 60}, {20, 50}}));
}

TEST_F(SeriesPaintTest, TheRangeRunsOnToTheFirstPointBeyondTheRightEdge) {
  for (int x : {10, 20, 26, 27, 40}) series->AddPoint(x, 1);
  Paint();
  EXPECT_EQ(series->FirstShownIndex(), 0);
  EXPECT_EQ(series->LastShownIndex(), 2);
  ASSERT_EQ(Lines().size(), 2u);
  EXPECT_EQ(Lines()[1].Points[1], (TPoint{540, 90}));
}

TEST_F(SeriesPaintTest, NoPointReachingTheLeftEdgeDrawsNothingAndFiresNoEvent) {
  int events = 0;
  series->BeforeDrawValues = [&](TChartSeries&) { ++events; };
  series->AfterDrawValues = [&](TChartSeries&) { ++events; };
  series->AddPoint(-5, 1);
  series->AddPoint(-1, 2);
  Paint();
  EXPECT_EQ(series->FirstShownIndex(), -1);
  EXPECT_TRUE(canvas.Calls().empty());
  EXPECT_EQ(events, 0);

  series->AddPoint(1, 2);
  Paint();
  EXPECT_EQ(events, 2);
}

TEST_F(SeriesPaintTest, ClipIsSetAroundThePointsOnlyAndRemovedAfter) {
  series->AddPoint(1, 1);
  series->AddPoint(2, 2);
  Paint(TRect{21, 1, 520, 99});
  const auto& calls = canvas.Calls();
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls.front().Op, TCanvasOp::ClipRect);
  EXPECT_EQ(calls.front().Box, (TRect{21, 1, 520, 99}));
  EXPECT_EQ(calls.back().Op, TCanvasOp::RemoveClip);
}

TEST_F(SeriesPaintTest, OnePointDrawsOnlyItsMarkerAndEqualPixelsDrawNoSegmentButBothMarkers) {
  ShowMarkers();
  series->AddPoint(5, 5);
  Paint();
  EXPECT_TRUE(Lines().empty());
  ASSERT_EQ(canvas.CallsOf(TCanvasOp::Rectangle).size(), 1u);
  EXPECT_EQ(canvas.CallsOf(TCanvasOp::Rectangle)[0].Box, (TRect{116, 46, 125, 55}));

  series->AddPoint(5.01, 5);  // the same pixel (120, 50)
  Paint();
  EXPECT_TRUE(Lines().empty());
  EXPECT_EQ(canvas.CallsOf(TCanvasOp::Rectangle).size(), 2u);
}

TEST_F(SeriesPaintTest, EachMarkerIsDrawnAfterTheSegmentLeavingItAndTheLastAfterItsOwn) {
  ShowMarkers();
  series->Pointer().Brush().SetColor(clLightYellow);
  for (int x : {1, 2, 3}) series->AddPoint(x, x);
  Paint();
  std::vector<TCanvasOp> ops;
  for (const TCanvasCall& c : canvas.Calls()) ops.push_back(c.Op);
  EXPECT_EQ(ops, (std::vector<TCanvasOp>{TCanvasOp::Line, TCanvasOp::Rectangle, TCanvasOp::Line,
                                         TCanvasOp::Rectangle, TCanvasOp::Rectangle}));
  const auto boxes = canvas.CallsOf(TCanvasOp::Rectangle);
  EXPECT_EQ(boxes[0].Box.Left, 40 - 4);
  EXPECT_EQ(boxes[2].Box.Left, 80 - 4);
  // Outlined in the pointer's black pen, filled with its own brush colour.
  EXPECT_EQ(boxes[0].Pen.Color, clBlack);
  EXPECT_EQ(boxes[0].Brush.Color, clLightYellow);
}

TEST_F(SeriesPaintTest, AnAutoColouredPointerBrushTakesThePointColour) {
  ShowMarkers(psDownTriangle);
  series->SetSeriesColor(clYellow);
  series->AddPoint(5, 5);
  Paint();
  const auto polygons = canvas.CallsOf(TCanvasOp::Polygon);
  ASSERT_EQ(polygons.size(), 1u);
  EXPECT_EQ(polygons[0].Brush.Color, clYellow);
  EXPECT_EQ(polygons[0].Pen.Color, clBlack);
}

TEST_F(SeriesPaintTest, GapsBreakTheLineAndGetNoMarker) {
  ShowMarkers();
  series->AddPoint(1, 1);
  series->AddPoint(2, 2, "", clNone);
  series->AddPoint(3, 3);
  series->AddPoint(4, 4);
  Paint();
  // Only 3 -> 4 is joined; markers at 1, 3 and 4.
  ASSERT_EQ(Lines().size(), 1u);
  EXPECT_EQ(Lines()[0].Points, (std::vector<TPoint>{{80, 70}, {100, 60}}));
  EXPECT_EQ(canvas.CallsOf(TCanvasOp::Rectangle).size(), 3u);
}

TEST_F(SeriesPaintTest, APointBeyondTheDrawnBandIsSkippedAndItsNeighboursAreJoined) {
  series->AddPoint(1, 1);
  series->AddPoint(2, 1e6);  // y pixel far beyond -32766
  series->AddPoint(3, 3);
  Paint();
  ASSERT_EQ(Lines().size(), 1u);
  EXPECT_EQ(Lines()[0].Points, (std::vector<TPoint>{{40, 90}, {80, 70}}));
}

// The first shown point skipped must not join the next one to where the last paint ended.
TEST_F(SeriesPaintTest, ASkippedFirstPointLeavesNoLineFromThePreviousPaint) {
  series->AddPoint(1, 1);
  series->AddPoint(5, 5);  // the pass ends at (120, 50)
  Paint();
  series->ClearPoints();
  series->AddPoint(1, -1e6);
  series->AddPoint(2, 2);
  series->AddPoint(3, 3);
  Paint();
  ASSERT_EQ(Lines().size(), 1u);
  EXPECT_EQ(Lines()[0].Points, (std::vector<TPoint>{{60, 80}, {80, 70}}));
}

TEST_F(SeriesPaintTest, MarginsOfAVisiblePointerPutTheEndPointsInsideThePlot) {
  series->Pointer().SetVisible(true);
  chart.BottomAxis().AssignRange(0, 26);
  series->AddPoint(0, 5);
  series->AddPoint(26, 5);
  Paint();
  const auto boxes = canvas.CallsOf(TCanvasOp::Rectangle);
  ASSERT_EQ(boxes.size(), 2u);
  // HorizSize 4: the centres lie 5 pixels inside 20 and 520.
  EXPECT_EQ(boxes[0].Box.Left + 4, 25);
  EXPECT_EQ(boxes[1].Box.Left + 4, 515);
}

TEST(ShownRangeTest, EdgesAndTheBeyondEdgeSwitch) {
  TLineSeries s;
  for (int x = 0; x <= 10; ++x) s.AddPoint(x, 0);
  EXPECT_EQ(ShownRange(s.XValues(), 2.5, 6.5, true), (TShownRange{3, 7}));
  EXPECT_EQ(ShownRange(s.XValues(), 2.5, 6.5, false), (TShownRange{3, 6}));
  EXPECT_EQ(ShownRange(s.XValues(), 3, 6, false), (TShownRange{3, 6}));
  EXPECT_EQ(ShownRange(s.XValues(), -1, 10, true), (TShownRange{0, 10}));
  EXPECT_EQ(ShownRange(s.XValues(), 10.5, 20, true), (TShownRange{}));
  // Every point beyond the right edge: nothing is within the edges without DrawsBeyondEdge.
  EXPECT_EQ(ShownRange(s.XValues(), -5, -2, true), (TShownRange{0, 0}));
  EXPECT_EQ(ShownRange(s.XValues(), -5, -2, false), (TShownRange{}));
  TLineSeries empty;
  EXPECT_EQ(ShownRange(empty.XValues(), 0, 1, true), (TShownRange{}));
}

// --- Marker shapes -------------------------------------------------------------------------------

class PointerShapeTest : public ::testing::Test {
 protected:
  const TCanvasCall& DrawOne(TSeriesPointerStyle style, int h = 4, int v = 4) {
    canvas.Clear();
    DrawPointerShape(canvas, style, {100, 50, h, v}, clRed);
    EXPECT_FALSE(canvas.Calls().empty());
    return canvas.Calls().front();
  }
  std::vector<std::vector<TPoint>> LinePoints() const {
    std::vector<std::vector<TPoint>> out;
    for (const TCanvasCall& c : canvas.CallsOf(TCanvasOp::Line)) out.push_back(c.Points);
    return out;
  }
  TRecordingCanvas canvas;
};

TEST_F(PointerShapeTest, FilledShapesHaveTheirExactBoxes) {
  EXPECT_EQ(DrawOne(psRectangle, 3, 3).Box, (TRect{97, 47, 104, 54}));
  EXPECT_EQ(DrawOne(psCircle, 3, 2).Box, (TRect{97, 48, 103, 52}));
  EXPECT_EQ(Corners(DrawOne(psDownTriangle)), (std::vector<TPoint>{{96, 46}, {104, 46}, {100, 54}}));
  EXPECT_EQ(Corners(DrawOne(psTriangle)), (std::vector<TPoint>{{96, 54}, {104, 54}, {100, 46}}));
  EXPECT_EQ(Corners(DrawOne(psDiamond, 2, 3)),
            (std::vector<TPoint>{{98, 50}, {100, 47}, {102, 50}, {100, 53}}));
}

TEST_F(PointerShapeTest, CrossesAreLinesInThePointColourPastTheirEnds) {
  DrawOne(psCross, 2, 3);
  EXPECT_EQ(LinePoints(), (std::vector<std::vector<TPoint>>{{{100, 47}, {100, 54}}, {{98, 50}, {103, 50}}}));
  EXPECT_EQ(canvas.Calls()[0].Pen.Color, clRed);
  DrawOne(psDiagCross, 2, 3);
  EXPECT_EQ(LinePoints(), (std::vector<std::vector<TPoint>>{{{98, 47}, {103, 54}}, {{103, 47}, {98, 54}}}));
  DrawOne(psStar, 2, 3);
  EXPECT_EQ(LinePoints().size(), 4u);
}

TEST_F(PointerShapeTest, SmallDotIsOnePixelWhateverTheSize) {
  const TCanvasCall& dot = DrawOne(psSmallDot, 9, 9);
  EXPECT_EQ(dot.Op, TCanvasOp::SetPixel);
  EXPECT_EQ(dot.Points, (std::vector<TPoint>{{100, 50}}));
  EXPECT_EQ(dot.Color, clRed);
  EXPECT_EQ(canvas.Calls().size(), 1u);
}

TEST_F(PointerShapeTest, ARectangleWithDepthGetsItsTopAndRightFaces) {
  canvas.Clear();
  DrawPointerShape(canvas, psRectangle, {100, 50, 3, 3, 5, 5}, clRed);
  const auto faces = canvas.CallsOf(TCanvasOp::Polygon);
  ASSERT_EQ(faces.size(), 2u);
  EXPECT_EQ(faces[0].Points, (std::vector<TPoint>{{97, 47}, {102, 42}, {108, 42}, {103, 47}}));
  EXPECT_EQ(faces[1].Points, (std::vector<TPoint>{{103, 47}, {108, 42}, {108, 48}, {103, 53}}));
}

TEST_F(PointerShapeTest, HugeSizesStayInsideTheIntRange) {
  const TCanvasCall& box = DrawOne(psRectangle, 0x7FFFFFFF, 0x7FFFFFFF);
  EXPECT_LT(box.Box.Left, 0);
  EXPECT_GT(box.Box.Right, 0);
  EXPECT_GT(box.Box.Right, box.Box.Left);
}

TEST(PreparePointerTest, HiddenPenClearsTheOutlineAndAutoColoursTakeThePointColour) {
  TLineSeries s;
  TRecordingCanvas canvas;
  s.Pointer().Pen().SetColor(clAutoColor);
  PreparePointerCanvas(canvas, s.Pointer(), clGreen);
  EXPECT_EQ(canvas.Pen.Color, clGreen);
  EXPECT_EQ(canvas.Brush.Color, clGreen);
  s.Pointer().Pen().SetVisible(false);
  s.Pointer().Brush().SetColor(clAqua);
  PreparePointerCanvas(canvas, s.Pointer(), clGreen);
  EXPECT_EQ(canvas.Pen.Style, psClear);
  EXPECT_EQ(canvas.Brush.Color, clAqua);
}

}  // namespace
}  // namespace corvane
