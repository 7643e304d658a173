#include "chart/decimal_label_step.h"

#include <algorithm>
#include <cmath>

namespace corvane {
namespace {

constexpr double kMantissas[] = {1, 2, 5};
// More labels than this are never placed (the walk's own limit).
constexpr double kMaxLabels = 10000;

}  // namespace

bool LabelsOverlap(std::vector<TPlacedLabel> labels, int gap) {
  std::sort(labels.begin(), labels.end(),
            [](const TPlacedLabel& a, const TPlacedLabel& b) { return a.Centre < b.Centre; });
  for (std::size_t i = 1; i < labels.size(); ++i) {
    const double room = (labels[i - 1].Size + labels[i].Size) / 2.0 + gap;
    if (labels[i].Centre - labels[i - 1].Centre < room)
      return true;
  }
  return false;
}

double DecimalLabelStep(double range, int length, int smallest_size, int gap, const TLabelLayout& layout) {
  if (!(range > 0) || !std::isfinite(range) || length <= 0)
    return 1;
  // No step below the one that fits the narrowest labels edge to edge can keep them apart.
  const double floor_step = range * std::max(1, smallest_size) / length;
  int exponent = static_cast<int>(std::floor(std::log10(floor_step)));
  for (int tries = 0; tries < 40; ++tries, ++exponent) {
    const double power = std::pow(10.0, exponent);
    for (const double mantissa : kMantissas) {
      const double step = mantissa * power;
      if (step < floor_step || range / step > kMaxLabels)
        continue;
      // A step beyond the range places one label at most: it always fits.
      if (step >= range || !LabelsOverlap(layout(step), gap))
        return step;
    }
  }
  return std::pow(10.0, exponent);
}

int DecimalPlaces(double step) {
  if (!(step > 0) || step >= 1)
    return 0;
  return std::max(0, static_cast<int>(std::ceil(-std::log10(step) - 1e-9)));
}

std::string DecimalPlacesMask(int places) {
  return places > 0 ? "#,##0." + std::string(static_cast<std::size_t>(places), '0') : "#,##0";
}

}  // namespace corvane
