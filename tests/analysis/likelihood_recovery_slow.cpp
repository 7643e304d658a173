// The likelihood fit proven by simulation (label slow: hours at every size):
//   one long series, n = 10^5 of (3, .6, 1.5, .9, .7, 6): b and c0 within 1 %, k within 5 %, A exact;
//   recovery at n = 200 and 1,000 (200 series) and 10,000 (100 series) for four sets, B = 200:
//     no series unfitted, every interval contains its estimate, no replicate left out; coverage of
//     the 95 % intervals 90-99 % for b, k, c0 at n >= 1,000 (A exact where the atom shows, else
//     also 90-99 %), reported at 200; median interval widths beside the moment fit's at 1,000;
//   the goodness-of-fit test: its size on 400 model series of the defaults at n = 1,000
//     (5 +/- 2.5 % rejections at 5 %), its power against ex-Gaussian series of the same mean and SD
//     (at least 80 of 100 rejected).
// CORVANE_RECOVERY_SERIES=N runs N series per size instead (a subset on a shared machine: its
// coverage is then checked within the binomial band of N, and the figures printed as always).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "analysis/bootstrap.h"
#include "analysis/likelihood_fit.h"
#include "analysis/model_fit.h"
#include "likelihood_support.h"
#include "simulation/reaction_theory.h"

