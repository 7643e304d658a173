// The maximum of a log-likelihood that is a weighted sum of per-value terms, near a start, by
// Newton steps whose curvature is the outer product of the values' scores (BHHH), within bounds.
//
//   terms (x -> each value's log figure), counts, start, bounds, kink spacings
//        --ClimbLikelihood--> TClimb: the point, its logLik, whether the climb's criterion ended it
//
// The scores are exact where the caller computes them in one pass with the terms
// (`TermsAndScores`: the likelihood's in ln m, ln c0, v and A, from the lattice's slopes), else
// forward differences of the terms (one evaluation per variable: the contaminants' share). A step
// costs a line search's one to three evaluations; its full step is evaluated with the scores, so
// where it is taken (inside its cells) the next step's scores come with it, and only a step cut
// back costs a pass more (the same figures; 6-7 % less time on ten stroop cells, 1.4 % over all
// 1,370). From a start near the maximum (a bootstrap refit from the fitted law) a climb takes some
// 10-15 steps, where BOBYQA and its restarts took about 230 evaluations (replicates of real-shaped
// data, n = 1,000). Exact scores
// made afex's stroop cells' bootstraps about a fifth faster than differences. The outer product equals the
// information where the values come from the law (the refits' case) and is positive definite elsewhere; it is
// the curvature of the first step and of the first after a change of cell, and secant (BFGS) updates refine
// it between. A backtracking line search keeps every step uphill, and each step's change of a variable is
// capped (`Reach`).
//
// Kinks. A variable with a kink spacing w > 0 (the lattice's interpolation in v and ln m,
// shape_lattice.h) is smooth only between multiples of w. The scores are the current cell's
// (differences one-sided at a face, exact ones taken a hair inside it); steps cross faces freely while
// travelling, but a variable whose steps cross one face back and forth is kept to its cell from then on, and
// leaves it only where the function still rises beyond the face: a face where it turns down on both sides is
// that variable's maximum, held while the others climb.
//
// The criterion: the Newton step's predicted gain under `GainTolerance`. A climb below `Bar` whose
// predicted gain cannot bring it there stops early, unconverged (a candidate that cannot win). A climb that
// has not met it within `MaxSteps` (a ridge the outer product describes badly, a function that cannot be
// evaluated at the start) says so, and its caller searches on from its end.
#pragma once

#include <cstddef>
#include <functional>
#include <limits>
#include <span>
#include <vector>

namespace corvane {

// Fills each value's term at x; false where x cannot be evaluated (counts as impossible).
using TTermsFunction = std::function<bool(std::span<const double> x, std::span<double> terms)>;
// Fills the terms at x and, for the variables the problem marks `Exact`, each value's score
// (scores[j * terms + i]); false where x cannot be evaluated.
using TTermsAndScoresFunction =
    std::function<bool(std::span<const double> x, std::span<double> terms, std::span<double> scores)>;

struct TClimbProblem {
  TTermsFunction Terms;
  TTermsAndScoresFunction TermsAndScores;  // optional
  std::vector<bool> Exact;                 // per variable: its scores from TermsAndScores
  std::span<const double> Counts;          // each term's weight; their number is the terms'
  std::vector<double> Lower, Upper;
  std::vector<double> Differences;  // the forward differences' steps, per variable
  std::vector<double> Kinks;        // per variable: the kinks' spacing, 0 for none
  // Per variable, a step's largest change (0: none): a Newton step from far away can leap to where
  // the terms are costly or meaningless.
  std::vector<double> Reach;
  double GainTolerance = 1e-6;
  // A level the caller needs the climb to pass: a climb below it that after a few steps rises too
  // slowly to reach it stops there.
  double Bar = -std::numeric_limits<double>::infinity();
  // A maximum an earlier climb reached (empty: none): a climb that comes within a tenth of `Reach`
  // of it in every variable, as likely to within 0.01, is on its way there and stops, `Joined`.
  std::vector<double> Known;
  double KnownLogLik = -std::numeric_limits<double>::infinity();
  int MaxSteps = 60;
};

struct TClimb {
  std::vector<double> Point;
  double LogLik = 0;
  bool Converged = false;
  bool Joined = false;  // stopped next to `Known`
  int Evaluations = 0;
};

TClimb ClimbLikelihood(const TClimbProblem& problem, std::span<const double> start);

}  // namespace corvane
