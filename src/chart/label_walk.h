// The walk over the value labels of an axis, from the top value down.
//
// The first value is CurrentMaximum, or with RoundFirstLabel the largest multiple of the step
// toward zero from it (Trunc(Maximum / step) * step); values below it follow one step apart.
// With LabelsOnAxis the walk keeps values within Minimum..Maximum, bounds included; without it
// the bounds themselves are left out.
//
// Example: 0..26, step 1, RoundFirstLabel: 26, 25, ..., 1, 0. 0.5..26.5, step 5: 25, 20, ..., 5.
//
// Each value is computed from its index, k steps below the first, rather than by subtracting the
// step again and again: repeated subtraction of a step such as 0.1 drifts, and the walk would lose
// its last label when the value meant to be 0 came out a hair below the minimum.
#pragma once

#include <vector>

namespace corvane {

struct TLabelWalkQuery {
  double Minimum = 0;  // CurrentMinimum
  double Maximum = 0;  // CurrentMaximum
  double Step = 0;     // from the step search (label_step.h)
  bool RoundFirstLabel = true;
  bool LabelsOnAxis = true;
};

// Whether labels, ticks and grid lines are drawn at all: the step must be > 0, Maximum >=
// Minimum, Maximum / step a count an int can hold, and the range hold fewer than 10000 steps.
bool WalksLabels(const TLabelWalkQuery& query);

// The value k steps below the first value of the walk (k = 0: the first value, before the walk
// brings it within the bounds), computed in extended precision and stored as a double.
double LabelValueAt(const TLabelWalkQuery& query, long long k);

// Calls visit(value) for every label value, top down. Nothing when !WalksLabels(query).
template <class Visit>
void ForEachLabelValue(const TLabelWalkQuery& query, Visit&& visit);

std::vector<double> LabelValues(const TLabelWalkQuery& query);

// The outermost label values the room computation measures: lo and hi are Int(bound / step) *
// step with RoundFirstLabel (Int truncating toward zero) and the bounds themselves without.
struct TLabelExtremes {
  double Low = 0;
  double High = 0;
};
TLabelExtremes LabelExtremes(double minimum, double maximum, double step, bool round_first_label);

template <class Visit>
void ForEachLabelValue(const TLabelWalkQuery& query, Visit&& visit) {
  if (!WalksLabels(query))
    return;
  const auto above_top = [&](double v) {
    return query.LabelsOnAxis ? v > query.Maximum : v >= query.Maximum;
  };
  const auto above_bottom = [&](double v) {
    return query.LabelsOnAxis ? v >= query.Minimum : v > query.Minimum;
  };
  long long k = 0;
  // The range holds fewer than 10000 steps, so both loops stop within a few thousand turns.
  while (above_top(LabelValueAt(query, k))) ++k;
  for (double v = LabelValueAt(query, k); above_bottom(v); v = LabelValueAt(query, ++k)) visit(v);
}

}  // namespace corvane
