#include <gtest/gtest.h>

#include <vector>

#include "chart/chart_gradient.h"
#include "chart/plot_rect.h"
#include "chart_support.h"
#include "framework/recording_canvas.h"

namespace corvane {
namespace {

using testing::TTestPaintChart;

TEST(PlotRectArithmeticTest, RoundingMulDivRoundsHalvesAwayFromZeroAndSaturates) {
  EXPECT_EQ(RoundingMulDiv(593, 3, 100), 18);  // 17.79
  EXPECT_EQ(RoundingMulDiv(153, 3, 100), 5);   // 4.59
  EXPECT_EQ(RoundingMulDiv(150, 3, 100), 5);   // 4.5
  EXPECT_EQ(RoundingMulDiv(149, 3, 100), 4);   // 4.47
  EXPECT_EQ(RoundingMulDiv(-150, 3, 100), -5);
  EXPECT_EQ(RoundingMulDiv(0x7FFFFFFF, 0x7FFFFFFF, 1), 0x7FFFFFFF);
}

TEST(PlotRectArithmeticTest, MarginsThenBorderWidth) {
  EXPECT_EQ(MarginPlotRect({0, 0, 593, 153}, {}, 0), (TRect{18, 5, 575, 148}));
  EXPECT_EQ(MarginPlotRect({0, 0, 593, 153}, {}, 2), (TRect{20, 7, 573, 146}));
  EXPECT_EQ(MarginPlotRect({10, 20, 110, 220}, {10, 0, 0, 50}, 0), (TRect{20, 20, 110, 120}));
}

// A 593 x 153 chart painted unbuffered onto a recording canvas whose text is 6 pixels a character
// and 13 high. Axes are hidden so that the geometry is the panel's alone.
class ChartLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chart.SetView3D(false);
    chart.Legend().SetVisible(false);
    chart.SetAxisVisible(false);
    chart.SetBufferedDisplay(false);
  }
  void Paint() {
    canvas.Clear();
    chart.Draw(canvas, {0, 0, 593, 153});
  }
  // The rectangle drawn with the plot frame's pen (the last Rectangle before any series).
  const TCanvasCall* FrameCall() const {
    for (const TCanvasCall& c : canvas.Calls())
      if (c.Op == TCanvasOp::Rectangle)
        return &c;
    return nullptr;
  }

  TTestPaintChart chart;
  TRecordingCanvas canvas;
};

TEST_F(ChartLayoutTest, PlotRectBeforeTitlesAndAxes) {
  chart.LayOutPanel({0, 0, 593, 153});
  EXPECT_EQ(chart.PlotRect(), (TRect{18, 5, 575, 148}));
  EXPECT_EQ(chart.PlotWidth(), 557);
  EXPECT_EQ(chart.PlotCenterY(), 76);
  Paint();  // an empty title and foot leave it as it is
  EXPECT_EQ(chart.PlotRect(), (TRect{18, 5, 575, 148}));
}

TEST_F(ChartLayoutTest, ATitleLineMovesTheTopDownByItsHeightPlusFive) {
  chart.Title().SetText({"Reaction Time Plot"});
  Paint();
  EXPECT_EQ(chart.PlotRect(), (TRect{18, 23, 575, 148}));
  const TCanvasCall* text = canvas.FindText("Reaction Time Plot");
  ASSERT_NE(text, nullptr);
  // Centred in the band 18..575: 296 - 108 / 2.
  EXPECT_EQ(text->Points[0], (TPoint{242, 5}));
  EXPECT_EQ(text->Font.Color, clBlue);
  EXPECT_EQ(text->BackgroundMode, bmTransparent);
  EXPECT_EQ(chart.Title().TitleRect(), (TRect{18, 5, 575, 18}));
  EXPECT_TRUE(chart.Title().Clicked(20, 10));
  chart.Title().SetVisible(false);
  EXPECT_FALSE(chart.Title().Clicked(20, 10));
  Paint();
  EXPECT_EQ(chart.PlotRect().Top, 5);
}

