// Every group fitted under either method, as it is fitted alone, whatever the threads; the rows'
// cells under their names; the boundary and the message's order; the moment fit's report.
#include "analysis/group_fit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "analysis/group_fit_table.h"
#include "analysis/stationary_series.h"
#include "likelihood_support.h"

namespace corvane {
namespace {

using namespace test_support;
constexpr double kInf = std::numeric_limits<double>::infinity();

TReactionTimeGroup Group(std::string key, std::vector<double> values, std::size_t missing) {
  TReactionTimeGroup g;
  g.Keys = {std::move(key)};
  g.Values = std::move(values);
  g.Missing = missing;
  return g;
}

std::vector<double> Stationary(std::size_t n, std::uint32_t seed) {
  std::vector<double> values(n);
  TStationarySeries series({5, 1, 1, 0.5, 0.5, 5}, seed);
  series.Fill(values);
  return values;
}

// Groups of the independent limit to the millisecond from these seeds (m = 1: quick to fit by ML;
// the lag-1 of seed 21 is above 0, so the moment fit refuses it), group g with g missing values and
// the second with two breaks; then one too short and one not read.
TReactionTimeGroups GroupsOf(const std::vector<std::uint32_t>& seeds) {
  TReactionTimeGroups groups;
  for (std::size_t g = 0; g < seeds.size(); ++g)
    groups.Groups.push_back(
        Group("p" + std::to_string(g), IndependentSeries(2, 0.5, 1, 60, seeds[g], 0.001), g));
  if (seeds.size() > 1)
    groups.Groups[1].Breaks = {20, 40};
  groups.Groups.push_back(Group("short", {5.5, 6.5, 7.5}, 0));
  TReactionTimeGroup bad = Group("bad", {}, 13);
  bad.Read = false;
  bad.Message = "line 9, column 'rt': 'x' is not a number";
  groups.Groups.push_back(bad);
  return groups;
}

// The law of the independent limit (A 2, b 0.5, c0 1) by its own quantiles, ascending: the likeliest
// k is infinite, and the lag-1 of the ascending values is far above anything the model produces.
std::vector<double> IndependentQuantiles(std::size_t n) {
  const TStationaryLaw law{2, 0.5, kInf, 1};
  std::vector<double> values(n);
  for (std::size_t i = 0; i < n; ++i)
    values[i] = std::nearbyint(
                    StationaryQuantile(law, (static_cast<double>(i) + 0.5) / static_cast<double>(n)) * 1000) /
                1000;
  return values;
}

bool Same(double a, double b) {
  return (std::isnan(a) && std::isnan(b)) || a == b;
}

void ExpectSameFigures(const TFitVector& estimates,
                       const std::array<TInterval, kFitParameterCount>& intervals, const TGroupFit& fit,
                       const std::string& where) {
  for (std::size_t p = 0; p < kFitParameterCount; ++p) {
    const std::string name = where + " " + std::string(FitParameterName(static_cast<int>(p)));
    EXPECT_TRUE(Same(fit.Estimates[p], estimates[p]))
        << name << " " << fit.Estimates[p] << " " << estimates[p];
    EXPECT_TRUE(Same(fit.Intervals[p].Low, intervals[p].Low)) << name;
    EXPECT_TRUE(Same(fit.Intervals[p].High, intervals[p].High)) << name;
  }
}

TLikelihoodFitOptions LikelihoodOptionsOf(const TGroupFitOptions& options, const TReactionTimeGroup& group) {
  TLikelihoodFitOptions likelihood;
  likelihood.Likelihood.a1 = options.Fit.a1;
  likelihood.Likelihood.KeepA = options.Fit.KeepA;
  likelihood.Likelihood.A = options.Fit.A;
  likelihood.Likelihood.Contaminants = options.Contaminants;
  likelihood.Replicates = options.Bootstrap.Replicates;
  likelihood.Seed = options.Bootstrap.Seed;
  likelihood.Level = options.Bootstrap.Level;
  // The moment fit's lag-1: over neighbouring trials only.
  likelihood.DataLag1 = FitModel(group.Values, group.Breaks).Lag1;
  return likelihood;
}

std::string Joined(std::string a, const std::string& b) {
  return b.empty() ? a : a.empty() ? b : a + "; " + b;
}

TEST(GroupFitTest, EveryGroupAsFittedAloneWhateverTheThreads) {
  const TReactionTimeGroups groups = GroupsOf({21, 22});
  for (const TFitMethod method : {TFitMethod::Moments, TFitMethod::Likelihood}) {
    SCOPED_TRACE(std::string(FitMethodName(method)));
    TGroupFitOptions options;
    options.Method = method;
    options.Bootstrap.Replicates = method == TFitMethod::Moments ? 30 : 0;  // ML with replicates: below
    options.Bootstrap.Seed = 4;
    TWorkControl one;
    one.Threads = 1;
    const std::vector<TGroupFit> fits = FitGroups(groups, options, one);
    const std::vector<TGroupFit> threaded = FitGroups(groups, options, {});
    ASSERT_EQ(fits.size(), 4u);
    std::size_t refused = 0;
    for (std::size_t g = 0; g < 2; ++g) {
      const TReactionTimeGroup& group = groups.Groups[g];
      const std::string where = "group " + std::to_string(g);
      const TGroupFit& fit = fits[g];
      EXPECT_EQ(fit.Keys, group.Keys);
      EXPECT_EQ(fit.Count, 60u);
      EXPECT_EQ(fit.Missing, g);
      EXPECT_EQ(fit.Method, method);
      EXPECT_EQ(fit.Seed, 4u);
      const std::string missing = g == 0 ? "" : "1 missing value skipped";
      const TLikelihoodFitOptions likelihood = LikelihoodOptionsOf(options, group);
      if (method == TFitMethod::Moments) {
        const TModelFit alone = FitModel(group.Values, group.Breaks);
        if (!alone.Fitted()) {
          ++refused;
          EXPECT_EQ(fit.Status, TGroupFitStatus::NotFitted) << where;
          EXPECT_EQ(fit.Message, Joined(missing, alone.Message)) << where;
          EXPECT_FALSE(fit.Likelihood.has_value());
          ExpectSameFigures(alone.Estimates, {}, fit, where);
          continue;
        }
        const TBootstrapResult intervals = BootstrapFit(alone, 60, options.Bootstrap);
        ExpectSameFigures(alone.Estimates, intervals.Intervals, fit, where);
        EXPECT_EQ(fit.FailedReplicates, intervals.Failed);
        const TStationaryLaw law{alone.Estimates[kFitA], alone.Estimates[kFitB], alone.Estimates[kFitK],
                                 alone.Estimates[kFitC0]};
        const TLikelihoodFit report = DescribeLaw(group.Values, law, likelihood);
        ASSERT_TRUE(fit.Likelihood && fit.Likelihood->Fitted()) << where;
        EXPECT_EQ(fit.Likelihood->LogLik, report.LogLik) << where;
        EXPECT_EQ(fit.Likelihood->Lag1StandardError, report.Lag1StandardError) << where;
        // The moment fit matches the data's lag-1: its model's lag-1 is the data's.
        EXPECT_NEAR(fit.Likelihood->Lag1Model, alone.Lag1, 1e-9) << where;
        EXPECT_EQ(fit.Message, Joined(missing, report.Message)) << where;
      } else {
        const TLikelihoodFit alone = FitByLikelihood(group.Values, likelihood);
        ASSERT_TRUE(alone.Fitted()) << where;
        EXPECT_EQ(fit.Status, TGroupFitStatus::Fitted) << where;
        ExpectSameFigures(alone.Estimates, alone.Intervals, fit, where);
        ASSERT_TRUE(fit.Likelihood.has_value());
        EXPECT_EQ(fit.Likelihood->LogLik, alone.LogLik) << where;
        EXPECT_EQ(fit.Likelihood->Lag1StandardError, alone.Lag1StandardError) << where;
        EXPECT_EQ(fit.Likelihood->Lag1, likelihood.DataLag1) << where;
        EXPECT_EQ(fit.FailedReplicates, 0u);
        EXPECT_EQ(fit.Message, Joined(missing, alone.Message)) << where;
      }
      ExpectSameFigures(fits[g].Estimates, fits[g].Intervals, threaded[g], where + " threaded");
      ASSERT_EQ(threaded[g].Likelihood.has_value(), fit.Likelihood.has_value());
      if (fit.Likelihood) {
        EXPECT_EQ(threaded[g].Likelihood->Lag1StandardError, fit.Likelihood->Lag1StandardError) << where;
      }
    }
    // The same data: the closed form refuses some, ML none.
    if (method == TFitMethod::Moments) {
      EXPECT_GT(refused, 0u);
    }
    for (const std::size_t g : {2, 3}) {
      EXPECT_TRUE(std::isnan(fits[g].Estimates[kFitB]));
      EXPECT_FALSE(fits[g].Likelihood.has_value());
    }
    EXPECT_EQ(fits[2].Status, TGroupFitStatus::NotFitted);
    EXPECT_EQ(fits[2].Message, "the fit needs at least 20 reaction times; these data have 3");
    EXPECT_EQ(fits[3].Status, TGroupFitStatus::NotRead);
    EXPECT_EQ(fits[3].Message, "13 missing values skipped; line 9, column 'rt': 'x' is not a number");
  }
  // The pairs across a break are left out of the data's lag-1.
  const TReactionTimeGroup& broken = groups.Groups[1];
  EXPECT_NE(FitModel(broken.Values, broken.Breaks).Lag1, FitModel(broken.Values).Lag1);
  EXPECT_EQ(GroupFitStatusName(TGroupFitStatus::NotRead), "not read");
}

// k = inf keeps the group fitted; the message's notes: missing values, the boundary, the verdict.
TEST(GroupFitTest, TheBoundaryIsFittedAndPrintsInf) {
  TReactionTimeGroups groups;
  groups.Groups.push_back(Group("p", IndependentQuantiles(300), 2));
  TGroupFitOptions options;
  options.Bootstrap.Replicates = 3;
  const std::vector<TGroupFit> fits = FitGroups(groups, options);
  ASSERT_EQ(fits.size(), 1u);
  const TGroupFit& fit = fits[0];
  ASSERT_EQ(fit.Status, TGroupFitStatus::Fitted) << fit.Message;
  ASSERT_TRUE(fit.Likelihood.has_value());
  const std::string& verdict = fit.Likelihood->Verdict.Sentence;
  EXPECT_EQ(verdict.substr(0, 22), "the data's lag-1 (+0.9");
  EXPECT_EQ(fit.Message, "2 missing values skipped; k = inf: independent reactions; " + verdict);
  const std::vector<std::string> header = GroupFitHeader({}, options);
  const std::vector<std::string> cells = GroupFitCells(fit, 0, options);
  ASSERT_EQ(cells.size(), header.size());
  std::map<std::string, std::string> row;
  for (std::size_t c = 0; c < header.size(); ++c) row[header[c]] = cells[c];
  for (const char* name : {"k", "k high", "c1", "c1 high", "y0", "y0 high"})
    EXPECT_EQ(row[name], "inf") << name;
  EXPECT_EQ(row["lag1 model"], "0");
  EXPECT_EQ(row["failed replicates"], "0");
  EXPECT_EQ(row["status"], "fitted");
}

// The cells under their names, for every status, both methods, with and without the quantiles.
TEST(GroupFitTest, TableCellsStandUnderTheirNames) {
  const std::vector<std::string> by{"participant"};
  TGroupFitOptions with_quantiles;
  with_quantiles.Quantiles = true;
  EXPECT_EQ(GroupFitHeader(by, with_quantiles), (std::vector<std::string>{"participant",
                                                                          "n",
                                                                          "missing",
                                                                          "excluded",
                                                                          "A",
                                                                          "A low",
                                                                          "A high",
                                                                          "b",
                                                                          "b low",
                                                                          "b high",
                                                                          "k",
                                                                          "k low",
                                                                          "k high",
                                                                          "c0",
                                                                          "c0 low",
                                                                          "c0 high",
                                                                          "a0",
                                                                          "a0 low",
                                                                          "a0 high",
                                                                          "c1",
                                                                          "c1 low",
                                                                          "c1 high",
                                                                          "y0",
                                                                          "y0 low",
                                                                          "y0 high",
                                                                          "failed replicates",
                                                                          "logLik",
                                                                          "AIC",
                                                                          "BIC",
                                                                          "exgauss AIC",
                                                                          "exgauss mu",
                                                                          "exgauss sigma",
                                                                          "exgauss tau",
                                                                          "lognormal AIC",
                                                                          "contaminants",
                                                                          "lag1",
                                                                          "lag1 model",
                                                                          "lag1 se",
                                                                          "gof p",
                                                                          "q10",
                                                                          "q10 model",
                                                                          "q30",
                                                                          "q30 model",
                                                                          "q50",
                                                                          "q50 model",
                                                                          "q70",
                                                                          "q70 model",
                                                                          "q90",
                                                                          "q90 model",
                                                                          "method",
                                                                          "seed",
                                                                          "status",
                                                                          "message"}));
  const TReactionTimeGroups groups = GroupsOf({23, 21});
  struct Case {
    TFitMethod method;
    std::size_t replicates;
    bool quantiles;
  };
  for (const Case c : {Case{TFitMethod::Moments, 20, false}, Case{TFitMethod::Moments, 0, true},
                       Case{TFitMethod::Likelihood, 0, true}, Case{TFitMethod::Likelihood, 3, false}}) {
    SCOPED_TRACE(std::string(FitMethodName(c.method)) + " B " + std::to_string(c.replicates));
    TGroupFitOptions options;
    options.Method = c.method;
    options.Bootstrap.Replicates = c.replicates;
    options.Bootstrap.Seed = 11;
    options.Quantiles = c.quantiles;
    const std::vector<TGroupFit> fits = FitGroups(groups, options);
    const std::vector<std::string> header = GroupFitHeader(by, options);
    EXPECT_EQ(header.size(), 53u - (c.quantiles ? 0 : 10));
    for (const TGroupFit& fit : fits) {
      const std::vector<std::string> cells = GroupFitCells(fit, 1, options);
      ASSERT_EQ(cells.size(), header.size());
      std::map<std::string, std::string> row;
      for (std::size_t i = 0; i < header.size(); ++i) row[header[i]] = cells[i];
      const bool fitted = fit.Status == TGroupFitStatus::Fitted;
      const bool read = fit.Status != TGroupFitStatus::NotRead;
      const TLikelihoodFit* report = fitted ? &*fit.Likelihood : nullptr;
      const auto figure = [&](double value) { return FigureText(report ? value : kNotANumber); };
      EXPECT_EQ(row["participant"], fit.Keys[0]);
      EXPECT_EQ(row["n"], read ? std::to_string(fit.Count) : "NA");
      EXPECT_EQ(row["missing"], std::to_string(fit.Missing));
      EXPECT_EQ(row["excluded"], read ? "0" : "NA");
      for (int p = 0; p < kFitParameterCount; ++p) {
        const auto i = static_cast<std::size_t>(p);
        const std::string name(FitParameterName(p));
        EXPECT_EQ(row[name], FigureText(fit.Estimates[i])) << name;
        EXPECT_EQ(row[name + " low"], FigureText(fit.Intervals[i].Low)) << name;
        EXPECT_EQ(row[name + " high"], FigureText(fit.Intervals[i].High)) << name;
        if (fitted && c.replicates > 0 && p != kFitA) {
          EXPECT_LE(std::stod(row[name + " low"]), std::stod(row[name + " high"])) << name;
        }
      }
      EXPECT_EQ(row["failed replicates"],
                fitted && c.replicates > 0 ? std::to_string(fit.FailedReplicates) : "NA");
      if (report != nullptr) {
        EXPECT_EQ(row["logLik"], FigureText(report->LogLik));
        EXPECT_EQ(row["AIC"], FigureText(report->AIC));
        EXPECT_EQ(row["BIC"], FigureText(report->BIC));
        EXPECT_EQ(row["exgauss AIC"], FigureText(report->ExGaussian.AIC));
        EXPECT_EQ(row["exgauss mu"], FigureText(report->ExGaussian.Mu));
        EXPECT_EQ(row["exgauss sigma"], FigureText(report->ExGaussian.Sigma));
        EXPECT_EQ(row["exgauss tau"], FigureText(report->ExGaussian.Tau));
        EXPECT_EQ(row["lognormal AIC"], FigureText(report->Lognormal.AIC));
        EXPECT_EQ(row["lag1"], FigureText(report->Lag1));
        EXPECT_EQ(row["lag1 model"], FigureText(report->Lag1Model));
        EXPECT_EQ(row["lag1 se"], FigureText(report->Lag1StandardError));
        EXPECT_EQ(row["gof p"], FigureText(report->GofP));
        EXPECT_NE(row["AIC"], "NA");
        EXPECT_EQ(row["gof p"] == "NA", c.replicates == 0 || c.method == TFitMethod::Moments);
      } else {
        for (const char* name : {"logLik", "AIC", "BIC", "exgauss AIC", "exgauss mu", "exgauss sigma",
                                 "exgauss tau", "lognormal AIC", "lag1", "lag1 model", "lag1 se", "gof p"})
          EXPECT_EQ(row[name], "NA") << name;
      }
      EXPECT_EQ(row["contaminants"], "NA");
      for (std::size_t q = 0; c.quantiles && q < kGoodnessLevels.size(); ++q) {
        const std::string name = "q" + std::to_string(10 + 20 * q);
        EXPECT_EQ(row[name], figure(report ? report->QuantilesData[q] : 0)) << name;
        EXPECT_EQ(row[name + " model"], figure(report ? report->QuantilesModel[q] : 0)) << name;
      }
      EXPECT_EQ(row["method"], c.method == TFitMethod::Moments ? "moments" : "ml");
      EXPECT_EQ(row["seed"], "11");
      EXPECT_EQ(row["status"], GroupFitStatusName(fit.Status));
      EXPECT_EQ(row["message"], fit.Message);
    }
    const std::vector<std::string> unread = UnreadFileCells(1, "not UTF-8", options);
    ASSERT_EQ(unread.size(), header.size());
    for (std::size_t i = 0; i < header.size(); ++i) {
      const std::string& name = header[i];
      const std::string expected = name == "participant" ? ""
                                   : name == "status"    ? "not read"
                                   : name == "message"   ? "not UTF-8"
                                   : name == "seed"      ? "11"
                                   : name == "method"    ? std::string(FitMethodName(c.method))
                                                         : "NA";
      EXPECT_EQ(unread[i], expected) << name;
    }
  }
}

// Options each method takes: a held A under both, contaminants under ML; a held A above the data
// leaves the moment fit standing without its likelihood, and ML not fitted.
TEST(GroupFitTest, HeldAAndContaminants) {
  TReactionTimeGroups groups;
  // A seed whose fit with contaminants is quick: on others the search solves slow small-k shapes
  // for minutes.
  groups.Groups.push_back(Group("p", IndependentSeries(2, 0.5, 1, 60, 31, 0.001), 0));
  const std::vector<double>& values = groups.Groups[0].Values;
  const double fastest = *std::min_element(values.begin(), values.end());
  ASSERT_TRUE(FitModel(values).Fitted());  // this seed's lag-1 is negative
  struct Case {
    TFitMethod method;
    double A;  // 0: free
    bool contaminants;
    TGroupFitStatus status;
    std::string message;
  };
  char fastest_text[32];
  std::snprintf(fastest_text, sizeof fastest_text, "%.4g", fastest);
  const std::string above =
      "A held at 2.5 is not in (0, " + std::string(fastest_text) + "], the fastest reaction time";
  const Case cases[] = {
      {TFitMethod::Likelihood, 1.9, false, TGroupFitStatus::Fitted, ""},
      {TFitMethod::Moments, 1.9, false, TGroupFitStatus::Fitted, ""},
      {TFitMethod::Likelihood, 2.5, false, TGroupFitStatus::NotFitted, above},
      {TFitMethod::Moments, 2.5, false, TGroupFitStatus::Fitted,
       "no likelihood at the moment estimates: " + above},
      {TFitMethod::Likelihood, 0, true, TGroupFitStatus::Fitted, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(FitMethodName(c.method)) + " A " + std::to_string(c.A));
    TGroupFitOptions options;
    options.Method = c.method;
    options.Bootstrap.Replicates = 0;
    options.Fit.KeepA = c.A > 0;
    options.Fit.A = c.A;
    options.Contaminants = c.contaminants;
    const TGroupFit fit = FitGroups(groups, options)[0];
    EXPECT_EQ(fit.Status, c.status);
    if (!c.message.empty()) {
      ASSERT_NE(fit.Message.find(c.message), std::string::npos) << fit.Message;
      EXPECT_EQ(fit.Message.substr(fit.Message.find(c.message)), c.message);
    }
    const std::vector<std::string> header = GroupFitHeader({}, options);
    const std::vector<std::string> cells = GroupFitCells(fit, 0, options);
    std::map<std::string, std::string> row;
    for (std::size_t i = 0; i < header.size(); ++i) row[header[i]] = cells[i];
    if (c.status != TGroupFitStatus::Fitted) {
      EXPECT_EQ(row["A"], "NA");
      continue;
    }
    if (c.A > 0) {
      EXPECT_EQ(fit.Estimates[kFitA], c.A);
      EXPECT_EQ(row["A"], FigureText(c.A));
    }
    if (c.A > 0 && c.method == TFitMethod::Likelihood) {
      EXPECT_EQ(row["A low"], FigureText(c.A));
      EXPECT_EQ(row["A high"], FigureText(c.A));
      EXPECT_EQ(fit.Likelihood->ParameterCount, 3);
    }
    const bool described = c.method == TFitMethod::Likelihood || c.A < fastest;
    EXPECT_EQ(row["logLik"] == "NA", !described);
    if (c.contaminants) {
      ASSERT_NE(row["contaminants"], "NA");
      EXPECT_GE(std::stod(row["contaminants"]), 0);
      EXPECT_LE(std::stod(row["contaminants"]), 0.5);
    } else {
      EXPECT_EQ(row["contaminants"], "NA");
    }
  }
}

TEST(GroupFitTest, FiguresReadBackExactly) {
  // strtod, not stod: a subnormal reads back exactly though stod calls it out of range.
  for (const double v : {0.1, 1.0 / 3, 5e-324, 1.7976931348623157e308, -2.5})
    EXPECT_EQ(std::strtod(FigureText(v).c_str(), nullptr), v);
  EXPECT_EQ(FigureText(kNotANumber), "NA");
  EXPECT_EQ(FigureText(kInf), "inf");
  EXPECT_EQ(FigureText(-kInf), "-inf");
  EXPECT_EQ(FigureText(0.5), "0.5");
}

TEST(GroupFitTest, CancelledHalfWayReturnsNothing) {
  TReactionTimeGroups groups;
  for (std::uint32_t g = 0; g < 6; ++g) groups.Groups.push_back(Group("p", Stationary(200, g), 0));
  TGroupFitOptions options;
  options.Method = TFitMethod::Moments;
  options.Bootstrap.Replicates = 200;
  std::stop_source stop;
  TWorkControl control;
  control.Threads = 2;
  control.Stop = stop.get_token();
  int reports = 0;
  control.Progress = [&](double share) {
    EXPECT_LT(share, 1.0);
    if (++reports == 2)
      stop.request_stop();
  };
  std::vector<TGroupFit> fits;
  EXPECT_THROW(fits = FitGroups(groups, options, control), EAnalysisCancelled);
  EXPECT_TRUE(fits.empty());
  EXPECT_GE(reports, 2);
}

}  // namespace
}  // namespace corvane
