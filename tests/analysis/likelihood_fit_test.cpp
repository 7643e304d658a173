// The likelihood fit and its parts: the data's resolution, the dependence verdict's sentences,
// the field's standard distributions, the model's ML on its own series, the boundary k = inf,
// intervals that contain their estimates with no replicate left out, and the refusals.
#include "analysis/likelihood_fit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <span>
#include <stop_token>
#include <vector>

#include "analysis/data_resolution.h"
#include "analysis/dependence_verdict.h"
#include "analysis/model_fit.h"
#include "analysis/shape_lattice.h"
#include "analysis/stationary_likelihood.h"
#include "analysis/stationary_shape.h"
#include "analysis/stationary_shape_solver.h"
#include "likelihood_support.h"

namespace corvane {
namespace {

using namespace test_support;
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(DataResolutionTest, TheUnitOfTheLastDecimalPlace) {
  struct Case {
    std::vector<double> values;
    double delta;
  };
  const std::vector<Case> cases = {
      {{0.312, 0.45, 1.2, 0.5}, 0.001}, {{0.31, 0.45, 1.2}, 0.01}, {{312, 450, 1201}, 1},
      {{300, 400, 1200}, 100},          {{2.5, 3.75, 4}, 0.01},    {{1e-7, 2e-7}, 1e-7},
      {{0.3125, 0.45, 1.2}, 0.0001},    {{5, 6.000001}, 1e-6},
  };
  for (const Case& c : cases) EXPECT_NEAR(DataResolution(c.values), c.delta, c.delta * 1e-9) << c.values[0];
  // Full precision: the tiny delta of the ties at the minimum.
  const std::vector<double> full = {0.31234567891234, 0.4512345678912, 1.2987654321987};
  EXPECT_NEAR(DataResolution(full), 2 * kAtomTolerance * full[0], 1e-22);
}

TEST(ShapeLatticeTest, ExactAtNodesAndInfinityCloseBetween) {
  struct Case {
    TStationaryLaw law;
    double tolerance;  // relative, density and distribution, in the bulk
  };
  const std::vector<Case> cases = {
      {{1, 1, 3, 1}, 1e-12},                   // a node: v = 12/48, ln m = 0
      {{2, 0.5, kInf, 1.5}, 1e-14},            // the independent limit, exact
      {{3, 0.6 / 1.5, 0.9 / 0.6, 0.7}, 1e-3},  // between nodes, m = 0.84
      {{1, 2, 0.5, 1}, 2e-2},                  // k = 0.5, m = 2: near s = 0, 1 %
  };
  for (const Case& c : cases) {
    const double m = c.law.b * c.law.c0 * c.law.A;
    const double sd = std::sqrt(2 * m + 1) / c.law.c0;
    std::vector<double> rt, lattice(5), exact(5);
    for (int i = -1; i <= 3; ++i) rt.push_back(c.law.A + m / c.law.c0 + 0.7 * i * sd);
    LatticeDensity(c.law, rt, lattice);
    StationaryDensity(c.law, rt, exact);
    for (std::size_t i = 0; i < rt.size(); ++i) {
      if (exact[i] > 0) {
        EXPECT_NEAR(lattice[i] / exact[i], 1, c.tolerance) << c.law.k << " " << rt[i];
      }
      EXPECT_NEAR(LatticeDistribution(c.law, rt[i]), StationaryDistribution(c.law, rt[i]), c.tolerance);
    }
    EXPECT_NEAR(LatticeDistribution(c.law, c.law.A), StationaryAtom(c.law), 1e-15);
    EXPECT_EQ(LatticeDistribution(c.law, c.law.A * 0.999), 0);
  }
}

// The fine lattice's own nodes (half the standard's ln m steps) are its own solve at its finer
// step, where the standard lattice interpolates; series from kFineLatticeFromN values on take it.
TEST(ShapeLatticeTest, TheFineLatticeIsItsOwnSolveAtItsNodesAndLongSeriesTakeIt) {
  const double k = 3, m = std::exp(23.0 / 24);  // v = 12/48; between two standard nodes in ln m
  const TStationaryLaw law{1, m, k, 1};
  TShapeNodes nodes = SolveStationaryShape(k, m, LatticeSteps(TLatticeLevel::Fine).solve_step);
  const TStationaryShape solved(k, m, nodes.Step, std::move(nodes.Density));
  std::vector<double> rt, fine(7), standard(7);
  for (int i = 0; i < 7; ++i) rt.push_back(law.A + 0.5 * (i + 1));
  LatticeDensity(law, rt, fine, TLatticeLevel::Fine);
  LatticeDensity(law, rt, standard);
  double apart = 0;
  for (std::size_t i = 0; i < rt.size(); ++i) {
    EXPECT_NEAR(fine[i] / solved.Density(rt[i] - law.A), 1, 1e-12) << rt[i];
    apart = std::max(apart, std::fabs(standard[i] / fine[i] - 1));
  }
  EXPECT_GT(apart, 1e-6);

  std::vector<double> values(kFineLatticeFromN);
  for (std::size_t i = 0; i < values.size(); ++i)
    values[i] = law.A + 0.25 + 3.0 * static_cast<double>(i) / 3000;
  const TLikelihoodData data = LikelihoodDataOf(values, 0.001);
  EXPECT_EQ(data.Lattice, TLatticeLevel::Fine);
  EXPECT_EQ(LikelihoodDataOf(std::span(values).first(kFineLatticeFromN - 1), 0.001).Lattice,
            TLatticeLevel::Standard);
  std::vector<double> density(values.size());
  LatticeDensity(law, values, density, TLatticeLevel::Fine);
  long double sum = 0;
  for (const double f : density) sum += std::log(f);
  EXPECT_NEAR(StationaryLogLikelihood(values, law, 0, data), static_cast<double>(sum), 1e-8);
}

// The logLik a search climbs must not step: two steps made spurious maxima that stopped refits
// 0.7 below their series' maximum. One was a corner mapping a value just above A below its own 0
// (density 0 there); the other the independent row's corners at node m while k = inf is exact.
TEST(ShapeLatticeTest, TheLikelihoodHasNoStepsInKNorAtKInfinity) {
  const auto values = RoundedTo(ModelSeries({0.3, 1, 0.8333, 20, 40, 0.4375}, 1000, 6), 0.001);
  const TLikelihoodData data = LikelihoodDataOf(values, 0.001);
  // A a few tenths of a millisecond below the fastest value, as the fit puts it.
  const TStationaryLaw near{data.Minimum - 0.0005, 0.7579, 9.7863, 28.2466};
  // Near its maximum the logLik is concave in v = 1/(k + 1): a step shows as a second difference
  // of the wrong sign (the steps made +0.5; the smooth curve's are about -0.05).
  std::vector<double> log_lik;
  for (double v = 0.08; v <= 0.13; v += 0.0025) {
    TStationaryLaw law = near;
    law.k = 1 / v - 1;
    log_lik.push_back(StationaryLogLikelihood(values, law, 0, data));
  }
  for (std::size_t i = 1; i + 1 < log_lik.size(); ++i)
    EXPECT_LT(log_lik[i - 1] - 2 * log_lik[i] + log_lik[i + 1], 0.05)
        << "v " << 0.08 + 0.0025 * static_cast<double>(i);
  const auto independent = IndependentSeries(5, 0.5, 1, 150, 5, 0.001);
  const TLikelihoodData independent_data = LikelihoodDataOf(independent, 0.001);
  TStationaryLaw law{5, 0.5, kInf, 1.01};
  const double at_infinity = StationaryLogLikelihood(independent, law, 0, independent_data);
  for (const double k : {1e12, 1e8}) {
    law.k = k;
    EXPECT_NEAR(StationaryLogLikelihood(independent, law, 0, independent_data), at_infinity, 1e-6) << k;
  }
}

// The climb's scores are the lattice density's own slopes: against differences of its log, in
// the cell's interior, on the independent limit's row (whose corner moves with m), at k = inf,
// and on a node, where they are the cell above's (the side a forward difference sees).
TEST(ShapeLatticeTest, ScoresAreTheSlopesOfTheLogDensity) {
  // Variables: ln m, ln c0, v = 1/(k + 1), A.
  using TPoint = std::array<double, 4>;
  const auto law_of = [](const TPoint& x) {
    const double m = std::exp(x[0]), c0 = std::exp(x[1]);
    return TStationaryLaw{x[3], m / (c0 * x[3]), x[2] > 0 ? 1 / x[2] - 1 : kInf, c0};
  };
  const std::vector<TPoint> points = {
      {std::log(14.4), std::log(40), 0.0476, 0.3},  // real-shaped, between nodes
      {std::log(14.4), std::log(40), 0.01, 0.3},    // next to the independent limit
      {std::log(14.4), std::log(40), 0, 0.3},       // k = inf
      {std::log(0.84), std::log(1.5), 0.4, 3},      // the second set
      {1.0 / 12, std::log(2), 10.0 / 48, 1},        // on a node in both
  };
  for (const TPoint& x : points) {
    const TStationaryLaw law = law_of(x);
    const double m = std::exp(x[0]);
    std::vector<double> rt;
    for (int i = 1; i <= 12; ++i) rt.push_back(x[3] + m / law.c0 * i / 4);
    const std::size_t n = rt.size();
    std::vector<double> density(n), scores(4 * n), plain(n), up(n), down(n);
    LatticeDensityAndScores(law, rt, density, scores);
    LatticeDensity(law, rt, plain);
    for (std::size_t i = 0; i < n; ++i) EXPECT_NEAR(density[i] / plain[i], 1, 1e-13);
    for (std::size_t q = 0; q < 4; ++q) {
      // Forward in v and ln m (a face's slopes are the cell above's), central in the others.
      const double h = q == 3 ? 1e-7 * x[3] : 1e-6;
      const bool forward = q == 0 || q == 2;
      TPoint above = x, below = x;
      above[q] += h;
      if (!forward)
        below[q] -= h;
      LatticeDensity(law_of(above), rt, up);
      LatticeDensity(law_of(below), rt, down);
      for (std::size_t i = 0; i < n; ++i) {
        const double difference = (std::log(up[i]) - std::log(down[i])) / (above[q] - below[q]);
        EXPECT_NEAR(scores[q * n + i], difference, 1e-4 * (1 + std::fabs(difference)))
            << "variable " << q << " at v " << x[2] << ", value " << i;
      }
    }
  }
}

// Ties at the minimum are an atom's evidence only where the law without one cannot explain them.
TEST(AtomEvidenceTest, OneValueIsNoneTiesBeyondTheLawAreStrong) {
  const TStationaryLaw real_shaped{0.29, 1.2, 20, 40};  // A under every value below
  const TStationaryLaw broad{0.1, 1, 20, 10};           // most of its mass in 0.2-0.4
  struct Case {
    TStationaryLaw law;
    std::vector<double> values;
    double delta;
    double low, high;  // the p-value's range
  };
  const std::vector<Case> cases = {
      {real_shaped, {0.35, 0.41, 0.52, 0.6}, 0.001, 1, 1},                           // one value
      {real_shaped, {0.35, 0.35, 0.41, 0.52, 0.6}, 1e-12, 0, 1e-6},                  // an exact tie
      {real_shaped, {0.35, 0.35, 0.35, 0.41, 0.52, 0.6, 0.7, 0.8}, 0.001, 0, 0.01},  // three at 1 ms
      {broad, {0.3, 0.3, 0.4, 0.5, 0.6, 0.7}, 0.1, 0.05, 1},  // coarse data tie by chance
  };
  for (const Case& c : cases) {
    const double p = AtomShows(c.values, c.law, 0, LikelihoodDataOf(c.values, c.delta));
    EXPECT_GE(p, c.low) << c.values.size() << " " << c.delta;
    EXPECT_LE(p, c.high) << c.values.size() << " " << c.delta;
  }
}

// Real-shaped data (atom e^-14.4) put A below the fastest value, and b's interval follows A's
// ridge: every b the likeliest law takes along A's profile interval lies within b's interval.
TEST(LikelihoodFitTest, RealShapedDataPutABelowTheFastestValueAndBFollowsIt) {
  const auto values = RoundedTo(ModelSeries({0.3, 1, 0.8333, 20, 40, 0.4375}, 200, 3), 0.001);
  TLikelihoodFitOptions options;
  // Refits of n = 200 reach small k, whose shapes cost seconds each unoptimised: fewer there.
#ifdef CORVANE_SANITIZED_BUILD
  options.Replicates = 12;
#else
  options.Replicates = 40;
#endif
  const TLikelihoodFit fit = FitByLikelihood(values, options);
  ASSERT_TRUE(fit.Fitted()) << fit.Message;
  EXPECT_FALSE(fit.AtomAtMinimum);
  EXPECT_LT(fit.Estimates[kFitA], *std::min_element(values.begin(), values.end()));
  EXPECT_EQ(fit.IntervalMethods[kFitA], TIntervalMethod::Profile);
  for (std::size_t p = 0; p < kFitParameterCount; ++p)
    EXPECT_TRUE(fit.Intervals[p].Contains(fit.Estimates[p])) << FitParameterName(static_cast<int>(p));
  TLawEstimate estimate;
  estimate.Law = fit.Law;
  estimate.LogLik = fit.LogLik;
  TLikelihoodOptions likelihood;
  likelihood.Resolution = fit.Resolution;
  for (const double A :
       {fit.Intervals[kFitA].Low * 1.01, (fit.Intervals[kFitA].Low + fit.Estimates[kFitA]) / 2}) {
    const TLawEstimate along = ProfileOfA(values, likelihood, A, estimate);
    if (along.LogLik < fit.LogLik - 1.92)
      continue;
    EXPECT_TRUE(fit.Intervals[kFitB].Contains(along.Law.b)) << "A " << A << " b " << along.Law.b;
  }
  EXPECT_EQ(fit.IntervalMethods[kFitB], TIntervalMethod::AlongA)
      << "A's ridge reaches beyond the bootstrap's";
}

TEST(DependenceVerdictTest, TheSentences) {
  struct Case {
    double data, model, se;
    TDependenceKind kind;
    const char* sentence;
  };
  const std::vector<Case> cases = {
      {0.01, -0.02, 0.07, TDependenceKind::Consistent, "consistent with the model"},
      {0.21, -0.05, 0.02, TDependenceKind::AboveAnyModel,
       "the data's lag-1 (+0.21 +/- 0.02) is above anything the model can produce (< 0): sequential "
       "dependence the model does not describe"},
      {0.21, 0, 0.02, TDependenceKind::AboveAnyModel,
       "the data's lag-1 (+0.21 +/- 0.02) is above anything the model can produce (< 0): sequential "
       "dependence the model does not describe"},
      {-0.05, -0.31, 0.02, TDependenceKind::AboveFittedModel,
       "the data's lag-1 (-0.05 +/- 0.02) is above the fitted model's (-0.31)"},
      {-0.45, -0.31, 0.02, TDependenceKind::BelowFittedModel,
       "the data's lag-1 (-0.45 +/- 0.02) is below the fitted model's (-0.31)"},
      {-0.1, -0.0001, 0.02, TDependenceKind::BelowFittedModel,
       "the data's lag-1 (-0.10 +/- 0.02) is below the fitted model's (+0.00)"},
      // Just inside and just outside 1.96 SE.
      {0.0195, 0, 0.01, TDependenceKind::Consistent, "consistent with the model"},
      {0.0197, 0, 0.01, TDependenceKind::AboveAnyModel, nullptr},
      {0.1, -0.1, kNotANumber, TDependenceKind::Unknown, ""},
      {0.1, -0.1, 0, TDependenceKind::Unknown, ""},
  };
  for (const Case& c : cases) {
    const TDependenceVerdict v = DependenceVerdict(c.data, c.model, c.se);
    EXPECT_EQ(v.Kind, c.kind) << c.data << " " << c.model;
    if (c.sentence != nullptr) {
      EXPECT_EQ(v.Sentence, c.sentence);
    }
  }
}

TEST(StandardDistributionTest, ExGaussianDensityIsStableAndIntegratesToItsDistribution) {
  const double mu = 0.4, sigma = 0.05, tau = 0.15;
  // Direct formula in the bulk.
  for (const double x : {0.3, 0.4, 0.5, 0.9}) {
    const double direct = std::exp(mu / tau + sigma * sigma / (2 * tau * tau) - x / tau) / tau * 0.5 *
                          std::erfc(-((x - mu) / sigma - sigma / tau) / std::sqrt(2.0));
    EXPECT_NEAR(ExGaussianLogDensity(x, mu, sigma, tau), std::log(direct), 1e-10) << x;
  }
  // Far left, where erfc underflows in double: finite, and falling like the normal's log density.
  const double far = ExGaussianLogDensity(-3, mu, sigma, tau);
  EXPECT_TRUE(std::isfinite(far));
  EXPECT_NEAR(far, -0.5 * std::pow((-3 - mu) / sigma, 2), 0.01 * std::pow((-3 - mu) / sigma, 2));
  // The distribution function is the density's integral (midpoint rule).
  double integral = 0;
  const double h = 1e-4;
  for (double x = -0.2 + h / 2; x < 0.7; x += h)
    integral += h * std::exp(ExGaussianLogDensity(x, mu, sigma, tau));
  EXPECT_NEAR(ExGaussianDistribution(0.7, mu, sigma, tau), integral, 1e-6);
}

TEST(StandardDistributionTest, MaximumLikelihoodRecoversBothShapes) {
  const auto exg = ExGaussianSeries(0.4, 0.05, 0.15, 20000, 11);
  const TStandardFit e = FitExGaussian(exg);
  EXPECT_TRUE(e.Converged);
  EXPECT_NEAR(e.Mu, 0.4, 0.005);
  EXPECT_NEAR(e.Sigma, 0.05, 0.004);
  EXPECT_NEAR(e.Tau, 0.15, 0.005);
  EXPECT_NEAR(e.AIC, 6 - 2 * e.LogLik, 1e-9);
  EXPECT_NEAR(e.BIC, 3 * std::log(20000.0) - 2 * e.LogLik, 1e-9);
  // Never less likely than the moment estimates it started from.
  long double at_truth = 0;
  for (const double v : exg) at_truth += ExGaussianLogDensity(v, 0.4, 0.05, 0.15);
  EXPECT_GE(e.LogLik, static_cast<double>(at_truth));

  const auto ln = LognormalSeries(0.25, -1.5, 0.5, 20000, 12);
  const TStandardFit l = FitShiftedLognormal(ln, 1e-12);
  EXPECT_NEAR(l.Shift, 0.25, 0.01);
  EXPECT_NEAR(l.Mu, -1.5, 0.05);
  EXPECT_NEAR(l.Sigma, 0.5, 0.02);
}

TEST(LikelihoodFitTest, RefusesOnlyUnreadableOrConstantData) {
  TLikelihoodFitOptions options;
  options.Replicates = 0;
  struct Case {
    std::vector<double> values;
    TLikelihoodStatus status;
    const char* message;
  };
  std::vector<double> with_zero(25, 1.5);
  with_zero[3] = 0;
  std::vector<double> with_nan(25, 1.5);
  with_nan[4] = kNotANumber;
  const std::vector<Case> cases = {
      {std::vector<double>(19, 1.5), TLikelihoodStatus::TooFewValues,
       "the fit needs at least 20 reaction times; these data have 19"},
      {with_zero, TLikelihoodStatus::NotPositive, "the fit needs reaction times that are finite and above 0"},
      {with_nan, TLikelihoodStatus::NotPositive, "the fit needs reaction times that are finite and above 0"},
      {std::vector<double>(25, 1.5), TLikelihoodStatus::NoVariation,
       "the model predicts reaction times that vary; these data are all 1.5"},
  };
  for (const Case& c : cases) {
    const TLikelihoodFit fit = FitByLikelihood(c.values, options);
    EXPECT_EQ(fit.Status, c.status);
    EXPECT_EQ(fit.Message, c.message);
    EXPECT_TRUE(std::isnan(fit.Estimates[kFitB]));
  }
  auto values = IndependentSeries(0.3, 2, 30, 100, 5, 0.001);
  options.Likelihood.KeepA = true;
  options.Likelihood.A = 10;
  const TLikelihoodFit held = FitByLikelihood(values, options);
  EXPECT_EQ(held.Status, TLikelihoodStatus::AHeldAboveData);
  EXPECT_EQ(held.Message, "A held at 10 is not in (0, 0.496], the fastest reaction time");
}

TEST(LikelihoodFitTest, DataOfTheIndependentLimitGiveTheBoundaryWithItsNote) {
  // The independent limit's own quantiles (m = 1, to the millisecond): nothing but that law, so
  // the likeliest k is infinite, a boundary estimate and not a failure.
  const TStationaryLaw law{2, 0.5, kInf, 1};
  std::vector<double> values(300);
  for (std::size_t i = 0; i < values.size(); ++i)
    values[i] = std::nearbyint(StationaryQuantile(law, (static_cast<double>(i) + 0.5) / 300) * 1000) / 1000;
  TLikelihoodFitOptions options;
  options.Replicates = 0;
  const TLikelihoodFit fit = FitByLikelihood(values, options);
  ASSERT_TRUE(fit.Fitted());
  EXPECT_NEAR(fit.Resolution, 0.001, 1e-12);
  EXPECT_TRUE(fit.Boundary);
  EXPECT_TRUE(fit.AtomAtMinimum);
  EXPECT_EQ(fit.Estimates[kFitA], 2);
  EXPECT_EQ(fit.Estimates[kFitK], kInf);
  EXPECT_EQ(fit.Estimates[kFitC1], kInf);
  EXPECT_EQ(fit.Estimates[kFitY0], kInf);
  EXPECT_NEAR(fit.Estimates[kFitB], 0.5, 0.02);
  EXPECT_NEAR(fit.Estimates[kFitC0], 1, 0.04);
  EXPECT_EQ(fit.Lag1Model, 0);
  // In ascending order the values' lag-1 is far above anything the model produces: the verdict
  // follows the boundary's note.
  EXPECT_GT(fit.Lag1, 0.9);
  EXPECT_EQ(fit.Verdict.Kind, TDependenceKind::AboveAnyModel);
  ASSERT_EQ(fit.Notes.size(), 2u);
  EXPECT_EQ(fit.Notes[0], kBoundaryNote);
  EXPECT_EQ(fit.Message, std::string(kBoundaryNote) + "; " + fit.Verdict.Sentence);
  // Twenty of them: fitted all the same, never refused.
  std::vector<double> twenty;
  for (std::size_t i = 0; i < values.size(); i += 15) twenty.push_back(values[i]);
  ASSERT_EQ(twenty.size(), 20u);
  const TLikelihoodFit small = FitByLikelihood(twenty, options);
  EXPECT_TRUE(small.Fitted());
  for (const int p : {kFitA, kFitB, kFitK, kFitC0})
    EXPECT_FALSE(std::isnan(small.Estimates[static_cast<std::size_t>(p)]));
}

TEST(LikelihoodFitTest, IntervalsContainTheirEstimatesAndNoReplicateIsLeftOut) {
  struct Case {
    std::vector<double> values;
    TIntervalMethod A_method;
  };
  const std::vector<Case> cases = {
      {IndependentSeries(2, 0.5, 1, 60, 32), TIntervalMethod::Exact},
      // A below the fastest value with its profile interval: the slow tests (shapes of large m).
  };
  for (const Case& c : cases) {
    TLikelihoodFitOptions options;
    options.Replicates = 5;
    const TLikelihoodFit fit = FitByLikelihood(c.values, options);
    ASSERT_TRUE(fit.Fitted());
    EXPECT_EQ(fit.Replicates, 5u);
    EXPECT_EQ(fit.FailedReplicates, 0u);
    EXPECT_EQ(fit.IntervalMethods[kFitA], c.A_method);
    for (std::size_t p = 0; p < kFitParameterCount; ++p)
      EXPECT_TRUE(fit.Intervals[p].Contains(fit.Estimates[p])) << FitParameterName(static_cast<int>(p));
    if (c.A_method == TIntervalMethod::Exact)
      EXPECT_EQ(fit.Intervals[kFitA].Low, fit.Intervals[kFitA].High);
    else
      EXPECT_LT(fit.Intervals[kFitA].Low, fit.Estimates[kFitA]);
    EXPECT_GT(fit.GofP, 0);
    EXPECT_LE(fit.GofP, 1);
    EXPECT_GT(fit.Lag1StandardError, 0);
    for (std::size_t q = 0; q < kGoodnessLevels.size(); ++q)
      EXPECT_NEAR(fit.QuantilesModel[q], fit.QuantilesData[q],
                  0.25 * (fit.QuantilesData[4] - fit.QuantilesData[0]));
  }
}

TEST(BootstrapIntervalTest, PercentileElseTheLevelsShareNextToTheEstimate) {
  // The ends are the (B + 1) 2.5 %-th and (B + 1) 97.5 %-th replicates: of 199, the 5th and 195th.
  std::vector<double> ranks(199);
  for (std::size_t r = 0; r < ranks.size(); ++r) ranks[r] = static_cast<double>(ranks.size() - r);
  TIntervalMethod method{};
  TInterval i = BootstrapInterval(ranks, 100, 0.95, method);
  EXPECT_EQ(method, TIntervalMethod::Percentile);
  EXPECT_NEAR(i.Low, 5, 1e-9);
  EXPECT_NEAR(i.High, 195, 1e-9);
  std::vector<double> spread(1000);
  for (std::size_t r = 0; r < spread.size(); ++r) spread[r] = static_cast<double>(r) / 999;
  i = BootstrapInterval(spread, 0.5, 0.95, method);
  EXPECT_EQ(method, TIntervalMethod::Percentile);
  EXPECT_NEAR(i.Low, 0.025, 1e-3);
  EXPECT_NEAR(i.High, 0.975, 1e-3);
  // An estimate beyond the upper percentile, 99 % of replicates below it: 95 % of them below it.
  i = BootstrapInterval(spread, 0.99, 0.95, method);
  EXPECT_EQ(method, TIntervalMethod::Shifted);
  EXPECT_NEAR(i.Low, 0.04, 1e-3);
  EXPECT_EQ(i.High, 0.99);
  // Every replicate below, or above.
  i = BootstrapInterval(spread, 2, 0.95, method);
  EXPECT_EQ(method, TIntervalMethod::Shifted);
  EXPECT_NEAR(i.Low, 0.05, 1e-3);
  EXPECT_EQ(i.High, 2);
  i = BootstrapInterval(spread, -1, 0.95, method);
  EXPECT_EQ(i.Low, -1);
  EXPECT_NEAR(i.High, 0.95, 1e-3);
  // Infinite replicates (k at the boundary): an infinite upper end, never NaN.
  std::vector<double> mixed(spread);
  for (std::size_t j = 900; j < 1000; ++j) mixed[j] = kInf;
  i = BootstrapInterval(mixed, kInf, 0.95, method);
  EXPECT_EQ(i.High, kInf);
  EXPECT_FALSE(std::isnan(i.Low));
}

TEST(LikelihoodFitTest, ResultsDoNotDependOnTheThreadCountAndStopEndsTheWork) {
  const auto values = IndependentSeries(2, 0.5, 1, 60, 41, 0.001);
  TLikelihoodFitOptions options;
  options.Replicates = 6;
  TWorkControl one;
  one.Threads = 1;
  TWorkControl two;
  two.Threads = 2;
  const TLikelihoodFit a = FitByLikelihood(values, options, one);
  const TLikelihoodFit b = FitByLikelihood(values, options, two);
  for (std::size_t p = 0; p < kFitParameterCount; ++p) {
    EXPECT_EQ(a.Intervals[p].Low, b.Intervals[p].Low);
    EXPECT_EQ(a.Intervals[p].High, b.Intervals[p].High);
  }
  EXPECT_EQ(a.GofP, b.GofP);
  std::stop_source stop;
  stop.request_stop();
  TWorkControl stopped;
  stopped.Stop = stop.get_token();
  EXPECT_THROW(FitByLikelihood(values, options, stopped), EAnalysisCancelled);
  // The searches themselves stop, not only the bootstrap between its pieces: a first fit that
  // solves lattice nodes for a minute must not hold a Cancel back until it ends.
  options.Replicates = 0;
  EXPECT_THROW(FitByLikelihood(values, options, stopped), EAnalysisCancelled);
  const std::array<TStationaryLaw, 1> starts = {a.Law};
  EXPECT_THROW(FitStationaryLaw(values, options.Likelihood, starts, true, stop.get_token()),
               EAnalysisCancelled);
  EXPECT_THROW(ProfileOfA(values, options.Likelihood, a.Law.A * 0.9, {a.Law}, stop.get_token()),
               EAnalysisCancelled);
}

// A bootstrap refit starts from the fitted law; it must climb to its own series' maximum, not stop
// near the start (wide first steps once left a refit's k within a few % of the start's).
TEST(LikelihoodFitTest, RefitFromAnotherLawReachesTheSeriesMaximum) {
  auto values = RoundedTo(ModelSeries({0.3, 1, 0.8333, 20, 40, 0.4375}, 1000, 6), 0.001);
  TLikelihoodOptions options;
  options.Resolution = 0.001;
  const TLawEstimate full = FitStationaryLaw(values, options);
  ASSERT_TRUE(std::isfinite(full.Law.k));
  for (const double factor : {0.6, 2.5}) {
    TStationaryLaw start = full.Law;
    start.k *= factor;
    const std::array<TStationaryLaw, 1> starts = {start};
    const TLawEstimate refit = FitStationaryLaw(values, options, starts, true);
    EXPECT_GT(refit.LogLik, full.LogLik - 0.5) << factor;
    EXPECT_LT(std::fabs(std::log(refit.Law.k / full.Law.k)), std::fabs(std::log(factor)) / 2) << factor;
  }
}

// The bootstrap's refits of real-shaped data: each must reach its replicate's maximum as the point
// estimate's wide search finds it (A's second maximum near the fastest value included). Derivative-
// free refits stopped short of it in half the replicates, by 0.4 in logLik on average.
TEST(LikelihoodFitTest, RefitsOfReplicatesReachTheWideSearchsMaximum) {
  const auto values = RoundedTo(ModelSeries({0.3, 1, 0.8333, 20, 40, 0.4375}, 1000, 6), 0.001);
  TLikelihoodOptions options;
  options.Resolution = 0.001;
  const TLawEstimate full = FitStationaryLaw(values, options);
  const TLikelihoodData data = LikelihoodDataOf(values, options.Resolution);
  std::vector<double> replicate(values.size());
  const std::array<TStationaryLaw, 1> starts = {full.Law};
  for (std::uint32_t seed = 1000; seed < 1006; ++seed) {
    SimulateLaw(full.Law, 1, 0, data, seed, replicate);
    const TLawEstimate refit = FitStationaryLaw(replicate, options, starts, true);
    const TLawEstimate wide = FitStationaryLaw(replicate, options);
    EXPECT_GT(refit.LogLik, wide.LogLik - 0.01) << seed;
    EXPECT_TRUE(refit.Converged) << seed;
  }
}

TEST(LikelihoodFitTest, ContaminantsShareEstimatedAndOffByDefault) {
  auto values = IndependentSeries(2, 0.5, 1, 1000, 51, 0.001);
  TRandomGenerator g(7);
  for (std::size_t i = 0; i < values.size(); i += 20)
    values[i] = std::nearbyint((2 + 12 * g.OpenFraction()) * 1000) / 1000;
  TLikelihoodFitOptions options;
  options.Replicates = 0;
  const TLikelihoodFit plain = FitByLikelihood(values, options);
  EXPECT_TRUE(std::isnan(plain.ContaminantShare));
  options.Likelihood.Contaminants = true;
  const TLikelihoodFit mixed = FitByLikelihood(values, options);
  EXPECT_NEAR(mixed.ContaminantShare, 0.05, 0.025);
  EXPECT_GT(mixed.LogLik, plain.LogLik);
  EXPECT_EQ(mixed.ParameterCount, plain.ParameterCount + 1);
}

TEST(LikelihoodFitTest, OneModelSeriesRecoversItsParametersAndBeatsTheMomentFit) {
  // The third set: shapes with small m, quick to solve (the larger sets and n = 10^5 are slow).
  struct Case {
    TParameterSet P;
    std::size_t n;
    double b_tolerance, c0_tolerance, k_tolerance;
  };
  for (const Case& c : {Case{{1, 0.5, 2, 0.25, 1, 1}, 10000, 0.03, 0.1, 0.2}}) {
    const auto values = ModelSeries(c.P, c.n, 99);
    TLikelihoodFitOptions options;
    options.Likelihood.a1 = c.P.a1;
    options.Replicates = 0;
    const TLikelihoodFit fit = FitByLikelihood(values, options);
    ASSERT_TRUE(fit.Fitted());
    EXPECT_TRUE(fit.Converged) << fit.Message;
    const double b = c.P.a1 / c.P.a0, k = c.P.c1 / c.P.a1;
    EXPECT_TRUE(fit.AtomAtMinimum);
    EXPECT_EQ(fit.IntervalMethods[kFitA], TIntervalMethod::Exact);
    EXPECT_NEAR(fit.Estimates[kFitA], c.P.A, 1e-9 * c.P.A);
    EXPECT_NEAR(fit.Estimates[kFitB] / b, 1, c.b_tolerance);
    EXPECT_NEAR(fit.Estimates[kFitC0] / c.P.c0, 1, c.c0_tolerance);
    EXPECT_NEAR(fit.Estimates[kFitK] / k, 1, c.k_tolerance);
    EXPECT_NEAR(fit.Estimates[kFitA0], c.P.a1 / fit.Estimates[kFitB], 1e-12);
    // At least as likely as the moment fit.
    TFitOptions moment_options;
    moment_options.a1 = c.P.a1;
    const TModelFit moments = FitModel(values, moment_options);
    ASSERT_TRUE(moments.Fitted());
    const TStationaryLaw at_moments{moments.Estimates[kFitA], moments.Estimates[kFitB],
                                    moments.Estimates[kFitK], moments.Estimates[kFitC0]};
    EXPECT_GE(fit.LogLik,
              StationaryLogLikelihood(values, at_moments, 0, LikelihoodDataOf(values, fit.Resolution)));
    // The ex-Gaussian does worse on the model's own data.
    EXPECT_LT(fit.AIC, fit.ExGaussian.AIC);
  }
}

}  // namespace
}  // namespace corvane