TEST_F(ChartLayoutTest, AFramedTitleHugsItsTextAndTakesTheFrameTwice) {
  chart.Title().SetText({"Reaction Time Plot"});
  chart.Title().Frame().SetVisible(true);
  Paint();
  const TCanvasCall* frame = FrameCall();
  ASSERT_NE(frame, nullptr);
  // Grown by fw = 1 round (19, 6, 574, 19), then cut to 296 -/+ (54 + 2).
  EXPECT_EQ(frame->Box, (TRect{240, 5, 352, 20}));
  EXPECT_EQ(chart.PlotRect().Top, 6 + 13 + 2 + 5);

  chart.Title().SetAlignment(taLeftJustify);
  Paint();
  EXPECT_EQ(FrameCall()->Box, (TRect{18, 5, 18 + 108 + 2, 20}));
  EXPECT_EQ(canvas.FindText("Reaction Time Plot")->Points[0], (TPoint{19, 6}));
}

TEST_F(ChartLayoutTest, TheFootStacksItsLinesUpFromTheBottom) {
  chart.Foot().SetText({"one", "two"});
  chart.Foot().SetAlignment(taRightJustify);
  Paint();
  EXPECT_EQ(canvas.FindText("one")->Points[0], (TPoint{575 - 18, 148 - 26}));
  EXPECT_EQ(canvas.FindText("two")->Points[0], (TPoint{575 - 18, 148 - 13}));
  EXPECT_EQ(chart.PlotRect().Bottom, 148 - 26 - 5);
}

TEST_F(ChartLayoutTest, ThePlotFrameLeavesOutTheBottomRowButNotTheRightColumn) {
  Paint();
  const TCanvasCall* frame = FrameCall();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->Box, (TRect{18, 5, 576, 148}));
  EXPECT_EQ(frame->Pen.Color, clBlack);
  EXPECT_EQ(frame->Brush.Style, bsClear);

  chart.SetBackColor(clWhite);
  chart.SetColor(clBlack);
  Paint();
  EXPECT_EQ(FrameCall()->Brush, (TBrush{clWhite, bsSolid}));
  EXPECT_EQ(FrameCall()->Pen.Color, clBlack);  // the frame has a colour of its own
  chart.Frame().SetColor(clAutoColor);
  Paint();
  EXPECT_EQ(FrameCall()->Pen.Color, clWhite);  // no colour set: white on a black panel
}

TEST_F(ChartLayoutTest, NoFrameAndNoBackColourDrawNoRectangle) {
  chart.Frame().SetVisible(false);
  Paint();
  EXPECT_EQ(FrameCall(), nullptr);
}

TEST_F(ChartLayoutTest, SeriesAreClippedInsideTheFrameLines) {
  const testing::TProgramLikeSeries series = testing::ConfigureLikeReactionChart(chart);
  series.Red->AddPoint(0, 1);
  series.Line->AddPoint(0, 1);
  chart.Title().SetText({});
  Paint();
  ASSERT_EQ(canvas.CallsOf(TCanvasOp::ClipRect).size(), 2u);  // one per series
  EXPECT_EQ(canvas.CallsOf(TCanvasOp::ClipRect)[0].Box, (TRect{19, 6, 575, 147}));
  EXPECT_EQ(chart.SeriesClip(), (TRect{19, 6, 575, 147}));

  chart.Frame().SetWidth(2);
  EXPECT_EQ(chart.SeriesClip(), (TRect{19, 6, 574, 146}));
  chart.Frame().SetVisible(false);
  EXPECT_EQ(chart.SeriesClip(), (TRect{19, 6, 575, 147}));
  chart.SetClipPoints(false);
  Paint();
  EXPECT_TRUE(canvas.CallsOf(TCanvasOp::ClipRect).empty());
}

