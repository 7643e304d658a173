// Series of reactions simulated from the model's stationary state, on a generator of their own.
//
//   TParameterSet, seed --TStationarySeries--> reaction times one by one (Next), or a block (Fill)
//        carried inhibition at the start drawn from Gamma(k + 1, rate c0/a0) (DrawGamma)
//
// The reactions are the program's own simulator's (simulation/reaction_simulator.h), on its path
// for a generator of its own, so they come at the simulator's speed and never move RandomSeed.
// The first reaction starts from the drawn inhibition, each later one from the inhibition the
// one before carried: no burn-in is needed.
#pragma once

#include <cstdint>
#include <span>

#include "runtime/random_generator.h"
#include "simulation/parameter_set.h"
#include "simulation/reaction_simulator.h"

namespace corvane {

// A Gamma(shape, rate) draw (Marsaglia and Tsang's squeeze method; shape >= 1 here, as k + 1 is).
double DrawGamma(double shape, double rate, TRandomGenerator& generator);

class TStationarySeries {
 public:
  // Every parameter greater than 0 (y0 is not used: the start is drawn).
  TStationarySeries(const TParameterSet& P, std::uint32_t seed);
  TStationarySeries(const TStationarySeries&) = delete;
  TStationarySeries& operator=(const TStationarySeries&) = delete;

  // The next reaction time. The simulator's faults (EOverflow, EZeroDivide) propagate.
  double Next();
  void Fill(std::span<double> reaction_times);

  // The inhibition carried out of the last reaction (before the first: the drawn start).
  double CarriedY() const noexcept;
  TRandomGenerator& Generator() noexcept { return generator_; }

 private:
  TParameterSet P_;
  TRandomGenerator generator_;
  TReactionSimulator simulator_;
  double start_y_;
  bool first_ = true;
};

}  // namespace corvane
