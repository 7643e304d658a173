#include "analysis/score_climb.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace corvane {
namespace {

// Values of a normal law, with counts: the likelihood's maximum in (mean, ln sd) is known.
struct TNormalSample {
  std::vector<double> values{1.2, 1.9, 2.4, 2.5, 3.1, 3.3, 4.8};
  std::vector<double> counts{2, 1, 3, 1, 1, 2, 1};

  double Mean() const {
    double sum = 0, n = 0;
    for (std::size_t i = 0; i < values.size(); ++i) sum += counts[i] * values[i], n += counts[i];
    return sum / n;
  }
  // The ML standard deviation about `centre`.
  double Spread(double centre) const {
    double sum = 0, n = 0;
    for (std::size_t i = 0; i < values.size(); ++i)
      sum += counts[i] * (values[i] - centre) * (values[i] - centre), n += counts[i];
    return std::sqrt(sum / n);
  }
  TClimbProblem Problem() const {
    TClimbProblem problem;
    problem.Terms = [this](std::span<const double> x, std::span<double> terms) {
      const double sd = std::exp(x[1]);
      for (std::size_t i = 0; i < values.size(); ++i) {
        const double z = (values[i] - x[0]) / sd;
        terms[i] = -z * z / 2 - x[1];
      }
      return true;
    };
    problem.Counts = counts;
    problem.Lower = {-10, -5};
    problem.Upper = {10, 5};
    problem.Differences = {1e-6, 1e-6};
    return problem;
  }
};

TEST(ScoreClimbTest, ReachesASmoothMaximumInAFewSteps) {
  const TNormalSample sample;
  const std::vector<double> start = {0.5, 1.5};
  const TClimb climb = ClimbLikelihood(sample.Problem(), start);
  ASSERT_TRUE(climb.Converged);
  EXPECT_NEAR(climb.Point[0], sample.Mean(), 1e-4);
  EXPECT_NEAR(std::exp(climb.Point[1]), sample.Spread(sample.Mean()), 1e-4);
  // Newton steps, not a derivative-free crawl: a derivative-free search here takes hundreds.
  EXPECT_LT(climb.Evaluations, 100);
}

TEST(ScoreClimbTest, HoldsAVariableAtTheBoundItRisesTowards) {
  const TNormalSample sample;
  TClimbProblem problem = sample.Problem();
  problem.Upper[0] = 2.0;  // below the mean
  const std::vector<double> start = {0.0, 0.0};
  const TClimb climb = ClimbLikelihood(problem, start);
  ASSERT_TRUE(climb.Converged);
  EXPECT_EQ(climb.Point[0], 2.0);
  EXPECT_NEAR(std::exp(climb.Point[1]), sample.Spread(2.0), 1e-4);
  // From a start outside the bounds: clipped into them first.
  const std::vector<double> outside = {50.0, 0.0};
  EXPECT_EQ(ClimbLikelihood(problem, outside).Point[0], 2.0);
}

// A variable read by linear interpolation between nodes (the lattice's kinks): here the normal
// sample's ln sd is such an interpolation of u, peaking at the node u = 0.5 below the sample's own
// spread, so the likelihood's maximum in u is that node, where both one-sided derivatives turn
// down. Newton steps that ignored the kink would hop across it without end.
TEST(ScoreClimbTest, EndsAtAKinkWhereTheFunctionTurnsDownOnBothSides) {
  constexpr double kSpacing = 0.1;
  const auto peaked = [](double u) { return -0.2 - 2 * (u - 0.537) * (u - 0.537); };
  const auto log_sd = [&](double u) {
    const double cell = std::floor(u / kSpacing);
    const double f = u / kSpacing - cell;
    return (1 - f) * peaked(cell * kSpacing) + f * peaked((cell + 1) * kSpacing);
  };
  const TNormalSample sample;
  TClimbProblem problem = sample.Problem();
  problem.Terms = [&](std::span<const double> x, std::span<double> terms) {
    const double ln_sd = log_sd(x[1]);
    for (std::size_t i = 0; i < sample.values.size(); ++i) {
      const double z = (sample.values[i] - x[0]) / std::exp(ln_sd);
      terms[i] = -z * z / 2 - ln_sd;
    }
    return true;
  };
  problem.Lower = {-10, 0};
  problem.Upper = {10, 2};
  problem.Kinks = {0, kSpacing};
  for (const double from : {0.05, 1.23}) {
    const std::vector<double> start = {0, from};
    const TClimb climb = ClimbLikelihood(problem, start);
    EXPECT_TRUE(climb.Converged) << from;
    EXPECT_NEAR(climb.Point[1], 0.5, 1e-9) << from;
    EXPECT_NEAR(climb.Point[0], sample.Mean(), 1e-4) << from;
  }
}

TEST(ScoreClimbTest, StopsUnconvergedWhereItCannotStartOrCannotReachTheBar) {
  const TNormalSample sample;
  TClimbProblem impossible = sample.Problem();
  impossible.Terms = [](std::span<const double>, std::span<double>) { return false; };
  const std::vector<double> start = {0.5, 1.5};
  const TClimb nowhere = ClimbLikelihood(impossible, start);
  EXPECT_FALSE(nowhere.Converged);
  EXPECT_EQ(nowhere.LogLik, -std::numeric_limits<double>::infinity());

  // A bar far above the maximum: the climb gives up after its first steps instead of converging.
  TClimbProblem barred = sample.Problem();
  barred.Bar = 1e6;
  const std::vector<double> far = {-8, 4};
  const TClimb stopped = ClimbLikelihood(barred, far);
  EXPECT_FALSE(stopped.Converged);
  EXPECT_LT(stopped.Evaluations, ClimbLikelihood(sample.Problem(), far).Evaluations);
}

// Exact scores from the caller: the full step's pass brings the next step's scores with it, so the
// plain terms are asked for only when a step is cut back; scores kept from a step that was cut
// back, or taken on the wrong side of a face, would send the climb elsewhere.
TEST(ScoreClimbTest, ExactScoresComeWithTheStepTakenAndKeepToTheirCell) {
  constexpr double kSpacing = 0.1;
  const auto peaked = [](double u) { return -0.2 - 2 * (u - 0.537) * (u - 0.537); };
  const TNormalSample sample;
  for (const bool kinked : {false, true}) {
    // ln sd is x[1] itself, or interpolated linearly between the kinks' nodes (the slope on a
    // face is the cell above's, as the lattice's).
    const auto ln_sd = [&](double u, double& slope) {
      if (!kinked) {
        slope = 1;
        return u;
      }
      const double cell = std::floor(u / kSpacing), f = u / kSpacing - cell;
      slope = (peaked((cell + 1) * kSpacing) - peaked(cell * kSpacing)) / kSpacing;
      return (1 - f) * peaked(cell * kSpacing) + f * peaked((cell + 1) * kSpacing);
    };
    int plain = 0, with_scores = 0;
    TClimbProblem problem = sample.Problem();
    const auto terms_at = [&](std::span<const double> x, std::span<double> terms, std::span<double> scores) {
      double slope = 0;
      const double l = ln_sd(x[1], slope), sd = std::exp(l);
      const std::size_t n = sample.values.size();
      for (std::size_t i = 0; i < n; ++i) {
        const double z = (sample.values[i] - x[0]) / sd;
        terms[i] = -z * z / 2 - l;
        if (!scores.empty()) {
          scores[i] = z / sd;
          scores[n + i] = (z * z - 1) * slope;
        }
      }
      return true;
    };
    problem.Terms = [&](std::span<const double> x, std::span<double> terms) {
      ++plain;
      return terms_at(x, terms, {});
    };
    problem.TermsAndScores = [&](std::span<const double> x, std::span<double> terms,
                                 std::span<double> scores) {
      ++with_scores;
      return terms_at(x, terms, scores);
    };
    problem.Exact = {true, true};
    if (kinked) {
      problem.Lower = {-10, 0};
      problem.Upper = {10, 2};
      problem.Kinks = {0, kSpacing};
    }
    for (const double from : {0.05, 1.23, 3.0}) {
      if (kinked && from > 2)
        continue;
      plain = with_scores = 0;
      const std::vector<double> start = {kinked ? 0.0 : 3.0, from};
      const TClimb climb = ClimbLikelihood(problem, start);
      ASSERT_TRUE(climb.Converged) << kinked << " " << from;
      EXPECT_NEAR(climb.Point[0], sample.Mean(), 1e-3) << kinked << " " << from;
      const double expected = kinked ? 0.5 : std::log(sample.Spread(sample.Mean()));
      EXPECT_NEAR(climb.Point[1], expected, kinked ? 1e-9 : 1e-3) << kinked << " " << from;
      EXPECT_EQ(climb.Evaluations, plain + with_scores);
      // Without the scores kept, every step asks for the terms besides the scores (from a start
      // far off, steps cut back ask for more).
      if (!kinked && from < 2) {
        EXPECT_LT(plain, with_scores) << from;
      }
    }
  }
}

// A second start's climb that comes next to a maximum an earlier climb reached stops there, joined;
// one that does not (the known point elsewhere) climbs to its own.
TEST(ScoreClimbTest, StopsJoinedNextToAKnownMaximum) {
  const TNormalSample sample;
  TClimbProblem problem = sample.Problem();
  problem.Reach = {1, 1};
  const std::vector<double> start = {0.5, 1.5};
  const TClimb first = ClimbLikelihood(problem, start);
  ASSERT_TRUE(first.Converged);
  problem.Known = first.Point;
  problem.KnownLogLik = first.LogLik;
  const TClimb second = ClimbLikelihood(problem, start);
  EXPECT_TRUE(second.Joined);
  EXPECT_FALSE(second.Converged);
  EXPECT_LT(second.Evaluations, first.Evaluations);
  EXPECT_GE(second.LogLik, first.LogLik - 0.01);

  problem.Known = {-5, 0};
  const TClimb elsewhere = ClimbLikelihood(problem, start);
  EXPECT_FALSE(elsewhere.Joined);
  EXPECT_TRUE(elsewhere.Converged);
}

}  // namespace
}  // namespace corvane
