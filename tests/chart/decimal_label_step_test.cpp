// The decimal label steps: 1, 2 or 5 times a power of ten, the smallest whose labels keep apart,
// each label written with the decimals its step needs; checked on what the axis draws.
#include "chart/decimal_label_step.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "chart/axis_geometry.h"
#include "chart/axis_labels.h"
#include "chart/axis_room.h"
#include "chart_support.h"
#include "framework/recording_canvas.h"
#include "runtime/number_format_settings.h"

namespace corvane {
namespace {

using testing::TTestChart;

constexpr int kCharWidth = 6;
constexpr int kTextHeight = 13;

TEST(DecimalLabelStepTest, PlacesAndMasks) {
  struct Case {
    double step;
    int places;
  };
  const Case cases[] = {{0.02, 2}, {0.5, 1}, {0.1, 1}, {0.01, 2}, {0.05, 2},
                        {1e-5, 5}, {1, 0},   {50, 0},  {2e-3, 3}};
  for (const Case& c : cases) EXPECT_EQ(DecimalPlaces(c.step), c.places) << c.step;
  EXPECT_EQ(DecimalPlacesMask(0), "#,##0");
  EXPECT_EQ(DecimalPlacesMask(2), "#,##0.00");
}

TEST(DecimalLabelStepTest, OverlapIsJudgedBetweenNeighbours) {
  EXPECT_FALSE(LabelsOverlap({{0, 20}, {30, 20}}, 10));  // 30 apart, 20 + 10 needed
  EXPECT_TRUE(LabelsOverlap({{0, 20}, {29, 20}}, 10));
  EXPECT_TRUE(LabelsOverlap({{60, 10}, {0, 10}, {15, 10}}, 6));  // order does not matter
  EXPECT_FALSE(LabelsOverlap({{5, 100}}, 10));
}

struct DecimalAxisTest : ::testing::Test {
  TTestChart chart;
  TRecordingCanvas canvas;
  DecimalAxisTest() { canvas.SetTextMetrics(kCharWidth, kTextHeight); }

