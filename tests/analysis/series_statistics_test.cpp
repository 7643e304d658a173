#include "analysis/series_statistics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/histogram.h"

namespace corvane {
namespace {

// Worked by hand (and as R gives them: quantile(x, type = 7), acf(x)).
const std::vector<double> kSeries = {3, 1, 4, 1, 5, 9, 2, 6};

TEST(SeriesStatisticsTest, HandWorkedSeries) {
  const TSeriesStatistics s = SeriesStatisticsOf(kSeries);
  EXPECT_EQ(s.Count, 8u);
  EXPECT_DOUBLE_EQ(s.Mean, 31.0 / 8);
  // sum (x - m)^2 = 173 - 31^2 / 8 = 52.875; / 7
  EXPECT_DOUBLE_EQ(s.Variance, 52.875 / 7);
  EXPECT_EQ(s.Minimum, 1);
  EXPECT_EQ(s.Maximum, 9);
  EXPECT_EQ(s.CountAtMinimum, 2u);
  EXPECT_DOUBLE_EQ(s.ShareAtMinimum, 0.25);
  // sorted 1 1 2 3 4 5 6 9; h = 7 p
  const double expected_quantiles[] = {1, 1, 1.75, 3.5, 5.25, 6.9, 7.95};
  for (std::size_t q = 0; q < kQuantileLevels.size(); ++q)
    EXPECT_NEAR(s.Quantiles[q], expected_quantiles[q], 1e-12) << kQuantileLevels[q];
  // lag 1: sum (x_t - m)(x_{t+1} - m) / 52.875, by hand
  double cross = 0;
  const double m = 31.0 / 8;
  for (std::size_t t = 0; t + 1 < kSeries.size(); ++t) cross += (kSeries[t] - m) * (kSeries[t + 1] - m);
  EXPECT_NEAR(s.Autocorrelations[0], cross / 52.875, 1e-12);
  EXPECT_TRUE(std::isnan(s.Autocorrelations[8]));  // lag 9 >= n
}

TEST(SeriesStatisticsTest, EdgeCounts) {
  EXPECT_EQ(SeriesStatisticsOf({}).Count, 0u);
  const std::vector<double> one = {2.5};
  const TSeriesStatistics s1 = SeriesStatisticsOf(one);
  EXPECT_EQ(s1.Mean, 2.5);
  EXPECT_TRUE(std::isnan(s1.StandardDeviation));
  EXPECT_EQ(s1.Quantiles[3], 2.5);
  const std::vector<double> same(30, 4.0);
  const TSeriesStatistics s2 = SeriesStatisticsOf(same);
  EXPECT_EQ(s2.Variance, 0);
  EXPECT_TRUE(std::isnan(s2.Autocorrelations[0]));
  EXPECT_EQ(s2.ShareAtMinimum, 1);
}

TEST(SeriesStatisticsTest, ShareAtMinimumWithinRelativeTolerance) {
  const std::vector<double> values = {5, 5 * (1 + 0.9e-9), 5 * (1 + 1.1e-9), 7};
  EXPECT_EQ(SeriesStatisticsOf(values).CountAtMinimum, 2u);
}

// The incremental form equals the all-at-once one after every append, and after Assign.
TEST(SeriesStatisticsTest, IncrementalEqualsAllAtOnce) {
  std::vector<double> values;
  TIncrementalStatistics incremental;
  double x = 1000.25;
  for (int i = 0; i < 300; ++i) {
    x = std::fmod(x * 1.618 + 3.3, 17.0) + 1000.0;
    values.push_back(x);
    incremental.Append(x);
    if (i % 37 != 0 && i != 299)
      continue;
    const TSeriesStatistics a = incremental.Statistics();
    const TSeriesStatistics b = SeriesStatisticsOf(values);
    EXPECT_NEAR(a.Mean, b.Mean, 1e-10);
    if (i > 0) {
      EXPECT_NEAR(a.StandardDeviation, b.StandardDeviation, 1e-9);
    }
    EXPECT_EQ(a.Quantiles, b.Quantiles);
    EXPECT_EQ(a.CountAtMinimum, b.CountAtMinimum);
    for (int j = 0; j < kMaxLag; ++j)
      if (!std::isnan(b.Autocorrelations[static_cast<std::size_t>(j)])) {
        EXPECT_NEAR(a.Autocorrelations[static_cast<std::size_t>(j)],
                    b.Autocorrelations[static_cast<std::size_t>(j)], 1e-9);
      }
  }
  TIncrementalStatistics assigned;
  assigned.Assign(values);
  EXPECT_NEAR(assigned.Statistics().Autocorrelations[2], incremental.Statistics().Autocorrelations[2], 1e-12);
  EXPECT_EQ(assigned.Sorted().size(), 300u);

  // The bootstrap's refit reads lag 1 alone from the same sums: the same figures.
  const TMoments lag1_only = MomentsOf(MomentSumsOf(values, 1));
  const TSeriesStatistics all = incremental.Statistics();
  EXPECT_NEAR(lag1_only.Mean, all.Mean, 1e-12);
  EXPECT_NEAR(lag1_only.Variance, all.Variance, 1e-10);
  EXPECT_NEAR(lag1_only.Autocorrelations[0], all.Autocorrelations[0], 1e-12);
  EXPECT_EQ(lag1_only.Count, 300u);
}

TEST(HistogramTest, AtomApartAndFreedmanDiaconis) {
  // Four values at the atom 5, then eight off any grid above it: 5 + i + i^2 / 100.
  std::vector<double> sorted = {5, 5, 5, 5};
  for (int i = 1; i <= 8; ++i) sorted.push_back(5 + i + i * i / 100.0 + 1e-7 * std::sqrt(double(i)));
  const THistogram h = HistogramOf(sorted);
  EXPECT_EQ(h.Atom, 5);
  EXPECT_EQ(h.AtomCount, 4u);
  EXPECT_DOUBLE_EQ(h.AtomShare, 4.0 / 12);
  EXPECT_EQ(h.Rule, TBinRule::FreedmanDiaconis);
  EXPECT_TRUE(std::isnan(h.Resolution));
  // The rest's IQR by type 7 quantiles, width 2 IQR / 8^(1/3) = IQR.
  std::vector<double> rest(sorted.begin() + 4, sorted.end());
  const double iqr = SortedQuantile(rest, 0.75) - SortedQuantile(rest, 0.25);
  EXPECT_DOUBLE_EQ(h.Width, iqr);
  EXPECT_EQ(h.Start, 5);
  EXPECT_EQ(h.Counts.size(), static_cast<std::size_t>(std::ceil((rest.back() - 5) / iqr)));
  double integral = h.AtomShare;
  for (const double d : h.Densities) integral += d * h.Width;
  EXPECT_NEAR(integral, 1.0, 1e-12);
}

TEST(HistogramTest, IntegerDataTakeAWholeNumberOfSteps) {
  // The atom 5, then 6..13: IQR 3.5, width 3.5 -> 4 whole steps; (5, 9]: 6..9, (9, 13]: 10..13.
  std::vector<double> sorted = {5, 5, 5, 5};
  for (int i = 1; i <= 8; ++i) sorted.push_back(5 + i);
  const THistogram h = HistogramOf(sorted);
  EXPECT_EQ(h.Resolution, 1.0);
  EXPECT_EQ(h.Width, 4.0);
  EXPECT_EQ(h.Counts, (std::vector<std::size_t>{4, 4}));
}

// Data recorded to a resolution: every bin a whole number of steps wide, and, on an even spread
// of grid values, every full bin the same count (no comb); simulated data keep the rule's width.
TEST(HistogramTest, BinsRespectTheDatasResolution) {
  struct Case {
    const char* name;
    double step;  // 0: off any grid
    double origin;
    int count;
  };
  const Case cases[] = {
      {"10 ms", 0.01, 0.3, 2000},           {"1 ms", 0.001, 0.25, 5000},
      {"whole milliseconds", 1, 250, 3000}, {"tenths of a second", 0.1, 5, 400},
      {"off any grid", 0, 0.3, 2000},
  };
  for (const Case& c : cases) {
    // A spread over 200 grid points, each taken count / 200 times; off the grid, jittered.
    std::vector<double> values;
    for (int i = 0; i < c.count; ++i) {
      const int k = 1 + i % 200;
      values.push_back(c.step > 0 ? c.origin + k * c.step : c.origin + k * 0.0100003 + 1e-7 * std::sin(i));
    }
    std::sort(values.begin(), values.end());
    const THistogram h = HistogramOf(values, c.origin);
    if (c.step == 0) {
      EXPECT_TRUE(std::isnan(h.Resolution)) << c.name;
      continue;
    }
    EXPECT_NEAR(h.Resolution, c.step, c.step * 1e-9) << c.name;
    const double steps = h.Width / c.step;
    EXPECT_NEAR(steps, std::round(steps), 1e-9) << c.name;
    EXPECT_GE(std::round(steps), 1) << c.name;
    // Every bin but the last holds the same number of grid points, so the same count.
    ASSERT_GE(h.Counts.size(), 2u) << c.name;
    for (std::size_t b = 0; b + 1 < h.Counts.size(); ++b)
      EXPECT_EQ(h.Counts[b], h.Counts[0]) << c.name << " bin " << b;
    std::size_t total = h.AtomCount;
    for (const std::size_t n : h.Counts) total += n;
    EXPECT_EQ(total, values.size()) << c.name;
  }
  EXPECT_TRUE(std::isnan(DataGridStep(std::vector<double>{1.0})));
  EXPECT_TRUE(std::isnan(DataGridStep(std::vector<double>{2.0, 2.0, 2.0})));
  EXPECT_EQ(DataGridStep(std::vector<double>{0.5, 1.0, 2.5}), 0.5);
}

TEST(HistogramTest, SturgesWhenTheIqrIsZero) {
  std::vector<double> sorted = {1};
  for (int i = 0; i < 15; ++i) sorted.push_back(2);
  sorted.push_back(3);
  const THistogram h = HistogramOf(sorted);
  EXPECT_EQ(h.Rule, TBinRule::Sturges);
  // ceil(log2 16) + 1 = 5 bins over (1, 3] would be 0.4 wide; the values are whole numbers, so
  // the width is one step: (1, 2] and (2, 3].
  EXPECT_EQ(h.Width, 1.0);
  EXPECT_EQ(h.Counts, (std::vector<std::size_t>{15, 1}));
  const THistogram all_atom = HistogramOf(std::vector<double>(5, 2.0));
  EXPECT_EQ(all_atom.Rule, TBinRule::None);
  EXPECT_EQ(all_atom.AtomCount, 5u);
}

}  // namespace
}  // namespace corvane
