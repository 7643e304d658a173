// What the model predicts for a long series of reactions under one parameter set, in closed form.
//
//   TParameterSet --ReactionTheoryOf--> TReactionTheory (stationary mean, variance, standard
//                                        deviation and lag-1 autocorrelation of the reaction time,
//                                        mean carried inhibition, mean distractions per reaction)
//                 --ReactionTimeAutocorrelation(P, j)--> lag-j autocorrelation
//                 --ReactionTimeFromCarried(P, Y before, Y after)--> the reaction time itself
//
// With k = c1/a1, rho = a1 c0 / a0 and r = exp(-rho A / (k + 1)): the inhibition carried from one
// reaction to the next is stationary Gamma(k + 1, rate c0/a0), with lag-1 autocorrelation r; the
// distractions that count in a reaction are Poisson(rho A). Since a reaction does A of work (each
// unit lowering the inhibition by a1) and its distractions raise it by a0 per unit of time,
//   RT_n = A (1 + a1/a0) + (Y_n - Y_(n-1)) / a0,
// Y_n being the inhibition carried out of reaction n. So the reaction time is a difference of a
// stationary series: Var RT = 2 (k + 1)(1 - r) / c0^2, and the lag-j autocorrelation of RT is
// -(1 - r) r^(j - 1) / 2. The defaults (5, 1, 1, 0.5, 0.5, 5) give a variance of 9.733 and a lag-1
// autocorrelation of -0.4056.
#pragma once

#include "simulation/parameter_set.h"

namespace corvane {

struct TReactionTheory {
  double StationaryMean = 0;           // A (1 + a1/a0)
  double Variance = 0;                 // of the reaction time
  double StandardDeviation = 0;        // of the reaction time
  double Lag1Autocorrelation = 0;      // of consecutive reaction times, in [-1/2, 0]
  double CarriedInhibitionMean = 0;    // (k + 1) a0 / c0
  double DistractionsPerReaction = 0;  // rho A, the mean of the Poisson count
};

// Every parameter must be greater than 0. Evaluated in extended precision; EOverflow (or
// EInvalidOp) when a value leaves the double range, as with k = c1/a1 for c1 = 1e300, a1 = 1e-300.
TReactionTheory ReactionTheoryOf(const TParameterSet& P);

// The lag-j autocorrelation of the reaction time: 1 for j = 0, the same for j and -j.
double ReactionTimeAutocorrelation(const TParameterSet& P, int lag);

// The reaction time that carries the inhibition from `y_before` to `y_after`.
double ReactionTimeFromCarried(const TParameterSet& P, double y_before, double y_after);

}  // namespace corvane