namespace corvane {
namespace {

using namespace test_support;

// The real-shaped set is recorded to the millisecond, as real data are. Its atom (e^-14.4) cannot
// show: A lies below the fastest value, and the atom at the minimum is taken only on the evidence
// of ties there (stationary_likelihood.h), at most 1 % of the time.
struct TSet {
  const char* name;
  TParameterSet P;
  double delta;  // 0: not rounded
};
const TSet kSets[] = {{"defaults", {5, 1, 1, 0.5, 0.5, 5}, 0},
                      {"second", {3, 0.6, 1.5, 0.9, 0.7, 6}, 0},
                      {"third", {1, 0.5, 2, 0.25, 1, 1}, 0},
                      {"real-shaped", {0.3, 1, 0.8333, 20, 40, 0.4375}, 0.001}};

// The series per size: `full`, or as many as CORVANE_RECOVERY_SERIES asks (fewer for a quick look,
// more where a coverage near the band's edge needs a sharper figure; the first `full` are the same).
std::size_t SeriesCount(std::size_t full) {
  const char* text = std::getenv("CORVANE_RECOVERY_SERIES");
  const long asked = text != nullptr ? std::atol(text) : 0;
  return asked > 0 ? static_cast<std::size_t>(asked) : full;
}

TFitVector Truth(const TParameterSet& P) {
  const double b = P.a1 / P.a0, k = P.c1 / P.a1;
  return {P.A, b, k, P.c0, P.a0, P.c1, (k + 1) * P.a0 / P.c0};
}

// One long series recovers A exactly and b and c0 within 1 %. k is the law's weakest parameter at
// this m (0.84): its estimates over series of n = 10^5 spread by some 5 % (SD), so one series says
// little about it; the mean of eight (seeds fixed beforehand) must lie within 5 %.
TEST(LikelihoodRecoverySlowTest, OneLongSeriesRecoversTheParameters) {
  const TParameterSet P{3, 0.6, 1.5, 0.9, 0.7, 6};
  const TFitVector truth = Truth(P);
  constexpr std::uint32_t kSeeds = 8;
  double k_sum = 0;
  for (std::uint32_t seed = 2024; seed < 2024 + kSeeds; ++seed) {
    const auto values = ModelSeries(P, 100000, seed);
    TLikelihoodFitOptions options;
    options.Likelihood.a1 = P.a1;
    options.Replicates = 0;
    const TLikelihoodFit fit = FitByLikelihood(values, options);
    ASSERT_TRUE(fit.Fitted()) << fit.Message;
    std::printf("n=1e5, seed %u: A %.6g b %.5g k %.5g c0 %.5g (truth %.5g %.5g %.5g %.5g) %s\n", seed,
                fit.Estimates[kFitA], fit.Estimates[kFitB], fit.Estimates[kFitK], fit.Estimates[kFitC0],
                truth[kFitA], truth[kFitB], truth[kFitK], truth[kFitC0], fit.Message.c_str());
    EXPECT_NEAR(fit.Estimates[kFitA], P.A, 1e-9 * P.A);
    EXPECT_TRUE(fit.AtomAtMinimum);
    if (seed == 2024) {
      EXPECT_NEAR(fit.Estimates[kFitB] / truth[kFitB], 1, 0.01);
      EXPECT_NEAR(fit.Estimates[kFitC0] / truth[kFitC0], 1, 0.01);
    }
    k_sum += fit.Estimates[kFitK];
  }
  std::printf("n=1e5: mean k over %u series %.5g\n", kSeeds, k_sum / kSeeds);
  EXPECT_NEAR(k_sum / kSeeds / truth[kFitK], 1, 0.05);
}

TEST(LikelihoodRecoverySlowTest, RealShapedDataGetAProfileIntervalForA) {
  // A real participant's shape to the millisecond (k = 20, m = 14.4): no value at the atom, so A
  // lies below the fastest value and its interval is the profile likelihood's.
  auto values = ModelSeries({0.3, 1, 0.8333, 20, 40, 0.4375}, 170, 4);
  values = RoundedTo(values, 0.001);
  TLikelihoodFitOptions options;
  options.Replicates = 100;
  const TLikelihoodFit fit = FitByLikelihood(values, options);
  ASSERT_TRUE(fit.Fitted());
  std::printf(
      "real-shaped n=170: A %.4g [%.4g, %.4g] b %.4g k %.4g c0 %.4g AIC %.2f exgauss AIC %.2f gof p %.3g "
      "%s\n",
      fit.Estimates[kFitA], fit.Intervals[kFitA].Low, fit.Intervals[kFitA].High, fit.Estimates[kFitB],
      fit.Estimates[kFitK], fit.Estimates[kFitC0], fit.AIC, fit.ExGaussian.AIC, fit.GofP,
      fit.Message.c_str());
  EXPECT_FALSE(fit.AtomAtMinimum);
  EXPECT_EQ(fit.IntervalMethods[kFitA], TIntervalMethod::Profile);
  EXPECT_LT(fit.Intervals[kFitA].Low, fit.Estimates[kFitA]);
  for (std::size_t p = 0; p < kFitParameterCount; ++p)
    EXPECT_TRUE(fit.Intervals[p].Contains(fit.Estimates[p]));
  EXPECT_EQ(fit.FailedReplicates, 0u);
}

class LikelihoodRecoveryTest : public testing::TestWithParam<std::tuple<int, std::size_t>> {};

TEST_P(LikelihoodRecoveryTest, CoverageAndNoSeriesUnfitted) {
  const TSet& set = kSets[std::get<0>(GetParam())];
  const std::size_t n = std::get<1>(GetParam());
  const std::size_t series = SeriesCount(n >= 10000 ? 100 : 200);
  const TFitVector truth = Truth(set.P);
  std::array<std::size_t, kFitParameterCount> covered{}, shifted{}, shifted_covered{}, along{},
      along_covered{}, missed_low{}, missed_high{};
  std::array<std::vector<double>, kFitParameterCount> widths, moment_widths;
  std::size_t unfit = 0, excluded = 0, failed = 0, redrawn = 0, boundary = 0, atom = 0;
  for (std::size_t s = 0; s < series; ++s) {
    auto values = ModelSeries(set.P, n, SeedForIndex(0x5EED + n, s));
    if (set.delta > 0)
      values = RoundedTo(values, set.delta);
    TLikelihoodFitOptions options;
    options.Likelihood.a1 = set.P.a1;
    options.Replicates = 200;
    options.Seed = s;
    const TLikelihoodFit fit = FitByLikelihood(values, options);
    if (!fit.Fitted()) {
      ++unfit;
      continue;
    }
    failed += fit.FailedReplicates;
    redrawn += fit.RedrawnReplicates;
    boundary += fit.Boundary ? 1 : 0;
    atom += fit.AtomAtMinimum ? 1 : 0;
    for (std::size_t p = 0; p < kFitParameterCount; ++p) {
      excluded += fit.Intervals[p].Contains(fit.Estimates[p]) ? 0 : 1;
      covered[p] += fit.Intervals[p].Contains(truth[p]) ? 1 : 0;
      // Which side the misses fall on: a skewed estimator's percentile intervals miss on one.
      missed_low[p] += truth[p] < fit.Intervals[p].Low ? 1 : 0;
      missed_high[p] += truth[p] > fit.Intervals[p].High ? 1 : 0;
      widths[p].push_back(fit.Intervals[p].High - fit.Intervals[p].Low);
      if (fit.IntervalMethods[p] == TIntervalMethod::AlongA) {
        ++along[p];
        along_covered[p] += fit.Intervals[p].Contains(truth[p]) ? 1 : 0;
      }
      if (fit.IntervalMethods[p] == TIntervalMethod::Shifted) {
        ++shifted[p];
        shifted_covered[p] += fit.Intervals[p].Contains(truth[p]) ? 1 : 0;
      }
    }
    if (n == 1000) {
      TFitOptions moment_options;
      moment_options.a1 = set.P.a1;
      const TModelFit moments = FitModel(values, moment_options);
      if (moments.Fitted()) {
        const TBootstrapResult boot = BootstrapFit(moments, n, {200, s, 0.95});
        for (std::size_t p = 0; p < kFitParameterCount; ++p)
          moment_widths[p].push_back(boot.Intervals[p].High - boot.Intervals[p].Low);
      }
    }
  }
  const auto fitted = static_cast<double>(series - unfit);
  std::printf(
      "likelihood recovery %s n=%zu (%zu series): unfit %zu, excluded %zu, failed %zu, redrawn %zu, "
      "k=inf %zu, A at the minimum %zu; coverage %%, median width (moment fit's):",
      set.name, n, series, unfit, excluded, failed, redrawn, boundary, atom);
  for (std::size_t p = 0; p < kFitParameterCount; ++p) {
    auto w = widths[p];
    std::sort(w.begin(), w.end());
    auto mw = moment_widths[p];
    std::sort(mw.begin(), mw.end());
    std::printf(" %s %.1f %.3g (%.3g)", std::string(FitParameterName(static_cast<int>(p))).c_str(),
                100 * static_cast<double>(covered[p]) / fitted, w.empty() ? kNotANumber : w[w.size() / 2],
                mw.empty() ? kNotANumber : mw[mw.size() / 2]);
  }
  std::printf("\n  widened along A (covering):");
  for (std::size_t p = 0; p < kFitParameterCount; ++p)
    std::printf(" %s %zu (%zu)", std::string(FitParameterName(static_cast<int>(p))).c_str(), along[p],
                along_covered[p]);
  std::printf("\n  missed (truth below the interval, above it):");
  for (std::size_t p = 0; p < kFitParameterCount; ++p)
    std::printf(" %s %zu %zu", std::string(FitParameterName(static_cast<int>(p))).c_str(), missed_low[p],
                missed_high[p]);
  std::printf("\n  shifted intervals (covering):");
  for (std::size_t p = 0; p < kFitParameterCount; ++p)
    std::printf(" %s %zu (%zu)", std::string(FitParameterName(static_cast<int>(p))).c_str(), shifted[p],
                shifted_covered[p]);
  std::printf("\n");
  std::fflush(stdout);
  // 90-99 % at the full 200 or 100 series; for fewer, the band widened by the binomial SD of 95 %.
  const double slack = 2 * std::sqrt(0.95 * 0.05 / fitted) - 2 * std::sqrt(0.95 * 0.05 / 100);
  EXPECT_EQ(unfit, 0u);
  EXPECT_EQ(excluded, 0u);
  EXPECT_EQ(failed, 0u);
  if (n >= 1000)
    for (const int p : {kFitB, kFitK, kFitC0}) {
      const double share = static_cast<double>(covered[static_cast<std::size_t>(p)]) / fitted;
      EXPECT_GE(share, 0.90 - std::max(0.0, slack)) << set.name << " " << FitParameterName(p);
      EXPECT_LE(share, 0.99 + std::max(0.0, slack)) << set.name << " " << FitParameterName(p);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, LikelihoodRecoveryTest,
                         testing::Combine(testing::Values(0, 1, 2, 3),
                                          testing::Values(std::size_t{200}, std::size_t{1000},
                                                          std::size_t{10000})));

TEST(LikelihoodGoodnessSlowTest, SizeOnModelSeriesAndPowerAgainstTheExGaussian) {
  const TParameterSet P{5, 1, 1, 0.5, 0.5, 5};
  const TReactionTheory theory = ReactionTheoryOf(P);
  TLikelihoodFitOptions options;
  options.Replicates = 200;
  const std::size_t null_series = SeriesCount(400), other_series = SeriesCount(100);
  std::size_t rejected = 0;
  for (std::size_t s = 0; s < null_series; ++s) {
    options.Seed = s;
    const auto fit = FitByLikelihood(ModelSeries(P, 1000, SeedForIndex(77, s)), options);
    rejected += fit.GofP <= 0.05 ? 1 : 0;
  }
  // Ex-Gaussian series of the same mean and SD: tau = 0.8 SD.
  const double tau = 0.8 * theory.StandardDeviation;
  const double sigma = 0.6 * theory.StandardDeviation;
  std::size_t detected = 0;
  for (std::size_t s = 0; s < other_series; ++s) {
    options.Seed = s;
    const auto fit = FitByLikelihood(
        ExGaussianSeries(theory.StationaryMean - tau, sigma, tau, 1000, SeedForIndex(78, s)), options);
    detected += fit.GofP <= 0.05 ? 1 : 0;
  }
  const double size = static_cast<double>(rejected) / static_cast<double>(null_series);
  const double power = static_cast<double>(detected) / static_cast<double>(other_series);
  std::printf("goodness of fit: size %.1f %% of %zu, power %zu of %zu\n", 100 * size, null_series, detected,
              other_series);
  // 5 +/- 2.5 % of 400 and 80 of 100; for fewer series, widened by the binomial SD's growth.
  const double slack =
      2 * std::sqrt(0.05 * 0.95 / static_cast<double>(null_series)) - 2 * std::sqrt(0.05 * 0.95 / 400);
  EXPECT_GE(size, 0.025 - slack);
  EXPECT_LE(size, 0.075 + slack);
  EXPECT_GE(power, 0.80 - (2 * std::sqrt(0.8 * 0.2 / static_cast<double>(other_series)) - 0.08));
}

}  // namespace
}  // namespace corvane
