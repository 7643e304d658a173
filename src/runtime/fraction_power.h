// The power of the generator's fractions for one fractional exponent, the simulation's work share
// U1^(a1/c1), by a table built for that exponent.
//
//   u = k * 2^-32 = 2^E * (1 + r) / c_j   (the extended logarithm's table step, extended_log.h)
//   u^e = Z[E][j] * (1 + r)^e,  Z[E][j] = exp(e (E ln 2 - ln c_j)),  (1 + r)^e = exp(e ln(1 + r))
//
// Up to kSeriesLimit the table holds 33 x 361 powers Z, each from the power's extended kernels
// (power.h), so that a draw costs only the short series of exp(e ln(1 + r)), |e ln(1 + r)| < 2^-7.5,
// and one product: within about a unit in the last extended place of the true power, where
// TPowerFunction::OfFraction is within half a unit. Up to kLongSeriesLimit the same with a longer
// series, |e ln(1 + r)| < 2^-4.5, where Z still lies within the kernels' range. Above it, Z
// leaves that range, so the table holds the exponents L = e (E ln 2 - ln c_j) instead and a draw
// costs one exponential, exp(L + e ln(1 + r)): within 4 + 3 |e ln u| + e/128 units, so still within
// a unit of 1's last place, which is what 1 - u^e, the one use the simulation makes of it, needs. Powers
// below e^-700 come out as 0; 1 - u^e is 1 in extended for them either way. Building the table takes about
// half a millisecond, so the simulator keeps it while the exponent stays.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "runtime/extended_exp.h"
#include "runtime/extended_log.h"

namespace corvane {

class TFractionPower {
 public:
  // Whether the table serves this exponent: fractional and greater than 0 (so below 2^63, from
  // where every extended value is an integer).
  static bool Serves(long double exponent) noexcept;
  static constexpr long double kSeriesLimit = 3.875L;
  // e (32 ln 2 + ln 1.42) < 700 and e 2^-9.49 < 2^-4.5 below it.
  static constexpr long double kLongSeriesLimit = 31.0L;

  // Precondition: Serves(exponent).
  explicit TFractionPower(long double exponent);

  long double Exponent() const noexcept { return exponent_; }

  // (k * 2^-32)^exponent; 0 for k = 0. Inline: the simulation works it out once a cycle.
  long double operator()(std::uint32_t k) const noexcept {
    if (k == 0) [[unlikely]]
      return 0.0L;
    const detail::TFractionReduction x = detail::ReduceFraction(k);
    const long double Z =
        powers_[static_cast<std::size_t>((x.e - kLowestExponent) * kPoints + (x.entry - detail::kLogTable))];
    // e ln(1 + r) with its series tail in double arithmetic: below 2^-7.5, so its rounding errors
    // stay far below the last extended place of the power.
    const double r = x.r;
    const double r2 = r * r;
    const double tail =
        r2 * ((-0.5 + r * (1.0 / 3.0)) + r2 * ((-0.25 + r * 0.2) + r2 * (-1.0 / 6.0 + r * (1.0 / 7.0))));
    const long double y = exponent_ * static_cast<long double>(r) + exponent_ * tail;
    if (route_ == Route::kShortSeries)
      return Z + Z * detail::ExpMinusOne(y);
    if (route_ == Route::kLongSeries)
      return Z + Z * detail::ExpMinusOneWide(y);
    // Z is L here; beyond the exponential's range the power is below e^-700.
    const long double exponent = Z + y;
    const bool tiny = exponent < -kExtendedExpLimit;
    const long double power = ExtendedExp(tiny ? -kExtendedExpLimit : exponent, 0.0L);
    return tiny ? 0.0L : power;
  }

 private:
  static constexpr int kLowestExponent = -32;  // E of the smallest draw, 2^-32
  static constexpr int kExponents = 33;        // E = -32 .. 0
  static constexpr int kPoints = 361;          // j = 360 .. 720

  enum class Route { kShortSeries, kLongSeries, kExponents };  // the table holds Z, Z, L

  long double exponent_;
  Route route_;
  std::vector<long double> powers_;  // Z[E][j] or L[E][j] at (E + 32) * 361 + (j - 360)
};

// The k of u = k * 2^-32 for a k in [0, 2^32), as every draw of the generator is, and none for
// any other u; read off the bits, without floating-point operations.
std::optional<std::uint32_t> FractionSeed(long double u) noexcept;

}  // namespace corvane
