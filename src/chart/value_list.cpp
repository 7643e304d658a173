#include "chart/value_list.h"

#include <cmath>

#include "chart/change_notice.h"
#include "chart/chart_errors.h"
#include "chart/chart_series.h"

namespace corvane {

TChartValueList::TChartValueList(TChartSeries* owner, std::string name)
    : owner_(owner), name_(std::move(name)) {}

// A multiplier of 1 (every list of this program) leaves the value exactly as stored.
double TChartValueList::Scaled(double stored) const {
  if (multiplier_ == 1.0)
    return stored;
  return static_cast<double>(static_cast<long double>(stored) * multiplier_);
}

double TChartValueList::ValueAt(int index) const {
  if (index < 0 || index >= Count())
    ThrowListIndexError(index);
  return Scaled(values_[static_cast<std::size_t>(index)]);
}

// Comparisons use the stored values. The common case, a value not before the last one, costs one
// comparison; otherwise step down past every strictly later value.
int TChartValueList::SortedIndex(double value) const {
  int n = Count() - 1;
  if (order_ == loNone || n < 0)
    return n + 1;
  if (order_ == loAscending) {
    if (!(values_[n] > value))
      return n + 1;
    while (n >= 0 && values_[n] > value) --n;
  } else {
    if (!(values_[n] < value))
      return n + 1;
    while (n >= 0 && values_[n] < value) --n;
  }
  return n + 1;
}

int TChartValueList::InsertSorted(double value) {
  const int index = SortedIndex(value);
  if (index == Count()) {
    values_.push_back(value);
  } else {
    values_.insert(values_.begin() + index, value);
  }
  AddToCaches(value);
  return index;
}

void TChartValueList::InsertAt(int index, double value) {
  if (index < 0 || index > Count())
    ThrowListIndexError(index);
  values_.insert(values_.begin() + index, value);
  AddToCaches(value);
}

// The sums are running totals in extended precision; an infinite or NaN value makes them so too,
// as it would any sum (nothing here checks values).
void TChartValueList::AddToCaches(double stored) {
  const double s = Scaled(stored);
  value_sum_ = static_cast<double>(static_cast<long double>(value_sum_) + s);
  abs_value_sum_ = static_cast<double>(static_cast<long double>(abs_value_sum_) + std::fabs(s));
  if (values_.size() == 1) {
    lowest_ = highest_ = s;
    return;
  }
  if (s < lowest_)
    lowest_ = s;
  if (s > highest_)
    highest_ = s;
}

void TChartValueList::DeleteAt(int index) {
  if (index < 0 || index >= Count())
    ThrowListIndexError(index);
  const double s = Scaled(values_[static_cast<std::size_t>(index)]);
  values_.erase(values_.begin() + index);
  value_sum_ = static_cast<double>(static_cast<long double>(value_sum_) - s);
  abs_value_sum_ = static_cast<double>(static_cast<long double>(abs_value_sum_) - std::fabs(s));
  RecomputeExtremes();
}

void TChartValueList::RecomputeExtremes() {
  lowest_ = highest_ = 0;
  for (std::size_t i = 0; i < values_.size(); ++i) {
    const double s = Scaled(values_[i]);
    if (i == 0) {
      lowest_ = highest_ = s;
    } else {
      if (s < lowest_)
        lowest_ = s;
      if (s > highest_)
        highest_ = s;
    }
  }
}

void TChartValueList::ClearAll() {
  std::vector<double>().swap(values_);
  lowest_ = highest_ = value_sum_ = abs_value_sum_ = 0;
}

void TChartValueList::SetDateTime(bool date_time) {
  if (StoreChanged(date_time_, date_time))
    RepaintOwner();
}

// The sums stay as they were: only the extremes follow the new scale.
void TChartValueList::SetMultiplier(double multiplier) {
  if (!StoreChanged(multiplier_, multiplier))
    return;
  RecomputeExtremes();
  if (owner_ != nullptr)
    owner_->NotifyDependents(TSeriesNotification::Recalculate, -1);
  RepaintOwner();
}

void TChartValueList::Assign(const TChartValueList& source) {
  if (&source == this)
    return;
  order_ = source.order_;
  SetDateTime(source.date_time_);
  SetMultiplier(source.multiplier_);
  value_source_ = source.value_source_;
}

void TChartValueList::RepaintOwner() const {
  if (owner_ != nullptr)
    owner_->RepaintChart();
}

}  // namespace corvane
