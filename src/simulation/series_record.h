// The main window's series as a record: every reaction of the series with the parameter set it was
// simulated with, and a listener told of each change.
//
//   press --TSeriesRecord::Append--> times, runs of one model --> listener: SeriesRecorded(count)
//   "Begin new RT series" --Clear--> listener: SeriesCleared()
//
// The main window owns the record and appends to it whether or not anything listens, so an
// analysis opened late still sees the whole series. Appending is a push onto two vectors: it costs
// the press nothing measurable.
#pragma once

#include <cstddef>
#include <vector>

#include "simulation/parameter_set.h"

namespace corvane {

// Told after the record changed (the record already holds the change).
class TSeriesListener {
 public:
  virtual ~TSeriesListener() = default;
  virtual void SeriesRecorded(std::size_t count) = 0;
  virtual void SeriesCleared() = 0;
};

// The reaction times of one series in their order, and the parameter sets they were drawn with
// as runs: a new run starts where a set's model differs from the one before (fields changed without
// "Begin new RT series").
class TSeriesRecord {
 public:
  struct TSetRun {
    std::size_t First = 0;  // the index of the run's first reaction
    TParameterSet Parameters;
  };

  void Append(double reaction_time, const TParameterSet& parameters);
  void Clear();

  // One listener at a time (null: none); it must outlive its registration.
  void SetListener(TSeriesListener* listener) noexcept { listener_ = listener; }
  TSeriesListener* Listener() const noexcept { return listener_; }

  const std::vector<double>& Times() const noexcept { return times_; }
  const std::vector<TSetRun>& Runs() const noexcept { return runs_; }
  std::size_t Count() const noexcept { return times_.size(); }
  bool Mixed() const noexcept { return runs_.size() > 1; }
  // The set of the last reaction; null for an empty series.
  const TParameterSet* Latest() const noexcept { return runs_.empty() ? nullptr : &runs_.back().Parameters; }

 private:
  std::vector<double> times_;
  std::vector<TSetRun> runs_;
  TSeriesListener* listener_ = nullptr;
};

}  // namespace corvane
