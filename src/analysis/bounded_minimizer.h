// A bounded minimum of a smooth function of a few variables, by NLopt's derivative-free methods.
//
//   f, start, bounds --MinimizeBounded--> TMinimum: the best point met, its value, and whether the
//                                         optimiser's own criterion (relative step or value change)
//                                         ended the search rather than its evaluation limit
//
// BOBYQA (quadratic models within the bounds) first; Sbplx (subspace simplex) where BOBYQA cannot
// start (one variable, or it fails). The point returned is the best ever evaluated, so it is never
// worse than the start. f may return +infinity or NaN for points it cannot evaluate: they count as
// worse than any finite value. An exception thrown by f (a stop request) ends the search and is
// rethrown from MinimizeBounded; none crosses NLopt's C frames.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <vector>

namespace corvane {

struct TMinimizeOptions {
  double RelativeStep = 1e-6;  // the criterion: steps below this relative size
  double ValueChange = 1e-7;   // or a change of f below this (absolute)
  int MaxEvaluations = 4000;
  // The first steps' sizes per variable (each kept within its range); empty: a tenth of each
  // range. A search from a start known to be near the minimum (a refit) takes small ones, so that
  // it does not first wander the whole range.
  std::vector<double> InitialSteps;
};

struct TMinimum {
  std::vector<double> Point;
  double Value = 0;
  bool Converged = false;  // the criterion met (not the evaluation limit, not a failure)
  int Evaluations = 0;
};

// lower[i] <= start[i] <= upper[i] (the start is clipped into the bounds).
TMinimum MinimizeBounded(const std::function<double(std::span<const double>)>& f,
                         std::span<const double> start, std::span<const double> lower,
                         std::span<const double> upper, const TMinimizeOptions& options = {});

}  // namespace corvane
