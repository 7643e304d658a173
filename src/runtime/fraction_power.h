// The power of the generator's fractions for one fractional exponent, the simulation's work share
// U1^(a1/c1), by a table built for that exponent.
//
//   u = k * 2^-32 = 2^E * (1 + r) / c_j   (the extended logarithm's table step, extended_log.h)
//   u^e = Z[E][j] * (1 + r)^e,  Z[E][j] = exp(e (E ln 2 - ln c_j)),  (1 + r)^e = exp(e ln(1 + r))
//
// Z holds 33 x 361 powers, each from the power's extended kernels (power.h), so that a draw costs
// only the short series of exp(e ln(1 + r)) with |e ln(1 + r)| < 2^-7.5, and one product. Within
// about a unit in the last extended place of the true power; TPowerFunction::OfFraction gives the
// same value to about half a unit. Building the table takes about half a millisecond, so the
// simulator keeps it while the exponent stays.
#pragma once

#include <cstdint>
#include <vector>

namespace corvane {

class TFractionPower {
 public:
  // Whether the table serves this exponent: fractional, greater than 0 and at most kLargest.
  static bool Serves(long double exponent) noexcept;
  static constexpr long double kLargest = 3.875L;

  // Precondition: Serves(exponent).
  explicit TFractionPower(long double exponent);

  long double Exponent() const noexcept { return exponent_; }

  // (k * 2^-32)^exponent; 0 for k = 0.
  long double operator()(std::uint32_t k) const noexcept;

 private:
  long double exponent_;
  std::vector<long double> powers_;  // Z[E][j] at (E + 32) * 361 + (j - 360)
};

// Sets k and returns true when u = k * 2^-32 for a k in [0, 2^32), as every draw of the generator
// is; read off the bits, without floating-point operations.
bool FractionSeed(long double u, std::uint32_t& k) noexcept;

}  // namespace corvane
