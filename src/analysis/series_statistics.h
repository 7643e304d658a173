// The statistics of a series of reaction times, as the Series analysis window and the fit read them.
//
//   values --SeriesStatisticsOf--> TSeriesStatistics (n, mean, SD, minimum, share at the minimum,
//                                   quantiles 5..95 %, autocorrelations at lags 1..10)
//   value by value --TIncrementalStatistics::Append--> the same, kept up to date as a run grows
//   TSeriesStatistics --StatisticVector--> the figures the model is compared on (kStatistic...)
//   values --MomentSumsOf--> TMomentSums --MomentsOf--> n, mean, variance, lags 1..10: the one
//        computation of the moments, shared by both of the above and the bootstrap's refit
//
// Definitions (those of R): SD with divisor n - 1; quantiles of type 7, the order statistic at
// h = (n - 1) p interpolated linearly (x[floor h] + (h - floor h)(x[floor h + 1] - x[floor h]));
// the lag-j autocorrelation the usual estimator with the overall mean,
//   r_j = sum_{t=1}^{n-j} (x_t - m)(x_{t+j} - m) / sum_{t=1}^{n} (x_t - m)^2   (R's acf).
// The share at the minimum counts the values within 1e-9 of it, relative.
//
// Gaps: a series read with its trial numbers may carry breaks, the t where x_(t-1) and x_t were
// not consecutive trials (a trial missing, filtered or excluded between them). A pair (t, t + j)
// with a break in (t, t + j] is then left out of the lag-j sum, and the sum is scaled back by
// (n - j) / P_j for the P_j pairs that remain, so the estimator keeps the scale it has without
// gaps; with no breaks every figure is the one above, bit for bit.
#pragma once

#include <array>
#include <cstddef>
#include <limits>
#include <span>
#include <string_view>
#include <vector>

namespace corvane {

inline constexpr std::array<double, 7> kQuantileLevels = {0.05, 0.10, 0.25, 0.50, 0.75, 0.90, 0.95};
inline constexpr int kMaxLag = 10;
inline constexpr double kAtomTolerance = 1e-9;  // relative

inline constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

struct TSeriesStatistics {
  std::size_t Count = 0;
  double Mean = kNotANumber;
  double Variance = kNotANumber;  // divisor n - 1; NaN below 2 values
  double StandardDeviation = kNotANumber;
  double Minimum = kNotANumber;
  double Maximum = kNotANumber;
  std::size_t CountAtMinimum = 0;  // within kAtomTolerance of the minimum, relative
  double ShareAtMinimum = kNotANumber;
  std::array<double, kQuantileLevels.size()> Quantiles;  // type 7, at kQuantileLevels
  // Lag j at index j - 1; NaN where j >= n or every value is the same.
  std::array<double, kMaxLag> Autocorrelations;

  TSeriesStatistics() {
    Quantiles.fill(kNotANumber);
    Autocorrelations.fill(kNotANumber);
  }
};

// The running sums the moments come from, shifted by a value of the series (its first) so that a
// long series of similar values keeps its digits: with d = x - shift,
//   Sum = sum d,  SumSquares = sum d^2,  Lagged[j-1] = sum_t d_t d_(t+j),
//   Head[j-1] = d_1 + ... + d_j,  Tail[j-1] = d_(n-j+1) + ... + d_n.
struct TMomentSums {
  std::size_t Count = 0;
  double Shift = 0;
  long double Sum = 0;
  long double SumSquares = 0;
  std::array<long double, kMaxLag> Lagged{};
  std::array<long double, kMaxLag> Head{};
  std::array<long double, kMaxLag> Tail{};
  // With breaks (Broken): the lagged sum over the pairs that remain, the sums of their first and
  // second members, and their count; Head and Tail are then unused.
  bool Broken = false;
  std::array<long double, kMaxLag> PairFirst{};
  std::array<long double, kMaxLag> PairSecond{};
  std::array<std::size_t, kMaxLag> Pairs{};
};

struct TMoments {
  std::size_t Count = 0;
  double Mean = kNotANumber;
  double Variance = kNotANumber;                 // divisor n - 1; NaN below 2 values
  std::array<double, kMaxLag> Autocorrelations;  // NaN where j >= n or every value is the same

  TMoments() { Autocorrelations.fill(kNotANumber); }
};

// One pass over the values, shifted by the first; lags up to `lags` (the rest stay 0). `breaks`:
// ascending indices t in [1, n) where the pair (t - 1, t) is broken (see Gaps above).
TMomentSums MomentSumsOf(std::span<const double> values, int lags = kMaxLag,
                         std::span<const std::size_t> breaks = {});
// The mean, variance and autocorrelations of R's definitions from the sums.
TMoments MomentsOf(const TMomentSums& sums);

// All at once: quantiles by selection (no full sort), moments in extended precision.
TSeriesStatistics SeriesStatisticsOf(std::span<const double> values,
                                     std::span<const std::size_t> breaks = {});

// The type-7 quantile at level p of values sorted ascending; NaN for none.
double SortedQuantile(std::span<const double> sorted, double p);

// The statistics of a growing series. Append costs O(log n) comparisons and one move of the
// sorted copy's tail (a memmove, microseconds at n = 10^4) plus O(kMaxLag) arithmetic; Statistics
// then costs O(kMaxLag + quantile count) and reads the quantiles and the share at the minimum
// from the sorted copy. The moments and lagged cross-products are running sums in extended
// precision, shifted by the first value so that a long series of similar values keeps its digits.
class TIncrementalStatistics {
 public:
  void Clear();
  void Append(double value);
  // The whole series anew (a loaded file): one sort, one pass. With breaks (a file read with its
  // trial numbers), Statistics recomputes the lags in one pass over the series; values appended
  // afterwards pair with the last.
  void Assign(std::span<const double> values, std::span<const std::size_t> breaks = {});

  std::size_t Count() const noexcept { return values_.size(); }
  std::span<const double> Values() const noexcept { return values_; }
  std::span<const double> Sorted() const noexcept { return sorted_; }

  TSeriesStatistics Statistics() const;

 private:
  std::vector<double> values_;
  std::vector<double> sorted_;
  double shift_ = 0;                           // the first value
  long double sum_ = 0;                        // of d = x - shift
  long double sum_squares_ = 0;                // of d^2
  std::array<long double, kMaxLag> lagged_{};  // lagged_[j-1] = sum d_t d_{t+j}
  std::array<long double, kMaxLag> head_{};    // head_[j-1] = d_1 + ... + d_j
  std::vector<std::size_t> breaks_;
};

// The figures of a series that the model is compared on, in one indexable list.
enum TStatistic : int {
  kStatisticMean,
  kStatisticStandardDeviation,
  kStatisticShareAtMinimum,
  kStatisticQuantile5,  // then 10, 25, 50, 75, 90, 95 % in kQuantileLevels' order
  kStatisticAutocorrelation1 =
      kStatisticQuantile5 + static_cast<int>(kQuantileLevels.size()),  // then lags 2..10
  kStatisticCount = kStatisticAutocorrelation1 + kMaxLag
};
using TStatisticVector = std::array<double, kStatisticCount>;

TStatisticVector StatisticVector(const TSeriesStatistics& statistics);

// "mean", "SD", "share at minimum", "5 %" ... "95 %", "lag 1" ... "lag 10".
std::string_view StatisticName(int statistic);

}  // namespace corvane
