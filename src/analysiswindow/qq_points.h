// The points of a QQ chart of data against a fitted stationary law, with a pointwise band.
//
//   sorted values, TLikelihoodFit --QqPointsOf--> per order statistic x_(i) (all of them up to
//        kQqMostPoints, else that many spread evenly over the ranks): the model's quantile at the
//        plotting position (i - 1/2)/n, and the band the order statistic falls in with 95 %
//        probability under the model
//
// The band comes from the order statistics' binomial law, not from the bootstrap (the fit keeps
// its replicates' estimates, not their series): under the model F(X_(i)) follows Beta(i, n + 1 - i),
// so X_(i) lies in [Q(B^-1(0.025)), Q(B^-1(0.975))] with probability 95 %, Q the fitted law's
// quantile (LawQuantile, law_goodness_of_fit.h: the atom and the contaminants included). Pointwise:
// at many points some fall outside by chance alone; the fitted parameters are taken as known.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "analysis/likelihood_fit.h"
#include "analysis/work_control.h"

namespace corvane {

inline constexpr std::size_t kQqMostPoints = 400;

struct TQqPoint {
  double Data = kNotANumber;   // the order statistic
  double Model = kNotANumber;  // the model's quantile at its plotting position
  double Low = kNotANumber;    // the 95 % band
  double High = kNotANumber;
};

// `sorted` ascending, the values `fit` was fitted to; empty when `fit` is not fitted. A quantile
// the law cannot give is NaN. Stops between points on a stop request (EAnalysisCancelled).
std::vector<TQqPoint> QqPointsOf(std::span<const double> sorted, const TLikelihoodFit& fit,
                                 const TWorkControl& control = {});

}  // namespace corvane
