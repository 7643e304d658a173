// The verdict on the reactions' sequential dependence: the data's lag-1 autocorrelation against
// the fitted model's, in the model's standard error at the data's length.
//
//   data lag-1, model lag-1, SE --DependenceVerdict--> TDependenceVerdict: kind and sentence
//
// Two-sided at 5 %: |data - model| <= 1.96 SE is "consistent with the model". Above it, a positive
// data lag-1 is beyond anything the model can produce (its lag-1 is -(1 - r)/2 <= 0), a
// non-positive one above the fitted model's; below it, below the fitted model's. Figures to two
// decimals, signed; the SE unsigned:
//   "the data's lag-1 (+0.21 +/- 0.02) is above anything the model can produce (< 0): sequential
//    dependence the model does not describe"
//   "the data's lag-1 (-0.05 +/- 0.02) is above the fitted model's (-0.31)"
//   "the data's lag-1 (-0.45 +/- 0.02) is below the fitted model's (-0.31)"
// An unknown figure (NaN, or an SE that is not positive) gives no verdict and no sentence.
#pragma once

#include <string>

namespace corvane {

enum class TDependenceKind { Unknown, Consistent, AboveAnyModel, AboveFittedModel, BelowFittedModel };

struct TDependenceVerdict {
  TDependenceKind Kind = TDependenceKind::Unknown;
  std::string Sentence;  // empty when Unknown
};

TDependenceVerdict DependenceVerdict(double data_lag1, double model_lag1, double standard_error);

}  // namespace corvane
