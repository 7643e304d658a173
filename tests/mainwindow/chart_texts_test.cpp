// What Form1's charts say: the read-out texts under a full stop and a comma, the red line's
// model and series statistics with the parameters each point was drawn with, the data columns,
// and the parameter help.
#include "mainwindow/chart_texts.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <vector>

#include "chart/chart.h"
#include "chart/chart_context_menu.h"
#include "chart/line_series.h"
#include "dialogs/notice_sink.h"
#include "mainwindow/main_form.h"
#include "runtime/number_format_settings.h"
#include "support/recording_sinks.h"

namespace corvane {
namespace {

const TParameterSet kDefaults{5, 1, 1, 0.5, 0.5, 5};

TEST(ChartTextsTest, ReadoutTextsUnderBothDecimalMarks) {
  for (const char mark : {'.', ','}) {
    const TScopedNumberFormat format(mark, mark == '.' ? ',' : '.');
    const std::string m(1, mark);
    EXPECT_EQ(ReactionTimeText(3, 7.772588722239782), "Reaction 3\nReaction time 7" + m + "773");
    EXPECT_EQ(PathPointText(3.75, 1.25), "Time 3" + m + "750\nInhibition 1" + m + "250");
    EXPECT_EQ(MarkerText(12345.6789), "Reaction time 12345" + m + "679");
    const std::vector<double> times{7, 9, 14};
    // Semicolons part the items: a comma may be the decimal mark.
    const std::string expected = "Stationary mean A(1 + a1/a0) = 10" + m + "000\n" +
                                 "Model: standard deviation 3" + m + "120; lag-1 autocorrelation -0" + m +
                                 "406\n" + "Series so far: 3 reactions; mean 10" + m +
                                 "000; standard deviation 3" + m + "606";
    EXPECT_EQ(StationaryMeanText(10, &kDefaults, times), expected);
  }
}

TEST(ChartTextsTest, SmallNumbersKeepTheirDigitsAndShortSeriesSayWhatTheyCan) {
  EXPECT_EQ(ReadoutNumber(0.00012345), "0.0001234");
  EXPECT_EQ(ReadoutNumber(1.5e-9), "1.5E-9");
  EXPECT_EQ(ReadoutNumber(0), "0.000");
  EXPECT_EQ(ReadoutNumber(-0.0005), "-0.0005");
  EXPECT_EQ(ReadoutNumber(0.001), "0.001");
  const std::vector<double> one{7.5};
  EXPECT_EQ(StationaryMeanText(10, nullptr, one),
            "Stationary mean A(1 + a1/a0) = 10.000\nSeries so far: 1 reaction; mean 7.500");
  EXPECT_EQ(StationaryMeanText(10, nullptr, {}), "Stationary mean A(1 + a1/a0) = 10.000");
  // Parameters whose model leaves the double range say so instead of failing.
  const TParameterSet wild{1, 1e-300, 1, 1e300, 1, 1};
  EXPECT_EQ(StationaryMeanText(1, &wild, {}),
            "Stationary mean A(1 + a1/a0) = 1.000\nModel: beyond the number range");
}

class FormTextsTest : public ::testing::Test {
 protected:
  void SetUp() override { form.FormCreate(); }
  std::string Readout(TChart& chart, const TChartSeries& series, int index) {
    return chart.OnGetReadoutText(series, index);
  }

  RecordingNotices notices;
  TForm1 form{&notices, [seed = 7u]() mutable {
                seed = seed * 134775813u + 1u;
                return static_cast<long double>(seed) * 0x1p-32L;
              }};
};

// Each red point keeps the parameters of its press: A changed before the third press changes
// only the third point's read-out.
TEST_F(FormTextsTest, TheRedLineTellsTheParametersItWasDrawnWith) {
  form.ButtonBegin->click();
  form.ButtonBegin->click();
  form.EditAcrit->setText("10");
  form.ButtonBegin->click();
  const std::string first = Readout(*form.Chart2, *form.Series4, 0);
  const std::string third = Readout(*form.Chart2, *form.Series4, 2);
  EXPECT_EQ(first.substr(0, first.find('\n')), "Stationary mean A(1 + a1/a0) = 10.000");
  EXPECT_NE(first.find("standard deviation 3.120; lag-1 autocorrelation -0.406"), std::string::npos);
  EXPECT_EQ(third.substr(0, third.find('\n')), "Stationary mean A(1 + a1/a0) = 20.000");
  EXPECT_NE(third.find("Series so far: 3 reactions"), std::string::npos);
  EXPECT_EQ(Readout(*form.Chart2, *form.Series2, 1).substr(0, 11), "Reaction 2\n");
  // A new series forgets the kept parameters with the points.
  form.BitBtn1->click();
  form.ButtonBegin->click();
  const std::string fresh = Readout(*form.Chart2, *form.Series4, 0);
  EXPECT_EQ(fresh.substr(0, fresh.find('\n')), "Stationary mean A(1 + a1/a0) = 20.000");
  EXPECT_NE(fresh.find("Series so far: 1 reaction;"), std::string::npos);
}

TEST_F(FormTextsTest, TheInhibitionChartReadsOutItsPathAndMarker) {
  form.ButtonBegin->click();
  const double rt = form.Series3->XValueAt(0);
  EXPECT_EQ(Readout(*form.Chart1, *form.Series3, 0), MarkerText(rt));
  EXPECT_EQ(Readout(*form.Chart1, *form.Series1, 0), "Time 0.000\nInhibition 5.000");
}

TEST_F(FormTextsTest, CopyDataNamesWhatEachColumnShows) {
  form.ButtonBegin->click();
  form.ButtonBegin->click();
  const std::string reactions = ChartDataOf(*form.Chart2);
  EXPECT_EQ(reactions.substr(0, reactions.find('\n')), "Reaction number\tReaction time\tStationary mean");
  EXPECT_EQ(std::count(reactions.begin(), reactions.end(), '\n'), 3);
  const std::string path = ChartDataOf(*form.Chart1);
  EXPECT_EQ(path.substr(0, path.find('\n') + 1), "Time\tInhibition\tReaction time\n");
  // The marker's reaction time stands on the row of the path's end, in its own column.
  const std::string rt = DataNumber(form.Series3->XValueAt(0));
  EXPECT_NE(path.find("\t" + rt + "\n"), std::string::npos);
  EXPECT_EQ(std::count(path.begin(), path.end(), '\n'), form.Series1->PointCount() + 1);
}

TEST_F(FormTextsTest, EachParameterLabelAndFieldSaysWhatItIs) {
  const std::vector<std::pair<QLabel*, QLineEdit*>> pairs{
      {form.Label1, form.EditAcrit}, {form.Label2, form.EditA1}, {form.Label3, form.EditA0},
      {form.Label4, form.EditC1},    {form.Label5, form.EditC0}, {form.Label7, form.EditY0}};
  for (const auto& [label, edit] : pairs) {
    EXPECT_TRUE(label->toolTip().startsWith(label->text() + ": ")) << label->toolTip().toStdString();
    EXPECT_EQ(edit->toolTip(), label->toolTip());
    EXPECT_FALSE(label->toolTip().contains('\n'));
  }
  EXPECT_EQ(form.Label1->toolTip(), "A: the amount of work a reaction requires");
}

}  // namespace
}  // namespace corvane
