#include "simulation/reaction_theory.h"

#include <cmath>

#include "runtime/float_checks.h"

namespace corvane {
namespace {

struct TExtendedTerms {
  long double KPlusOne = 0;   // k + 1 = c1/a1 + 1
  long double Rho = 0;        // a1 c0 / a0
  long double OneMinusR = 0;  // 1 - exp(-rho A / (k + 1))
  long double R = 0;
};

// 1 - r through expm1: for a small rho A the plain difference would keep few digits.
TExtendedTerms TermsOf(const TParameterSet& P) {
  TExtendedTerms t;
  t.KPlusOne = static_cast<long double>(P.c1) / P.a1 + 1.0L;
  t.Rho = static_cast<long double>(P.a1) * P.c0 / P.a0;
  const long double exponent = -t.Rho * P.A / t.KPlusOne;
  t.OneMinusR = -std::expm1(exponent);
  t.R = std::exp(exponent);
  return t;
}

}  // namespace

TReactionTheory ReactionTheoryOf(const TParameterSet& P) {
  const TFloatFaultCheck check;
  const TExtendedTerms t = TermsOf(P);
  const long double c0 = P.c0;
  const long double variance = 2.0L * t.KPlusOne * t.OneMinusR / (c0 * c0);
  TReactionTheory theory;
  theory.StationaryMean = StationaryMean(P);
  theory.Variance = StoreDouble(variance);
  theory.StandardDeviation = StoreDouble(std::sqrt(variance));
  theory.Lag1Autocorrelation = StoreDouble(-t.OneMinusR / 2.0L);
  theory.CarriedInhibitionMean = StoreDouble(t.KPlusOne * P.a0 / c0);
  theory.DistractionsPerReaction = StoreDouble(t.Rho * P.A);
  check.Check();
  return theory;
}

double ReactionTimeAutocorrelation(const TParameterSet& P, int lag) {
  if (lag == 0)
    return 1.0;
  // Symmetric in the lag; taken wide so that the smallest int has a magnitude.
  const long long j = lag < 0 ? -static_cast<long long>(lag) : lag;
  const TFloatFaultCheck check;
  const TExtendedTerms t = TermsOf(P);
  const double result = StoreDouble(-t.OneMinusR * std::pow(t.R, static_cast<long double>(j - 1)) / 2.0L);
  check.Check();
  return result;
}

double ReactionTimeFromCarried(const TParameterSet& P, double y_before, double y_after) {
  const TFloatFaultCheck check;
  const long double A = P.A;
  const double result =
      StoreDouble(A + A * P.a1 / P.a0 + (static_cast<long double>(y_after) - y_before) / P.a0);
  check.Check();
  return result;
}

}  // namespace corvane
