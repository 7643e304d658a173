#include "analysis/likelihood_fit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <stop_token>

#include "analysis/data_resolution.h"
#include "analysis/reaction_time_reader.h"
#include "runtime/random_generator.h"

namespace corvane {
namespace {

constexpr double kHalfChiSquare95 = 1.9207294103470823;  // chi-square(1) 95 % point / 2
constexpr std::size_t kLag1Series = 200;                 // the lag-1 SE's series without a bootstrap
constexpr int kProfileSteps = 24;

std::string Figure(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.4g", value);
  return text;
}

TLikelihoodFit Rejected(TLikelihoodFit fit, TLikelihoodStatus status, std::string message) {
  fit.Status = status;
  fit.Message = std::move(message);
  return fit;
}

double ModelLag1(const TStationaryLaw& law) {
  if (std::isinf(law.k))
    return 0;
  const double m = law.b * law.c0 * law.A;
  return -(-std::expm1(-m / (law.k + 1))) / 2;
}

double StandardDeviation(const std::vector<double>& values) {
  std::size_t n = 0;
  long double sum = 0, squares = 0;
  for (const double v : values)
    if (std::isfinite(v)) {
      ++n;
      sum += v;
    }
  if (n < 2)
    return kNotANumber;
  const long double mean = sum / static_cast<long double>(n);
  for (const double v : values)
    if (std::isfinite(v))
      squares += (v - mean) * (v - mean);
  return static_cast<double>(std::sqrt(squares / static_cast<long double>(n - 1)));
}

// A's profile-likelihood interval, and the range each parameter's likeliest value takes along it.
struct TProfileOfA {
  TInterval A;
  std::array<TInterval, kFitParameterCount> Along{};  // over the estimate and every law inside
};

// Where 2 (logLik - profile(A)) <= 3.84 over (0, min], the atom's candidate A = min included; each
// end by bisection.
TProfileOfA ProfileIntervalOfA(std::span<const double> values, const TLikelihoodOptions& options,
                               const TLawEstimate& estimate, const TLikelihoodData& data,
                               const std::stop_token& stop) {
  const double target = estimate.LogLik - kHalfChiSquare95;
  TProfileOfA result;
  const TFitVector at_estimate = FitVectorOf(estimate.Law, options.a1);
  for (std::size_t p = 0; p < kFitParameterCount; ++p) result.Along[p] = {at_estimate[p], at_estimate[p]};
  const auto inside = [&](double A) {
    const TLawEstimate profile = ProfileOfA(values, options, A, estimate, stop);
    if (!(profile.LogLik >= target))
      return false;
    const TFitVector along = FitVectorOf(profile.Law, options.a1);
    for (std::size_t p = 0; p < kFitParameterCount; ++p) {
      result.Along[p].Low = std::min(result.Along[p].Low, along[p]);
      result.Along[p].High = std::max(result.Along[p].High, along[p]);
    }
    return true;
  };
  const double low_end = data.Minimum / 1000;
  const double high_end = data.Minimum - data.Resolution / 2 * (1 + 1e-6);
  const double A = estimate.Law.A;
  const auto bisect = [&](double in, double out) {
    for (int step = 0; step < kProfileSteps; ++step) {
      const double mid = (in + out) / 2;
      (inside(mid) ? in : out) = mid;
    }
    return in;
  };
  TInterval& interval = result.A;
  interval.Low = A <= low_end || inside(low_end) ? std::min(low_end, A) : bisect(A, low_end);
  if (inside(data.Minimum))
    interval.High = data.Minimum;
  else if (A >= high_end || inside(high_end))
    interval.High = std::max(high_end, A);
  else
    interval.High = bisect(A, high_end);
  interval.Low = std::min(interval.Low, A);
  interval.High = std::max(interval.High, A);
  return result;
}

std::vector<double> Column(const std::vector<TLikelihoodReplicate>& replicates, int parameter) {
  std::vector<double> column;
  column.reserve(replicates.size());
  for (const auto& r : replicates) column.push_back(r.Estimates[static_cast<std::size_t>(parameter)]);
  return column;
}

// The lag-1's SD over series of the fitted law without refits (no bootstrap asked for).
double SimulatedLag1Spread(const TLawEstimate& estimate, std::size_t n, const TLikelihoodOptions& options,
                           const TLikelihoodData& data, std::uint64_t seed, const TWorkControl& control) {
  std::vector<double> lags(kLag1Series, kNotANumber);
  const double share = estimate.ContaminantShare > 0 ? estimate.ContaminantShare : 0.0;
  ParallelFor(kLag1Series, control, [&](std::size_t i) {
    std::vector<double> values(n);
    try {
      SimulateLaw(estimate.Law, options.a1, share, data, SeedForIndex(seed + 0x1A61, i), values);
      lags[i] = Lag1Of(values);
    } catch (const EMathError&) {
    }
  });
  return StandardDeviation(lags);
}

// b, k, c0 and y0 from the replicates; where A was profiled, each widened to the values its
// likeliest value takes along A's interval (`along`, null otherwise); a0 and c1 from b and k.
void FillIntervals(TLikelihoodFit& fit, const std::vector<TLikelihoodReplicate>& replicates, double level,
                   double a1, const TProfileOfA* along) {
  for (const int p : {kFitB, kFitK, kFitC0, kFitY0}) {
    const auto i = static_cast<std::size_t>(p);
    TInterval& interval = fit.Intervals[i];
    interval = BootstrapInterval(Column(replicates, p), fit.Estimates[i], level, fit.IntervalMethods[i]);
    if (along != nullptr && fit.IntervalMethods[i] != TIntervalMethod::None &&
        (along->Along[i].Low < interval.Low || along->Along[i].High > interval.High)) {
      interval = {std::min(interval.Low, along->Along[i].Low), std::max(interval.High, along->Along[i].High)};
      fit.IntervalMethods[i] = TIntervalMethod::AlongA;
    }
  }
  const TInterval& b = fit.Intervals[kFitB];
  const TInterval& k = fit.Intervals[kFitK];
  fit.Intervals[kFitA0] = {a1 / b.High, a1 / b.Low};
  fit.Intervals[kFitC1] = {k.Low * a1, k.High * a1};
  fit.IntervalMethods[kFitA0] = fit.IntervalMethods[kFitC1] = TIntervalMethod::Derived;
}

// The fit, or with `given` the report at that law (no search, no bootstrap).
TLikelihoodFit FitOrDescribe(std::span<const double> values, TLikelihoodFitOptions options,
                             const TWorkControl& control, const TStationaryLaw* given) {
  TLikelihoodFit fit;
  fit.Count = values.size();
  fit.Estimates.fill(kNotANumber);
  fit.QuantilesData.fill(kNotANumber);
  fit.QuantilesModel.fill(kNotANumber);
  fit.IntervalMethods.fill(TIntervalMethod::None);
  if (values.size() < kMinimumReactionTimes)
    return Rejected(fit, TLikelihoodStatus::TooFewValues,
                    "the fit needs at least " + std::to_string(kMinimumReactionTimes) +
                        " reaction times; these data have " + std::to_string(values.size()));
  if (!std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v) && v > 0; }))
    return Rejected(fit, TLikelihoodStatus::NotPositive,
                    "the fit needs reaction times that are finite and above 0");
  if (std::all_of(values.begin(), values.end(), [&](double v) { return v == values.front(); }))
    return Rejected(
        fit, TLikelihoodStatus::NoVariation,
        "the model predicts reaction times that vary; these data are all " + Figure(values.front()));

  TLikelihoodOptions likelihood = options.Likelihood;
  if (!(likelihood.Resolution > 0))
    likelihood.Resolution = DataResolution(values);
  fit.Resolution = likelihood.Resolution;
  const TLikelihoodData data = LikelihoodDataOf(values, likelihood.Resolution);
  if (likelihood.KeepA && !(likelihood.A > 0 && likelihood.A <= data.Minimum + likelihood.Resolution / 2))
    return Rejected(fit, TLikelihoodStatus::AHeldAboveData,
                    "A held at " + Figure(likelihood.A) + " is not in (0, " + Figure(data.Minimum) +
                        "], the fastest reaction time");

  // 1. The point estimate.
  TLawEstimate estimate;
  if (given != nullptr) {
    likelihood.Contaminants = false;
    options.Replicates = 0;
    estimate.Law = *given;
    estimate.LogLik = StationaryLogLikelihood(values, *given, 0, data);
    estimate.Boundary = std::isinf(given->k);
    estimate.AtomAtMinimum = std::fabs(data.Minimum - given->A) <= data.Resolution / 2;
    estimate.Converged = true;
  } else {
    estimate = FitStationaryLaw(values, likelihood, {}, false, control.Stop);
  }
  const TFitVector estimates = FitVectorOf(estimate.Law, likelihood.a1);
  const auto positive = [](double v) { return v > 0 && std::isfinite(v); };
  if (!positive(estimates[kFitA]) || !positive(estimates[kFitB]) || !positive(estimates[kFitC0]) ||
      !positive(estimates[kFitA0]) || !(estimates[kFitK] > 0) || !(estimate.LogLik > -1e300))
    return Rejected(fit, TLikelihoodStatus::OutOfRange,
                    "the estimates leave the range of numbers the model can use");
  fit.Status = TLikelihoodStatus::Fitted;
  fit.Law = estimate.Law;
  fit.Estimates = estimates;
  fit.Boundary = estimate.Boundary;
  fit.AtomAtMinimum = estimate.AtomAtMinimum;
  fit.Converged = estimate.Converged;
  fit.ContaminantShare = estimate.ContaminantShare;
  fit.ParameterCount = (likelihood.KeepA ? 3 : 4) + (likelihood.Contaminants ? 1 : 0);
  const auto n = static_cast<double>(values.size());
  fit.LogLik = estimate.LogLik;
  fit.AIC = 2 * fit.ParameterCount - 2 * fit.LogLik;
  fit.BIC = fit.ParameterCount * std::log(n) - 2 * fit.LogLik;

  // 2. The field's standards.
  fit.ExGaussian = FitExGaussian(values);
  fit.Lognormal = FitShiftedLognormal(values, likelihood.Resolution);

  // 5. Quantiles and the distance.
  std::vector<double> sorted(values.begin(), values.end());
  std::sort(sorted.begin(), sorted.end());
  for (std::size_t q = 0; q < kGoodnessLevels.size(); ++q) {
    fit.QuantilesData[q] = SortedQuantile(sorted, kGoodnessLevels[q]);
    try {
      fit.QuantilesModel[q] = LawQuantile(estimate.Law, estimate.ContaminantShare, data, kGoodnessLevels[q]);
    } catch (const std::exception&) {  // a law the distribution function cannot serve: NaN
    }
  }
  try {
    fit.GofDistance = KolmogorovDistance(values, estimate.Law, estimate.ContaminantShare, data);
  } catch (const std::exception&) {
  }

  // 3, 4. The bootstrap and the intervals: A's first, since the others widen along it.
  fit.Replicates = options.Replicates;
  std::optional<TProfileOfA> along;
  if (likelihood.KeepA) {
    fit.Intervals[kFitA] = {estimate.Law.A, estimate.Law.A};
    fit.IntervalMethods[kFitA] = TIntervalMethod::Held;
  } else if (estimate.AtomAtMinimum) {
    fit.Intervals[kFitA] = {estimate.Law.A, estimate.Law.A};
    fit.IntervalMethods[kFitA] = TIntervalMethod::Exact;
  } else if (options.Replicates > 0) {
    ThrowIfStopped(control);
    along = ProfileIntervalOfA(values, likelihood, estimate, data, control.Stop);
    fit.Intervals[kFitA] = along->A;
    fit.IntervalMethods[kFitA] = TIntervalMethod::Profile;
  }
  if (options.Replicates > 0) {
    const auto replicates = BootstrapLikelihood(estimate, values.size(), likelihood, data, options.Replicates,
                                                options.Seed, control);
    FillIntervals(fit, replicates, options.Level, likelihood.a1, along ? &*along : nullptr);
    std::size_t as_far = 0;
    std::vector<double> lags;
    for (const auto& r : replicates) {
      as_far += r.Distance >= fit.GofDistance ? 1 : 0;
      fit.RedrawnReplicates += r.Redrawn ? 1 : 0;
      lags.push_back(r.Lag1);
    }
    fit.GofP = static_cast<double>(as_far + 1) / static_cast<double>(replicates.size() + 1);
    fit.Lag1StandardError = StandardDeviation(lags);
  } else {
    fit.Lag1StandardError =
        SimulatedLag1Spread(estimate, values.size(), likelihood, data, options.Seed, control);
  }

  // 6. The dependence.
  fit.Lag1 = std::isfinite(options.DataLag1) ? options.DataLag1 : Lag1Of(values);
  fit.Lag1Model = ModelLag1(estimate.Law);
  fit.Verdict = DependenceVerdict(fit.Lag1, fit.Lag1Model, fit.Lag1StandardError);

  if (fit.Boundary)
    fit.Notes.push_back(kBoundaryNote);
  if (!fit.Verdict.Sentence.empty())
    fit.Notes.push_back(fit.Verdict.Sentence);
  if (!fit.Converged)
    fit.Notes.push_back("the optimiser stopped before its criterion was met");
  if (fit.RedrawnReplicates > 0)
    fit.Notes.push_back(std::to_string(fit.RedrawnReplicates) +
                        " bootstrap series left the number range and were drawn again");
  for (const auto& note : fit.Notes) fit.Message += (fit.Message.empty() ? "" : "; ") + note;
  return fit;
}

}  // namespace

TLikelihoodFit FitByLikelihood(std::span<const double> values, const TLikelihoodFitOptions& options,
                               const TWorkControl& control) {
  return FitOrDescribe(values, options, control, nullptr);
}

TLikelihoodFit DescribeLaw(std::span<const double> values, const TStationaryLaw& law,
                           const TLikelihoodFitOptions& options, const TWorkControl& control) {
  return FitOrDescribe(values, options, control, &law);
}

}  // namespace corvane
