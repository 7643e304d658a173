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

// The lattice's node tables, one a level: every node the level's lattice can reach has a slot,
// filled on first use and kept for the session. Reading a filled slot is one atomic load (no lock,
// no reference count touched by the threads of a bootstrap); a slot is filled under its own mutex,
// so two threads asking for one node solve it once and threads asking for others do not wait.
struct TNodeSlot {
  std::atomic<const TStationaryShape*> shape{nullptr};
  std::mutex solving;
  std::unique_ptr<const TStationaryShape> owner;
};

class TNodeTable {
 public:
  explicit TNodeTable(TLatticeLevel level)
      : level_(level),
        steps_(LatticeSteps(level)),
        // Every node whose cell a reachable m falls in: floor(ln m ln_m) over the lattice's range of m.
        lowest_(static_cast<int>(std::floor(std::log(kLatticeSmallestM) * steps_.ln_m))),
        highest_(static_cast<int>(std::floor(std::log(kLatticeLargestM) * steps_.ln_m)) + 1),
        slots_(std::make_unique<TNodeSlot[]>(
            static_cast<std::size_t>((steps_.v - 1) * (highest_ - lowest_ + 1)))) {}

  const TStationaryShape& At(int iv, int im) {
    assert(iv >= 1 && iv < steps_.v && im >= lowest_ && im <= highest_);
    TNodeSlot& slot = slots_[static_cast<std::size_t>((iv - 1) * (highest_ - lowest_ + 1) + (im - lowest_))];
    if (const TStationaryShape* shape = slot.shape.load(std::memory_order_acquire))
      return *shape;
    std::lock_guard lock(slot.solving);
    if (const TStationaryShape* shape = slot.shape.load(std::memory_order_acquire))
      return *shape;
    const double v = static_cast<double>(iv) / steps_.v;
    const double k = 1 / v - 1, m = std::exp(static_cast<double>(im) / steps_.ln_m);
    // From this machine's store when an earlier session solved the node (shape_store.h).
    const auto& store = ShapeStoreDirectory(level_);
    std::optional<TShapeNodes> stored = store ? LoadShapeNodes(*store, iv, im, k, m) : std::nullopt;
    TShapeNodes nodes = stored ? std::move(*stored) : SolveStationaryShape(k, m, steps_.solve_step);
    if (store && !stored)
      StoreShapeNodes(*store, iv, im, k, m, nodes);
    slot.owner = std::make_unique<const TStationaryShape>(k, m, nodes.Step, std::move(nodes.Density));
    slot.shape.store(slot.owner.get(), std::memory_order_release);
    return *slot.owner;
  }

 private:
  TLatticeLevel level_;
  TLatticeSteps steps_;
  int lowest_, highest_;
  std::unique_ptr<TNodeSlot[]> slots_;
};

// Each table made on its first use: the fine one's 26,000 slots only where a long series asks.
TNodeTable& Nodes(TLatticeLevel level) {
  if (level == TLatticeLevel::Fine) {
    static TNodeTable fine(TLatticeLevel::Fine);
    return fine;
  }
  static TNodeTable standard(TLatticeLevel::Standard);
  return standard;
}

// One corner of the cell: its shape (null for the independent limit), m, and the conditional
// moments of its continuous part.
struct TCorner {
  const TStationaryShape* shape = nullptr;
  double m = 0;
  double mass = 0;  // 1 - e^-m
  double mean = 0, sd = 0;
  double weight = 0;
  double weight_x = 0, weight_y = 0;  // the weight's slopes in the cell's coordinates
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
TCorner CornerAt(TLatticeLevel level, int iv, int im, double weight, double exact_m = 0) {
  TCorner c;
  const TLatticeSteps steps = LatticeSteps(level);
  const double v = static_cast<double>(iv) / steps.v;
  c.m = iv == 0 && exact_m > 0 ? exact_m : std::exp(static_cast<double>(im) / steps.ln_m);
  if (iv > 0)
    c.shape = &Nodes(level).At(iv, im);
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
  double m = 0, v = 0;  // the law's
  TShapeMoments own{};
  TLatticeSteps steps{};
};

// `all_corners`: also the corners whose weight is 0 (a law on a face or node), whose shapes the
// slopes across that face need.
TCell CellOf(const TStationaryLaw& law, TLatticeLevel level, bool all_corners = false) {
  TCell cell;
  const TLatticeSteps steps = LatticeSteps(level);
  cell.steps = steps;
  const double m = law.b * law.c0 * law.A;
  // The lattice's reach; beyond it (or for parameters that are not positive numbers) no shape.
  if (!(m >= kLatticeSmallestM && m <= kLatticeLargestM) || !(law.c0 > 0) || !(law.A > 0) || !(law.k > 0) ||
      std::isnan(law.k))
    throw EStationaryLawRange();
  const double v = std::isinf(law.k) ? 0.0 : 1 / (law.k + 1);
  cell.m = m;
  cell.v = v;
  cell.own = ConditionalMoments(v, m);
  const double x = std::clamp(v, 0.0, 1.0 - 1.0 / steps.v) * steps.v;
  const double y = std::log(m) * steps.ln_m;
  const int iv = std::min(static_cast<int>(std::floor(x)), steps.v - 2);
  const int im = static_cast<int>(std::floor(y));
  const double fx = x - iv, fy = y - im;
  std::array<double, 4> weights = {(1 - fx) * (1 - fy), fx * (1 - fy), (1 - fx) * fy, fx * fy};
  std::array<double, 4> weights_x = {-(1 - fy), 1 - fy, -fy, fy};
  std::array<double, 4> weights_y = {-(1 - fx), -fx, 1 - fx, fx};
  const std::array<std::array<int, 2>, 4> offsets = {{{0, 0}, {1, 0}, {0, 1}, {1, 1}}};
  // Next to the independent limit its two corners are one, at the law's own m: the density then
  // tends to the closed form's as k grows, with no step at k = inf.
  const double exact_m = iv == 0 ? m : 0.0;
  if (iv == 0) {
    weights[0] += weights[2];
    weights_x[0] += weights_x[2];
    weights_y[0] += weights_y[2];
    weights[2] = weights_x[2] = weights_y[2] = 0;
  }
  for (std::size_t c = 0; c < 4; ++c)
    if (weights[c] > 0 || (all_corners && !(iv == 0 && c == 2))) {
      TCorner& corner = cell.corners[static_cast<std::size_t>(cell.count++)];
      corner = CornerAt(level, iv + offsets[c][0], im + offsets[c][1], weights[c], exact_m);
      corner.weight_x = weights_x[c];
      corner.weight_y = weights_y[c];
    }
  return cell;
}

}  // namespace

