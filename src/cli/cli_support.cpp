#include "cli/cli_support.h"

#include "runtime/errors.h"
#include "runtime/float_checks.h"
#include "runtime/number_format_settings.h"
#include "runtime/parse_float.h"

namespace corvane {

double ParseParameter(std::string_view text, std::string_view option) {
  const TScopedNumberFormat format('.', ',');
  long double value = 0;
  if (!TryParseFloat(text, value))
    throw EUsage{std::string(option) + ": '" + std::string(text) + "' is not a number"};
  try {
    return StoreDouble(value);
  } catch (const EMathError&) {
    throw EUsage{std::string(option) + ": '" + std::string(text) + "' is out of range"};
  }
}

}  // namespace corvane
