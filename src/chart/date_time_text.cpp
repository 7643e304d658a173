#include "chart/date_time_text.h"

#include <cctype>
#include <cmath>

namespace corvane {

namespace {

// 1899-12-30 counted from 0000-03-01 in the days-from-civil scheme below.
constexpr long long kSerialEpoch = 693899;
constexpr long long kMillisecondsPerDay = 86400000;
// About 8000 years either side of 1899: far beyond any date a label means, and the day count and
// the year stay well inside their integer types.
constexpr double kSerialLimit = 3.0e6;

long long FloorDiv(long long a, long long b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

// Days since 0000-03-01 (March-based years put the leap day at the end of the year).
long long DaysFromCivil(long long y, long long m, long long d) {
  y -= m <= 2 ? 1 : 0;
  const long long era = FloorDiv(y, 400);
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe;
}

void CivilFromDays(long long z, TCivilDateTime& out) {
  const long long era = FloorDiv(z, 146097);
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  out.Day = int(doy - (153 * mp + 2) / 5 + 1);
  out.Month = int(mp < 10 ? mp + 3 : mp - 9);
  out.Year = int(yoe + era * 400 + (out.Month <= 2 ? 1 : 0));
}

std::string Digits(int value, int width) {
  std::string text = std::to_string(value < 0 ? -value : value);
  if (int(text.size()) < width)
    text.insert(0, std::size_t(width) - text.size(), '0');
  return value < 0 ? "-" + text : text;
}

// The text of one run of the same letter, or nothing when the letter is not a field.
bool FieldText(char letter, int run, bool after_hour, const TCivilDateTime& t, std::string& out) {
  switch (letter) {
    case 'y':
      out += run <= 2 ? Digits(((t.Year % 100) + 100) % 100, 2) : Digits(t.Year, 4);
      return true;
    case 'm':
      out += Digits(after_hour ? t.Minute : t.Month, run >= 2 ? 2 : 1);
      return true;
    case 'd':
      out += Digits(t.Day, run >= 2 ? 2 : 1);
      return true;
    case 'h':
      out += Digits(t.Hour, run >= 2 ? 2 : 1);
      return true;
    case 'n':
      out += Digits(t.Minute, run >= 2 ? 2 : 1);
      return true;
    case 's':
      out += Digits(t.Second, run >= 2 ? 2 : 1);
      return true;
    case 'z':
      out += Digits(t.Millisecond, run >= 3 ? 3 : 1);
      return true;
    default:
      return false;
  }
}

}  // namespace

TCivilDateTime CivilFromSerial(double serial) {
  TCivilDateTime result;
  if (!(std::fabs(serial) < kSerialLimit))
    return result;
  const long double day = std::floor(static_cast<long double>(serial));
  long long ms = std::llround((static_cast<long double>(serial) - day) * kMillisecondsPerDay);
  long long days = static_cast<long long>(day);
  if (ms >= kMillisecondsPerDay) {
    ms -= kMillisecondsPerDay;
    ++days;
  }
  CivilFromDays(days + kSerialEpoch, result);
  result.Hour = int(ms / 3600000);
  result.Minute = int(ms / 60000 % 60);
  result.Second = int(ms / 1000 % 60);
  result.Millisecond = int(ms % 1000);
  return result;
}

double SerialFromCivil(int year, int month, int day) {
  const long long months = static_cast<long long>(year) * 12 + (month - 1);
  const long long y = FloorDiv(months, 12);
  const long long m = months - y * 12 + 1;
  return double(DaysFromCivil(y, m, day) - kSerialEpoch);
}

std::string FormatDateTimeText(std::string_view format, double serial) {
  const TCivilDateTime t = CivilFromSerial(serial);
  std::string out;
  bool after_hour = false;
  for (std::size_t i = 0; i < format.size();) {
    const char c = format[i];
    if (c == '\'' || c == '"') {
      const std::size_t close = format.find(c, i + 1);
      const std::size_t end = close == std::string_view::npos ? format.size() : close;
      out.append(format.substr(i + 1, end - i - 1));
      i = end + 1;
      continue;
    }
    const char letter = char(std::tolower(static_cast<unsigned char>(c)));
    std::size_t run = 1;
    while (i + run < format.size() && std::tolower(static_cast<unsigned char>(format[i + run])) == letter)
      ++run;
    if (FieldText(letter, int(run), after_hour, t, out)) {
      after_hour = letter == 'h';
      i += run;
    } else {
      out += c;
      ++i;
    }
  }
  return out;
}

std::string DefaultDateTimeFormat(double range) {
  if (range <= 1.0 / 24)
    return "hh:nn:ss";
  if (range <= 1)
    return "hh:nn";
  return "dd/mm/yyyy";
}

}  // namespace corvane
