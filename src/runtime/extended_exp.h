// The exponential in extended precision for the power's logarithm rule: exp(high + low) for an
// argument held in two parts, as the product of an exponent and a logarithm leaves it, so that
// U^e = exp(e ln U) loses nothing to the rounding of e ln U.
//
// exp(y) = 2^m * 2^(j/64) * exp(r) with y = (64 m + j) ln2/64 + r, |r| <= ln2/128: the powers
// 2^(j/64) come from a table (extended_exp_table.cpp, from tools/gen_extended_exp_table.py)
// and exp(r) from its series.
#pragma once

#include <bit>
#include <cstdint>

namespace corvane {

// The largest |high| ExtendedExp takes: its results stay well inside the double range, where
// scaling by 2^m is a multiplication by a double.
inline constexpr long double kExtendedExpLimit = 700.0L;

namespace detail {
struct TTwoPowerEntry {
  long double head;  // 2^(j/64) rounded to extended
  double tail;       // the rest
};
extern const TTwoPowerEntry kTwoPowers[64];

// ln2/64 in two parts: the first has 47 bits, so that n * kStepHigh is exact for |n| < 2^17.
inline constexpr double kStepHigh = 0x1.62e42fefa3a00p-7;
inline constexpr double kStepLow = -0x1.0ca86c3898d00p-55;
inline constexpr double kStepsPerUnit = 0x1.71547652b82fep+6;  // 64 / ln2; only chooses n
inline constexpr double kRoundingShift = 0x1.8p52;             // adding it rounds a double to an integer

// exp(r) - 1 for |r| <= ln2/128 + a little: its series to r^7 (the next term is below 2^-75), in
// Estrin's scheme. Everything after r is below 2^-15 and is evaluated in double arithmetic, which
// runs beside the x87 work: its error stays below 2^-66.
inline long double ExpMinusOne(long double r) noexcept {
  const double d = static_cast<double>(r);
  const double d2 = d * d;
  const double a = 0.5 + d * (1.0 / 6.0);
  const double b = 1.0 / 24.0 + d * (1.0 / 120.0);
  const double c = 1.0 / 720.0 + d * (1.0 / 5040.0);
  return r + d2 * (a + d2 * (b + d2 * c));
}

// exp(y) - 1 for |y| <= 2^-4.5, the range of a power table's longer series (fraction_power.h):
// to y^10 (the next term is below 2^-75). y^2/2 is evaluated in extended, since in double its
// rounding error could reach 2^-63; the terms from y^3 on are below 2^-16 and go in double
// arithmetic (Estrin's scheme), with an error below 2^-66.
inline long double ExpMinusOneWide(long double y) noexcept {
  const double d = static_cast<double>(y);
  const double d2 = d * d;
  const double d4 = d2 * d2;
  const double p01 = 1.0 / 6.0 + d * (1.0 / 24.0);
  const double p23 = 1.0 / 120.0 + d * (1.0 / 720.0);
  const double p45 = 1.0 / 5040.0 + d * (1.0 / 40320.0);
  const double p67 = 1.0 / 362880.0 + d * (1.0 / 3628800.0);
  const double cubic_on = d2 * d * ((p01 + d2 * p23) + d4 * (p45 + d2 * p67));
  return y + (y * 0.5L * y + cubic_on);
}

}  // namespace detail

// exp(high + low) for |high| <= kExtendedExpLimit and |low| <= 2^-60 |high|, within about half a
// unit in the last extended place. Inline, so that its arguments stay in registers.
inline long double ExtendedExp(long double high, long double low) noexcept {
  // n = nearest(high * 64 / ln2) in double arithmetic: cheap, and exact enough to choose n.
  const double scaled = static_cast<double>(high) * detail::kStepsPerUnit;
  const double nearest = (scaled + detail::kRoundingShift) - detail::kRoundingShift;
  const int n = static_cast<int>(nearest);
  const long double n_extended = nearest;
  const long double r = (high - n_extended * detail::kStepHigh) - n_extended * detail::kStepLow + low;

  const detail::TTwoPowerEntry& entry = detail::kTwoPowers[n & 63];
  const long double mantissa = entry.head + (entry.tail + entry.head * detail::ExpMinusOne(r));
  // 2^(n div 64) as a double, built from its bits; n >> 6 rounds toward minus infinity.
  const double scale = std::bit_cast<double>(static_cast<std::uint64_t>(1023 + (n >> 6)) << 52);
  return mantissa * scale;
}

}  // namespace corvane