TEST_F(ChartLayoutTest, BackgroundThenRaisedBevelThenTheRest) {
  Paint();
  const auto& calls = canvas.Calls();
  ASSERT_GE(calls.size(), 5u);
  EXPECT_EQ(calls[0].Op, TCanvasOp::FillRect);
  EXPECT_EQ(calls[0].Box, (TRect{0, 0, 593, 153}));
  EXPECT_EQ(calls[0].Brush.Color, clBtnFace);
  // The outer ring: light left and top, dark right and bottom.
  EXPECT_EQ(calls[1].Points, (std::vector<TPoint>{{0, 152}, {0, 0}}));
  EXPECT_EQ(calls[1].Pen.Color, clBtnHighlight);
  EXPECT_EQ(calls[2].Points, (std::vector<TPoint>{{0, 0}, {592, 0}}));
  EXPECT_EQ(calls[3].Pen.Color, clBtnShadow);
  EXPECT_EQ(calls[4].Points, (std::vector<TPoint>{{592, 152}, {-1, 152}}));
}

TEST_F(ChartLayoutTest, BorderWidthPaintsABandAndShrinksThePlot) {
  chart.SetBorderWidth(3);
  chart.SetBevelInner(bvLowered);
  Paint();
  EXPECT_EQ(chart.PlotRect(), (TRect{21, 8, 572, 145}));
  // 4 lines of the outer ring, 3 rings of 4 in the panel colour, then the lowered inner ring.
  const auto lines = canvas.CallsOf(TCanvasOp::Line);
  ASSERT_GE(lines.size(), 20u);
  EXPECT_EQ(lines[4].Pen.Color, clBtnFace);
  EXPECT_EQ(lines[16].Pen.Color, clBtnShadow);
  EXPECT_EQ(lines[16].Points[0], (TPoint{4, 148}));
}

TEST_F(ChartLayoutTest, WallsHaveNoEffectIn2D) {
  testing::ConfigureLikeReactionChart(chart).Red->AddPoint(1, 1);
  Paint();
  const size_t before = canvas.Calls().size();
  chart.LeftWall().SetColor(clRed);
  chart.BottomWall().SetColor(clGreen);
  Paint();
  EXPECT_EQ(canvas.Calls().size(), before);
  EXPECT_TRUE(canvas.CallsOf(TCanvasOp::Polygon).empty());
  chart.SetView3D(true);
  Paint();
  EXPECT_EQ(canvas.CallsOf(TCanvasOp::Polygon).size(), 2u);
  EXPECT_GT(chart.Width3D(), 0);
}

TEST_F(ChartLayoutTest, AHiddenLegendTakesNoRoomAndAShownOneNarrowsItsSide) {
  const testing::TProgramLikeSeries series = testing::ConfigureLikeReactionChart(chart);
  series.Red->SetTitle("mean");
  series.Red->AddPoint(1, 10);
  series.Line->SetTitle("times");  // no points: nothing to name
  chart.Title().SetText({});
  Paint();
  EXPECT_EQ(chart.PlotRect().Right, 575);
  EXPECT_TRUE(chart.Legend().LegendRect().IsEmpty());
  chart.Legend().SetVisible(true);
  Paint();
  EXPECT_LT(chart.PlotRect().Right, 575);
  EXPECT_NE(canvas.FindText("mean"), nullptr);
  EXPECT_EQ(canvas.FindText("times"), nullptr);
  // The red line's sample is its line across the item, in its colour, before its name.
  bool red_line = false;
  for (const TCanvasCall& c : canvas.CallsOf(TCanvasOp::Line))
    red_line = red_line ||
               (c.Pen.Color == clRed && c.Points[0].Y == c.Points[1].Y &&
                c.Points[1].X - c.Points[0].X >= 20 && c.Points[1].X <= canvas.FindText("mean")->Points[0].X);
  EXPECT_TRUE(red_line);
  EXPECT_TRUE(chart.Legend().Clicked(570, 10));
  chart.Legend().SetResizeChart(false);
  Paint();
  EXPECT_EQ(chart.PlotRect().Right, 575);
  // With no series that has points there is nothing to name: no empty box, nothing to click.
  series.Red->ClearPoints();
  chart.Legend().SetVisible(false);
  Paint();
  const std::size_t rectangles = canvas.CallsOf(TCanvasOp::Rectangle).size();
  chart.Legend().SetVisible(true);
  Paint();
  EXPECT_TRUE(chart.Legend().LegendRect().IsEmpty());
  EXPECT_EQ(canvas.CallsOf(TCanvasOp::Rectangle).size(), rectangles);
}

