#include "analysis/shape_lattice.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cassert>
#include <cmath>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>

#include "analysis/shape_store.h"
#include "analysis/stationary_shape.h"
#include "analysis/stationary_shape_solver.h"

namespace corvane {
namespace {

// The lattice's node table: every node the lattice can reach has a slot, filled on first use and
// kept for the session. Reading a filled slot is one atomic load (no lock, no reference count
// touched by the threads of a bootstrap); a slot is filled under its own mutex, so two threads
// asking for one node solve it once and threads asking for others do not wait.
constexpr int kLowestLnMNode = -166;  // floor(ln(kLatticeSmallestM) kLatticeLnM)
constexpr int kHighestLnMNode = 112;  // floor(ln(kLatticeLargestM) kLatticeLnM) + 1
static_assert(kLowestLnMNode <= -165.8 && kHighestLnMNode >= 110.6 + 1);

struct TNodeSlot {
  std::atomic<const TStationaryShape*> shape{nullptr};
  std::mutex solving;
  std::unique_ptr<const TStationaryShape> owner;
};

class TNodeTable {
 public:
  const TStationaryShape& At(int iv, int im) {
    assert(iv >= 1 && iv < kLatticeV && im >= kLowestLnMNode && im <= kHighestLnMNode);
    TNodeSlot& slot =
        slots_[static_cast<std::size_t>(iv - 1) * kLnMNodes + static_cast<std::size_t>(im - kLowestLnMNode)];
    if (const TStationaryShape* shape = slot.shape.load(std::memory_order_acquire))
      return *shape;
    std::lock_guard lock(slot.solving);
    if (const TStationaryShape* shape = slot.shape.load(std::memory_order_acquire))
      return *shape;
    const double v = static_cast<double>(iv) / kLatticeV;
    const double k = 1 / v - 1, m = std::exp(static_cast<double>(im) / kLatticeLnM);
    // From this machine's store when an earlier session solved the node (shape_store.h).
    const auto& store = ShapeStoreDirectory();
    std::optional<TShapeNodes> stored = store ? LoadShapeNodes(*store, iv, im, k, m) : std::nullopt;
    TShapeNodes nodes = stored ? std::move(*stored) : SolveStationaryShape(k, m);
    if (store && !stored)
      StoreShapeNodes(*store, iv, im, k, m, nodes);
    slot.owner = std::make_unique<const TStationaryShape>(k, m, nodes.Step, std::move(nodes.Density));
    slot.shape.store(slot.owner.get(), std::memory_order_release);
    return *slot.owner;
  }

 private:
  static constexpr std::size_t kLnMNodes = kHighestLnMNode - kLowestLnMNode + 1;
  std::array<TNodeSlot, (kLatticeV - 1) * kLnMNodes> slots_;
};

TNodeTable& Nodes() {
  static TNodeTable table;
  return table;
}

// One corner of the cell: its shape (null for the independent limit), m, and the conditional
// moments of its continuous part.
struct TCorner {
  const TStationaryShape* shape = nullptr;
  double m = 0;
  double mass = 0;  // 1 - e^-m
  double mean = 0, sd = 0;
  double weight = 0;

