#include "chart/label_step.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>

namespace corvane {

namespace {

// Nearest integer, halves to even, in extended precision (the rounding mode is to nearest).
long double RoundHalfEven(long double value) {
  return std::nearbyint(value);
}

constexpr double kSecond = 1.0 / 86400;
constexpr double kMinute = 60 * kSecond;
constexpr double kHour = 60 * kMinute;

constexpr std::array<double, kDateTimeStepCount> kDateTimeSteps{kSecond,
                                                                5 * kSecond,
                                                                10 * kSecond,
                                                                15 * kSecond,
                                                                30 * kSecond,
                                                                kMinute,
                                                                5 * kMinute,
                                                                10 * kMinute,
                                                                15 * kMinute,
                                                                30 * kMinute,
                                                                kHour,
                                                                2 * kHour,
                                                                6 * kHour,
                                                                12 * kHour,
                                                                1,
                                                                2,
                                                                3,
                                                                7,
                                                                15,
                                                                30,
                                                                60,
                                                                90,
                                                                120,
                                                                182,
                                                                365};

// Past this count of intervals the step is grown whatever the labels need: the axis cannot
// count them in an int.
constexpr long double kIntervalLimit = 2147483647.0L;

}  // namespace

int MaxLabelCount(int label_size, int length, int labels_separation) {
  long double a = label_size;
  if (labels_separation > 0)
    a += RoundHalfEven(labels_separation * 0.01L * label_size);
  if (a <= 0)
    return 1;
  return int(RoundHalfEven(length / a));
}

double NextLabelStep(double step) {
  if (step < 1)
    return 2 * step;
  if (step == 1)
    return 2;
  if (step < 5)
    return 5;
  if (step == 5)
    return 10;
  if (step == 10)
    return 50;
  if (step == 50)
    return 100;
  if (step == 100)
    return 200;
  if (step == 200)
    return 500;
  if (step == 500)
    return 1000;
  if (step == 1000)
    return 5000;
  return 2 * step;
}

double ValueLabelStep(const TLabelStepQuery& query) {
  const int m = MaxLabelCount(query.LabelSize, query.Length, query.LabelsSeparation);
  if (m <= 0)
    return kMinValueLabelStep;
  double s = query.Increment;
  if (!(s > 0))
    s = std::fabs(query.Range) >= 1 ? 1 : kMinValueLabelStep;
  if (query.LabelsSeparation > 0) {
    // Ends: the step doubles at least every other turn, so the count of intervals falls below m,
    // or turns NaN for an infinite range once the step is infinite too.
    for (;;) {
      const long double n = query.Range / static_cast<long double>(s);
      if (std::fabs(n) >= kIntervalLimit || RoundHalfEven(n) > m) {
        s = NextLabelStep(s);
        continue;
      }
      break;
    }
  }
  return std::max(s, kMinValueLabelStep);
}

double DateTimeStep(int index) {
  assert(index >= 0 && index < kDateTimeStepCount);
  return kDateTimeSteps[std::size_t(index)];
}

double DateTimeLabelStep(const TLabelStepQuery& query) {
  const double first = DateTimeStep(0);
  const int m = MaxLabelCount(query.LabelSize, query.Length, query.LabelsSeparation);
  // With no room for a label the search would never end; the smallest step then stands, as the
  // value search gives its smallest step.
  if (m <= 0)
    return first;
  long double step = std::max<long double>(first, query.Increment);
  if (query.Range / step > 1000000)
    step = query.Range * 0.000001L;
  while (RoundHalfEven(query.Range / step) > m) {
    const auto next = std::upper_bound(
        kDateTimeSteps.begin(), kDateTimeSteps.end(), step,
        [](long double value, double entry) { return value < static_cast<long double>(entry); });
    step = next != kDateTimeSteps.end() ? *next : 2 * step;
  }
  return double(std::max<long double>(step, first));
}

}  // namespace corvane
