// The numerical solve behind a tabulated shape (stationary_shape.h): the density of
// S = c0 (RT - A) for finite k and m, at the nodes s_j = j step.
//
//   (k, m, step) --SolveShapeOnGrid--> densities at the nodes, one grid (error of order step^2)
//   (k, m) --SolveStationaryShape--> for k >= 2 and m >= 32 node spacings: three grids 4 x, 2 x
//        and 1 x the node spacing, their h^2 and h^3 error terms removed (the correction computed
//        at the coarse nodes and interpolated to the others); else Richardson's combination of
//        the grids step and step/2 (error of order step^3 where the shape is smooth)
//
// The scheme: with Y' the inhibition in units a0/c0 and work time in units 1/rho, Y' falls at
// rate 1, a distraction begins at hazard k/Y' and adds Exp(1) to Y' and to S; the start Y'_0 is
// Gamma(k + 1, 1). Given Y'_0 = y0, S has no drift (Y' = y0 - t + S), so each start is a
// pure-jump problem on the lattice of S with time step = lattice step: over a step a lattice
// point survives with ((y - h)/y)^k exactly, the jumping mass lands by the exponential law
// binned on the lattice (a running sum: O(lattice) a step), and what lands spends on average half
// the step at its new level, where part of it jumps again (a second running sum): second order.
// The start is integrated by composite Gauss-Legendre over Gamma(k + 1)'s quantile panels, for
// k < 4 cut to width 1 and graded geometrically toward 0 (the weight's y^k) and toward y0 = m
// (the atom's end leaves a (y0 - m)^k). The starts run on two threads (fixed halves, so the
// figures do not depend on the cores).
// Accuracy (mean and variance against the closed form, relative; the grids' mass before the
// table is scaled to 1 - atom within 2e-6): three grids (k >= 4, m >= 3.2): 5e-5 at most at
// m <= 20 (20, 14.4: 1.6e-5 / 1.3e-5; 5, 5: 1.5e-5 / 2.3e-5; 20, 5: 1.2e-5 / 3.7e-5), growing with
// m (20, 50: 1.2e-5 / 1.1e-4; 1000, 50: 1.5e-5 / 2.4e-4); the distribution function within 5e-5
// of a solve at half the node spacing. Three grids with the graded starts of small k (2 <= k < 4,
// m 3.3-45): 1.7e-5 / 1.9e-5 at most, mass within 2.3e-6, the distribution function within 2.1e-5
// of a solve at a quarter of the node spacing, the density within 2.2e-4 relative wherever it is
// above 1e-4 for k >= 2.5 and 6.7e-4 at k = 2 (the two-grid scheme's: 1.1e-4 and 5.8e-4).
// Two grids, k >= 0.5: 1.2e-4 at most, mostly below 5e-5 (0.5, 2.5: 1.2e-4 / 1.9e-5; 1.5, 0.84:
// 2e-6 / 1.6e-5; 1, 50: 4e-6 / 3e-6). Small k is weaker: the density of S given y0 has a kink
// (y0 - (m - s))^k where Y'_m reaches 0, which Gauss panels resolve slowly (0.05, 5: 2.9e-4 /
// 6.9e-4; 0.1, 20: 7e-5 / 2e-3).
// Cost (CPU over both threads, bench/stationary_law_bench.cpp BM_FreshShape): k = 20: 9 ms at
// m = 5, 35 ms at m = 20, 100 ms at m = 50 (was 29-410 ms with two grids); k = 1, m = 50 (two
// grids, 270 Gauss starts): 0.7 s; k = 3: 29 ms at m = 12, 53 ms at m = 22 (wall; 100 and 187 ms
// with two grids). Wall time about half the CPU on two idle cores. Coarser nodes where the shape is
// wide do not pay: the jumps are Exp(1) at any m, and steps of 0.15 at (20, 50) err 5 times as much.
#pragma once

#include <vector>

#include "runtime/errors.h"

namespace corvane {

// Thrown by both solves for k or m not finite and above 0, or a step not above 0.
CORVANE_FIXED_EXCEPTION(EShapeSolveRange, Exception, "A shape needs finite k, m and step above 0");

// Densities of the continuous part of S at j * step, j = 0 .. ceil(end/step), where `end` reaches
// past the law's mass to 1e-12. step must divide m into whole steps (m / step an integer).
// Unnormalised: the table's mass is the solve's.
std::vector<double> SolveShapeOnGrid(double k, double m, double step);

// The shape's nodes and their spacing, extrapolated from two grids: the coarse one has
// max(8, ceil(m / target_step)) steps, but none shorter than 0.02 and at least 2.
struct TShapeNodes {
  double Step = 0;
  std::vector<double> Density;
};
TShapeNodes SolveStationaryShape(double k, double m, double target_step = 0.1);

}  // namespace corvane
