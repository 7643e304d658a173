// The hover read-out's hit test: points and segments within five pixels, the nearest item of
// each series, the nearest series first, and the text joined from the program's answers.
#include "chart/chart_readout.h"

#include <gtest/gtest.h>

#include "chart/line_series.h"
#include "chart_support.h"
#include "framework/recording_canvas.h"

namespace corvane {
namespace {

using testing::TTestChart;

TEST(PixelDistanceToSegmentTest, PerpendicularInsideAndToTheEndsOutside) {
  struct Case {
    TPoint a, b, p;
    double distance;
  };
  const Case cases[] = {
      {{0, 0}, {10, 0}, {4, 3}, 3},    // over the middle
      {{0, 0}, {10, 0}, {13, 4}, 5},   // beyond b: to b
      {{0, 0}, {10, 0}, {-3, -4}, 5},  // before a: to a
      {{2, 2}, {2, 2}, {5, 6}, 5},     // no length: to the point
      {{0, 0}, {6, 8}, {8, -6}, 10},   // perpendicular at a
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(PixelDistanceToSegment(c.a, c.b, c.p), c.distance);
  const int far = 0x3FFFFFFF;  // saturated pixels of far-off points
  EXPECT_DOUBLE_EQ(PixelDistanceToSegment({-far, 7}, {far, 7}, {0, 0}), 7);
}

// Bottom axis 0..25 over x 20..520 (20 pixels a unit), left axis 0..10 over y 100..0 (10 pixels).
class ReadoutHitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chart.BottomAxis().AssignRange(0, 25);
    chart.LeftAxis().AssignRange(0, 10);
    blue = &chart.CreateSeries<TLineSeries>();
    red = &chart.CreateSeries<TLineSeries>();
    for (int x : {1, 3, 5}) blue->AddPoint(x, x);  // (40, 90), (80, 70), (120, 50)
  }
  void Paint() {
    chart.PlaceLayout({20, 0, 520, 100});
    chart.ScaleAxes();
    TRecordingCanvas canvas;
    for (TChartSeries* s : chart.SeriesList()) s->DrawValues(canvas, std::nullopt);
  }
  std::vector<TReadoutHit> At(int x, int y) const { return ReadoutHits(chart, x, y); }

  TTestChart chart;
  TLineSeries* blue = nullptr;
  TLineSeries* red = nullptr;
};

TEST_F(ReadoutHitTest, APointWithinFivePixelsAndNotBeyond) {
  red->AddPoint(10, 5);  // alone at (220, 50): no segment
  Paint();
  EXPECT_EQ(At(80, 70), (std::vector<TReadoutHit>{{blue, 1, 0}}));
  EXPECT_EQ(At(223, 54), (std::vector<TReadoutHit>{{red, 0, 5}}));  // 3-4-5: just at the edge
  EXPECT_EQ(At(220, 45).size(), 1u);
  EXPECT_TRUE(At(224, 54).empty());
  EXPECT_TRUE(At(220, 56).empty());
  // Below the blue point its two segments reach 4.5 pixels down, then no more.
  EXPECT_EQ(At(80, 75).size(), 1u);
  EXPECT_TRUE(At(80, 76).empty());
}

TEST_F(ReadoutHitTest, ASegmentNamesItsNearerEnd) {
  Paint();
  // The segment (40, 90) - (80, 70) passes (62, 79); 3 pixels above it lies nearer point 1.
  const std::vector<TReadoutHit> hits = At(64, 75);
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].Index, 1);
  EXPECT_NEAR(hits[0].Distance, PixelDistanceToSegment({40, 90}, {80, 70}, {64, 75}), 1e-12);
  EXPECT_EQ(At(52, 80)[0].Index, 0);
  EXPECT_TRUE(At(60, 70).empty());  // 8.9 pixels from the segment
}

