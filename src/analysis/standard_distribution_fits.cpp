#include "analysis/standard_distribution_fits.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "analysis/bounded_minimizer.h"

namespace corvane {
namespace {

// ln erfc(y), for every real y.
long double LogErfc(long double y) {
  if (y < 25)
    return std::log(std::erfc(y));
  const long double y2 = y * y;
  const long double series = 1 - 1 / (2 * y2) + 3 / (4 * y2 * y2) - 15 / (8 * y2 * y2 * y2);
  return -y2 - std::log(y * std::sqrt(std::numbers::pi_v<long double>)) + std::log(series);
}

struct TShapeMoments {
  std::size_t n = 0;
  double mean = 0, sd = 0, skewness = 0, minimum = 0, maximum = 0;
};

TShapeMoments ShapeMomentsOf(std::span<const double> values) {
  TShapeMoments m;
  m.n = values.size();
  long double sum = 0;
  m.minimum = values.front();
  m.maximum = values.front();
  for (const double v : values) {
    sum += v;
    m.minimum = std::min(m.minimum, v);
    m.maximum = std::max(m.maximum, v);
  }
  const long double mean = sum / static_cast<long double>(m.n);
  long double s2 = 0, s3 = 0;
  for (const double v : values) {
    const long double d = v - mean;
    s2 += d * d;
    s3 += d * d * d;
  }
  const auto n = static_cast<long double>(m.n);
  m.mean = static_cast<double>(mean);
  m.sd = static_cast<double>(std::sqrt(s2 / (n - 1)));
  m.skewness = s2 > 0 ? static_cast<double>((s3 / n) / std::pow(s2 / n, 1.5L)) : 0.0;
  return m;
}

void Score(TStandardFit& fit, double log_lik, std::size_t n) {
  fit.LogLik = log_lik;
  fit.AIC = 2 * 3 - 2 * log_lik;
  fit.BIC = 3 * std::log(static_cast<double>(n)) - 2 * log_lik;
}

bool Usable(std::span<const double> values) {
  if (values.size() < 3)
    return false;
  for (const double v : values)
    if (!std::isfinite(v))
      return false;
  return std::any_of(values.begin(), values.end(), [&](double v) { return v != values.front(); });
}

}  // namespace

double ExGaussianLogDensity(double x, double mu, double sigma, double tau) {
  // In double: erfc is representable down to 1e-308 (y < 26.5); beyond, the asymptotic series.
  const double s_t = sigma / tau;
  const double z = (x - mu) / sigma - s_t;
  const double y = -z / std::numbers::sqrt2;
  const double log_erfc = y < 25 ? std::log(std::erfc(y)) : static_cast<double>(LogErfc(y));
  return -std::log(tau) + (mu - x) / tau + s_t * s_t / 2 + log_erfc - std::numbers::ln2;
}

double ExGaussianDistribution(double x, double mu, double sigma, double tau) {
  const long double u = (static_cast<long double>(x) - mu) / sigma;
  const long double normal = std::erfc(-u / std::numbers::sqrt2_v<long double>) / 2;
  const long double s_t = static_cast<long double>(sigma) / tau;
  const long double z = u - s_t;
  // Phi(u) - exp(-(x - mu)/tau + sigma^2/(2 tau^2)) Phi(u - sigma/tau), the product in logs.
  const long double log_term = -(static_cast<long double>(x) - mu) / tau + s_t * s_t / 2 +
                               LogErfc(-z / std::numbers::sqrt2_v<long double>) -
                               std::numbers::ln2_v<long double>;
  return static_cast<double>(std::clamp(normal - std::exp(log_term), 0.0L, 1.0L));
}

TStandardFit FitExGaussian(std::span<const double> values) {
  TStandardFit fit;
  if (!Usable(values))
    return fit;
  const TShapeMoments m = ShapeMomentsOf(values);
  const auto log_lik = [&](std::span<const double> x) {
    const double sigma = std::exp(x[1]), tau = std::exp(x[2]);
    long double sum = 0;
    for (const double v : values) sum += ExGaussianLogDensity(v, x[0], sigma, tau);
    return -static_cast<double>(sum);
  };
  const double s = m.sd;
  const std::array<double, 3> lower = {m.minimum - 10 * s, std::log(s * 1e-4), std::log(s * 1e-4)};
  const std::array<double, 3> upper = {m.maximum, std::log(s * 10), std::log(s * 10)};
  // Moments: skewness = 2 (tau/sd)^3.
  const double moment_share = std::clamp(std::cbrt(std::max(m.skewness, 0.0) / 2), 0.1, 0.95);
  TMinimum best;
  best.Value = std::numeric_limits<double>::infinity();
  for (const double share : {moment_share, 0.5, 0.85}) {
    const double tau = share * s;
    const double sigma = std::sqrt(std::max(s * s - tau * tau, 1e-4 * s * s));
    const std::array<double, 3> start = {m.mean - tau, std::log(sigma), std::log(tau)};
    TMinimum found = MinimizeBounded(log_lik, start, lower, upper);
    if (found.Value < best.Value)
      best = std::move(found);
  }
  fit.Mu = best.Point[0];
  fit.Sigma = std::exp(best.Point[1]);
  fit.Tau = std::exp(best.Point[2]);
  fit.Converged = best.Converged;
  Score(fit, -best.Value, values.size());
  return fit;
}

TStandardFit FitShiftedLognormal(std::span<const double> values, double delta) {
  TStandardFit fit;
  if (!Usable(values) || !(delta > 0))
    return fit;
  const TShapeMoments m = ShapeMomentsOf(values);
  const auto n = static_cast<long double>(values.size());
  // The profile log-likelihood at shift = min - e^t.
  const auto profile = [&](double t, double* mu_out = nullptr, double* sigma_out = nullptr) {
    const long double shift = m.minimum - std::exp(static_cast<long double>(t));
    long double sum = 0, squares = 0;
    for (const double v : values) {
      const long double y = std::log(v - shift);
      sum += y;
      squares += y * y;
    }
    const long double mu = sum / n;
    const long double var = std::max(squares / n - mu * mu, 0.0L);
    if (mu_out != nullptr) {
      *mu_out = static_cast<double>(mu);
      *sigma_out = static_cast<double>(std::sqrt(var));
    }
    if (!(var > 0))
      return -std::numeric_limits<double>::infinity();
    return static_cast<double>(-sum - n / 2 * std::log(2 * std::numbers::pi_v<long double> * var) - n / 2);
  };
  const double range = m.maximum - m.minimum;
  const double t_low = std::log(std::min(delta / 2, range / 2));
  const double t_high = std::log(m.minimum + 20 * range);
  constexpr int kGrid = 64;
  int best_i = 0;
  double best_value = -std::numeric_limits<double>::infinity();
  const auto t_at = [&](int i) { return t_low + (t_high - t_low) * i / (kGrid - 1); };
  for (int i = 0; i < kGrid; ++i) {
    const double value = profile(t_at(i));
    if (value > best_value) {
      best_value = value;
      best_i = i;
    }
  }
  double a = t_at(std::max(best_i - 1, 0)), b = t_at(std::min(best_i + 1, kGrid - 1));
  const double golden = (std::sqrt(5.0) - 1) / 2;
  double c = b - golden * (b - a), d = a + golden * (b - a);
  double fc = profile(c), fd = profile(d);
  int steps = 0;
  while (b - a > 1e-10 * std::max(1.0, std::fabs(a)) && steps < 200) {
    if (fc > fd) {
      b = d;
      d = c;
      fd = fc;
      c = b - golden * (b - a);
      fc = profile(c);
    } else {
      a = c;
      c = d;
      fc = fd;
      d = a + golden * (b - a);
      fd = profile(d);
    }
    ++steps;
  }
  double t = fc > fd ? c : d;
  if (best_value > std::max(fc, fd))
    t = t_at(best_i);
  double mu = 0, sigma = 0;
  const double log_lik = profile(t, &mu, &sigma);
  fit.Shift = static_cast<double>(m.minimum - std::exp(static_cast<long double>(t)));
  fit.Mu = mu;
  fit.Sigma = sigma;
  fit.Converged = steps < 200 && std::isfinite(log_lik);
  Score(fit, log_lik, values.size());
  return fit;
}

}  // namespace corvane
