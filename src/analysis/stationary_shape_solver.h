// The numerical solve behind a tabulated shape (stationary_shape.h): the density of
// S = c0 (RT - A) for finite k and m, at the nodes s_j = j step.
//
//   (k, m, step) --SolveShapeOnGrid--> first-order densities at the nodes (one grid)
//   (k, m) --SolveStationaryShape--> Richardson's combination of the grids step and step/2
//
// The scheme: with Y' the inhibition in units a0/c0 and work time in units 1/rho, Y' falls at
// rate 1, a distraction begins at hazard k/Y' and adds Exp(1) to Y' and to S. The start Y'_0 is
// Gamma(k + 1, 1); given it, S evolves without drift (Y' = Y'_0 - t + S), so each start cell
// is a pure-jump problem on the lattice of S, time step = lattice step: over one step a point
// survives with ((y - h)/y)^k exactly, the jumping mass lands by the exponential law binned on
// the lattice (a running sum, O(lattice) a step). The start is integrated over cells of the same
// width with their exact Gamma masses. The error is first order in the step; two grids remove it.
#pragma once

#include <vector>

namespace corvane {

// Densities of the continuous part of S at j * step, j = 0 .. ceil(end/step), where `end` reaches
// past the law's mass to 1e-12. step must divide m into whole steps (m / step an integer).
std::vector<double> SolveShapeOnGrid(double k, double m, double step);

// The shape's nodes and their spacing, extrapolated from two grids.
struct TShapeNodes {
  double Step = 0;
  std::vector<double> Density;
};
TShapeNodes SolveStationaryShape(double k, double m, double target_step = 0.05);

}  // namespace corvane
