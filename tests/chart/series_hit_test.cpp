#include <gtest/gtest.h>

#include <vector>

#include "chart/line_series.h"
#include "chart/segment_hit.h"
#include "chart_support.h"
#include "framework/recording_canvas.h"

namespace corvane {
namespace {

using testing::TTestChart;

TEST(SegmentHitTest, WithinAboutAPixelOfTheLineAndInsideTheBox) {
  EXPECT_TRUE(SegmentHit({0, 0}, {10, 5}, {4, 2}));
  EXPECT_FALSE(SegmentHit({0, 0}, {10, 5}, {4, 4}));   // cross 10 * 4 - 5 * 4 = 20
  EXPECT_TRUE(SegmentHit({0, 0}, {10, 5}, {10, 5}));   // the box includes its edges
  EXPECT_FALSE(SegmentHit({0, 0}, {10, 5}, {12, 6}));  // on the line, beyond the end
  // |cross| must stay below max(|dx|, |dy|) = 10: 9 hits, 10 does not.
  EXPECT_TRUE(SegmentHit({0, 0}, {10, 0}, {5, 0}));
  EXPECT_FALSE(SegmentHit({0, 0}, {10, 0}, {5, 1}));
  EXPECT_TRUE(SegmentHit({0, 0}, {10, 1}, {5, 1}));  // cross 10 - 5 = 5
  EXPECT_FALSE(SegmentHit({3, 3}, {3, 3}, {3, 3}));  // zero length never hits
}

TEST(SegmentHitTest, FarPixelsDoNotOverflow) {
  const int far = 0x3FFFFFFF;
  EXPECT_TRUE(SegmentHit({-far, -far}, {far, far}, {0, 0}));
  EXPECT_FALSE(SegmentHit({-far, -far}, {far, far}, {0, 5}));
  EXPECT_TRUE(SegmentHit({-far, 0}, {far, 0}, {12345, 0}));
}

// Bottom axis 0..25 over x 20..520, left axis 0..10 over y 100..0.
class SeriesHitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chart.BottomAxis().AssignRange(0, 25);
    chart.LeftAxis().AssignRange(0, 10);
    series = &chart.CreateSeries<TLineSeries>();
    for (int x : {1, 3, 5}) series->AddPoint(x, x);  // (40, 90), (80, 70), (120, 50)
  }
  void Paint() {
    chart.PlaceLayout({20, 0, 520, 100});
    chart.ScaleAxes();
    TRecordingCanvas canvas;
    series->DrawValues(canvas, std::nullopt);
  }

  TTestChart chart;
  TLineSeries* series = nullptr;
};

TEST_F(SeriesHitTest, APointThenTheSegmentStartingAtThePreviousPoint) {
  Paint();
  EXPECT_EQ(series->HitTest(80, 70), 1);
  EXPECT_EQ(series->HitTest(60, 80), 0);   // on the segment 0 -> 1
  EXPECT_EQ(series->HitTest(100, 60), 1);  // on the segment 1 -> 2
  EXPECT_EQ(series->HitTest(60, 85), -1);
  EXPECT_EQ(series->HitTest(30, 95), -1);  // before the first point
  series->SetLineHitTest(false);
  EXPECT_EQ(series->HitTest(60, 80), -1);
  EXPECT_EQ(series->HitTest(120, 50), 2);
}

TEST_F(SeriesHitTest, MarkersHitWithinTheirSizesAndFireOnClickPointer) {
  series->Pointer().SetVisible(true);
  series->Pointer().SetInflateMargins(false);
  std::vector<int> clicked;
  series->OnClickPointer = [&](TChartSeries&, int index, int, int) { clicked.push_back(index); };
  Paint();
  EXPECT_EQ(series->HitTest(83, 73), 1);   // |3| < 4 both ways
  EXPECT_EQ(series->HitTest(84, 70), -1);  // |4| is not < 4, and off the segments
  EXPECT_EQ(clicked, (std::vector<int>{1}));
  // A point, not a marker: no click.
  series->Pointer().SetVisible(false);
  EXPECT_EQ(series->HitTest(80, 70), 1);
  EXPECT_EQ(clicked.size(), 1u);
}

TEST_F(SeriesHitTest, OnlyTheShownRangeOfTheLastPaintIsTested) {
  chart.BottomAxis().AssignRange(2, 25);
  Paint();
  EXPECT_EQ(series->FirstShownIndex(), 1);
  // The first point lies left of the plot: its segment into the range is not tested.
  const int x_of_1 = chart.BottomAxis().ValueToPixel(1);
  EXPECT_EQ(series->HitTest(x_of_1, chart.LeftAxis().ValueToPixel(1)), -1);
  TLineSeries unpainted;
  EXPECT_EQ(unpainted.HitTest(0, 0), -1);
}

}  // namespace
}  // namespace corvane
