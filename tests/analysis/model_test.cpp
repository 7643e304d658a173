#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stop_token>
#include <vector>

#include "analysis/bootstrap.h"
#include "analysis/histogram.h"
#include "analysis/model_fit.h"
#include "analysis/model_prediction.h"
#include "analysis/standard_errors.h"
#include "analysis/stationary_series.h"
#include "runtime/random.h"
#include "simulation/reaction_simulator.h"
#include "support/expect_throw_msg.h"
#include "simulation/null_sink.h"

namespace corvane {
namespace {

const TParameterSet kDefaults{5, 1, 1, 0.5, 0.5, 5};
const TParameterSet kSecond{3, 0.6, 1.5, 0.9, 0.7, 6};
const TParameterSet kThird{1, 0.5, 2, 0.25, 1, 1};

TEST(ModelClosedFormTest, FiguresForTheTwoSets) {
  struct Case {
    TParameterSet P;
    double variance, lag1, atom_exponent;
  };
  for (const Case& c : {Case{kDefaults, 9.733, -0.4056, -2.5}, Case{kSecond, 2.912, -0.1427, -0.84}}) {
    const TModelClosedForm m = ModelClosedFormOf(c.P);
    EXPECT_NEAR(m.Variance, c.variance, 5e-4);
    EXPECT_NEAR(m.Autocorrelations[0], c.lag1, 5e-5);
    EXPECT_NEAR(m.AtomProbability, std::exp(c.atom_exponent), 1e-15);
    EXPECT_NEAR(m.Autocorrelations[1], m.Autocorrelations[0] * m.r, 1e-15);
  }
}

TEST(ModelFitTest, ClosedFormReturnsTheParametersFromExactMoments) {
  for (const TParameterSet& P : {kDefaults, kSecond, kThird}) {
    const TModelClosedForm m = ModelClosedFormOf(P);
    TFitOptions options;
    options.a1 = P.a1;
    const TModelFit fit = FitModelToMoments(1000, P.A, m.Mean, m.Variance, m.Autocorrelations[0], options);
    ASSERT_TRUE(fit.Fitted()) << fit.Message;
    EXPECT_NEAR(fit.Parameters.a0, P.a0, 1e-9 * P.a0);
    EXPECT_NEAR(fit.Parameters.c1, P.c1, 1e-9 * P.c1);
    EXPECT_NEAR(fit.Parameters.c0, P.c0, 1e-9 * P.c0);
    EXPECT_NEAR(fit.Estimates[kFitY0], m.CarriedInhibitionMean, 1e-9 * m.CarriedInhibitionMean);
  }
  const TModelClosedForm m = ModelClosedFormOf(kSecond);
  TFitOptions options;
  options.a1 = 0.6;
  const TModelFit fit = FitModelToMoments(100, 3, m.Mean, m.Variance, m.Autocorrelations[0], options);
  EXPECT_NEAR(fit.Estimates[kFitB], 0.4, 1e-12);
  EXPECT_NEAR(fit.Estimates[kFitK], 1.5, 1e-9);
  EXPECT_NEAR(fit.Estimates[kFitC0], 0.7, 1e-9);
}

TEST(ModelFitTest, RejectionsNameTheConditionAndTheValue) {
  struct Case {
    std::size_t n;
    double A, mean, variance, lag1;
    TFitCondition condition;
    const char* message;
  };
  const Case cases[] = {
      {12, 5, 10, 9, -0.4, TFitCondition::TooFewValues,
       "the fit needs at least 20 reaction times; these data have 12"},
      {50, 5, 5, 0, kNotANumber, TFitCondition::NoVariation,
       "the model predicts reaction times that vary; these data are all 5"},
      {50, 5, 10, 9, 0.12, TFitCondition::Lag1NotNegative,
       "the model predicts a negative lag-1 autocorrelation; these data have +0.12"},
      {50, 5, 10, 9, 0, TFitCondition::Lag1NotNegative,
       "the model predicts a negative lag-1 autocorrelation; these data have +0.00"},
      {50, 5, 10, 9, -0.5, TFitCondition::Lag1AtOrBelowHalf,
       "the model predicts a lag-1 autocorrelation above -0.5; these data have -0.50"},
      {50, 5, 5, 9, -0.3, TFitCondition::MeanNotAboveA,
       "the model predicts a mean above A; these data have a mean of 5 with A = 5"},
      // b = 1, r = 0.2: c0 = 2 * 5 * 0.8 / (900 * 1.609) = 0.00552, k + 1 = 0.0172
      {50, 5, 10, 900, -0.4, TFitCondition::KNotPositive,
       "the model predicts k = c1/a1 above 0; these data give k = -0.9828"},
  };
  for (const Case& c : cases) {
    const TModelFit fit = FitModelToMoments(c.n, c.A, c.mean, c.variance, c.lag1);
    EXPECT_EQ(fit.Condition, c.condition) << c.message;
    EXPECT_EQ(fit.Message, c.message);
    EXPECT_TRUE(std::isnan(fit.Estimates[kFitK]));
  }
}

// The simulator on a generator of its own gives the process-wide path's reactions from the same
// seed, and leaves RandomSeed alone.
TEST(OwnGeneratorTest, SameReactionsAsTheProcessWideGeneratorAndRandomSeedUntouched) {
  TNullReactionSink sink;
  RandomSeed = 4711;
  TReactionSimulator process_wide;
  std::vector<double> expected;
  for (int i = 0; i < 500; ++i) expected.push_back(process_wide.SimulateReaction(kDefaults, i == 0, sink));
  const std::uint32_t after = RandomSeed;

  RandomSeed = 99;
  TRandomGenerator generator(4711);
  TReactionSimulator own(generator);
  for (int i = 0; i < 500; ++i)
    ASSERT_EQ(own.SimulateReaction(kDefaults, i == 0, sink), expected[static_cast<std::size_t>(i)]) << i;
  EXPECT_EQ(generator.Seed(), after);
  EXPECT_EQ(RandomSeed, 99u);

  // An analysis between two presses changes nothing the presses give.
  RandomSeed = 4711;
  TReactionSimulator press;
  const double first = press.SimulateReaction(kDefaults, true, sink);
  (void)SimulateModel(kDefaults, {20000, 4, 1, 100});
  (void)BootstrapFit(FitModel(expected), expected.size(), {20, 0, 0.95});
  EXPECT_EQ(first, expected[0]);
  EXPECT_EQ(press.SimulateReaction(kDefaults, false, sink), expected[1]);
}

TEST(StationarySeriesTest, GammaDrawsHaveTheirMoments) {
  TRandomGenerator generator(3);
  double sum = 0, squares = 0;
  const int n = 200000;
  for (int i = 0; i < n; ++i) {
    const double x = DrawGamma(2.5, 0.5, generator);
    sum += x;
    squares += x * x;
  }
  const double mean = sum / n;
  EXPECT_NEAR(mean, 5.0, 0.05);                       // shape / rate; SE 0.007
  EXPECT_NEAR(squares / n - mean * mean, 10.0, 0.3);  // shape / rate^2
}

// The mean's standard error from the telescoping identity against the spread of the mean over
// 1,000 simulated series of 200.
TEST(StandardErrorsTest, MeanErrorMatchesTheSpreadOverSeries) {
  for (const TParameterSet& P : {kDefaults, kSecond}) {
    const std::size_t n = 200;
    std::vector<double> values(n);
    double sum = 0, squares = 0;
    const int series = 1000;
    for (int s = 0; s < series; ++s) {
      TStationarySeries simulated(P, SeedForIndex(77, static_cast<std::uint64_t>(s)));
      simulated.Fill(values);
      double mean = 0;
      for (const double v : values) mean += v;
      mean /= static_cast<double>(n);
      sum += mean;
      squares += mean * mean;
    }
    const double spread = std::sqrt((squares - sum * sum / series) / (series - 1));
    // The SD of 1,000 draws errs by about 2.2 %.
    EXPECT_NEAR(spread / MeanStandardError(P, n), 1.0, 0.08);
    // Far below the independent-reactions figure SD / sqrt(n).
    EXPECT_LT(MeanStandardError(P, n), 0.5 * ModelClosedFormOf(P).StandardDeviation / std::sqrt(200.0));
  }
}

// Simulated quantiles and density against a long independent run, within their Monte Carlo error.
TEST(SimulatedModelTest, AgreesWithALongIndependentRunAndTheClosedForm) {
  const TSimulatedModel model = SimulateModel(kDefaults, {200000, 40, 1, 400});
  std::vector<double> long_run(400000);
  TStationarySeries series(kDefaults, 123456);
  series.Fill(long_run);
  const TSeriesStatistics independent = SeriesStatisticsOf(long_run);
  const TModelClosedForm closed = ModelClosedFormOf(kDefaults);
  for (std::size_t q = 0; q < kQuantileLevels.size(); ++q) {
    const TEstimate e = model.Figures[kStatisticQuantile5 + q];
    // The long run's own error is about 0.7 of the model's (twice the reactions).
    EXPECT_NEAR(e.Value, independent.Quantiles[q], 5 * e.Error * 1.25 + 1e-12) << kQuantileLevels[q];
  }
  const TEstimate mean = model.Figures[kStatisticMean];
  EXPECT_NEAR(mean.Value, closed.Mean, 5 * mean.Error);
  EXPECT_NEAR(model.Figures[kStatisticShareAtMinimum].Value, closed.AtomProbability,
              5 * model.Figures[kStatisticShareAtMinimum].Error);
  EXPECT_NEAR(model.Figures[kStatisticAutocorrelation1].Value, closed.Autocorrelations[0],
              5 * model.Figures[kStatisticAutocorrelation1].Error + 0.001);
  // The density on the long run's own histogram.
  std::vector<double> sorted = long_run;
  std::sort(sorted.begin(), sorted.end());
  const THistogram h = HistogramOf(sorted, kDefaults.A);
  const std::vector<TEstimate> density = model.DensityOn(h.Start, h.Width, h.Counts.size());
  int far = 0;
  for (std::size_t b = 0; b < density.size(); ++b) {
    const double run_error = std::sqrt(static_cast<double>(h.Counts[b]) + 1) / (400000.0 * h.Width);
    if (std::fabs(density[b].Value - h.Densities[b]) > 4 * std::hypot(density[b].Error, 3 * run_error))
      ++far;
  }
  EXPECT_LE(far, 1);
  EXPECT_EQ(model.Reactions, 200000u);
}

TEST(SimulatedModelTest, SameResultOnOneAndTwoThreadsAndCancellable) {
  TWorkControl one;
  one.Threads = 1;
  TWorkControl two;
  two.Threads = 2;
  const TModelSimulationOptions options{20000, 10, 5, 100};
  const TSimulatedModel a = SimulateModel(kSecond, options, one);
  const TSimulatedModel b = SimulateModel(kSecond, options, two);
  for (std::size_t f = 0; f < a.Figures.size(); ++f)
    if (!std::isnan(a.Figures[f].Value)) {
      EXPECT_EQ(a.Figures[f].Value, b.Figures[f].Value) << StatisticName(static_cast<int>(f));
    }
  std::stop_source stop;
  TWorkControl cancelled;
  cancelled.Stop = stop.get_token();
  int reports = 0;
  cancelled.Progress = [&](double) {
    if (++reports == 2)
      stop.request_stop();
  };
  EXPECT_THROW_MSG(SimulateModel(kSecond, {1000000, 100, 1, 100}, cancelled), EAnalysisCancelled,
                   "The computation was cancelled");
  EXPECT_LE(reports, 4);
}

TEST(BootstrapTest, IdenticalForOneAndTwoThreadsAndCountsFailures) {
  std::vector<double> values(1000);
  TStationarySeries series(kDefaults, 42);
  series.Fill(values);
  const TModelFit fit = FitModel(values);
  ASSERT_TRUE(fit.Fitted()) << fit.Message;
  TWorkControl one;
  one.Threads = 1;
  TWorkControl two;
  two.Threads = 2;
  std::vector<double> progress;
  two.Progress = [&](double share) { progress.push_back(share); };
  const TBootstrapResult a = BootstrapFit(fit, values.size(), {200, 9, 0.95}, one);
  const TBootstrapResult b = BootstrapFit(fit, values.size(), {200, 9, 0.95}, two);
  EXPECT_EQ(a.Failed, b.Failed);
  EXPECT_EQ(a.Estimates.size() + a.Failed, 200u);
  for (int p = 0; p < kFitParameterCount; ++p) {
    EXPECT_EQ(a.Intervals[static_cast<std::size_t>(p)].Low, b.Intervals[static_cast<std::size_t>(p)].Low);
    EXPECT_EQ(a.Intervals[static_cast<std::size_t>(p)].High, b.Intervals[static_cast<std::size_t>(p)].High);
  }
  EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back(), 1.0);
  EXPECT_TRUE(a.Intervals[kFitC0].Contains(fit.Estimates[kFitC0]));
}

TEST(ComparisonTest, RowsPendingUntilSimulatedThenDifferenceInStandardErrors) {
  std::vector<double> values(1000);
  TStationarySeries series(kDefaults, 5);
  series.Fill(values);
  const TSeriesStatistics data = SeriesStatisticsOf(values);
  const std::vector<TComparisonRow> pending = CompareWithModel(data, kDefaults, nullptr);
  ASSERT_EQ(pending.size(), 2u + kStatisticCount);
  EXPECT_EQ(pending[0].Name, "n");
  EXPECT_EQ(pending[2].Name, "mean");
  EXPECT_EQ(pending[2].Source, TModelSource::ClosedForm);
  EXPECT_NEAR(pending[2].StandardError, MeanStandardError(kDefaults, 1000), 0);
  EXPECT_EQ(pending[2 + kStatisticQuantile5].Source, TModelSource::Pending);
  EXPECT_TRUE(std::isnan(pending[2 + kStatisticAutocorrelation1].Difference));

  const TSimulatedModel model = SimulateModel(kDefaults, {100000, 20, 1, 200});
  const std::vector<TComparisonRow> rows = CompareWithModel(data, kDefaults, &model);
  EXPECT_EQ(rows[2 + (kStatisticQuantile5 + 3)].Source, TModelSource::Simulation);
  int far = 0;
  for (const TComparisonRow& row : rows)
    if (std::fabs(row.Difference) > 3.5)
      ++far;
  EXPECT_LE(far, 1);  // a series of the model lies within a few standard errors of it
}

}  // namespace
}  // namespace corvane