TEST_F(ReadoutHitTest, EachSeriesAnswersOnceAndTheNearestComesFirst) {
  for (int x : {1, 3, 5}) red->AddPoint(x, 3.3);  // a flat line at y 67
  Paint();
  const std::vector<TReadoutHit> near_red = At(76, 68);
  ASSERT_EQ(near_red.size(), 2u);
  EXPECT_EQ(near_red[0].Series, red);
  EXPECT_EQ(near_red[1].Series, blue);
  EXPECT_EQ(near_red[1].Index, 1);  // the blue point at (80, 70) only once, though two segments meet there
  const std::vector<TReadoutHit> near_blue = At(80, 71);
  ASSERT_EQ(near_blue.size(), 2u);
  EXPECT_EQ(near_blue[0].Series, blue);
  // An equal distance keeps the list order.
  red->ClearPoints();
  for (int x : {1, 3, 5}) red->AddPoint(x, x);
  Paint();
  const std::vector<TReadoutHit> same = At(80, 70);
  ASSERT_EQ(same.size(), 2u);
  EXPECT_EQ(same[0].Series, blue);
  EXPECT_EQ(same[1].Series, red);
}

TEST_F(ReadoutHitTest, NothingOutsideThePlotOrOnAGapOrBeforeAPaint) {
  EXPECT_TRUE(At(80, 70).empty());  // no paint yet: nothing shown
  blue->AddPoint(30, 5);            // beyond the right edge: its segment runs out of the plot
  blue->AddGap();                   // x = 4, a gap
  Paint();
  EXPECT_TRUE(At(520 + 4, 50).empty());
  // The gap at (100, 100) takes no hit, nor do the segments on either side of it.
  EXPECT_TRUE(At(100, 96).empty());
  EXPECT_TRUE(At(90, 85).empty());
  blue->ClearPoints();
  Paint();
  EXPECT_TRUE(At(80, 70).empty());
}

TEST_F(ReadoutHitTest, HugeRangesAndADegenerateOneAnswerQuietly) {
  chart.LeftAxis().AssignRange(-1e308, 1e308);
  Paint();
  EXPECT_NO_THROW(At(80, 50));
  chart.LeftAxis().AssignRange(3, 3);
  Paint();
  EXPECT_NO_THROW(At(80, 50));
}

TEST(ReadoutTipTextTest, BlocksInOrderWithABlankLineAndNoEmptyOnes) {
  TLineSeries a;
  TLineSeries b;
  const std::vector<TReadoutHit> hits{{&a, 2, 1}, {&b, 0, 2}, {&a, 4, 3}};
  const TReadoutText text = [&](const TChartSeries& s, int i) {
    return i == 4 ? std::string() : std::string(&s == &a ? "a" : "b") + std::to_string(i);
  };
  EXPECT_EQ(ReadoutTipText(hits, text), "a2\n\nb0");
  EXPECT_EQ(ReadoutTipText(hits, {}), "");
  EXPECT_EQ(ReadoutTipText({}, text), "");
}

TEST(ReadoutTipPlacementTest, NeverOverThePointer) {
  const TRect screen{0, 0, 1280, 1024};
  struct {
    TRect Tip;
    TPoint Pointer;
    TRect Placed;
  } const cases[] = {
      {{102, 116, 498, 164}, {100, 100}, {102, 116, 498, 164}},      // where Qt puts it: left alone
      {{90, 95, 130, 115}, {100, 100}, {104, 104, 144, 124}},        // over the pointer: below-right
      {{1230, 95, 1270, 115}, {1250, 100}, {1206, 104, 1246, 124}},  // at the right edge: below-left
      {{90, 1000, 130, 1020}, {100, 1010}, {104, 986, 144, 1006}},   // at the bottom: above-right
      {{1230, 1000, 1270, 1020}, {1250, 1010}, {1206, 986, 1246, 1006}},
  };
  for (const auto& c : cases) {
    const TRect placed = ReadoutTipPlacement(c.Tip, c.Pointer, screen);
    EXPECT_EQ(placed, c.Placed);
    EXPECT_FALSE(placed.Contains(c.Pointer));
  }
}

}  // namespace
}  // namespace corvane
