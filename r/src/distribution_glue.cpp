// dcorvane, pcorvane and qcorvane: the stationary law of one reaction time (stationary_law.h),
// vectorised over the points and the parameters with R's recycling.
//
//   kind, x, A, b, k, c0 --> one value per element of the longest argument (none if any is empty)
//        one law for all (every parameter of length 1): the density in one vector call
//        else element by element, the parameters recycled
//   NA or NaN in an argument: NA or NaN out; a parameter out of range (not > 0; A, b, c0 not
//   finite) or a probability outside [0, 1]: NaN, counted in the attribute "nans" for R's warning
#include <Rcpp.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>
#include <vector>

#include "analysis/stationary_law.h"
#include "glue_support.h"
#include "runtime/float_environment.h"

namespace corvane::rglue {
namespace {

enum TKind { kDensity = 0, kDistribution = 1, kQuantile = 2 };

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool ValidLaw(const TStationaryLaw& law) {
  const auto positive_finite = [](double v) { return v > 0 && std::isfinite(v); };
  return positive_finite(law.A) && positive_finite(law.b) && positive_finite(law.c0) && law.k > 0;
}

bool AnyNaN(const TStationaryLaw& law) {
  return std::isnan(law.A) || std::isnan(law.b) || std::isnan(law.k) || std::isnan(law.c0);
}

// One value; `nans` counts the NaN made from numbers out of range.
double Value(TKind kind, const TStationaryLaw& law, double x, R_xlen_t& nans) {
  if (std::isnan(x))
    return x;
  if (AnyNaN(law))
    return law.A + law.b + law.k + law.c0;  // NA stays NA, NaN stays NaN
  if (!ValidLaw(law)) {
    ++nans;
    return kNaN;
  }
  switch (kind) {
    case kDensity:
      return std::isfinite(x) ? StationaryDensity(law, x) : 0.0;
    case kDistribution:
      if (x == -std::numeric_limits<double>::infinity())
        return 0.0;
      if (x == std::numeric_limits<double>::infinity())
        return 1.0;
      // A probability: the law's tabulated tail may pass 1 by less than its accuracy.
      return std::clamp(StationaryDistribution(law, x), 0.0, 1.0);
    case kQuantile:
      if (x == 1)
        return std::numeric_limits<double>::infinity();
      if (!(x >= 0 && x < 1)) {
        ++nans;
        return kNaN;
      }
      return StationaryQuantile(law, x);
  }
  return kNaN;
}

}  // namespace
}  // namespace corvane::rglue

using namespace corvane;
using namespace corvane::rglue;

extern "C" SEXP corvane_dpq_(SEXP kind_in, SEXP x_in, SEXP A_in, SEXP b_in, SEXP k_in, SEXP c0_in) {
  BEGIN_RCPP
  InitFloatingPointEnvironment();
  const auto kind = static_cast<TKind>(Rf_asInteger(kind_in));
  const Rcpp::NumericVector x(x_in), A(A_in), b(b_in), k(k_in), c0(c0_in);
  const R_xlen_t lengths[] = {x.size(), A.size(), b.size(), k.size(), c0.size()};
  const R_xlen_t n = *std::min_element(std::begin(lengths), std::end(lengths)) == 0
                         ? 0
                         : *std::max_element(std::begin(lengths), std::end(lengths));
  return Guarded([&]() -> SEXP {
    Rcpp::NumericVector out(Rcpp::no_init(n));
    R_xlen_t nans = 0;
    const bool one_law = A.size() == 1 && b.size() == 1 && k.size() == 1 && c0.size() == 1;
    const TStationaryLaw first = n > 0 ? TStationaryLaw{A[0], b[0], k[0], c0[0]} : TStationaryLaw{};
    if (one_law && kind == kDensity && n > 0 && ValidLaw(first)) {
      // The law's own vector call over R's memory; points that are not finite numbers (rare) go
      // through a copy, and are set after it.
      const std::span<const double> points(x.begin(), static_cast<std::size_t>(n));
      const std::span<double> values(out.begin(), static_cast<std::size_t>(n));
      if (std::all_of(points.begin(), points.end(), [](double p) { return std::isfinite(p); })) {
        StationaryDensity(first, points, values);
      } else {
        std::vector<double> finite(points.begin(), points.end());
        for (double& p : finite)
          if (!std::isfinite(p))
            p = first.A;  // density 0, replaced below
        StationaryDensity(first, finite, values);
        for (R_xlen_t i = 0; i < n; ++i)
          if (!std::isfinite(x[i]))
            out[i] = std::isnan(x[i]) ? x[i] : 0.0;
      }
    } else {
      for (R_xlen_t i = 0; i < n; ++i) {
        if (i % 4096 == 0)
          CheckInterrupt();
        const TStationaryLaw law{A[i % A.size()], b[i % b.size()], k[i % k.size()], c0[i % c0.size()]};
        out[i] = Value(kind, law, x[i % x.size()], nans);
      }
    }
    out.attr("nans") = static_cast<double>(nans);
    return out;
  });
  END_RCPP
}
