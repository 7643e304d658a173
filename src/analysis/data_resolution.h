// The resolution of recorded reaction times: the unit of the last decimal place they are written with.
//
//   values --DataResolution--> delta (0.001 for seconds to the millisecond; a tiny delta for values
//                               at full precision)
//
// Reaction times are continuous only to their resolution: a value v stands for [v - delta/2,
// v + delta/2]. The likelihood fits use delta to put a probability mass (the model's atom at A)
// on the density scale: a value within delta/2 of A counts atom/delta, so log-likelihoods of
// every model compare with those of continuous densities.
//
// DataResolution takes the largest 10^-d (d from -3 to 12) of which every value is a multiple
// within a millionth of that unit, as long as the values' doubles still resolve such a unit
// (|v| / 10^-d < 2^32). Values that fit none (computed, or printed to 17 digits) get the tiny
// delta 2 kAtomTolerance |minimum| (series_statistics.h), the tolerance the share at the
// minimum uses for ties, but never below the smallest normal double.
#pragma once

#include <span>

namespace corvane {

// Positive finite values; at least one. Always > 0.
double DataResolution(std::span<const double> values);

}  // namespace corvane
