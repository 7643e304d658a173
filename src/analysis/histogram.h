// Histogram bins for a series of reaction times, shown as a density beside the model's.
//
//   sorted values, atom --HistogramOf--> THistogram (the atom's count apart, bins over the rest)
//
// The model puts a probability e^(-rho A) on RT = A exactly (a reaction without a distraction), so
// the values at the atom (within 1e-9 relative: the minimum, or A where the caller gives it) are
// counted apart and the bins hold only the continuous part. The width is Freedman-Diaconis,
// 2 IQR m^(-1/3) over the m binned values; where their IQR is 0, Sturges' ceil(log2 m) + 1 bins
// over their range. Densities are count / (n width) with n every value, the atom's included, so
// the bins integrate to the continuous part's share and sit on the model's density unscaled.
//
// Data recorded to a resolution (10 ms, 1 ms, whole milliseconds) lie on a grid; bins of a width
// that is no multiple of its step hold alternately more and fewer grid points, and the histogram
// comes out as a comb. So where every value lies on a grid (DataGridStep: the smallest gap
// between distinct values, when every value is a whole number of it from the smallest, within
// 1e-6 of a step), the width is rounded to a whole multiple of the step (at least one step), and
// each bin holds the same number of grid points; a grid value on an edge goes to the bin below.
// Simulated data lie on no grid and keep the rule's width.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "analysis/series_statistics.h"

namespace corvane {

enum class TBinRule { None, FreedmanDiaconis, Sturges };

struct THistogram {
  std::size_t Total = 0;  // every value
  double Atom = kNotANumber;
  std::size_t AtomCount = 0;
  double AtomShare = kNotANumber;  // AtomCount / Total
  TBinRule Rule = TBinRule::None;  // None: nothing beside the atom to bin
  double Start = kNotANumber;      // the first bin's lower edge, the atom where there is one
  double Width = kNotANumber;
  double Resolution = kNotANumber;  // the data's grid step; NaN where they lie on none
  std::vector<std::size_t> Counts;
  std::vector<double> Densities;

  double BinStart(std::size_t bin) const { return Start + static_cast<double>(bin) * Width; }
  double BinEnd(std::size_t bin) const { return Start + static_cast<double>(bin + 1) * Width; }
};

// At most this many bins: a far outlier would otherwise ask for millions.
inline constexpr std::size_t kMaxHistogramBins = 10000;

// `sorted` ascending. The atom is `atom` where given (a finite value), else the minimum; the
// first bin starts at the smaller of the atom and the first value above it, and bins are
// half-open (lower, upper], the last closed at the maximum.
THistogram HistogramOf(std::span<const double> sorted, double atom = kNotANumber);

// The step of the grid every value of `sorted` (ascending) lies on, or NaN: none, fewer than two
// distinct values, or a step below 1e-9 of their range.
double DataGridStep(std::span<const double> sorted);

}  // namespace corvane
