// Reaction simulation.
//
//   TParameterSet --> TReactionSimulator::SimulateReaction --> TReactionSink
//                          ^ two draws per cycle                AddPathPoint(time, inhibition)
//                          | (the generator's, worked out ahead) AddPeriodRecord(TPeriodRecord)
//                                                                       |
//                                                        FormatPeriodLine (period_line.h) -> memo
//
// TParameterSet (parameter_set.h) holds the six parameters with StationaryMean and AxisMax;
// TPeriodRecord (period_record.h) is one logged period; TReactionSink (reaction_sink.h) receives
// the path points and records in the order they arise; TReactionSimulator runs one reaction at a
// time and keeps CarriedY, the inhibition one reaction hands to the next of its series. Its hot
// loop takes the work share from TPowerFunction (runtime/power.h), or for fractional exponents from
// the table of TFractionPower (runtime/fraction_power.h), and the distraction durations' logarithm
// from ExtendedLog (runtime/extended_log.h); for the process-wide generator both are worked out a
// batch of cycles ahead (TPrecomputedDraws, precomputed_draws.h), and the same for a generator of
// the caller's own (TRandomGenerator, runtime/random_generator.h), which background work uses so
// that RandomSeed stays where the window left it.
#pragma once

#include <functional>
#include <memory>

#include "simulation/parameter_set.h"
#include "simulation/period_record.h"
#include "simulation/precomputed_draws.h"
#include "simulation/reaction_sink.h"

namespace corvane {
class TFractionPower;
}  // namespace corvane

namespace corvane {

// A source of uniform fractions in [0, 1).
using TRandomSource = std::function<long double()>;

class TReactionSimulator {
 public:
  // Draws from the process-wide generator, a batch of cycles worked out ahead.
  TReactionSimulator();
  explicit TReactionSimulator(TRandomSource random);
  // Draws from `generator`, a batch of cycles worked out ahead as for the process-wide generator:
  // the same reactions from the same seed, at the same speed. The generator must outlive the
  // simulator; drawing from it between reactions is allowed (the batch starts again).
  explicit TReactionSimulator(TRandomGenerator& generator);

  // Runs one reaction to its end and returns the reaction time. Every parameter must be greater
  // than 0. Starts from y0 when FirstOfSeries, else from CarriedY. A reaction of n cycles draws 2n
  // fractions and delivers 1 + 2n path points (the last two equal) and 2n - 1 records, the last a
  // work record. Raises EZeroDivide for a distraction draw of 0 and EOverflow (or EInvalidOp) when
  // a value leaves the double range; what was delivered before the error stays delivered.
  double SimulateReaction(const TParameterSet& P, bool FirstOfSeries, TReactionSink& sink);

  // The inhibition at the moment the work of the last completed reaction reached A; 0 at first.
  double CarriedY() const noexcept { return carried_y_; }

 private:
  // The work share's exponent a1/c1 and what depends on it, worked out again only when a1 or c1
  // changes: short reactions would spend a good part of their time on it.
  void UseExponentOf(const TParameterSet& P);
  // The table of the work share's power for the exponent of the last reaction, kept while the
  // exponent stays; none for exponents it does not serve.
  const TFractionPower* FractionPowerFor(long double exponent);

  TRandomSource random_;  // empty: the process-wide generator, through draws_ahead_
  TPrecomputedDraws draws_ahead_;
  bool own_generator_ = false;  // draws from own_draws_ instead
  TGeneratorDraws own_draws_;
  std::shared_ptr<const TFractionPower> fraction_power_;
  double exponent_a1_ = 0;  // the a1 and c1 exponent_ is of; 0 before the first reaction
  double exponent_c1_ = 0;
  long double exponent_ = 0;
  const TFractionPower* table_ = nullptr;  // fraction_power_, or none for exponent_
  double carried_y_ = 0.0;
};

}  // namespace corvane