TEST_F(ChartLayoutTest, OnAfterDrawEndsEveryPaintAndTheZoomHookComesJustBefore) {
  struct THookChart : TTestPaintChart {
    std::vector<std::size_t> hook_at;
    void DrawZoomRectangle(TCanvas& canvas) override {
      hook_at.push_back(static_cast<TRecordingCanvas&>(canvas).Calls().size());
    }
  } hooked;
  hooked.SetBufferedDisplay(false);
  hooked.SetAxisVisible(false);
  hooked.CreateSeries<TLineSeries>().AddPoint(1, 1);
  std::vector<std::size_t> after;
  hooked.OnAfterDraw = [&](TCustomChart&) { after.push_back(canvas.Calls().size()); };
  hooked.Draw(canvas, {0, 0, 200, 100});
  ASSERT_EQ(after.size(), 1u);
  ASSERT_EQ(hooked.hook_at.size(), 1u);
  EXPECT_EQ(hooked.hook_at[0], after[0]);
  EXPECT_EQ(canvas.Calls().back().Op, TCanvasOp::RemoveClip);  // the series came before
  EXPECT_FALSE(hooked.IsStale());
}

TEST_F(ChartLayoutTest, EveryChangeMarksTheChartOnceAndAnEqualValueNotAtAll) {
  Paint();
  EXPECT_FALSE(chart.IsStale());
  const int before = chart.repaints;
  chart.LeftAxis().SetMaximum(50);
  chart.LeftAxis().SetMaximum(50);
  EXPECT_EQ(chart.repaints, before + 1);
  EXPECT_TRUE(chart.IsStale());
  chart.Title().Font().SetColor(clRed);
  chart.Frame().SetColor(clRed);
  chart.Gradient().SetVisible(true);
  chart.LeftWall().Pen().SetWidth(3);
  chart.Legend().SetAlignment(laTop);
  chart.SetBorderWidth(2);
  EXPECT_EQ(chart.repaints, before + 7);
  chart.SetBorderWidth(2);
  chart.Gradient().SetVisible(true);
  EXPECT_EQ(chart.repaints, before + 7);
}

TEST(GradientTest, BandsRunFromTheStartToTheEndColour) {
  TTestPaintChart chart;
  chart.Gradient().SetStartColor(clBlack);
  chart.Gradient().SetEndColor(clWhite);
  TRecordingCanvas canvas;
  FillGradient(canvas, {0, 0, 10, 200}, chart.Gradient());
  const auto fills = canvas.CallsOf(TCanvasOp::FillRect);
  ASSERT_EQ(fills.size(), 64u);
  EXPECT_EQ(fills.front().Brush.Color, clBlack);
  EXPECT_EQ(fills.back().Brush.Color, clWhite);
  EXPECT_EQ(fills.front().Box.Top, 0);
  EXPECT_EQ(fills.back().Box.Bottom, 200);

  chart.Gradient().SetDirection(gdRightLeft);
  canvas.Clear();
  FillGradient(canvas, {0, 0, 10, 200}, chart.Gradient());
  EXPECT_EQ(canvas.CallsOf(TCanvasOp::FillRect).size(), 10u);
  EXPECT_EQ(canvas.CallsOf(TCanvasOp::FillRect).front().Brush.Color, clWhite);
  EXPECT_EQ(canvas.CallsOf(TCanvasOp::FillRect).front().Box, (TRect{0, 0, 1, 200}));
}

}  // namespace
}  // namespace corvane
