#include "analysis/series_statistics.h"

#include <algorithm>
#include <cmath>

namespace corvane {
namespace {

void FillMoments(const TMoments& moments, TSeriesStatistics& out) {
  out.Mean = moments.Mean;
  out.Variance = moments.Variance;
  out.StandardDeviation = std::sqrt(moments.Variance);
  out.Autocorrelations = moments.Autocorrelations;
}

void FillAtMinimum(std::span<const double> sorted, TSeriesStatistics& out) {
  out.Minimum = sorted.front();
  out.Maximum = sorted.back();
  const double limit = out.Minimum + std::fabs(out.Minimum) * kAtomTolerance;
  out.CountAtMinimum =
      static_cast<std::size_t>(std::upper_bound(sorted.begin(), sorted.end(), limit) - sorted.begin());
  out.ShareAtMinimum = static_cast<double>(out.CountAtMinimum) / static_cast<double>(sorted.size());
}

// The lagged sums over the pairs within unbroken runs: a pair (t - j, t) stands where the run
// holding t started at or before t - j.
void BrokenPairSums(std::span<const double> values, std::size_t most, std::span<const std::size_t> breaks,
                    TMomentSums& s) {
  s.Broken = true;
  s.Lagged.fill(0);
  const double shift = s.Shift;
  std::size_t run_start = 0;
  auto next_break = breaks.begin();
  for (std::size_t t = 0; t < values.size(); ++t) {
    while (next_break != breaks.end() && *next_break <= t) run_start = *next_break++;
    const long double d = static_cast<long double>(values[t]) - shift;
    for (std::size_t j = 1; j <= most && t >= run_start + j; ++j) {
      const long double first = static_cast<long double>(values[t - j]) - shift;
      s.Lagged[j - 1] += first * d;
      s.PairFirst[j - 1] += first;
      s.PairSecond[j - 1] += d;
      ++s.Pairs[j - 1];
    }
  }
}

}  // namespace

TMomentSums MomentSumsOf(std::span<const double> values, int lags, std::span<const std::size_t> breaks) {
  TMomentSums s;
  s.Count = values.size();
  if (values.empty())
    return s;
  const double shift = s.Shift = values.front();
  const std::size_t n = values.size();
  const auto most = static_cast<std::size_t>(std::clamp(lags, 0, kMaxLag));
  // The lagged products in double, ten at a time where the processor pairs them: with the shift
  // the products are of deviations, so no digits cancel; the moments stay extended.
  std::array<double, kMaxLag> lagged{};
  for (std::size_t t = 0; t < n; ++t) {
    const long double d = static_cast<long double>(values[t]) - shift;
    s.Sum += d;
    s.SumSquares += d * d;
    const double dd = values[t] - shift;
    if (t >= most && most == static_cast<std::size_t>(kMaxLag)) {
      for (std::size_t j = 1; j <= static_cast<std::size_t>(kMaxLag); ++j)
        lagged[j - 1] += dd * (values[t - j] - shift);
    } else {
      for (std::size_t j = 1; j <= std::min(t, most); ++j) lagged[j - 1] += dd * (values[t - j] - shift);
    }
  }
  for (std::size_t j = 0; j < static_cast<std::size_t>(kMaxLag); ++j) s.Lagged[j] = lagged[j];
  long double head = 0, tail = 0;
  for (std::size_t j = 1; j <= static_cast<std::size_t>(kMaxLag) && j <= n; ++j) {
    head += static_cast<long double>(values[j - 1]) - shift;
    tail += static_cast<long double>(values[n - j]) - shift;
    s.Head[j - 1] = head;
    s.Tail[j - 1] = tail;
  }
  if (!breaks.empty())
    BrokenPairSums(values, most, breaks, s);
  return s;
}

// The autocorrelations from the shifted sums: with m the mean of d,
//   sum_{t=1}^{n-j} (d_t - m)(d_{t+j} - m) = P_j - m (H_j + T_j) + (n - j) m^2,
// H_j = sum of d_1 .. d_(n-j) (all but the last j) = Sum - Tail_j, T_j = sum of d_(j+1) .. d_n
// (all but the first j) = Sum - Head_j, and the denominator sum (d_t - m)^2 = S2 - n m^2.
TMoments MomentsOf(const TMomentSums& s) {
  TMoments out;
  out.Count = s.Count;
  if (s.Count == 0)
    return out;
  const auto n = static_cast<long double>(s.Count);
  const long double m = s.Sum / n;
  out.Mean = static_cast<double>(m + s.Shift);
  const long double squares = std::max(0.0L, s.SumSquares - n * m * m);
  if (s.Count >= 2)
    out.Variance = static_cast<double>(squares / (n - 1));
  for (std::size_t j = 1; j <= static_cast<std::size_t>(kMaxLag); ++j) {
    if (j >= s.Count || !(squares > 0))
      continue;
    if (s.Broken) {
      const auto pairs = static_cast<long double>(s.Pairs[j - 1]);
      if (s.Pairs[j - 1] == 0)
        continue;
      const long double cross =
          s.Lagged[j - 1] - m * (s.PairFirst[j - 1] + s.PairSecond[j - 1]) + pairs * m * m;
      out.Autocorrelations[j - 1] =
          static_cast<double>(cross * static_cast<long double>(s.Count - j) / (pairs * squares));
      continue;
    }
    const long double h = s.Sum - s.Tail[j - 1];
    const long double t = s.Sum - s.Head[j - 1];
    const long double cross = s.Lagged[j - 1] - m * (h + t) + static_cast<long double>(s.Count - j) * m * m;
    out.Autocorrelations[j - 1] = static_cast<double>(cross / squares);
  }
  return out;
}

double SortedQuantile(std::span<const double> sorted, double p) {
  if (sorted.empty())
    return kNotANumber;
  const double h = static_cast<double>(sorted.size() - 1) * p;
  const auto low = static_cast<std::size_t>(std::floor(h));
  if (low + 1 >= sorted.size())
    return sorted.back();
  return sorted[low] + (h - static_cast<double>(low)) * (sorted[low + 1] - sorted[low]);
}

TSeriesStatistics SeriesStatisticsOf(std::span<const double> values, std::span<const std::size_t> breaks) {
  TSeriesStatistics out;
  out.Count = values.size();
  if (values.empty())
    return out;
  FillMoments(MomentsOf(MomentSumsOf(values, kMaxLag, breaks)), out);
  std::vector<double> work(values.begin(), values.end());
  // Selection from the highest level down: each later selection works on the part below.
  std::size_t bound = work.size();
  for (std::size_t q = kQuantileLevels.size(); q-- > 0;) {
    const double h = static_cast<double>(work.size() - 1) * kQuantileLevels[q];
    const auto low = static_cast<std::size_t>(std::floor(h));
    const std::size_t high = std::min(low + 1, work.size() - 1);
    std::nth_element(work.begin(), work.begin() + static_cast<std::ptrdiff_t>(high),
                     work.begin() + static_cast<std::ptrdiff_t>(bound));
    const double upper = work[high];
    const double lower =
        low == high ? upper
                    : *std::max_element(work.begin(), work.begin() + static_cast<std::ptrdiff_t>(high));
    out.Quantiles[q] = lower + (h - static_cast<double>(low)) * (upper - lower);
    bound = high + 1;
  }
  const double minimum = *std::min_element(work.begin(), work.begin() + static_cast<std::ptrdiff_t>(bound));
  out.Minimum = minimum;
  out.Maximum = *std::max_element(values.begin(), values.end());
  const double limit = minimum + std::fabs(minimum) * kAtomTolerance;
  out.CountAtMinimum = static_cast<std::size_t>(
      std::count_if(values.begin(), values.end(), [limit](double v) { return v <= limit; }));
  out.ShareAtMinimum = static_cast<double>(out.CountAtMinimum) / static_cast<double>(values.size());
  return out;
}

void TIncrementalStatistics::Clear() {
  *this = TIncrementalStatistics();
}

void TIncrementalStatistics::Append(double value) {
  if (values_.empty())
    shift_ = value;
  const std::size_t t = values_.size();
  const long double d = static_cast<long double>(value) - shift_;
  sum_ += d;
  sum_squares_ += d * d;
  const std::size_t lags = std::min<std::size_t>(kMaxLag, t);
  for (std::size_t j = 1; j <= lags; ++j)
    lagged_[j - 1] += d * (static_cast<long double>(values_[t - j]) - shift_);
  if (t < static_cast<std::size_t>(kMaxLag))
    head_[t] = (t == 0 ? 0.0L : head_[t - 1]) + d;
  values_.push_back(value);
  sorted_.insert(std::upper_bound(sorted_.begin(), sorted_.end(), value), value);
}

void TIncrementalStatistics::Assign(std::span<const double> values, std::span<const std::size_t> breaks) {
  Clear();
  if (values.empty())
    return;
  breaks_.assign(breaks.begin(), breaks.end());
  values_.assign(values.begin(), values.end());
  sorted_ = values_;
  std::sort(sorted_.begin(), sorted_.end());
  shift_ = values.front();
  const TMomentSums s = MomentSumsOf(values);
  sum_ = s.Sum;
  sum_squares_ = s.SumSquares;
  lagged_ = s.Lagged;
  head_ = s.Head;
}

TSeriesStatistics TIncrementalStatistics::Statistics() const {
  TSeriesStatistics out;
  out.Count = values_.size();
  if (values_.empty())
    return out;
  TMomentSums s;
  s.Count = values_.size();
  s.Shift = shift_;
  s.Sum = sum_;
  s.SumSquares = sum_squares_;
  s.Lagged = lagged_;
  s.Head = head_;
  long double tail = 0;
  for (std::size_t j = 1; j <= static_cast<std::size_t>(kMaxLag) && j <= s.Count; ++j) {
    tail += static_cast<long double>(values_[s.Count - j]) - shift_;
    s.Tail[j - 1] = tail;
  }
  FillMoments(MomentsOf(breaks_.empty() ? s : MomentSumsOf(values_, kMaxLag, breaks_)), out);
  FillAtMinimum(sorted_, out);
  for (std::size_t q = 0; q < kQuantileLevels.size(); ++q)
    out.Quantiles[q] = SortedQuantile(sorted_, kQuantileLevels[q]);
  return out;
}

TStatisticVector StatisticVector(const TSeriesStatistics& statistics) {
  TStatisticVector v{};
  v[kStatisticMean] = statistics.Mean;
  v[kStatisticStandardDeviation] = statistics.StandardDeviation;
  v[kStatisticShareAtMinimum] = statistics.ShareAtMinimum;
  for (std::size_t q = 0; q < kQuantileLevels.size(); ++q)
    v[kStatisticQuantile5 + q] = statistics.Quantiles[q];
  for (std::size_t j = 0; j < static_cast<std::size_t>(kMaxLag); ++j)
    v[kStatisticAutocorrelation1 + j] = statistics.Autocorrelations[j];
  return v;
}

std::string_view StatisticName(int statistic) {
  static constexpr std::array<std::string_view, kStatisticCount> kNames = {
      "mean",  "SD",    "share at minimum",
      "5 %",   "10 %",  "25 %",
      "50 %",  "75 %",  "90 %",
      "95 %",  "lag 1", "lag 2",
      "lag 3", "lag 4", "lag 5",
      "lag 6", "lag 7", "lag 8",
      "lag 9", "lag 10"};
  return statistic >= 0 && statistic < kStatisticCount ? kNames[static_cast<std::size_t>(statistic)] : "";
}

}  // namespace corvane
