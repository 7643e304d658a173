#include "simulation/parameter_text.h"

#include "runtime/errors.h"
#include "runtime/float_checks.h"
#include "runtime/parse_float.h"

namespace corvane {

std::optional<double> ReadParameterText(std::string_view text, std::string& error) {
  const std::string quoted = "'" + std::string(text) + "'";
  long double extended = 0;
  if (!TryParseFloat(text, extended)) {
    error = quoted + " is not a number";
    return std::nullopt;
  }
  double value = 0;
  try {
    value = StoreDouble(extended);
  } catch (const EMathError&) {
    error = quoted + " is out of range";
    return std::nullopt;
  }
  // Written so that a NaN is refused as well.
  if (!(value > 0)) {
    error = quoted + " is not greater than 0";
    return std::nullopt;
  }
  return value;
}

TParameterReading ReadParameterTexts(const std::array<std::string_view, 6>& texts) {
  TParameterReading reading;
  std::array<double, 6> values{};
  for (std::size_t i = 0; i < texts.size(); ++i) {
    std::string error;
    const std::optional<double> value = ReadParameterText(texts[i], error);
    if (!value) {
      reading.Field = static_cast<int>(i);
      reading.Error = std::string(kParameterNames[i]) + ": " + error;
      return reading;
    }
    values[i] = *value;
  }
  reading.Set = TParameterSet{values[0], values[1], values[2], values[3], values[4], values[5]};
  return reading;
}

}  // namespace corvane
