#include "app/locale_settings.h"

#include <langinfo.h>
#include <locale.h>

#include <cstring>

#include "runtime/number_format_settings.h"

namespace corvane {

TNumberMarks NumberMarksOfLocale(const char* locale_name) {
  TNumberMarks marks;
  // A locale object of our own: the C library's global locale (and with it printf and the
  // parsing inside Qt) stays "C".
  locale_t locale = newlocale(LC_NUMERIC_MASK, locale_name, static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr))
    return marks;
  const char* decimal = nl_langinfo_l(RADIXCHAR, locale);
  const char* thousands = nl_langinfo_l(THOUSEP, locale);
  if (decimal != nullptr && std::strlen(decimal) == 1)
    marks.decimal_mark = decimal[0];
  if (thousands != nullptr && std::strlen(thousands) == 1)
    marks.thousands_mark = thousands[0];
  freelocale(locale);
  return marks;
}

void LoadNumberFormatSettings() {
  const TNumberMarks marks = NumberMarksOfLocale("");
  SetDecimalMark(marks.decimal_mark);
  SetThousandsMark(marks.thousands_mark);
}

}  // namespace corvane