  double Distribution(double s) const {
    return shape ? shape->Distribution(s) : IndependentShapeDistribution(m, s);
  }
};

struct TShapeMoments {
  double mass, mean, sd;
};

TShapeMoments ConditionalMoments(double v, double m) {
  const double mass = -std::expm1(-m);
  // (k + 1)(1 - e^(-m/(k+1))) = (1 - e^(-m v))/v, m at v = 0.
  const double half_variance = v > 0 ? -std::expm1(-m * v) / v : m;
  const double second = (2 * half_variance + m * m) / mass;
  const double mean = m / mass;
  return {mass, mean, std::sqrt(std::max(second - mean * mean, 1e-300))};
}

// The corner (iv, im); on the independent limit's row (iv = 0) the closed form serves any m, so
// `exact_m` > 0 puts that corner at the law's own m instead of a node's.
TCorner CornerAt(int iv, int im, double weight, double exact_m = 0) {
  TCorner c;
  const double v = static_cast<double>(iv) / kLatticeV;
  c.m = iv == 0 && exact_m > 0 ? exact_m : std::exp(static_cast<double>(im) / kLatticeLnM);
  if (iv > 0)
    c.shape = &Nodes().At(iv, im);
  const TShapeMoments moments = ConditionalMoments(v, c.m);
  c.mass = moments.mass;
  c.mean = moments.mean;
  c.sd = moments.sd;
  c.weight = weight;
  return c;
}

struct TCell {
  std::array<TCorner, 4> corners;
  int count = 0;
  TShapeMoments own{};
};

TCell CellOf(const TStationaryLaw& law) {
  TCell cell;
  const double m = law.b * law.c0 * law.A;
  // The lattice's reach; beyond it (or for parameters that are not positive numbers) no shape.
  if (!(m >= kLatticeSmallestM && m <= kLatticeLargestM) || !(law.c0 > 0) || !(law.A > 0) || !(law.k > 0) ||
      std::isnan(law.k))
    throw EStationaryLawRange();
  const double v = std::isinf(law.k) ? 0.0 : 1 / (law.k + 1);
  cell.own = ConditionalMoments(v, m);
  const double x = std::clamp(v, 0.0, 1.0 - 1.0 / kLatticeV) * kLatticeV;
  const double y = std::log(m) * kLatticeLnM;
  const int iv = std::min(static_cast<int>(std::floor(x)), kLatticeV - 2);
  const int im = static_cast<int>(std::floor(y));
  const double fx = x - iv, fy = y - im;
  std::array<double, 4> weights = {(1 - fx) * (1 - fy), fx * (1 - fy), (1 - fx) * fy, fx * fy};
  const std::array<std::array<int, 2>, 4> offsets = {{{0, 0}, {1, 0}, {0, 1}, {1, 1}}};
  // Next to the independent limit its two corners are one, at the law's own m: the density then
  // tends to the closed form's as k grows, with no step at k = inf.
  const double exact_m = iv == 0 ? m : 0.0;
  if (iv == 0) {
    weights[0] += weights[2];
    weights[2] = 0;
  }
  for (std::size_t c = 0; c < 4; ++c)
    if (weights[c] > 0)
      cell.corners[static_cast<std::size_t>(cell.count++)] =
          CornerAt(iv + offsets[c][0], im + offsets[c][1], weights[c], exact_m);
  return cell;
}

}  // namespace

void LatticeDensity(const TStationaryLaw& law, std::span<const double> rt, std::span<double> out) {
  if (std::isinf(law.k)) {
    StationaryDensity(law, rt, out);
    return;
  }
  const TCell cell = CellOf(law);
  // What each point shares, taken out of the loop (a search evaluates it some 200 times a refit):
  // each corner reads the law's standard units z = (s - mean) / sd at its own mean + sd z, an
  // affine map of s; the solved corners first, the independent limit's (at most one) apart.
  const double inverse_sd = 1 / cell.own.sd;
  std::array<const TStationaryShape*, 4> shapes{};
  std::array<double, 4> factor{}, offset{}, slope{};
  int solved = 0;
  const TCorner* independent = nullptr;
  double independent_factor = 0, independent_offset = 0, independent_slope = 0;
  for (int c = 0; c < cell.count; ++c) {
    const TCorner& corner = cell.corners[static_cast<std::size_t>(c)];
    const double f = corner.weight * corner.sd / corner.mass;
    const double b = corner.sd * inverse_sd;
    const double a = corner.mean - b * cell.own.mean;
    if (!corner.shape) {
      independent = &corner;
      independent_factor = f;
      independent_offset = a;
      independent_slope = b;
      continue;
    }
    const auto j = static_cast<std::size_t>(solved++);
    shapes[j] = corner.shape;
    factor[j] = f;
    offset[j] = a;
    slope[j] = b;
  }
  const double scale = law.c0 * cell.own.mass * inverse_sd;
  // A value the law puts just above A can map below a corner's own 0: that corner's density
  // there is its limit at 0 (a zero would make the density jump where the law's does not).
  constexpr double kLeast = std::numeric_limits<double>::min();
  for (std::size_t i = 0; i < rt.size(); ++i) {
    const double s = law.c0 * (rt[i] - law.A);
    if (!(s > 0)) {
      out[i] = 0;
      continue;
    }
    double standardized = 0;
    for (std::size_t j = 0; j < static_cast<std::size_t>(solved); ++j)
      standardized += factor[j] * shapes[j]->Density(std::max(offset[j] + slope[j] * s, kLeast));
    if (independent)
      standardized += independent_factor *
                      IndependentShapeDensity(independent->m,
                                              std::max(independent_offset + independent_slope * s, kLeast));
    out[i] = scale * standardized;
  }
}

void LatticeDistribution(const TStationaryLaw& law, std::span<const double> rt, std::span<double> out) {
  if (std::isinf(law.k)) {
    for (std::size_t i = 0; i < rt.size(); ++i) out[i] = StationaryDistribution(law, rt[i]);
    return;
  }
  const TCell cell = CellOf(law);
  const double atom = 1 - cell.own.mass;
  for (std::size_t i = 0; i < rt.size(); ++i) {
    const double s = law.c0 * (rt[i] - law.A);
    if (rt[i] < law.A) {
      out[i] = 0;
      continue;
    }
    if (!(s > 0)) {
      out[i] = atom;
      continue;
    }
    const double z = (s - cell.own.mean) / cell.own.sd;
    double conditional = 0;
    for (int c = 0; c < cell.count; ++c) {
      const TCorner& corner = cell.corners[static_cast<std::size_t>(c)];
      const double at = std::max(corner.mean + corner.sd * z, 0.0);
      conditional += corner.weight * (corner.Distribution(at) - (1 - corner.mass)) / corner.mass;
    }
    out[i] = std::clamp(atom + cell.own.mass * conditional, 0.0, 1.0);
  }
}

double LatticeDistribution(const TStationaryLaw& law, double rt) {
  double F = 0;
  LatticeDistribution(law, std::span<const double>(&rt, 1), std::span<double>(&F, 1));
  return F;
}

}  // namespace corvane
