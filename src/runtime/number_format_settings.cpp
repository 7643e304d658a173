#include "runtime/number_format_settings.h"

namespace corvane {
namespace {
char g_decimal_mark = '.';
char g_thousands_mark = ',';
}  // namespace

char DecimalMark() noexcept {
  return g_decimal_mark;
}
char ThousandsMark() noexcept {
  return g_thousands_mark;
}
void SetDecimalMark(char mark) noexcept {
  g_decimal_mark = mark;
}
void SetThousandsMark(char mark) noexcept {
  g_thousands_mark = mark;
}

}  // namespace corvane
