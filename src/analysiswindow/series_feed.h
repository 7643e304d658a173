// The main window's series as the analysis follows it: every recorded reaction with the parameter
// set it was simulated with, and a notice for each change.
//
//   press records a reaction --TSeriesFeed::Record--> TSeriesRecord (times, runs of one set)
//                                                 \--> signal Recorded(count)
//   "Begin new RT series" --Clear--> signal Cleared;  a field edited --NotifyFieldsChanged-->
//   signal FieldsChanged
//
// The main window owns the feed and records into it whether or not a window listens, so a window
// opened late still sees the whole series. Recording is a push onto two vectors and a signal with
// no receiver while no window is open: it costs the press nothing measurable.
#pragma once

#include <QObject>
#include <cstddef>
#include <vector>

#include "simulation/parameter_set.h"

namespace corvane {

// The same model: A, a1, a0, c1 and c0 equal. y0 only starts a series and plays no part in what
// the model predicts for it.
bool SameModel(const TParameterSet& a, const TParameterSet& b) noexcept;

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
  void Clear() noexcept;

  const std::vector<double>& Times() const noexcept { return times_; }
  const std::vector<TSetRun>& Runs() const noexcept { return runs_; }
  std::size_t Count() const noexcept { return times_.size(); }
  bool Mixed() const noexcept { return runs_.size() > 1; }
  // The set of the last reaction; null for an empty series.
  const TParameterSet* Latest() const noexcept { return runs_.empty() ? nullptr : &runs_.back().Parameters; }

 private:
  std::vector<double> times_;
  std::vector<TSetRun> runs_;
};

class TSeriesFeed : public QObject {
  Q_OBJECT

 public:
  explicit TSeriesFeed(QObject* parent = nullptr) : QObject(parent) {}

  const TSeriesRecord& Record() const noexcept { return record_; }

  void Record(double reaction_time, const TParameterSet& parameters);
  void Clear();
  void NotifyFieldsChanged() { emit FieldsChanged(); }

 signals:
  // The series has `count` reactions, the last one just recorded.
  void Recorded(std::size_t count);
  void Cleared();
  void FieldsChanged();

 private:
  TSeriesRecord record_;
};

}  // namespace corvane
