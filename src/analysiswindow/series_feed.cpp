#include "analysiswindow/series_feed.h"

namespace corvane {

bool SameModel(const TParameterSet& a, const TParameterSet& b) noexcept {
  return a.A == b.A && a.a1 == b.a1 && a.a0 == b.a0 && a.c1 == b.c1 && a.c0 == b.c0;
}

void TSeriesRecord::Append(double reaction_time, const TParameterSet& parameters) {
  if (runs_.empty() || !SameModel(runs_.back().Parameters, parameters))
    runs_.push_back({times_.size(), parameters});
  times_.push_back(reaction_time);
}

void TSeriesRecord::Clear() noexcept {
  times_.clear();
  runs_.clear();
}

void TSeriesFeed::Record(double reaction_time, const TParameterSet& parameters) {
  record_.Append(reaction_time, parameters);
  emit Recorded(record_.Count());
}

void TSeriesFeed::Clear() {
  record_.Clear();
  emit Cleared();
}

}  // namespace corvane
