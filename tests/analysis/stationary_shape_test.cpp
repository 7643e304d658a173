#include "analysis/stationary_shape.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <thread>
#include <vector>

#include "analysis/shape_lattice.h"
#include "analysis/stationary_law.h"
#include "analysis/stationary_shape_solver.h"

namespace corvane {
namespace {

struct TShapeCase {
  double k, m;
  double tolerance;  // relative, for the mean and variance
};

// The four parameter sets' shapes: (5, 1, 1, .5, .5, 5), (3, .6, 1.5, .9, .7, 6),
// (1, .5, 2, .25, 1, 1), (0.3, 1, 0.8333, 20, 40, 0.4375). At k = 0.5, m = 2.5 the kinks where
// Y'_m reaches 0 leave a few 1e-4 (stationary_shape.h).
const TShapeCase kCases[] = {{0.5, 2.5, 5e-4}, {1.5, 0.84, 1e-4}, {0.5, 0.25, 1e-4}, {20, 14.4, 1e-4}};

struct TMoments {
  double Mass = 0, Mean = 0, Variance = 0;
};

TMoments MomentsOf(const TStationaryShape& shape) {
  TMoments r;
  double m2 = 0;
  const double ds = shape.Step() / 16;
  for (double s = ds / 2; s < shape.End(); s += ds) {
    const double f = shape.Density(s) * ds;
    r.Mass += f;
    r.Mean += s * f;
    m2 += s * s * f;
  }
  r.Variance = m2 - r.Mean * r.Mean;  // the atom sits at 0
  return r;
}

TEST(StationaryShapeTest, MassMeanAndVarianceEqualTheClosedForm) {
  for (const TShapeCase& c : kCases) {
    const auto shape = StationaryShape(c.k, c.m);
    const TMoments moments = MomentsOf(*shape);
    const double variance = 2 * (c.k + 1) * -std::expm1(-c.m / (c.k + 1));
    EXPECT_NEAR(moments.Mass, 1 - std::exp(-c.m), 1e-6) << c.k << " " << c.m;
    EXPECT_NEAR(shape->ContinuousMass(), 1 - std::exp(-c.m), 1e-12) << c.k << " " << c.m;
    EXPECT_NEAR(moments.Mean, c.m, c.tolerance * c.m) << c.k << " " << c.m;
    EXPECT_NEAR(moments.Variance, variance, c.tolerance * variance) << c.k << " " << c.m;
    EXPECT_DOUBLE_EQ(shape->Atom(), std::exp(-c.m));
  }
}

// The stated accuracy by halving the grid: the distribution functions of the default grid and of
// one twice as fine agree within it everywhere.
TEST(StationaryShapeTest, HalvingTheGridMovesTheDistributionLessThanTheStatedAccuracy) {
  for (const TShapeCase& c : kCases) {
    // The default grid (steps of 0.1, at least 8 in m) and one of half its step.
    const double step = std::min(0.1, c.m / 8);
    const TShapeNodes coarse = SolveStationaryShape(c.k, c.m, step);
    const TShapeNodes fine = SolveStationaryShape(c.k, c.m, step / 2);
    const TStationaryShape a(c.k, c.m, coarse.Step, coarse.Density);
    const TStationaryShape b(c.k, c.m, fine.Step, fine.Density);
    // The solves' own mass, before the table is scaled to 1 - atom.
    EXPECT_NEAR(a.SolvedMass(), 1 - a.Atom(), c.tolerance) << c.k << " " << c.m;
    EXPECT_NEAR(b.SolvedMass(), 1 - b.Atom(), c.tolerance) << c.k << " " << c.m;
    double worst = 0;
    for (double s = 0; s < a.End(); s += 0.05)
      worst = std::max(worst, std::fabs(a.Distribution(s) - b.Distribution(s)));
    EXPECT_LT(worst, c.tolerance) << c.k << " " << c.m;
    EXPECT_GT(worst, 0) << "the two grids must differ";
  }
}

// Large m with k >= 2 takes the three-grid scheme (below k = 4 with the graded starts): its
// moments against the closed form, and its distribution function against a solve at half the
// node spacing, at the accuracy stationary_shape_solver.h states.
TEST(StationaryShapeTest, ThreeGridShapesOfLargeMMatchTheClosedForm) {
  const TShapeCase cases[] = {{20, 50, 2e-4}, {1000, 50, 3e-4}, {5, 5, 1e-4},
                              {4, 20, 1e-4},  {3, 22, 5e-5},    {2, 12, 5e-5}};
  for (const TShapeCase& c : cases) {
    const TShapeNodes nodes = SolveStationaryShape(c.k, c.m);
    const TStationaryShape shape(c.k, c.m, nodes.Step, nodes.Density);
    const TMoments moments = MomentsOf(shape);
    const double variance = 2 * (c.k + 1) * -std::expm1(-c.m / (c.k + 1));
    // The solve's own mass, before the table is scaled: the graded starts of small k leave more.
    EXPECT_NEAR(shape.SolvedMass(), 1 - std::exp(-c.m), c.k < 4 ? 2.5e-6 : 1e-6) << c.k << " " << c.m;
    EXPECT_NEAR(moments.Mean, c.m, c.tolerance * c.m) << c.k << " " << c.m;
    EXPECT_NEAR(moments.Variance, variance, c.tolerance * variance) << c.k << " " << c.m;
    if (c.k < 4) {
      const TShapeNodes finer = SolveStationaryShape(c.k, c.m, 0.05);
      const TStationaryShape fine(c.k, c.m, finer.Step, finer.Density);
      double worst = 0;
      for (double s = 0; s < shape.End(); s += 0.05)
        worst = std::max(worst, std::fabs(shape.Distribution(s) - fine.Distribution(s)));
      EXPECT_LT(worst, 5e-5) << c.k << " " << c.m;
    }
  }
}

// Small k: the density below the mode, where the starts' lattices reach 0, is as smooth as above
// it. Its nodes against a solve at half the node spacing, wherever the density is above 1e-3 of its
// peak, and its moments against the closed form.
TEST(StationaryShapeTest, SmallKShapesAreSmoothBelowTheirMode) {
  const struct {
    double k, m;
    double density;  // relative, against the finer solve
    double moments;  // relative, mean and variance
  } cases[] = {{0.2, 50, 3e-3, 2e-4}, {0.5, 20, 5e-4, 1e-4}, {1, 10, 3e-4, 5e-5}, {1.5, 35, 3e-4, 5e-5}};
  for (const auto& c : cases) {
    const TShapeNodes nodes = SolveStationaryShape(c.k, c.m);
    const TShapeNodes finer = SolveStationaryShape(c.k, c.m, 0.05);
    const TStationaryShape shape(c.k, c.m, nodes.Step, nodes.Density);
    const TStationaryShape fine(c.k, c.m, finer.Step, finer.Density);
    const double peak = *std::max_element(finer.Density.begin(), finer.Density.end());
    double worst = 0, worst_at = 0;
    for (double s = 0.025; s < fine.End(); s += 0.05) {
      const double f = fine.Density(s);
      if (f > 1e-3 * peak && std::fabs(shape.Density(s) / f - 1) > worst) {
        worst = std::fabs(shape.Density(s) / f - 1);
        worst_at = s;
      }
    }
    EXPECT_LT(worst, c.density) << c.k << " " << c.m << " at s = " << worst_at;
    const TMoments moments = MomentsOf(shape);
    const double variance = 2 * (c.k + 1) * -std::expm1(-c.m / (c.k + 1));
    EXPECT_NEAR(moments.Mean, c.m, c.moments * c.m) << c.k << " " << c.m;
    EXPECT_NEAR(moments.Variance, variance, c.moments * variance) << c.k << " " << c.m;
  }
}

// Every vector width this processor has gives the widest's figures (a lane's sums are its start's
// alone; the shared window of bins adds below 1e-18 of a start's mass).
TEST(StationaryShapeTest, EveryLaneWidthGivesTheSameShape) {
  for (const auto& [k, m] : {std::pair{0.5, 5.0}, std::pair{20.0, 14.4}, std::pair{3.0, 2.4}}) {
    const std::vector<double> widest = SolveShapeOnGrid(k, m, 0.1);
    const double peak = *std::max_element(widest.begin(), widest.end());
    for (std::size_t lanes : {2, 4, 8}) {
      if (lanes > WidestShapeLanes())
        continue;
      const std::vector<double> other = SolveShapeOnGrid(k, m, 0.1, lanes);
      ASSERT_EQ(other.size(), widest.size());
      for (std::size_t j = 0; j < widest.size(); ++j)
        ASSERT_NEAR(other[j], widest[j], 1e-14 * peak)
            << k << " " << m << " lanes " << lanes << " node " << j;
    }
  }
}

TEST(StationaryShapeTest, SolvesRefuseParametersOutsideTheirRange) {
  const double nan = std::nan(""), inf = INFINITY;
  const struct {
    double k, m, step;
  } cases[] = {{1, 0, 0.1},  {1, -1, 0.1},  {1, nan, 0.1}, {1, inf, 0.1}, {0, 1, 0.1},
               {-2, 1, 0.1}, {nan, 1, 0.1}, {inf, 1, 0.1}, {1, 1, 0},     {1, 1, nan}};
  for (const auto& c : cases) {
    try {
      SolveStationaryShape(c.k, c.m, c.step);
      ADD_FAILURE() << "no exception at " << c.k << " " << c.m << " " << c.step;
    } catch (const EShapeSolveRange& e) {
      EXPECT_STREQ(e.what(), "A shape needs finite k, m and step above 0");
    }
    EXPECT_THROW(SolveShapeOnGrid(c.k, c.m, c.step), EShapeSolveRange) << c.k << " " << c.m << " " << c.step;
  }
}

// The lattice's node table filled from several threads at once: every thread reads the same
// densities, and the same as a later call.
TEST(StationaryShapeTest, LatticeNodesFilledFromThreadsAgree) {
  const TStationaryLaw law{0.37, 1.3, 11.3, 23.1};  // a cell no other test touches
  std::vector<double> rt(200);
  for (std::size_t i = 0; i < rt.size(); ++i) rt[i] = 0.38 + 0.005 * static_cast<double>(i);
  std::vector<std::vector<double>> seen(4, std::vector<double>(rt.size()));
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < seen.size(); ++i)
    threads.emplace_back([&, i] { LatticeDensity(law, rt, seen[i]); });
  for (std::thread& t : threads) t.join();
  std::vector<double> again(rt.size());
  LatticeDensity(law, rt, again);
  for (const auto& s : seen) EXPECT_EQ(s, again);
  EXPECT_GT(*std::max_element(again.begin(), again.end()), 0);
}

TEST(StationaryShapeTest, LargeKApproachesTheIndependentLimit) {
  // The difference is of order m/k: at k = 2,000 and m = 2, about 1e-3 of the variance.
  const double m = 2, k = 2000;
  const auto shape = StationaryShape(k, m);
  for (double s : {0.3, 1.0, 2.0, 3.5, 6.0}) {
    EXPECT_NEAR(shape->Distribution(s), IndependentShapeDistribution(m, s), 5e-4) << s;
    EXPECT_NEAR(shape->Density(s), IndependentShapeDensity(m, s), 5e-4) << s;
  }
  // From kIndependentLimitK on the law is the limit's: at k = 1e6 within 1e-4 of it.
  const TStationaryLaw law{1, 2, 1e6, 1};
  for (double rt : {1.3, 2.0, 3.0, 4.5})
    EXPECT_NEAR(StationaryDistribution(law, rt), IndependentShapeDistribution(2, rt - 1), 1e-12);
}

TEST(StationaryShapeTest, DistributionQuantileAndDensityAgree) {
  const auto shape = StationaryShape(1.5, 0.84);
  EXPECT_EQ(shape->Distribution(-1e-12), 0);
  EXPECT_DOUBLE_EQ(shape->Distribution(0), shape->Atom());
  EXPECT_EQ(shape->Quantile(shape->Atom()), 0);
  double previous = 0;
  for (double s = 0.01; s < 12; s += 0.01) {
    const double F = shape->Distribution(s);
    ASSERT_GE(F, previous) << s;
    previous = F;
    if (F < 1 - 1e-9 && F > shape->Atom() + 1e-9) {
      EXPECT_NEAR(shape->Quantile(F), s, 1e-9) << s;
    }
    // The distribution's slope is the density.
    const double slope = (shape->Distribution(s + 1e-5) - shape->Distribution(s - 1e-5)) / 2e-5;
    EXPECT_NEAR(slope, shape->Density(s), 1e-5 + 1e-5 * shape->Density(s)) << s;
  }
  EXPECT_NEAR(shape->Distribution(1e9), 1, 1e-12);
}

// Nodes sampled from a cubic: every cell's interpolant, the first and last (whose four nodes lie
// to one side) included, is that cubic, so the density between the nodes is known exactly.
TEST(StationaryShapeTest, DensityBetweenNodesIsTheCubicThroughThem) {
  const auto cubic = [](double s) { return 1 + s - 0.3 * s * s + 0.02 * s * s * s; };
  const double step = 0.5;
  std::vector<double> nodes;
  for (int j = 0; j < 10; ++j) nodes.push_back(cubic(j * step));
  const TStationaryShape shape(2, 1, step, nodes);
  const double scale = shape.Density(step) / cubic(step);  // the nodes are scaled to the mass
  for (double s = 0.013; s < shape.End(); s += 0.0371)
    EXPECT_NEAR(shape.Density(s), scale * cubic(s), 1e-13) << s;
  EXPECT_EQ(shape.Density(0), 0);
  EXPECT_EQ(shape.Density(shape.End()), 0);
}

TEST(StationaryShapeTest, CacheHandsEveryThreadTheOneShape) {
  const double k = 2.25, m = 0.7;
  std::vector<std::shared_ptr<const TStationaryShape>> seen(4);
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < seen.size(); ++i)
    threads.emplace_back([&seen, i, k, m] { seen[i] = StationaryShape(k, m); });
  for (std::thread& t : threads) t.join();
  for (const auto& shape : seen) EXPECT_EQ(shape.get(), seen[0].get());
  EXPECT_EQ(StationaryShape(k, m).get(), seen[0].get());
  EXPECT_NE(StationaryShape(k, std::nextafter(m, 1.0)).get(), seen[0].get());
}

TEST(StationaryShapeTest, CacheStaysBounded) {
  const auto first = StationaryShape(30, 0.1);
  EXPECT_EQ(StationaryShape(30, 0.1).get(), first.get());
  for (std::size_t i = 1; i <= kShapeCacheSize; ++i)
    StationaryShape(30, 0.1 + 0.001 * static_cast<double>(i));
  // The first shape has left the cache: asked again, it is solved afresh.
  EXPECT_NE(StationaryShape(30, 0.1).get(), first.get());
}

}  // namespace
}  // namespace corvane
