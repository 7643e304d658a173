// The stationary law for any (k, m) from shapes on a fixed lattice, so that a likelihood search
// and its bootstrap refits ask for a few dozen shapes (each solved once and kept for the session)
// instead of one per step of the optimiser.
//
//   law (k, m, A, c0) --lattice cell (v = 1/(k + 1), ln m)--> four corner shapes from the node
//        table --moment-matched bilinear interpolation--> LatticeDensity (with its log's slopes:
//        LatticeDensityAndScores), LatticeDistribution
//
// The node table: one slot for every node the lattice can reach (47 x 279; fine 47 x 556), each filled on
// first use and kept until the program ends: read from the machine's store of nodes solved in earlier
// sessions (shape_store.h), else solved (stationary_shape_solver.h) and stored. The nodes a
// session's fits touch are typically a few dozen to a few hundred of 10-50 KB each. Reading a filled node is
// one atomic load, so the bootstrap's threads share the shapes without a lock; a node being solved is waited
// for only by those asking for that node. (The bounded cache of stationary_shape.h serves the exact laws of
// StationaryDensity and the like, not the lattice: a 64-entry cache thrashed as the refits of a bootstrap
// spread over more nodes than it held.)
//
// The lattice: v = 1/(k + 1) in steps of 1/kLatticeV from 0 (the independent limit, exact
// closed form) to 1 - 1/kLatticeV (k = 1/(kLatticeV - 1)); ln m in steps of 1/kLatticeLnM.
// Interpolating raw densities between shapes whose bulk sits at different s would blur them, so
// each corner's continuous part is read in standard units of its own conditional mean and SD
// (S given S > 0: mean m/(1 - e^-m), second moment (Var S + m^2)/(1 - e^-m), Var S =
// 2 (k + 1)(1 - e^(-m/(k+1)))), the four standardized densities are averaged with bilinear
// weights in (v, ln m), and the result is put back in the law's own units and scaled to its
// continuous mass 1 - e^-m. The atom e^-m is exact. At the lattice's nodes the law is the
// shape's own; between them the interpolation's error shrinks with the square of the steps. The
// density has no steps a search could stall on: on the independent row (v = 0) the closed form
// serves the law's own m, so the density tends to k = inf's as k grows; and a value that maps
// below a corner's own 0 takes that corner's limit at 0.
// Measured against exact shapes (tests/analysis/likelihood_fit_test.cpp): (k, m) = (1.5, 0.84)
// within 4e-5 relative from the mean - 1.5 SD outwards; (0.5, 2) 1e-3 in the bulk, 1.7 % at
// s = 0.4; (20, 14.4) 2e-3 within 2 SD of the mean, 5 % at 4 SD below it, where the density is
// 1/500 of its peak. The distribution function within 1e-4.
// The fine lattice (TLatticeLevel::Fine: 24 steps per unit of ln m, shapes solved at step 0.05)
// serves the likelihood of long series (stationary_likelihood.h, kFineLatticeFromN). At n = 10,000
// the standard lattice's interpolation error is as large as the logLik's resolution: profiled over
// ln m, its logLik exceeds that of shapes solved at each point by 0.4 at a node and 1.6-1.8 half a
// cell away, a bump in every cell that gathered estimates and left the defaults' intervals covering
// 83-85 % of 100 series; on the same series the fine lattice's cover 89-94 % with intervals 6-8 %
// narrower, for 5 % more time (cold nodes included). A fine node costs 3-7 times the CPU of a
// standard one (k = 20, m = 14.4: 19 ms; k = 1, m = 50: 0.37 s, 2.3 s before the starts ran in
// vector lanes), paid once per machine (the store).
#pragma once

#include <span>

#include "analysis/stationary_law.h"

namespace corvane {

inline constexpr int kLatticeV = 48;    // steps per unit of v = 1/(k + 1)
inline constexpr int kLatticeLnM = 12;  // steps per unit of ln m
// The range of m the lattice serves: outside it (an m that underflowed or overflowed) and for
// parameters that are not positive numbers both functions throw EStationaryLawRange.
inline constexpr double kLatticeSmallestM = 1e-6;
inline constexpr double kLatticeLargestM = 1e4;
// The smallest k the lattice reaches: its last v node, 1 - 1/kLatticeV.
inline constexpr double kLatticeMinimumK = 1.0 / (kLatticeV - 1);

// How finely the lattice resolves the law: the standard lattice above, or the fine one with half
// its steps in ln m and its shapes solved at half the step (stationary_shape_solver.h). Each has
// its own node table and store folder; the density's functions take the standard unless told.
enum class TLatticeLevel { Standard, Fine };
struct TLatticeSteps {
  int v = 0;     // steps per unit of v
  int ln_m = 0;  // steps per unit of ln m
  double solve_step = 0;
};
constexpr TLatticeSteps LatticeSteps(TLatticeLevel level) {
  return level == TLatticeLevel::Fine ? TLatticeSteps{kLatticeV, 2 * kLatticeLnM, 0.05}
                                      : TLatticeSteps{kLatticeV, kLatticeLnM, 0.1};
}

// The continuous part's density at each rt (0 at and below A), as StationaryDensity.
void LatticeDensity(const TStationaryLaw& law, std::span<const double> rt, std::span<double> out,
                    TLatticeLevel level = TLatticeLevel::Standard);
// The same (at k = inf, the limit of the cell next to it: the closed form within rounding), and
// each rt's log density's slopes, the interpolation's own, in one pass: scores[q n + i] for q = 0
// ln m, 1 ln c0, 2 v = 1/(k + 1), 3 A, each with the others held (0 where the density is 0). On a
// face of the lattice the slopes are those of the cell above it. A climb's scores at a fraction of
// the forward differences' cost.
void LatticeDensityAndScores(const TStationaryLaw& law, std::span<const double> rt, std::span<double> out,
                             std::span<double> scores, TLatticeLevel level = TLatticeLevel::Standard);
// P(RT <= rt), the atom included, as StationaryDistribution; for many rt at once the cell's
// shapes are looked up once.
void LatticeDistribution(const TStationaryLaw& law, std::span<const double> rt, std::span<double> out);
double LatticeDistribution(const TStationaryLaw& law, double rt);

}  // namespace corvane
