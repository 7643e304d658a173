// The shape of the stationary law for finite k: the law of S = c0 (RT - A), which depends on
// (k, m) alone, tabulated once and kept.
//
//   (k, m) --SolveStationaryShape (stationary_shape_solver.h)--> density of S at the nodes
//        s_j = j step --TStationaryShape--> Density(s), Distribution(s), Quantile(p)
//   (k, m) --StationaryShape--> the cached shape (bounded, thread-safe, keyed by exact (k, m))
//
// Between the nodes the density is the cubic through the four nearest nodes; the distribution
// function is the atom e^-m plus the integral of that cubic (monotone by construction), so
// Density, Distribution and Quantile agree with one another. The nodes are scaled so that the
// continuous part's mass is 1 - e^-m exactly (the solve's own mass is within 1e-7 of it). Beyond
// the last node the density is 0 and the distribution 1 (the table reaches past where the
// remaining mass is below 1e-12). Accuracy: stationary_shape_solver.h; the interpolation adds
// less than 1e-5 of the density at the default node spacing of about 0.1.
//
// The cache is keyed by exact (k, m): a fitter that moves k and m continuously solves a shape at
// each new pair (a few to some tens of milliseconds, stationary_shape_solver.h); the likelihood's
// lattice keeps its nodes in a table of its own (shape_lattice.h). Shapes are
// immutable and shared: a caller's shared_ptr stays valid after the cache drops the shape.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

namespace corvane {

class TStationaryShape {
 public:
  // density[j] is the continuous part's density at j * step, j = 0 .. size-1; size >= 4.
  TStationaryShape(double k, double m, double step, std::vector<double> density);

  double K() const noexcept { return k_; }
  double M() const noexcept { return m_; }
  double Step() const noexcept { return step_; }
  double Atom() const noexcept { return atom_; }
  double End() const noexcept { return step_ * static_cast<double>(density_.size() - 1); }
  // The continuous part's mass by the table: 1 - atom, the nodes scaled to it.
  double ContinuousMass() const noexcept { return cumulative_.back(); }
  // The mass the nodes held as given, before that scaling: the solve's own error.
  double SolvedMass() const noexcept { return solved_mass_; }
  const std::vector<double>& Nodes() const noexcept { return density_; }

  // 0 for s <= 0 and beyond End(). Inline, by Horner on each cell's cubic: the likelihood's
  // searches spend most of their time here.
  double Density(double s) const noexcept {
    double x = 0;
    const double* c = CubicAt(s, x);
    return c ? std::max(0.0, ((c[3] * x + c[2]) * x + c[1]) * x + c[0]) : 0.0;
  }
  // The density, and its slope in s (0 where the density is 0): the same cubic's.
  double Density(double s, double& slope) const noexcept {
    slope = 0;
    double x = 0;
    const double* c = CubicAt(s, x);
    const double f = c ? ((c[3] * x + c[2]) * x + c[1]) * x + c[0] : 0.0;
    if (!(f > 0))
      return 0;
    slope = ((3 * c[3] * x + 2 * c[2]) * x + c[1]) * inverse_step_;
    return f;
  }
  double Distribution(double s) const noexcept;  // P(S <= s): 0 below 0, the atom at 0
  // The smallest s with Distribution(s) >= p (0 for p <= atom).
  double Quantile(double p) const noexcept;

 private:
  // The coefficients of the cubic of the cell holding s, and s's place x in [0, 1] in it; null for
  // s <= 0 and beyond End().
  const double* CubicAt(double s, double& x) const noexcept {
    if (!(s > 0) || s >= end_)
      return nullptr;
    const double u = s * inverse_step_;
    const std::size_t cell = std::min(static_cast<std::size_t>(u), last_cell_);
    x = u - static_cast<double>(cell);
    return coefficients_.data() + 4 * cell;
  }
  std::size_t FirstNodeOf(std::size_t cell) const noexcept;
  double Cubic(std::size_t cell, double x) const noexcept;
  void ExpandCubic(std::size_t cell, double* out) const noexcept;
  double PartialIntegral(std::size_t cell, double x) const noexcept;

  double k_;
  double m_;
  double step_;
  double inverse_step_;
  double end_ = 0;
  std::size_t last_cell_ = 0;
  double atom_;
  double solved_mass_ = 0;
  std::vector<double> density_;
  std::vector<double> cumulative_;  // integral of the density from 0 to node j, non-decreasing
  // Cell j's cubic in x in [0, 1], constant term first: Cubic's, expanded once.
  std::vector<double> coefficients_;
};

// The shape for (k, m), solved on first use and kept: at most kShapeCacheSize shapes, the least
// recently used dropped first. Safe to call from several threads; a shape being solved by one
// thread is waited for by the others asking for it. Finite k > 0 and m > 0.
inline constexpr std::size_t kShapeCacheSize = 64;
std::shared_ptr<const TStationaryShape> StationaryShape(double k, double m);

}  // namespace corvane
