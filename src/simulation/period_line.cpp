#include "simulation/period_line.h"

#include <string_view>

#include "runtime/format_float.h"
#include "runtime/format_text.h"

namespace corvane {
namespace {

// Room for the usual line (about 100 characters) so that it is built without reallocation.
constexpr std::size_t kTypicalLineLength = 128;

void AppendNumber(std::string& line, std::string_view label, double value) {
  line += label;
  line += FormatFloatKind(value, FloatFormatKind::Fixed, 10, 3);
}

}  // namespace

std::string FormatPeriodLine(const TPeriodRecord& record) {
  std::string line;
  line.reserve(kTypicalLineLength);
  line += FormatText("N=%6d", {record.N});
  line += FormatText(" K=%6d", {record.K});
  AppendNumber(line, " Y-Begin=", record.YBegin);
  AppendNumber(line, " Y-End=", record.YEnd);
  AppendNumber(line, record.K == kWorkPeriod ? " WTerm=" : " DTerm=", record.Term);
  AppendNumber(line, " Subtotal=", record.Subtotal);
  AppendNumber(line, " YValue=", record.YValue);
  AppendNumber(line, " asom=", record.asom);
  return line;
}

}  // namespace corvane
