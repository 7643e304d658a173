#include "simulation/series_record.h"

namespace corvane {

void TSeriesRecord::Append(double reaction_time, const TParameterSet& parameters) {
  if (runs_.empty() || !SameModel(runs_.back().Parameters, parameters))
    runs_.push_back({times_.size(), parameters});
  times_.push_back(reaction_time);
  if (listener_)
    listener_->SeriesRecorded(times_.size());
}

void TSeriesRecord::Clear() {
  times_.clear();
  runs_.clear();
  if (listener_)
    listener_->SeriesCleared();
}

}  // namespace corvane
