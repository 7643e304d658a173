// The numerical solve behind a tabulated shape (stationary_shape.h): the density of
// S = c0 (RT - A) for finite k and m, at the nodes s_j = j step.
//
//   (k, m, step) --SolveShapeOnGrid--> densities at the nodes, one grid (error of order step^2)
//   (k, m) --SolveStationaryShape--> for m >= 32 node spacings: three grids 4 x, 2 x and 1 x the
//        node spacing, their h^2 and h^3 error terms removed (the correction computed at the
//        coarse nodes and interpolated to the others); else Richardson's combination of the grids
//        step and step/2 (error of order step^3 where the shape is smooth)
//
// The scheme: with Y' the inhibition in units a0/c0 and work time in units 1/rho, Y' falls at
// rate 1, a distraction begins at hazard k/Y' and adds Exp(1) to Y' and to S; the start Y'_0 is
// Gamma(k + 1, 1). Given Y'_0 = y0, S has no drift (Y' = y0 - t + S), so each start is a
// pure-jump problem on the lattice of S with time step = lattice step: over a step a lattice
// point survives with ((y - h)/y)^k exactly, the jumping mass lands by the exponential law
// binned on the lattice (a running sum: O(lattice) a step), and what lands spends on average half
// the step at its new level, where part of it jumps again (a second running sum): second order.
// The start is integrated by composite Gauss-Legendre. For k >= 2 over Gamma(k + 1)'s quantile
// panels, below k = 4 cut to width 1 and graded geometrically toward 0 (the weight's y^k) and
// toward y0 = m (the atom's end leaves a (y0 - m)^k). For k < 2, up to y0 = m + h, in panels of
// one lattice step whose edges are the lattice's levels: a start's solve is smooth in y0 only
// between them, and panels that straddle them left the density below the mode with noise of 1-5 %
// at k = 0.5-1 (15 % at k = 0.2) that no extrapolation removed. Starts run on two threads (fixed
// halves, so the figures do not depend on the cores) and, within a thread, 2, 4 or 8 at once in the
// lanes of the processor's widest vectors (the figures may differ in their last bits from one
// processor to another).
// Accuracy (relative; "half": against a solve at half the node spacing; the density where it is
// above 1e-3 of its peak; the grids' mass before the table is scaled to 1 - atom):
// - three grids, k >= 4: mean and variance against the closed form within 4e-5 at m <= 20 (20, 5:
//   1.2e-5 / 3.7e-5), growing with m (20, 50: 1.2e-5 / 1.1e-4; 1000, 50: 1.5e-5 / 2.4e-4); mass
//   within 1.4e-6; distribution within 5.2e-5 of half; density within 5.5e-4 of half at k = 20,
//   2.6e-3 at (1000, 50);
// - three grids, 2 <= k < 4 (graded panels): moments within 2e-5, mass within 1.2e-6,
//   distribution within 2e-5 of half, density within 4.8e-4 of half (1.5e-4 from k = 3);
// - k < 2 (panels on the lattice), k >= 0.5: moments within 4e-5 (1, 10: 8.6e-6 / 2.5e-5), mass
//   within 3e-5 (k >= 1: 4e-6), distribution within 2.8e-5 of half, density within 2.5e-4 of half
//   (7.3e-4 at the first node of (0.5, 5)); k = 0.05-0.2: moments within 5e-4 (0.05, 5: variance),
//   mass within 6e-4, distribution within 2e-4 of half, density within 2e-3 of half but at its
//   peak s = m, a corner that the cubic between nodes rounds (7.6e-3 at k = 0.05). Before the
//   panels on the lattice: density 1e-2 (1, 10) to 0.15 (0.2, 50) of half.
// - two grids (m < 3.2): (0.5, 2.5) 3.8e-6 / 1.3e-5, (1.5, 0.84) 8e-7 / 1.3e-5, (0.5, 0.25)
//   5e-6 / 6.4e-6; density within 1.6e-4 of half.
// Cost (wall, two cores, 8 lanes, bench/stationary_law_bench.cpp BM_FreshShape; CPU about twice
// it): at most 33 ms over k from 0.02 to 1e5 and m up to 50 (1.99, 50); k >= 4: 15 ms at m = 50
// (k = 20: 10 ms; 1000: 15 ms); 2 <= k < 4: 14 ms; k < 2: 23-33 ms at m = 50 (1, 50: 28 ms).
// Lanes: 4 at once take 1.2-1.35 times as long as 8 (at most 47 ms at m = 50), 2 take 2.2-2.5
// times (93 ms), one start at a time about 4 times. The panels on the lattice let k < 2 take the
// three grids, a third of the two grids' work. Coarser nodes where the shape is wide do not pay: the jumps
// are Exp(1) at any m, and steps of 0.15 at (20, 50) err 5 times as much.
#pragma once

#include <cstddef>
#include <vector>

#include "runtime/errors.h"

namespace corvane {

// Thrown by both solves for k or m not finite and above 0, or a step not above 0.
CORVANE_FIXED_EXCEPTION(EShapeSolveRange, Exception, "A shape needs finite k, m and step above 0");

// How many starts this processor advances at once (8, 4 or 2: its widest vectors of doubles).
std::size_t WidestShapeLanes();

// Densities of the continuous part of S at j * step, j = 0 .. ceil(end/step), where `end` reaches
// past the law's mass to 1e-12. step must divide m into whole steps (m / step an integer).
// Unnormalised: the table's mass is the solve's. `lanes` (tests, benchmarks): 2, 4 or 8 starts at
// once, at most WidestShapeLanes(); 0, the default, for the widest.
std::vector<double> SolveShapeOnGrid(double k, double m, double step, std::size_t lanes = 0);

// The shape's nodes and their spacing, extrapolated from two grids: the coarse one has
// max(8, ceil(m / target_step)) steps, but none shorter than 0.02 and at least 2.
struct TShapeNodes {
  double Step = 0;
  std::vector<double> Density;
};
TShapeNodes SolveStationaryShape(double k, double m, double target_step = 0.1);

}  // namespace corvane
