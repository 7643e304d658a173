#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "chart/axis_labels.h"
#include "chart/calendar_walk.h"
#include "chart/date_time_text.h"
#include "chart/line_series.h"
#include "chart/series_mark_text.h"
#include "chart_support.h"
#include "runtime/number_format_settings.h"

namespace corvane {
namespace {

using testing::TTestChart;

double Serial(int y, int m, int d) {
  return SerialFromCivil(y, m, d);
}

TEST(DateTimeSerialTest, DaysCountFrom30December1899BothWays) {
  EXPECT_EQ(Serial(1899, 12, 30), 0);
  EXPECT_EQ(Serial(2023, 3, 15), 45000);
  EXPECT_EQ(Serial(2000, 2, 29), 36585);
  EXPECT_EQ(Serial(1899, 12, 29), -1);
  EXPECT_EQ(Serial(2022, 15, 1), Serial(2023, 3, 1));  // months carry into the year
  EXPECT_EQ(Serial(2023, -1, 1), Serial(2022, 11, 1));
  EXPECT_EQ(CivilFromSerial(36585), (TCivilDateTime{2000, 2, 29}));
  EXPECT_EQ(CivilFromSerial(45000.75), (TCivilDateTime{2023, 3, 15, 18, 0, 0, 0}));
  EXPECT_EQ(CivilFromSerial(-0.25), (TCivilDateTime{1899, 12, 29, 18}));  // the day is rounded down
  // A time a hair below midnight rounds to the next day, not to 24:00.
  EXPECT_EQ(CivilFromSerial(44999.9999999999), (TCivilDateTime{2023, 3, 15}));
  EXPECT_EQ(CivilFromSerial(std::numeric_limits<double>::quiet_NaN()), TCivilDateTime{});
  EXPECT_EQ(CivilFromSerial(1e300), TCivilDateTime{});
}

TEST(DateTimeTextTest, PictureFieldsAndQuotedText) {
  const double t = 45000.75 + 5.5 / 86400;  // 18:00:05.500
  EXPECT_EQ(FormatDateTimeText("dd/mm/yy hh:nn", 45000.75), "15/03/23 18:00");
  EXPECT_EQ(FormatDateTimeText("d.m.yyyy", Serial(2023, 1, 5)), "5.1.2023");
  EXPECT_EQ(FormatDateTimeText("hh:mm:ss.zzz", t), "18:00:05.500");        // mm after an hour: minutes
  EXPECT_EQ(FormatDateTimeText("HH'h' \"mm\" dd mm", t), "18h mm 15 03");  // after a day: the month
  EXPECT_EQ(FormatDateTimeText("'open", 0), "open");
  EXPECT_EQ(DefaultDateTimeFormat(1.0 / 24), "hh:nn:ss");
  EXPECT_EQ(DefaultDateTimeFormat(1), "hh:nn");
  EXPECT_EQ(DefaultDateTimeFormat(1.5), "dd/mm/yyyy");
}

TEST(CalendarWalkTest, MonthsHalfMonthsAndYearsFromTheTopDown) {
  EXPECT_EQ(CalendarLabelValues(Serial(2023, 1, 10), Serial(2023, 3, 20), 30, true),
            (std::vector<double>{Serial(2023, 3, 1), Serial(2023, 2, 1)}));
  EXPECT_EQ(CalendarLabelValues(Serial(2023, 1, 1), Serial(2023, 2, 16), 15, true),
            (std::vector<double>{Serial(2023, 2, 16), Serial(2023, 2, 1), Serial(2023, 1, 16),
                                 Serial(2023, 1, 1)}));
  // Without labels on the axis the bounds are left out.
  EXPECT_EQ(CalendarLabelValues(Serial(2023, 1, 1), Serial(2023, 2, 16), 15, false),
            (std::vector<double>{Serial(2023, 2, 1), Serial(2023, 1, 16)}));
  // Quarters count from January; two-year steps from even years.
  EXPECT_EQ(CalendarLabelValues(Serial(2022, 11, 1), Serial(2023, 5, 31), 90, true),
            (std::vector<double>{Serial(2023, 4, 1), Serial(2023, 1, 1)}));
  EXPECT_EQ(CalendarLabelValues(Serial(2019, 6, 1), Serial(2023, 6, 1), 730, true),
            (std::vector<double>{Serial(2022, 1, 1), Serial(2020, 1, 1)}));
  EXPECT_TRUE(CalendarLabelValues(10, 5, 30, true).empty());
}

struct DateAxisTest : ::testing::Test {
  TTestChart chart;
  TLineSeries& series = chart.CreateSeries<TLineSeries>();

  DateAxisTest() {
    series.XValues().SetDateTime(true);
    series.AddPoint(Serial(2023, 1, 10), 1);
    series.AddPoint(Serial(2023, 3, 20), 2);
    chart.PlaceLayout({0, 0, 300, 100});
    chart.ScaleAxes();
    chart.BottomAxis().UpdateDateTimeFlag();
  }
};

TEST_F(DateAxisTest, LabelsAreDatesAndNegativeDatesAreBlank) {
  TChartAxis& axis = chart.BottomAxis();
  EXPECT_EQ(AxisValueLabel(axis, Serial(2023, 2, 1)), "01/02/2023");
  axis.SetDateTimeFormat("mm-yy");
  EXPECT_EQ(AxisValueLabel(axis, Serial(2023, 2, 1)), "02-23");
  EXPECT_EQ(AxisValueLabel(axis, -1), "");
  EXPECT_EQ(AxisValueLabel(chart.LeftAxis(), 2), "2");  // the Y values are plain numbers
}

TEST_F(DateAxisTest, ExactAxesWalkByTheCalendarOtherwiseByFixedDays) {
  TChartAxis& axis = chart.BottomAxis();
  EXPECT_EQ(AxisLabelValues(axis, 30), (std::vector<double>{Serial(2023, 3, 1), Serial(2023, 2, 1)}));
  axis.SetExactDateTime(false);
  axis.SetRoundFirstLabel(false);
  const std::vector<double> fixed = AxisLabelValues(axis, 30);
  ASSERT_EQ(fixed.size(), 3u);
  EXPECT_EQ(fixed[0], Serial(2023, 3, 20));
  EXPECT_EQ(fixed[1], Serial(2023, 2, 18));
}

TEST(MarkTextTest, EachStyleThenTheEvent) {
  TTestChart chart;
  TLineSeries& s = chart.CreateSeries<TLineSeries>();
  s.AddPoint(1, 1, "a");
  s.AddPoint(2, 3, "b");
  s.AddPoint(3, 1234.5);
  const auto text = [&](TSeriesMarksStyle style, int index) {
    s.Marks().SetStyle(style);
    return MarkText(s, index);
  };
  TScopedNumberFormat marks('.', ',');
  EXPECT_EQ(text(smsValue, 2), "1,234.5");
  EXPECT_EQ(text(smsLabel, 1), "b");
  EXPECT_EQ(text(smsLabel, 2), "1,234.5");  // no label: the value
  EXPECT_EQ(text(smsLabelValue, 1), "b 3");
  EXPECT_EQ(text(smsXValue, 1), "2");
  EXPECT_EQ(text(smsPercent, 1), "0.24 %");  // 3 of 1238.5
  EXPECT_EQ(text(smsLabelPercentTotal, 0), "a 0.08 % of 1,238.5");
  s.OnGetMarkText = [](TChartSeries&, int index, std::string& t) { t += "#" + std::to_string(index); };
  EXPECT_EQ(text(smsLabel, 0), "a#0");
}

}  // namespace
}  // namespace corvane
