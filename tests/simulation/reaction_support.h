// Test doubles for the simulator: a sink that records every delivery in order, and random sources
// that replay a script or count the draws of the process-wide generator.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <vector>

#include "simulation/reaction_simulator.h"

namespace corvane {

struct PathPoint {
  double time = 0;
  double inhibition = 0;
  bool operator==(const PathPoint&) const = default;
};

// One delivery: a path point, or a record when is_record is set.
struct Delivery {
  bool is_record = false;
  PathPoint point;
  TPeriodRecord record;
};

class RecordingSink : public TReactionSink {
 public:
  void AddPathPoint(double time, double inhibition) override;
  void AddPeriodRecord(const TPeriodRecord& record) override;

  std::vector<Delivery> deliveries;
  std::vector<PathPoint> points;
  std::vector<TPeriodRecord> records;
};

// Replays the given draws in order; running past the end fails the test and yields 0.5.
class ScriptedDraws {
 public:
  ScriptedDraws(std::initializer_list<long double> draws);
  TRandomSource Source();
  std::size_t Consumed() const { return state_->next; }

 private:
  struct State {
    std::vector<long double> draws;
    std::size_t next = 0;
  };
  std::shared_ptr<State> state_;
};

// The default parameters of the window: A = 5, a1 = 1, a0 = 1, c1 = 0.5, c0 = 0.5, y0 = 5.
TParameterSet DefaultParameters();

// Readable names for parameterised tests and failure messages.
void PrintTo(const TParameterSet& P, std::ostream* out);
void PrintTo(const PathPoint& p, std::ostream* out);

}  // namespace corvane
