// The field's standard distributions for reaction times, fitted by maximum likelihood: the
// yardsticks the model's own likelihood is compared with.
//
//   values --FitExGaussian--> TStandardFit: mu, sigma, tau of Normal(mu, sigma) + Exp(mean tau)
//          --FitShiftedLognormal--> TStandardFit: shift, mu, sigma of shift + LogNormal(mu, sigma)
//   x, mu, sigma, tau --ExGaussianLogDensity--> log f, stable in both tails
//
// Both densities are closed forms; logLik is the sum of log densities (the density scale, as R's
// own fits report it), AIC = 2 p - 2 logLik, BIC = p ln n - 2 logLik with p = 3.
// The ex-Gaussian's log density is
//   -ln tau + (mu - x)/tau + sigma^2/(2 tau^2) + ln Phi((x - mu)/sigma - sigma/tau),
// ln Phi(z) = ln(erfc(-z/sqrt 2)/2) while erfc is representable, else by the asymptotic series of
// ln erfc (so the far left tail, where erfc underflows, keeps its value).
// Its ML runs BOBYQA (bounded_minimizer.h) on (mu, ln sigma, ln tau) from the moment estimates
// (tau from the skewness) and two other shares of the variance for tau; the best of the three.
// The shifted lognormal's mu and sigma are closed forms given the shift (the mean and SD of
// ln(x - shift)), so its ML is a one-dimensional search on ln(min - shift): a grid of 64 points
// then golden sections. The shift stays at or below min - delta/2 (the data's resolution,
// data_resolution.h): the three-parameter lognormal's likelihood grows without bound as the shift
// reaches the smallest value, and a recorded value stands for an interval of width delta.
#pragma once

#include <cstddef>
#include <span>

#include "analysis/series_statistics.h"

namespace corvane {

struct TStandardFit {
  // Ex-Gaussian: mu, sigma, tau. Shifted lognormal: Shift, mu, sigma (Tau NaN).
  double Mu = kNotANumber;
  double Sigma = kNotANumber;
  double Tau = kNotANumber;
  double Shift = kNotANumber;
  double LogLik = kNotANumber;
  double AIC = kNotANumber;
  double BIC = kNotANumber;
  bool Converged = false;  // the optimiser's criterion met
};

double ExGaussianLogDensity(double x, double mu, double sigma, double tau);
// The ex-Gaussian's distribution function.
double ExGaussianDistribution(double x, double mu, double sigma, double tau);

// At least 3 finite values with variation, else every field NaN.
TStandardFit FitExGaussian(std::span<const double> values);
// delta: the data's resolution (> 0).
TStandardFit FitShiftedLognormal(std::span<const double> values, double delta);

}  // namespace corvane
