#include "analysis/stationary_shape.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <future>
#include <list>
#include <map>
#include <mutex>
#include <utility>

#include "analysis/stationary_shape_solver.h"

namespace corvane {
namespace {

// Two-point Gauss-Legendre on [0, 1]: exact for the cubics between the nodes.
constexpr double kGaussLow = 0.21132486540518711775;
constexpr double kGaussHigh = 0.78867513459481288225;

}  // namespace

TStationaryShape::TStationaryShape(double k, double m, double step, std::vector<double> density)
    : k_(k), m_(m), step_(step), inverse_step_(1 / step), atom_(std::exp(-m)), density_(std::move(density)) {
  assert(density_.size() >= 4 && step_ > 0);
  end_ = End();
  cumulative_.resize(density_.size());
  cumulative_[0] = 0;
  for (std::size_t j = 0; j + 1 < density_.size(); ++j)
    cumulative_[j + 1] = cumulative_[j] + std::max(0.0, PartialIntegral(j, 1.0));
  // The solve's mass error (a few 1e-6 at most, stationary_shape_solver.h) is spread over the
  // table in proportion, so the law's total is 1.
  solved_mass_ = cumulative_.back();
  const double scale = (1 - atom_) / solved_mass_;
  if (std::isfinite(scale) && scale > 0) {
    for (double& f : density_) f *= scale;
    for (double& F : cumulative_) F *= scale;
  }
  last_cell_ = density_.size() - 2;
  coefficients_.resize(4 * (last_cell_ + 1));
  for (std::size_t cell = 0; cell <= last_cell_; ++cell) ExpandCubic(cell, coefficients_.data() + 4 * cell);
}

// Cubic's polynomial in x, constant term first: Lagrange's form in t = x + d over the nodes
// t = 0..3, then shifted by d (the cell's offset from its first node), in extended precision so
// that the expansion adds no more than rounding.
void TStationaryShape::ExpandCubic(std::size_t cell, double* out) const noexcept {
  const std::size_t first = FirstNodeOf(cell);
  const long double d = static_cast<long double>(cell - first);
  const double* f = density_.data() + first;
  const long double f0 = f[0], f1 = f[1], f2 = f[2], f3 = f[3];
  const long double a3 = (f3 - f0) / 6 + (f1 - f2) / 2;
  const long double a2 = f0 - 2.5L * f1 + 2 * f2 - f3 / 2;
  const long double a1 = -11 * f0 / 6 + 3 * f1 - 1.5L * f2 + f3 / 3;
  const long double a0 = f0;
  out[0] = static_cast<double>(((a3 * d + a2) * d + a1) * d + a0);
  out[1] = static_cast<double>((3 * a3 * d + 2 * a2) * d + a1);
  out[2] = static_cast<double>(3 * a3 * d + a2);
  out[3] = static_cast<double>(a3);
}

// The first of the four nodes nearest cell [j, j+1]: the node before it, held inside the table.
std::size_t TStationaryShape::FirstNodeOf(std::size_t cell) const noexcept {
  const std::size_t first = cell == 0 ? 0 : cell - 1;
  return std::min(first, density_.size() - 4);
}

// The cubic through the four nodes nearest cell [j, j+1], at x in [0, 1] of the cell.
double TStationaryShape::Cubic(std::size_t cell, double x) const noexcept {
  const std::size_t first = FirstNodeOf(cell);
  const double t = x + static_cast<double>(cell) - static_cast<double>(first);  // in [0, 3]
  const double* f = density_.data() + first;
  const double t0 = t, t1 = t - 1, t2 = t - 2, t3 = t - 3;
  // Lagrange's weights with their products shared and no division: the likelihood's searches spend
  // most of their time here.
  const double p01 = t0 * t1, p23 = t2 * t3;
  return (f[3] * p01 * t2 - f[0] * t1 * p23) * (1.0 / 6) + (f[1] * t0 * p23 - f[2] * p01 * t3) * 0.5;
}

double TStationaryShape::PartialIntegral(std::size_t cell, double x) const noexcept {
  return x * step_ * (Cubic(cell, x * kGaussLow) + Cubic(cell, x * kGaussHigh)) / 2;
}

double TStationaryShape::Distribution(double s) const noexcept {
  if (s < 0)
    return 0;
  if (std::isnan(s))
    return s;
  if (s >= End())
    return atom_ + cumulative_.back();
  const double u = s / step_;
  const auto cell = std::min(static_cast<std::size_t>(u), density_.size() - 2);
  const double part = PartialIntegral(cell, u - static_cast<double>(cell));
  return atom_ + std::clamp(cumulative_[cell] + part, cumulative_[cell], cumulative_[cell + 1]);
}

double TStationaryShape::Quantile(double p) const noexcept {
  if (p <= atom_)
    return 0;
  const double target = p - atom_;
  if (target >= cumulative_.back())
    return End();
  // The first node whose cumulative reaches the target; the quantile lies in the cell before.
  const auto it = std::lower_bound(cumulative_.begin(), cumulative_.end(), target);
  const auto cell = static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, it - cumulative_.begin() - 1));
  double lo = 0, hi = 1;
  for (int i = 0; i < 60 && hi - lo > 1e-15; ++i) {
    const double mid = (lo + hi) / 2;
    if (cumulative_[cell] + PartialIntegral(cell, mid) >= target)
      hi = mid;
    else
      lo = mid;
  }
  return (static_cast<double>(cell) + hi) * step_;
}

namespace {

using TShapeFuture = std::shared_future<std::shared_ptr<const TStationaryShape>>;
using TShapeKey = std::pair<double, double>;

struct TShapeCache {
  std::mutex Mutex;
  std::list<TShapeKey> Recent;  // most recent first
  std::map<TShapeKey, std::pair<TShapeFuture, std::list<TShapeKey>::iterator>> Entries;
};

TShapeCache& Cache() {
  static TShapeCache cache;
  return cache;
}

std::shared_ptr<const TStationaryShape> Solve(double k, double m) {
  TShapeNodes nodes = SolveStationaryShape(k, m);
  return std::make_shared<const TStationaryShape>(k, m, nodes.Step, std::move(nodes.Density));
}

}  // namespace

std::shared_ptr<const TStationaryShape> StationaryShape(double k, double m) {
  TShapeCache& cache = Cache();
  const TShapeKey key{k, m};
  std::promise<std::shared_ptr<const TStationaryShape>> promise;
  TShapeFuture future;
  bool solve_here = false;
  {
    std::lock_guard lock(cache.Mutex);
    const auto found = cache.Entries.find(key);
    if (found != cache.Entries.end()) {
      cache.Recent.splice(cache.Recent.begin(), cache.Recent, found->second.second);
      future = found->second.first;
    } else {
      solve_here = true;
      future = promise.get_future().share();
      cache.Recent.push_front(key);
      cache.Entries.emplace(key, std::make_pair(future, cache.Recent.begin()));
      while (cache.Entries.size() > kShapeCacheSize) {
        cache.Entries.erase(cache.Recent.back());
        cache.Recent.pop_back();
      }
    }
  }
  if (solve_here) {
    try {
      promise.set_value(Solve(k, m));
    } catch (...) {
      // Those waiting get the failure; the next caller tries afresh.
      promise.set_exception(std::current_exception());
      std::lock_guard lock(cache.Mutex);
      const auto found = cache.Entries.find(key);
      if (found != cache.Entries.end() && found->second.first.valid()) {
        cache.Recent.erase(found->second.second);
        cache.Entries.erase(found);
      }
    }
  }
  return future.get();
}

}  // namespace corvane
