#include "analysiswindow/likelihood_results.h"

#include <gtest/gtest.h>

#include <cmath>

#include "runtime/number_format_settings.h"

namespace corvane {
namespace {

// A fit as FitByLikelihood reports one, by hand: at the boundary k = inf unless `k` is given.
TLikelihoodFit HandFit(double k = kInfiniteK) {
  TLikelihoodFit fit;
  fit.Status = TLikelihoodStatus::Fitted;
  fit.Count = 150;
  fit.Replicates = 20;
  fit.Law = {5, 2, k, 0.5};
  fit.Boundary = std::isinf(k);
  const double a1 = 1;
  fit.Estimates = {5, 2, k, 0.5, a1 / 2, k * a1, (k + 1) * 0.5 / 0.5};
  for (auto& interval : fit.Intervals) interval = {1, 3};
  fit.Intervals[kFitK] = {40, kInfiniteK};
  fit.IntervalMethods.fill(TIntervalMethod::Percentile);
  fit.IntervalMethods[kFitA] = TIntervalMethod::Exact;
  fit.IntervalMethods[kFitC0] = TIntervalMethod::Shifted;
  fit.IntervalMethods[kFitA0] = fit.IntervalMethods[kFitC1] = TIntervalMethod::Derived;
  fit.ParameterCount = 4;
  fit.LogLik = -100.123;
  fit.AIC = 208.246;
  fit.BIC = 220.5;
  fit.ExGaussian = {0.7, 0.05, 0.2, kNotANumber, -120, 246, 255, true};
  fit.Lognormal = {-1.5, 0.4, kNotANumber, 4.9, -110, 226, 235, true};
  fit.Lag1 = -0.05;
  fit.Lag1Model = 0;
  fit.Lag1StandardError = 0.08;
  fit.Verdict = {TDependenceKind::Consistent, "consistent with the model"};
  fit.GofP = 0.5;
  fit.GofDistance = 0.04;
  fit.Notes = {kBoundaryNote, fit.Verdict.Sentence};
  return fit;
}

std::vector<std::string> Row(const TAnalysisTable& table, const std::string& first) {
  for (const auto& row : table.Rows)
    if (row.front().Text == first) {
      std::vector<std::string> texts;
      for (const TTableCell& cell : row) texts.push_back(CellText(cell, '.'));
      return texts;
    }
  ADD_FAILURE() << "no row " << first;
  return {};
}

TEST(LikelihoodResultsTest, NamesEveryIntervalRuleButThePercentile) {
  const TScopedNumberFormat format('.', ',');
  const TAnalysisTable table = LikelihoodResultsOf(HandFit(), 1);
  EXPECT_EQ(table.Header, (std::vector<std::string>{"Parameter", "Estimate", "2.5 %", "97.5 %", "Interval"}));
  const struct {
    const char* parameter;
    std::vector<std::string> row;
  } cases[] = {
      {"A", {"A", "5", "1", "3", "exact: the atom"}},
      {"b", {"b", "2", "1", "3", ""}},
      // The boundary's infinities read "inf", not an empty cell.
      {"k", {"k", "inf", "40", "inf", ""}},
      {"c0", {"c0", "0.5", "1", "3", "shifted percentile"}},
      {"a0", {"a0", "0.5", "1", "3", "from b's"}},
      {"c1", {"c1", "inf", "1", "3", "from k's"}},
      {"y0", {"y0", "inf", "1", "3", ""}},
      {"a1", {"a1", "1", "", "", "held at its field's value"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Row(table, c.parameter), c.row) << c.parameter;
  EXPECT_EQ(table.Rows.size(), 8u) << "no contaminants' row when they are off";
}

TEST(LikelihoodResultsTest, ShowsTheContaminantsShareOnlyWhenEstimated) {
  const TScopedNumberFormat format('.', ',');
  TLikelihoodFit fit = HandFit(3);
  fit.ContaminantShare = 0.0125;
  EXPECT_EQ(Row(LikelihoodResultsOf(fit, 1), "contaminants")[1], "0.0125");
  fit.ContaminantShare = 0;  // estimated at none: still shown
  EXPECT_EQ(LikelihoodResultsOf(fit, 1).Rows.size(), 9u);
}

TEST(LikelihoodResultsTest, ComparesTheModelWithTheFieldsStandardsOnAIC) {
  const TScopedNumberFormat format('.', ',');
  const TAnalysisTable table = DistributionComparisonOf(HandFit());
  EXPECT_EQ(table.Header,
            (std::vector<std::string>{"Distribution", "p", "logLik", "AIC", "BIC", "Parameters"}));
  EXPECT_EQ(Row(table, "the model"), (std::vector<std::string>{"the model", "4", "-100.12", "208.25",
                                                               "220.50", "in the table beside"}));
  EXPECT_EQ(Row(table, "ex-Gaussian"), (std::vector<std::string>{"ex-Gaussian", "3", "-120.00", "246.00",
                                                                 "255.00", "mu 0.7, sigma 0.05, tau 0.2"}));
  EXPECT_EQ(Row(table, "shifted lognormal")[5], "shift 4.9, mu -1.5, sigma 0.4");
}

TEST(LikelihoodResultsTest, TheSummaryNamesTheBoundaryTheVerdictAndTheTest) {
  const TScopedNumberFormat format('.', ',');
  TLikelihoodFit fit = HandFit();
  EXPECT_EQ(LikelihoodSummaryText(fit),
            "Fitted by maximum likelihood to 150 reaction times, 95 % intervals from 20 bootstrap series "
            "(none left out). k = inf: independent reactions. Dependence: consistent with the model: the "
            "data's lag-1 -0.05, the fitted model's +0.00 +/- 0.08. Goodness of fit: p = 0.5 (Kolmogorov "
            "distance 0.04).");
  fit = HandFit(3);
  fit.Verdict = DependenceVerdict(0.21, -0.1, 0.02);
  fit.Notes = {fit.Verdict.Sentence, "the optimiser stopped before its criterion was met"};
  fit.Replicates = 0;
  fit.GofP = kNotANumber;
  const std::string text = LikelihoodSummaryText(fit);
  EXPECT_EQ(text.find("k = inf"), std::string::npos) << text;
  EXPECT_NE(text.find("; no bootstrap, no intervals."), std::string::npos) << text;
  EXPECT_NE(text.find("Dependence: " + fit.Verdict.Sentence + "."), std::string::npos) << text;
  EXPECT_NE(text.find("Goodness of fit: no p without the bootstrap."), std::string::npos) << text;
  EXPECT_NE(text.find("Note: the optimiser stopped before its criterion was met."), std::string::npos)
      << text;
  fit.Status = TLikelihoodStatus::TooFewValues;
  fit.Message = "the fit needs at least 20 reaction times; these data have 3";
  EXPECT_EQ(LikelihoodSummaryText(fit),
            "Cannot fit: the fit needs at least 20 reaction times; these data have 3.");
}

TEST(LikelihoodResultsTest, TheBoundaryAppliesAsKTenToTheFourAndSaysSo) {
  const TScopedNumberFormat format('.', ',');
  const struct {
    double k;
    double c1;
  } cases[] = {{kInfiniteK, 2e4}, {3, 6}};
  for (const auto& c : cases) {
    const TParameterSet P = AppliedParametersOf(HandFit(c.k), 2);
    const double k = std::isinf(c.k) ? kAppliedK : c.k;
    EXPECT_DOUBLE_EQ(P.A, 5);
    EXPECT_DOUBLE_EQ(P.a1, 2);
    EXPECT_DOUBLE_EQ(P.c1, c.c1);
    EXPECT_DOUBLE_EQ(P.c0, 0.5);
    EXPECT_DOUBLE_EQ(P.a0, 0.5);  // the fit's a0 = a1/b, a1 held
    EXPECT_DOUBLE_EQ(P.y0, (k + 1) * P.a0 / P.c0);
  }
  // m = b c0 A = 5: the lag-1 at k = 10^4 is -(1 - e^(-5/10001))/2.
  EXPECT_EQ(BoundaryApplyText(HandFit()),
            "k = inf applied as k = 10^4: its lag-1 (-0.0002499) differs from 0 by less than the data's "
            "standard error (0.08) could show");
}

}  // namespace
}  // namespace corvane
