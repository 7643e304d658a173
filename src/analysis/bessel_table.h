// The modified Bessel functions I0 and I1 that the independent limit's density needs, tabulated
// once from Boost.Math's and read by a cubic: a data set's bootstrap refits near k = inf evaluate
// that density some 10^8 times, and Boost's rational forms (about 28 ns a call in double, two calls
// for a density with its slopes) took a third of their time; a table read costs a few ns.
//
//   t = x^2 in [0, kBesselSquareSplit) --BesselOfSquare--> I0(x), I1(x)/x  (entire functions of t)
//   x >= kBesselSplit                  --ScaledBessel--> I0(x) e^-x sqrt(x), I1(x) e^-x sqrt(x)
//                                      (smooth in w = 1/x up to w = 0, where both are 1/sqrt(2 pi))
//
// Each is a cubic Hermite interpolant of Boost's values and exact slopes at the nodes (4,096 cells
// in t, 1,024 in w; above x = 700, where I(x) leaves double's range, the asymptotic series, whose
// terms there fall below 1e-13 by the fifth). Accuracy: within 3e-14 relative of Boost's values
// over the whole range (tests; the cubic's error h^4 f''''/384 peaks in t's first cell), so the
// density's stated accuracy (about 1e-13) holds.
#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace corvane {

inline constexpr double kBesselSplit = 8;
inline constexpr double kBesselSquareSplit = kBesselSplit * kBesselSplit;

struct TBesselPair {
  double i0 = 0, i1 = 0;
};

// Two functions' cubics on a uniform grid from 0, eight coefficients a cell (the pair's cubics
// side by side: one cache line a read). Read inline: the density's loops call it per value.
class TBesselTable {
 public:
  TBesselTable(double step, std::vector<double> coefficients)
      : inverse_step_(1 / step), last_(coefficients.size() / 8 - 1), coefficients_(std::move(coefficients)) {}

  TBesselPair At(double u) const noexcept {
    const double position = u * inverse_step_;
    const std::size_t cell = std::min(static_cast<std::size_t>(position), last_);
    const double x = position - static_cast<double>(cell);
    const double* k = &coefficients_[8 * cell];
    return {((k[3] * x + k[2]) * x + k[1]) * x + k[0], ((k[7] * x + k[6]) * x + k[5]) * x + k[4]};
  }

 private:
  double inverse_step_;
  std::size_t last_;
  std::vector<double> coefficients_;
};

// The tables, made on first use.
const TBesselTable& BesselSquareTable();
const TBesselTable& BesselInverseTable();

// t = x^2 in [0, kBesselSquareSplit): {I0(x), I1(x)/x}.
inline TBesselPair BesselOfSquare(double t) noexcept {
  return BesselSquareTable().At(t);
}
// x >= kBesselSplit (+inf included): {I0(x) e^-x sqrt(x), I1(x) e^-x sqrt(x)}.
inline TBesselPair ScaledBessel(double x) noexcept {
  return BesselInverseTable().At(1 / x);
}

}  // namespace corvane
