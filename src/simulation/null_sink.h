// A reaction sink that keeps nothing: for those who need a reaction's time (and the inhibition it
// carries) alone, such as the analysis's simulations and the command line.
#pragma once

#include "simulation/reaction_sink.h"

namespace corvane {

class TNullReactionSink final : public TReactionSink {
 public:
  void AddPathPoint(double, double) override {}
  void AddPeriodRecord(const TPeriodRecord&) override {}
};

}  // namespace corvane
