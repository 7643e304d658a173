// Where a simulated reaction delivers its outputs, one by one as they arise.
#pragma once

#include "simulation/period_record.h"

namespace corvane {

// The main window implements it to feed the inhibition series and the data memo. An exception
// thrown by either operation ends the reaction; what was delivered before stays delivered.
class TReactionSink {
 public:
  virtual ~TReactionSink() = default;
  // One point of the inhibition path: time and inhibition.
  virtual void AddPathPoint(double time, double inhibition) = 0;
  virtual void AddPeriodRecord(const TPeriodRecord& record) = 0;
};

}  // namespace corvane
