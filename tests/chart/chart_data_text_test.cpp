// "Copy data": the tab-separated text of a chart's series, exactly, under both decimal marks.
#include "chart/chart_data_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "chart/line_series.h"
#include "chart_support.h"
#include "runtime/number_format_settings.h"

namespace corvane {
namespace {

using testing::TTestChart;

class DataTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    times = &chart.CreateSeries<TLineSeries>();
    means = &chart.CreateSeries<TLineSeries>();
    times->SetTitle("Reaction time");
    means->SetName("Series4");
  }
  TTestChart chart;
  TLineSeries* times = nullptr;
  TLineSeries* means = nullptr;
};

TEST_F(DataTextTest, OneRowPerReactionWithSeventeenDigitsAndTheLocaleMark) {
  times->AddPoint(1, 7.772588722239782);
  times->AddPoint(2, 0.1);
  means->AddPoint(1, 10);
  means->AddPoint(2, 1e-5);
  const std::vector<TDataColumn> columns = SeriesDataColumns(chart);
  EXPECT_EQ(ChartDataText("Reaction number", columns),
            "Reaction number\tReaction time\tSeries4\n"
            "1\t7.7725887222397816\t10\n"
            "2\t0.10000000000000001\t1.0000000000000001E-5\n");
  const TScopedNumberFormat comma(',', '.');
  EXPECT_EQ(ChartDataText("Reaction number", columns),
            "Reaction number\tReaction time\tSeries4\n"
            "1\t7,7725887222397816\t10\n"
            "2\t0,10000000000000001\t1,0000000000000001E-5\n");
}

// The inhibition chart: the path, and the marker's X in a column of its own on the row of the
// path point at the same time.
TEST_F(DataTextTest, SeriesMergeByXAndAMarkerShowsItsX) {
  for (const auto& [x, y] : {std::pair{0.0, 5.0}, {3.75, 1.25}, {7.5, 2.5}, {7.5, 2.5}})
    times->AddPoint(x, y);
  means->AddPoint(7.5, 0);
  const std::vector<TDataColumn> columns{{times, "Inhibition", false}, {means, "Reaction\ttime", true}};
  EXPECT_EQ(ChartDataText("Time", columns),
            "Time\tInhibition\tReaction time\n"
            "0\t5\t\n"
            "3.75\t1.25\t\n"
            "7.5\t2.5\t7.5\n"
            "7.5\t2.5\t\n");
}

TEST_F(DataTextTest, NoInfinityOrNaNAndEmptySeriesGiveTheHeaderAlone) {
  EXPECT_EQ(ChartDataText("x", SeriesDataColumns(chart)), "x\tReaction time\tSeries4\n");
  EXPECT_EQ(ChartDataText("x", {}), "x\n");
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  times->AddPoint(1, inf);
  times->AddPoint(2, nan);
  means->AddPoint(nan, 3);
  const std::string text = ChartDataText("x", SeriesDataColumns(chart));
  EXPECT_EQ(text.find("INF"), std::string::npos);
  EXPECT_EQ(text.find("NAN"), std::string::npos);
  // Every point is written once, whatever its X: three rows.
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
  EXPECT_EQ(DataNumber(-inf), "");
}

TEST(DataNumberTest, SeventeenDigitsReadBackTheSameDouble) {
  for (const double v : {7.772588722239782, 0.1, 1.0 / 3, 2.7725887222397816, 123456789.123, 5e-324,
                         1.7976931348623157e308, -0.30000000000000004}) {
    EXPECT_EQ(std::strtod(DataNumber(v).c_str(), nullptr), v) << DataNumber(v);
  }
}

}  // namespace
}  // namespace corvane
