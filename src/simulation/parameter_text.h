// Six numbers as text into a parameter set: the one conversion the command line and the analysis
// share (the window's own reader keeps its messages and focus moves, and converts each field the
// same way).
//
//   "5", "1", "1", "0.5", "0.5", "5" --ReadParameterTexts--> TParameterSet
//                                  \--> or a named error: "a0: 'x' is not a number"
//
// Each text is read as the window's fields read it: ParseFloat under the process's decimal mark
// (runtime/parse_float.h), rounded to double; every parameter must be greater than 0.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "simulation/parameter_set.h"

namespace corvane {

// "A", "a1", "a0", "c1", "c0", "y0".
inline constexpr std::array<std::string_view, 6> kParameterNames = {"A", "a1", "a0", "c1", "c0", "y0"};

struct TParameterReading {
  std::optional<TParameterSet> Set;  // when all six are accepted
  int Field = -1;                    // the first refused parameter (0..5), -1 when accepted
  std::string Error;                 // "c0: '0' is not greater than 0"
};

TParameterReading ReadParameterTexts(const std::array<std::string_view, 6>& texts);

// One text as a parameter: the value, or nothing with `error` set to the reason (without a name):
// "'x' is not a number", "'1e999' is out of range", "'0' is not greater than 0".
std::optional<double> ReadParameterText(std::string_view text, std::string& error);

}  // namespace corvane
