#include "chart/series_list.h"

#include <algorithm>

#include "chart/chart_errors.h"
#include "chart/chart_series.h"

namespace corvane {

TChartSeries& TChartSeriesList::At(int index) const {
  if (index < 0 || index >= Count())
    ThrowListIndexError(index);
  return *items_[static_cast<std::size_t>(index)];
}

int TChartSeriesList::IndexOf(const TChartSeries& series) const {
  const auto it = std::find(items_.begin(), items_.end(), &series);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

int TChartSeriesList::ActiveCount() const {
  return static_cast<int>(
      std::count_if(items_.begin(), items_.end(), [](const TChartSeries* s) { return s->Active(); }));
}

void TChartSeriesList::Remove(const TChartSeries& series) {
  const auto it = std::find(items_.begin(), items_.end(), &series);
  if (it != items_.end())
    items_.erase(it);
}

}  // namespace corvane
