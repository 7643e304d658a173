// Label values of a date-time axis whose step is 15 days or more, walked by the calendar
// instead of by fixed days: a 15-day step labels the 1st and the 16th of every month, 30, 60, 90,
// 120 and 182 days label the first of every 1, 2, 3, 4 and 6 months (counted from January), and
// 365 days and more label January 1st every Round(step / 365) years. The walk runs from the top
// down like the value walk (label_walk.h) and starts at the top bound rounded down to its unit.
//
// Example: 2023-01-10 .. 2023-03-20, step 30: 2023-03-01, 2023-02-01.
#pragma once

#include <vector>

namespace corvane {

// Steps below this are fixed numbers of days.
inline constexpr double kCalendarStepDays = 15;

// Serial dates (days since 1899-12-30), top down. With labels_on_axis the bounds themselves may
// carry labels; without, they are left out. At most 10000 values.
std::vector<double> CalendarLabelValues(double minimum, double maximum, double step, bool labels_on_axis);

}  // namespace corvane
