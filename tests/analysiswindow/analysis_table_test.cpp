#include "analysiswindow/analysis_table.h"

#include <gtest/gtest.h>

#include "analysiswindow/fit_results.h"
#include "runtime/number_format_settings.h"

namespace corvane {
namespace {

std::vector<TComparisonRow> Rows() {
  TComparisonRow mean{"mean", 9.5, 10, 0, 0.25, -2, TModelSource::ClosedForm};
  TComparisonRow median{"50 %", 8.25, 8.5, 0.00844671, 0.5, -0.5, TModelSource::Simulation};
  TComparisonRow pending{"95 %",      17,          kNotANumber,          kNotANumber,
                         kNotANumber, kNotANumber, TModelSource::Pending};
  return {mean, median, pending};
}

TEST(AnalysisTableTest, SaysWhereEachModelFigureComesFrom) {
  const std::vector<TComparisonRow> rows = Rows();
  const TScopedNumberFormat format('.', ',');
  EXPECT_EQ(ModelSourceText(rows[0]), "closed form");
  EXPECT_EQ(ModelSourceText(rows[1]), "simulation \u00b1 0.0084") << "an error to two significant digits";
  EXPECT_EQ(ModelSourceText(rows[2]), "being computed");
}

TEST(AnalysisTableTest, CopiesAsTabsWithTheLocalesDecimalMark) {
  const std::vector<TComparisonRow> rows = Rows();
  struct Case {
    char mark;
    const char* expected;
  };
  const Case cases[] = {
      {'.',
       "Statistic\tData\tModel\tModel from\tStandard error\tData - model (SE)\n"
       "mean\t9.5\t10\tclosed form\t0.25\t-2.00\n"
       "50 %\t8.25\t8.5\tsimulation \u00b1 0.0084\t0.5\t-0.50\n"
       "95 %\t17\t\tbeing computed\t\t\n"},
      {',',
       "Statistic\tData\tModel\tModel from\tStandard error\tData - model (SE)\n"
       "mean\t9,5\t10\tclosed form\t0,25\t-2,00\n"
       "50 %\t8,25\t8,5\tsimulation \u00b1 0,0084\t0,5\t-0,50\n"
       "95 %\t17\t\tbeing computed\t\t\n"},
  };
  for (const Case& c : cases) {
    // The table is built and written under the same locale, as the window does.
    const TScopedNumberFormat format(c.mark, c.mark == '.' ? ',' : '.');
    EXPECT_EQ(TableTsv(AnalysisTableOf(rows, nullptr), c.mark), c.expected) << c.mark;
  }
}

TEST(AnalysisTableTest, SavesAsCsvWithPointsAndQuotesWhatNeedsThem) {
  const TScopedNumberFormat format(',', '.');
  std::vector<TComparisonRow> rows = Rows();
  rows.resize(1);
  rows[0].Name = "mean, \"all\"";
  const std::vector<TComparisonRow> fitted = {{"mean", 9.5, 9.75, 0, 0.25, -1, TModelSource::ClosedForm}};
  EXPECT_EQ(TableCsv(AnalysisTableOf(rows, &fitted)),
            "Statistic,Data,Model,Model from,Standard error,Data - model (SE),Fitted model,Data - fit (SE)\n"
            "\"mean, \"\"all\"\"\",9.5,10,closed form,0.25,-2,9.75,-1\n");
  // Numbers for R and pandas: the shortest text that reads back as the same double, all digits.
  rows[0].Data = 0.1 + 0.2;
  EXPECT_NE(TableCsv(AnalysisTableOf(rows, nullptr)).find(",0.30000000000000004,"), std::string::npos);
}

TEST(FitResultsTest, ListEstimatesWithIntervalsAndTheFailedReplicates) {
  const TScopedNumberFormat format('.', ',');
  TModelFit fit;
  fit.Condition = TFitCondition::Fitted;
  fit.Count = 200;
  fit.Options.a1 = 0.6;
  fit.Estimates = {3, 0.4, 1.5, 0.7, 1.5, 0.9, 5.357142857};
  TBootstrapResult bootstrap;
  bootstrap.Replicates = 1000;
  bootstrap.Failed = 12;
  bootstrap.Intervals[kFitA] = {2.9, 3.05};
  const std::string text = TableTsv(FitResultsOf(fit, &bootstrap), '.');
  EXPECT_NE(text.find("Parameter\tEstimate\t2.5 %\t97.5 %\tNote\n"), std::string::npos);
  EXPECT_NE(text.find("A\t3\t2.9\t3.05\tsample minimum\n"), std::string::npos);
  EXPECT_NE(text.find("y0\t5.35714\t\t\t"), std::string::npos);
  EXPECT_NE(text.find("a1\t0.6\t\t\theld at its field's value\n"), std::string::npos);
  EXPECT_NE(text.find("failed replicates\t12\n"), std::string::npos);
  EXPECT_EQ(FitSummaryText(fit, &bootstrap, false),
            "Fitted; 95 % intervals from 988 bootstrap replicates (12 of 1000 could not be refitted and are "
            "left out)");

  TModelFit failed;
  failed.Condition = TFitCondition::Lag1NotNegative;
  failed.Message = "the model predicts a negative lag-1 autocorrelation; these data have +0.12";
  EXPECT_EQ(FitSummaryText(failed, nullptr, false),
            "Cannot fit: the model predicts a negative lag-1 autocorrelation; these data have +0.12");
}

}  // namespace
}  // namespace corvane