void LatticeDensity(const TStationaryLaw& law, std::span<const double> rt, std::span<double> out,
                    TLatticeLevel level) {
  if (std::isinf(law.k)) {
    StationaryDensity(law, rt, out);
    return;
  }
  const TCell cell = CellOf(law, level);
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

namespace {

// The conditional moments' slopes: mass, mean and SD in m, and the SD in v (the others do not
// depend on v).
struct TMomentSlopes {
  double mass_m, mean_m, sd_m, sd_v;
};

TMomentSlopes MomentSlopesOf(double v, double m, const TShapeMoments& moments) {
  TMomentSlopes d{};
  const double mass = moments.mass;
  d.mass_m = std::exp(-m);
  d.mean_m = 1 / mass - m * d.mass_m / (mass * mass);
  // half_variance h = (1 - e^(-m v))/v: dh/dm = e^(-m v); dh/dv by its series where the
  // closed form cancels.
  const double mv = m * v;
  const double h = v > 0 ? -std::expm1(-mv) / v : m;
  const double h_m = std::exp(-mv);
  const double h_v =
      mv < 1e-3 ? m * m * (-0.5 + mv / 3 - mv * mv / 8) : (mv * std::exp(-mv) + std::expm1(-mv)) / (v * v);
  const double second = (2 * h + m * m) / mass;
  const double second_m = (2 * h_m + 2 * m) / mass - second * d.mass_m / mass;
  const double second_v = 2 * h_v / mass;
  d.sd_m = (second_m - 2 * moments.mean * d.mean_m) / (2 * moments.sd);
  d.sd_v = second_v / (2 * moments.sd);
  return d;
}

}  // namespace

void LatticeDensityAndScores(const TStationaryLaw& law, std::span<const double> rt, std::span<double> out,
                             std::span<double> scores, TLatticeLevel level) {
  const std::size_t n = rt.size();
  // At k = inf the cell next to it serves: at v = 0 its density is the closed form's, and its
  // slope in v is the one a climb leaving the boundary meets.
  const TCell cell = CellOf(law, level, true);
  const double m = cell.m;
  const TShapeMoments& own = cell.own;
  const TMomentSlopes own_d = MomentSlopesOf(cell.v, m, own);
  // Per corner: its factor (weight sd / mass) and that factor's slopes in m and v.
  std::array<double, 4> factor{}, factor_m{}, factor_v{}, mean_m{}, sd_m{};
  for (int c = 0; c < cell.count; ++c) {
    const TCorner& corner = cell.corners[static_cast<std::size_t>(c)];
    const auto j = static_cast<std::size_t>(c);
    const double F = corner.sd / corner.mass;
    factor[j] = corner.weight * F;
    factor_m[j] = corner.weight_y * cell.steps.ln_m / m * F;
    factor_v[j] = corner.weight_x * cell.steps.v * F;
    if (!corner.shape) {
      // The independent corner sits at the law's own m: its moments move with it.
      const TMomentSlopes d = MomentSlopesOf(0, corner.m, {corner.mass, corner.mean, corner.sd});
      mean_m[j] = d.mean_m;
      sd_m[j] = d.sd_m;
      factor_m[j] += corner.weight * F * (d.sd_m / corner.sd - d.mass_m / corner.mass);
    }
  }
  const double inverse_sd = 1 / own.sd;
  const double scale = law.c0 * own.mass * inverse_sd;
  const double z_m_mean = -own_d.mean_m * inverse_sd, z_m_sd = -own_d.sd_m * inverse_sd;
  const double z_v_sd = -own_d.sd_v * inverse_sd;
  // The solved corners' constants side by side, the independent limit's (at most one) apart, as in
  // LatticeDensity: the climbs' evaluations with scores are most of a refit's time.
  std::array<const TStationaryShape*, 4> shapes{};
  std::array<double, 4> mean{}, sd{}, weighted{}, weighted_sd{}, weighted_m{}, weighted_v{};
  int solved = 0;
  int independent = -1;
  for (int c = 0; c < cell.count; ++c) {
    const auto j = static_cast<std::size_t>(c);
    if (!cell.corners[j].shape) {
      independent = c;
      continue;
    }
    const auto q = static_cast<std::size_t>(solved++);
    shapes[q] = cell.corners[j].shape;
    mean[q] = cell.corners[j].mean;
    sd[q] = cell.corners[j].sd;
    weighted[q] = factor[j];
    weighted_sd[q] = factor[j] * cell.corners[j].sd;
    weighted_m[q] = factor_m[j];
    weighted_v[q] = factor_v[j];
  }
  constexpr double kLeast = std::numeric_limits<double>::min();
  for (std::size_t i = 0; i < n; ++i) {
    const double s = law.c0 * (rt[i] - law.A);
    double G = 0, G_s = 0, G_m = 0, G_v = 0;
    if (s > 0) {
      const double z = (s - own.mean) * inverse_sd;
      const double z_m = z_m_mean + z * z_m_sd, z_v = z * z_v_sd;
      // Per solved corner: its density f and slope f_s at its own mean + sd z; the sums of
      // factor f, factor f_s sd (the slope's share, in s, m and v alike) and the factors' slopes times f.
      double slope_sum = 0;
      for (std::size_t q = 0; q < static_cast<std::size_t>(solved); ++q) {
        const double mapped = mean[q] + sd[q] * z;
        double f_s = 0;
        const double f = shapes[q]->Density(std::max(mapped, kLeast), f_s);
        if (!(mapped >= kLeast))
          f_s = 0;  // held at the corner's 0 (LatticeDensity): no slope
        G += weighted[q] * f;
        slope_sum += weighted_sd[q] * f_s;
        G_m += weighted_m[q] * f;
        G_v += weighted_v[q] * f;
      }
      G_s += slope_sum;
      G_m += slope_sum * z_m;
      G_v += slope_sum * z_v;
      if (independent >= 0) {
        const auto j = static_cast<std::size_t>(independent);
        const TCorner& corner = cell.corners[j];
        const double mapped = corner.mean + corner.sd * z;
        const double at = std::max(mapped, kLeast);
        double log_s = 0, log_m = 0;
        const double f = IndependentShapeDensity(corner.m, at, log_s, log_m);
        const double f_s = mapped != at ? 0.0 : f * log_s;
        const double at_m = corner.sd * z_m + mean_m[j] + sd_m[j] * z;
        G += factor[j] * f;
        G_s += factor[j] * f_s * corner.sd;
        G_m += factor_m[j] * f + factor[j] * f * log_m + factor[j] * f_s * at_m;
        G_v += factor_v[j] * f + factor[j] * f_s * corner.sd * z_v;
      }
    }
    out[i] = scale * G;
    if (!(G > 0)) {
      for (std::size_t q = 0; q < 4; ++q) scores[q * n + i] = 0;
      continue;
    }
    const double inverse_G = 1 / G;
    scores[0 * n + i] = m * (own_d.mass_m / own.mass - own_d.sd_m * inverse_sd + G_m * inverse_G);
    scores[1 * n + i] = 1 + G_s * s * inverse_sd * inverse_G;
    scores[2 * n + i] = -own_d.sd_v * inverse_sd + G_v * inverse_G;
    scores[3 * n + i] = -G_s * law.c0 * inverse_sd * inverse_G;
  }
}

void LatticeDistribution(const TStationaryLaw& law, std::span<const double> rt, std::span<double> out) {
  if (std::isinf(law.k)) {
    const TIndependentDistribution independent(StationaryDistractionMean(law));
    for (std::size_t i = 0; i < rt.size(); ++i) out[i] = independent(law.c0 * (rt[i] - law.A));
    return;
  }
  const TCell cell = CellOf(law, TLatticeLevel::Standard);
  // The independent limit's corner (at most one) at the law's own m: its weights found once.
  std::optional<TIndependentDistribution> independent;
  for (int c = 0; c < cell.count; ++c)
    if (!cell.corners[static_cast<std::size_t>(c)].shape)
      independent.emplace(cell.corners[static_cast<std::size_t>(c)].m);
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
      const double F = corner.shape ? corner.shape->Distribution(at) : (*independent)(at);
      conditional += corner.weight * (F - (1 - corner.mass)) / corner.mass;
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
