// Loads the number format settings (DecimalMark, ThousandsMark) from the user's locale: the
// decimal and grouping separators of LC_NUMERIC as the environment sets it. Each is taken only
// when it is exactly one byte; otherwise (a failed query, an empty or multi-byte separator such as
// the narrow no-break space of fr_FR.UTF-8) the default "." or "," stays.
#pragma once

namespace corvane {

struct TNumberMarks {
  char decimal_mark = '.';
  char thousands_mark = ',';
};

// The marks of the named locale ("" for the one the environment selects).
TNumberMarks NumberMarksOfLocale(const char* locale_name);

// Reads the environment's locale and stores its marks into the process-wide settings.
void LoadNumberFormatSettings();

}  // namespace corvane
