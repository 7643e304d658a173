// Date-time values as the chart holds them: a double counting days since 1899-12-30 00:00, the
// fraction being the time of day. Turned into calendar fields and into label text here.
//
//   CivilFromSerial / SerialFromCivil   days <-> year, month, day (proleptic Gregorian)
//   FormatDateTimeText                  a picture such as "dd/mm/yyyy hh:nn:ss"
//   DefaultDateTimeFormat               the picture an axis uses when its DateTimeFormat is empty
//
// Example: 45000.75 is 2023-03-15 18:00:00, "dd/mm/yy hh:nn" gives "15/03/23 18:00".
#pragma once

#include <string>
#include <string_view>

namespace corvane {

struct TCivilDateTime {
  int Year = 1899;
  int Month = 12;
  int Day = 30;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int Millisecond = 0;
  bool operator==(const TCivilDateTime&) const = default;
};

// The day is the serial rounded down; the time is the fraction to the nearest millisecond. A
// value that is not finite, or more than 3 million days from the epoch, gives the epoch.
TCivilDateTime CivilFromSerial(double serial);
// Midnight of that day; month may run outside 1..12 and carries into the year.
double SerialFromCivil(int year, int month, int day);

// Letters, case-insensitive: y (yy: two digits, yyy and more: four), m/mm month, or minutes right
// after an hour field, d/dd, h/hh, n/nn, s/ss, z/zzz; text in single or double quotes is copied
// without its quotes, any other character as it is.
std::string FormatDateTimeText(std::string_view format, double serial);

// Time of day for a range of at most one day (seconds up to an hour), the date beyond.
std::string DefaultDateTimeFormat(double range);

}  // namespace corvane
