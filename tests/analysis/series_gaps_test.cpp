// Series with gaps: the lags skip the pairs that were not consecutive trials, in every place that
// computes them (the statistics, the incremental statistics, the fit and the bootstrap's refit).
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/bootstrap.h"
#include "analysis/model_fit.h"
#include "analysis/series_statistics.h"
#include "analysis/stationary_series.h"

namespace corvane {
namespace {

// The lag-j autocorrelation by its definition: the pairs within unbroken runs, scaled by (n - j)/P_j.
double BruteLag(const std::vector<double>& x, const std::vector<std::size_t>& breaks, std::size_t j) {
  const std::size_t n = x.size();
  long double mean = 0;
  for (const double v : x) mean += v;
  mean /= static_cast<long double>(n);
  long double squares = 0;
  for (const double v : x) squares += (v - mean) * (v - mean);
  std::vector<std::size_t> run(n, 0);
  for (std::size_t t = 1; t < n; ++t)
    run[t] = run[t - 1] + (std::find(breaks.begin(), breaks.end(), t) != breaks.end() ? 1 : 0);
  long double cross = 0;
  std::size_t pairs = 0;
  for (std::size_t t = 0; t + j < n; ++t)
    if (run[t] == run[t + j]) {
      cross += (x[t] - mean) * (x[t + j] - mean);
      ++pairs;
    }
  if (pairs == 0)
    return kNotANumber;
  return static_cast<double>(cross * static_cast<long double>(n - j) /
                             (static_cast<long double>(pairs) * squares));
}

std::vector<double> Stationary(std::size_t n, std::uint32_t seed) {
  std::vector<double> values(n);
  TStationarySeries series({5, 1, 1, 0.5, 0.5, 5}, seed);
  series.Fill(values);
  return values;
}

TEST(SeriesGapsTest, LagsSkipBrokenPairsEverywhere) {
  const std::vector<double> x = Stationary(60, 3);
  const std::vector<std::vector<std::size_t>> break_sets = {
      {}, {1}, {30}, {59}, {5, 6, 7}, {2, 13, 14, 40, 55}, {10, 20, 30, 40, 50},
  };
  for (const auto& breaks : break_sets) {
    const TSeriesStatistics all = SeriesStatisticsOf(x, breaks);
    TIncrementalStatistics incremental;
    incremental.Assign(x, breaks);
    const TSeriesStatistics grown = incremental.Statistics();
    for (std::size_t j = 1; j <= static_cast<std::size_t>(kMaxLag); ++j) {
      const double expected = BruteLag(x, breaks, j);
      for (const double actual : {all.Autocorrelations[j - 1], grown.Autocorrelations[j - 1]}) {
        if (std::isnan(expected))
          EXPECT_TRUE(std::isnan(actual)) << breaks.size() << " breaks, lag " << j;
        else
          EXPECT_NEAR(actual, expected, 1e-12) << breaks.size() << " breaks, lag " << j;
      }
    }
    EXPECT_EQ(all.Mean, SeriesStatisticsOf(x).Mean);  // gaps change the lags alone
    const TModelFit fit = FitModel(x, breaks);
    EXPECT_EQ(fit.Lag1, all.Autocorrelations[0]);
    EXPECT_EQ(fit.Breaks, breaks);
  }
  // No breaks: the figures of the series without gaps, bit for bit.
  const std::vector<std::size_t> none;
  EXPECT_EQ(SeriesStatisticsOf(x, none).Autocorrelations, SeriesStatisticsOf(x).Autocorrelations);
  // Two series joined with a break between them: the junction's pairs are not counted.
  std::vector<double> joined = Stationary(40, 4);
  const std::vector<double> second = Stationary(40, 5);
  joined.insert(joined.end(), second.begin(), second.end());
  EXPECT_NE(SeriesStatisticsOf(joined, std::vector<std::size_t>{40}).Autocorrelations[0],
            SeriesStatisticsOf(joined).Autocorrelations[0]);
  // Every pair broken: no lag at all.
  std::vector<std::size_t> every;
  for (std::size_t t = 1; t < x.size(); ++t) every.push_back(t);
  EXPECT_TRUE(std::isnan(SeriesStatisticsOf(x, every).Autocorrelations[0]));
}

TEST(SeriesGapsTest, BootstrapRefitsSkipTheSameBrokenPairs) {
  const std::vector<double> x = Stationary(400, 6);
  TModelFit fit = FitModel(x);
  ASSERT_TRUE(fit.Fitted()) << fit.Message;
  TBootstrapOptions options;
  options.Replicates = 50;
  const TBootstrapResult plain = BootstrapFit(fit, x.size(), options);
  EXPECT_LT(plain.Failed, 50u);
  // With every pair broken no replicate has a lag 1 to fit: all fail, none is dropped silently.
  for (std::size_t t = 1; t < x.size(); ++t) fit.Breaks.push_back(t);
  const TBootstrapResult broken = BootstrapFit(fit, x.size(), options);
  EXPECT_EQ(broken.Failed, 50u);
  EXPECT_TRUE(broken.Estimates.empty());
}

}  // namespace
}  // namespace corvane
