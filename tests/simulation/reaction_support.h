// Test doubles for the simulator: a sink that records every delivery in order; the scripted random
// source (ScriptedDraws) is the shared one of support/scripted_draws.h.
#pragma once

#include <ostream>
#include <vector>

#include "simulation/reaction_simulator.h"
#include "support/scripted_draws.h"

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

// The default parameters of the window: A = 5, a1 = 1, a0 = 1, c1 = 0.5, c0 = 0.5, y0 = 5.
TParameterSet DefaultParameters();

// Readable names for parameterised tests and failure messages.
void PrintTo(const TParameterSet& P, std::ostream* out);
void PrintTo(const PathPoint& p, std::ostream* out);

}  // namespace corvane
