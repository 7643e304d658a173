#include "mainwindow/series_seeds.h"

#include <charconv>
#include <exception>

#include "runtime/float_checks.h"
#include "runtime/number_format_settings.h"
#include "runtime/parse_float.h"

namespace corvane {
namespace {

bool SameModelParameters(const TParameterSet& a, const TParameterSet& b) noexcept {
  return a.A == b.A && a.a1 == b.a1 && a.a0 == b.a0 && a.c1 == b.c1 && a.c0 == b.c0;
}

bool ReadsBackAs(const std::string& text, double value) {
  const TScopedNumberFormat format('.', ',');
  long double read = 0;
  if (!TryParseFloat(text, read))
    return false;
  try {
    return StoreDouble(read) == value;
  } catch (const std::exception&) {
    return false;
  }
}

std::string CharsOf(double value, int precision) {
  char text[40];
  const auto result =
      precision > 0 ? std::to_chars(text, text + sizeof text, value, std::chars_format::general, precision)
                    : std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

// Single quotes unless every character is one the shell takes as it is.
std::string ShellWord(std::string_view word) {
  bool plain = !word.empty();
  for (const char c : word)
    plain = plain && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      c == '/' || c == '.' || c == '_' || c == '-' || c == '+' || c == ',' || c == ':');
  if (plain)
    return std::string(word);
  std::string quoted = "'";
  for (const char c : word) {
    if (c == '\'')
      quoted += "'\\''";
    else
      quoted += c;
  }
  return quoted + "'";
}

}  // namespace

void TSeriesSeeds::Record(std::uint32_t seed_before, std::uint32_t seed_after,
                          const TParameterSet& parameters, double start_inhibition, bool first_of_series) {
  if (first_of_series)
    stretches_.clear();
  if (!first_of_series && !stretches_.empty()) {
    TSeedStretch& last = stretches_.back();
    if (last.SeedAfter == seed_before && SameModelParameters(last.Parameters, parameters)) {
      ++last.Count;
      last.SeedAfter = seed_after;
      return;
    }
  }
  TSeedStretch stretch{seed_before, parameters, 1, seed_after};
  stretch.Parameters.y0 = start_inhibition;
  stretches_.push_back(stretch);
}

std::size_t TSeriesSeeds::Count() const noexcept {
  std::size_t count = 0;
  for (const TSeedStretch& stretch : stretches_) count += stretch.Count;
  return count;
}

std::string CliNumber(double value) {
  std::string text = CharsOf(value, 0);
  if (!ReadsBackAs(text, value))
    text = CharsOf(value, 17);
  return text;
}

std::optional<std::string> ReproductionCommand(std::span<const TSeedStretch> stretches,
                                               std::string_view program) {
  std::string command;
  for (const TSeedStretch& stretch : stretches) {
    const TParameterSet& P = stretch.Parameters;
    if (!(P.y0 > 0))
      return std::nullopt;
    if (!command.empty())
      command += " && ";
    command += ShellWord(program);
    command += " simulate --params ";
    command += CliNumber(P.A) + ',' + CliNumber(P.a1) + ',' + CliNumber(P.a0) + ',' + CliNumber(P.c1) + ',' +
               CliNumber(P.c0) + ',' + CliNumber(P.y0);
    command += " --reactions " + std::to_string(stretch.Count);
    command += " --seed " + std::to_string(stretch.Seed);
  }
  if (stretches.size() > 1)
    command = "{ " + command + "; }";
  return command;
}

}  // namespace corvane
