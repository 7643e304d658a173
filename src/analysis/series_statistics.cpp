#include "analysis/series_statistics.h"

#include <algorithm>
#include <cmath>

namespace corvane {
namespace {

// The figures from the shifted sums: n values d = x - shift, their sum and sum of squares, the
// lagged cross-products, and the first and last kMaxLag values (for the lagged sums' edges).
void FillMoments(TSeriesStatistics& s, std::span<const double> values, double shift, long double sum,
                 long double squares, const std::array<long double, kMaxLag>& lagged) {
  const std::size_t n = values.size();
  const auto count = static_cast<long double>(n);
  const long double mean_d = sum / count;
  s.Mean = static_cast<double>(shift + mean_d);
  if (n < 2)
    return;
  const long double centred = squares - count * mean_d * mean_d;  // sum (d - mean)^2
  s.Variance = static_cast<double>(std::max(0.0L, centred) / (count - 1));
  s.StandardDeviation = std::sqrt(s.Variance);
  if (!(centred > 0))
    return;
  long double head = 0;  // d_1 + ... + d_j
  long double tail = 0;  // d_(n-j+1) + ... + d_n
  for (std::size_t j = 1; j <= static_cast<std::size_t>(kMaxLag) && j < n; ++j) {
    head += values[j - 1] - shift;
    tail += values[n - j] - shift;
    // sum_{t<=n-j} (d_t - m)(d_{t+j} - m) = L_j - m (2 S - head_j - tail_j) + (n - j) m^2
    const long double cross =
        lagged[j - 1] - mean_d * (2 * sum - head - tail) + static_cast<long double>(n - j) * mean_d * mean_d;
    s.Autocorrelations[j - 1] = static_cast<double>(cross / centred);
  }
}

void FillOrder(TSeriesStatistics& s, std::span<const double> sorted) {
  if (sorted.empty())
    return;
  s.Minimum = sorted.front();
  s.Maximum = sorted.back();
  const double limit = s.Minimum + std::abs(s.Minimum) * kAtomTolerance;
  s.CountAtMinimum =
      static_cast<std::size_t>(std::upper_bound(sorted.begin(), sorted.end(), limit) - sorted.begin());
  s.ShareAtMinimum = static_cast<double>(s.CountAtMinimum) / static_cast<double>(sorted.size());
  for (std::size_t i = 0; i < kQuantileLevels.size(); ++i)
    s.Quantiles[i] = SortedQuantile(sorted, kQuantileLevels[i]);
}

}  // namespace

double SortedQuantile(std::span<const double> sorted, double p) {
  if (sorted.empty())
    return kNotANumber;
  const double h = static_cast<double>(sorted.size() - 1) * p;
  const auto low = static_cast<std::size_t>(std::floor(h));
  if (low + 1 >= sorted.size())
    return sorted.back();
  return sorted[low] + (h - static_cast<double>(low)) * (sorted[low + 1] - sorted[low]);
}

TSeriesStatistics SeriesStatisticsOf(std::span<const double> values) {
  TIncrementalStatistics statistics;
  statistics.Assign(values);
  return statistics.Statistics();
}

void TIncrementalStatistics::Clear() {
  values_.clear();
  sorted_.clear();
  shift_ = 0;
  sum_ = sum_squares_ = 0;
  lagged_.fill(0);
  head_.fill(0);
}

void TIncrementalStatistics::Append(double value) {
  if (values_.empty())
    shift_ = value;
  const long double d = static_cast<long double>(value) - shift_;
  const std::size_t n = values_.size();
  for (std::size_t j = 1; j <= static_cast<std::size_t>(kMaxLag) && j <= n; ++j)
    lagged_[j - 1] += (static_cast<long double>(values_[n - j]) - shift_) * d;
  sum_ += d;
  sum_squares_ += d * d;
  values_.push_back(value);
  sorted_.insert(std::upper_bound(sorted_.begin(), sorted_.end(), value), value);
}

void TIncrementalStatistics::Assign(std::span<const double> values) {
  Clear();
  values_.assign(values.begin(), values.end());
  sorted_ = values_;
  std::sort(sorted_.begin(), sorted_.end());
  if (values_.empty())
    return;
  shift_ = values_.front();
  const std::size_t n = values_.size();
  for (std::size_t t = 0; t < n; ++t) {
    const long double d = static_cast<long double>(values_[t]) - shift_;
    sum_ += d;
    sum_squares_ += d * d;
    for (std::size_t j = 1; j <= static_cast<std::size_t>(kMaxLag) && j <= t; ++j)
      lagged_[j - 1] += (static_cast<long double>(values_[t - j]) - shift_) * d;
  }
}

TSeriesStatistics TIncrementalStatistics::Statistics() const {
  TSeriesStatistics s;
  s.Count = values_.size();
  if (values_.empty())
    return s;
  FillMoments(s, values_, shift_, sum_, sum_squares_, lagged_);
  FillOrder(s, sorted_);
  return s;
}

TStatisticVector StatisticVector(const TSeriesStatistics& s) {
  TStatisticVector v;
  v[kStatisticMean] = s.Mean;
  v[kStatisticStandardDeviation] = s.StandardDeviation;
  v[kStatisticShareAtMinimum] = s.ShareAtMinimum;
  for (std::size_t i = 0; i < kQuantileLevels.size(); ++i)
    v[static_cast<std::size_t>(kStatisticQuantile5) + i] = s.Quantiles[i];
  for (std::size_t j = 0; j < static_cast<std::size_t>(kMaxLag); ++j)
    v[static_cast<std::size_t>(kStatisticAutocorrelation1) + j] = s.Autocorrelations[j];
  return v;
}

std::string_view StatisticName(int statistic) {
  static constexpr std::string_view kNames[kStatisticCount] = {"mean",  "SD",    "share at minimum",
                                                               "5 %",   "10 %",  "25 %",
                                                               "50 %",  "75 %",  "90 %",
                                                               "95 %",  "lag 1", "lag 2",
                                                               "lag 3", "lag 4", "lag 5",
                                                               "lag 6", "lag 7", "lag 8",
                                                               "lag 9", "lag 10"};
  return statistic >= 0 && statistic < kStatisticCount ? kNames[statistic] : std::string_view();
}

}  // namespace corvane
