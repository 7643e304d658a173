#include "chart/label_walk.h"

#include <cmath>

namespace corvane {

namespace {

constexpr long double kCountLimit = 2147483647.0L;
constexpr long double kMaxSteps = 10000;

}  // namespace

bool WalksLabels(const TLabelWalkQuery& query) {
  if (!(query.Step > 0) || !(query.Maximum >= query.Minimum))
    return false;
  const long double step = query.Step;
  const long double q = query.Maximum / step;
  const long double range = static_cast<long double>(query.Maximum) - query.Minimum;
  return std::fabs(q) < kCountLimit && std::fabs(range / step) < kMaxSteps;
}

// With RoundFirstLabel the walk counts down from Trunc(Maximum / step), so the value meant to be
// 0 is exactly 0.
double LabelValueAt(const TLabelWalkQuery& query, long long k) {
  const long double step = query.Step;
  if (query.Minimum == query.Maximum || !query.RoundFirstLabel)
    return double(query.Maximum - k * step);
  const long double top = std::trunc(query.Maximum / step);
  return double((top - k) * step);
}

std::vector<double> LabelValues(const TLabelWalkQuery& query) {
  std::vector<double> values;
  ForEachLabelValue(query, [&](double v) { values.push_back(v); });
  return values;
}

TLabelExtremes LabelExtremes(double minimum, double maximum, double step, bool round_first_label) {
  if (!round_first_label || !(step > 0))
    return {minimum, maximum};
  const long double s = step;
  return {double(std::trunc(minimum / s) * s), double(std::trunc(maximum / s) * s)};
}

}  // namespace corvane