  struct TDrawn {
    double step;
    int length;  // the plot's along the axis, once the axis took its room
    std::vector<std::pair<int, std::string>> labels;  // position along the axis, text
  };
  TDrawn Draw(TChartAxis& axis, double minimum, double maximum, const TRect& plot) {
    axis.SetAutomatic(false);
    if (maximum >= axis.Minimum()) {
      axis.SetMaximum(maximum);
      axis.SetMinimum(minimum);
    } else {
      axis.SetMinimum(minimum);
      axis.SetMaximum(maximum);
    }
    axis.SetLabelStyle(talValue);
    axis.SetLabelSteps(tlsDecimal);
    chart.PlaceLayout(plot);
    chart.ScaleAxes();
    const TRect rest = CalcAxisRoom(axis, canvas, chart.PlotRect());
    chart.PlaceLayout(rest);
    const int length = axis.Horizontal() ? chart.PlotRect().Width() : chart.PlotRect().Height();
    TDrawn drawn{AxisLabelStep(axis, canvas, length), length, {}};
    canvas.Clear();
    DrawAxis(axis, canvas);
    for (const TCanvasCall& c : canvas.Calls())
      if (c.Op == TCanvasOp::TextOut && !c.Text.empty() && c.Text != axis.Title().Caption())
        drawn.labels.push_back({axis.Horizontal() ? c.Points[0].X : c.Points[0].Y, c.Text});
    return drawn;
  }
};

// A table of ranges (the analysis charts' kind: densities, seconds, lags, counts) on short and
// long axes of both directions.
TEST_F(DecimalAxisTest, StepsAreOneTwoFiveTimesAPowerOfTenAndLabelsNeverOverlap) {
  const std::pair<double, double> ranges[] = {{0, 1},       {0.02, 0.26},  {0, 0.2468}, {-0.5, 0.25},
                                              {0, 1000},    {3.7, 4.1},    {-5, 5},     {0, 1.2e-4},
                                              {1e5, 2.5e5}, {0.3, 0.3004}, {0, 12.5},   {250, 1900}};
  const int lengths[] = {120, 300, 560};
  for (const bool horizontal : {true, false}) {
    for (const auto& [lo, hi] : ranges) {
      for (const int length : lengths) {
        const TRect plot = horizontal ? TRect{60, 20, 60 + length, 220} : TRect{80, 20, 700, 20 + length};
        TChartAxis& axis = horizontal ? chart.BottomAxis() : chart.LeftAxis();
        const TDrawn drawn = Draw(axis, lo, hi, plot);
        const std::string where = (horizontal ? "bottom " : "left ") + std::to_string(lo) + ".." +
                                  std::to_string(hi) + " on " + std::to_string(length);
        // 1, 2 or 5 times a power of ten.
        const double power = std::pow(10.0, std::floor(std::log10(drawn.step) + 1e-9));
        const double mantissa = drawn.step / power;
        EXPECT_TRUE(std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 ||
                    std::fabs(mantissa - 5) < 1e-9)
            << where << " step " << drawn.step;
        ASSERT_FALSE(drawn.labels.empty()) << where;
        // Distinct texts, each a multiple of the step, and apart by at least a blank (a quarter
        // of a line on a vertical axis) as drawn.
        std::set<std::string> texts;
        std::vector<std::pair<int, std::string>> sorted = drawn.labels;
        std::sort(sorted.begin(), sorted.end());
        for (std::size_t i = 0; i < sorted.size(); ++i) {
          EXPECT_TRUE(texts.insert(sorted[i].second).second) << where << " repeats " << sorted[i].second;
          if (i == 0)
            continue;
          const int a = horizontal ? int(sorted[i - 1].second.size()) * kCharWidth : kTextHeight;
          const int b = horizontal ? int(sorted[i].second.size()) * kCharWidth : kTextHeight;
          const int gap = horizontal ? kCharWidth : kTextHeight / 4;
          EXPECT_GE(sorted[i].first - sorted[i - 1].first, (a + b) / 2 + gap - 1)
              << where << ": " << sorted[i - 1].second << " and " << sorted[i].second;
        }
        // The smallest such step: the candidate below it crowds its labels as they would be
        // written (or would place more than the walk's limit).
        const double smaller = std::fabs(mantissa - 5) < 1e-9 ? drawn.step * 0.4 : drawn.step * 0.5;
        const double range = axis.CurrentRange();
        if (range / smaller < 10000) {
          axis.SetLabelDecimals(DecimalPlaces(smaller));
          std::vector<TPlacedLabel> placed;
          for (const double v : AxisLabelValues(axis, smaller)) {
            const std::string text = AxisValueLabel(axis, v);
            placed.push_back({(v - axis.CurrentMinimum()) / range * drawn.length,
                              horizontal ? int(text.size()) * kCharWidth : kTextHeight});
          }
          EXPECT_TRUE(LabelsOverlap(placed, horizontal ? kCharWidth : kTextHeight / 4))
              << where << ": " << smaller << " would do";
        }
      }
    }
  }
}

TEST_F(DecimalAxisTest, TheCrowdedDensityAxisOfTheReportReadsInRoundSteps) {
  // 120 pixels: steps of 0.02 would stand 9.7 pixels apart, under a 13-pixel label.
  const TDrawn drawn = Draw(chart.LeftAxis(), 0, 0.2468, TRect{80, 20, 600, 140});
  EXPECT_DOUBLE_EQ(drawn.step, 0.05);
  std::vector<std::string> texts;
  for (const auto& label : drawn.labels) texts.push_back(label.second);
  std::sort(texts.begin(), texts.end());
  EXPECT_EQ(texts, (std::vector<std::string>{"0.00", "0.05", "0.10", "0.15", "0.20"}));
}

TEST_F(DecimalAxisTest, TheLadderStaysTheDefault) {
  EXPECT_EQ(chart.LeftAxis().LabelSteps(), tlsLadder);
  EXPECT_EQ(chart.BottomAxis().LabelSteps(), tlsLadder);
}

}  // namespace
}  // namespace corvane
