#include "chart/calendar_walk.h"

#include <algorithm>
#include <cmath>

#include "chart/date_time_text.h"

namespace corvane {

namespace {

constexpr int kMaxCalendarLabels = 10000;

// A calendar unit as a count of half months (1, 2, 4, 6, 8, 12) or of years.
struct TCalendarUnit {
  bool Years = false;
  long long Count = 1;
};

TCalendarUnit UnitOfStep(double step) {
  if (step < 30)
    return {false, 1};
  if (step < 60)
    return {false, 2};
  if (step < 90)
    return {false, 4};
  if (step < 120)
    return {false, 6};
  if (step < 182)
    return {false, 8};
  if (step < 365)
    return {false, 12};
  return {true, std::max(1LL, std::llround(step / 365))};
}

long long FloorToMultiple(long long value, long long unit) {
  const long long q = value / unit - ((value % unit != 0) && (value < 0) ? 1 : 0);
  return q * unit;
}

// The index of the unit that holds the date: half months or years counted from year 0.
long long UnitIndexOf(const TCalendarUnit& unit, double serial) {
  const TCivilDateTime t = CivilFromSerial(serial);
  if (unit.Years)
    return FloorToMultiple(t.Year, unit.Count);
  const long long half = (static_cast<long long>(t.Year) * 12 + (t.Month - 1)) * 2 + (t.Day >= 16 ? 1 : 0);
  return FloorToMultiple(half, unit.Count);
}

double SerialOfIndex(const TCalendarUnit& unit, long long index) {
  if (unit.Years)
    return SerialFromCivil(int(index), 1, 1);
  const long long month = index / 2 - (index % 2 != 0 && index < 0 ? 1 : 0);
  const int day = index - month * 2 == 1 ? 16 : 1;
  return SerialFromCivil(0, int(month) + 1, day);
}

}  // namespace

std::vector<double> CalendarLabelValues(double minimum, double maximum, double step, bool labels_on_axis) {
  std::vector<double> values;
  if (!(maximum >= minimum) || !std::isfinite(minimum) || !std::isfinite(maximum))
    return values;
  const TCalendarUnit unit = UnitOfStep(step);
  long long index = UnitIndexOf(unit, maximum);
  const auto above_top = [&](double v) { return labels_on_axis ? v > maximum : v >= maximum; };
  const auto above_bottom = [&](double v) { return labels_on_axis ? v >= minimum : v > minimum; };
  while (above_top(SerialOfIndex(unit, index))) index -= unit.Count;
  for (double v = SerialOfIndex(unit, index); above_bottom(v) && int(values.size()) < kMaxCalendarLabels;
       v = SerialOfIndex(unit, index)) {
    values.push_back(v);
    index -= unit.Count;
  }
  return values;
}

}  // namespace corvane
