// The six model parameters of one reaction, as read from the window's fields.
#pragma once

namespace corvane {

// Accepted by the parameter reader only when all six are greater than 0; the simulation relies on
// that and does not check again.
struct TParameterSet {
  double A = 0;   // critical amount of work that ends a reaction
  double a1 = 0;  // fall of inhibition per unit of work
  double a0 = 0;  // rise of inhibition per unit of distraction time
  double c1 = 0;  // constant of the work-period lengths (through the exponent a1/c1)
  double c0 = 0;  // rate of the distraction periods (mean duration 1/c0)
  double y0 = 0;  // inhibition at the start of a series
};

// The same model: A, a1, a0, c1 and c0 equal. y0 only starts a series and plays no part in what
// the model predicts for it.
bool SameModel(const TParameterSet& a, const TParameterSet& b) noexcept;

// The stationary mean reaction time A * (1 + a1/a0), evaluated as (a1 / a0) * A + A in extended
// precision. EOverflow when it does not fit a double.
double StationaryMean(const TParameterSet& P);

// Twice the stationary mean, ((a1 / a0) * A + A) * 2: the upper end of both time axes. EOverflow
// when it does not fit a double.
double AxisMax(const TParameterSet& P);

}  // namespace corvane
