// FormatText: fills a template with "%" directives ("N=%6d", "%-6d", "%.3d", "%s", "%x", "%p", ...)
// from a list of tagged arguments.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace corvane {

// One tagged argument. Integers, characters, texts, pointers and extended floats are the kinds
// this system passes.
struct FormatArg {
  enum class Kind { Integer, Char, Text, Pointer, Extended };
  Kind kind;
  std::int64_t integer = 0;
  char character = 0;
  std::string_view text;
  const void* pointer = nullptr;
  long double extended = 0;

  FormatArg(int v) : kind(Kind::Integer), integer(v) {}                  // NOLINT: implicit by design
  FormatArg(std::int64_t v) : kind(Kind::Integer), integer(v) {}         // NOLINT
  FormatArg(char c) : kind(Kind::Char), character(c) {}                  // NOLINT
  FormatArg(std::string_view s) : kind(Kind::Text), text(s) {}           // NOLINT
  FormatArg(const char* s) : kind(Kind::Text), text(s) {}                // NOLINT
  FormatArg(const std::string& s) : kind(Kind::Text), text(s) {}         // NOLINT
  FormatArg(const void* p) : kind(Kind::Pointer), pointer(p) {}          // NOLINT
  FormatArg(long double v) : kind(Kind::Extended), extended(v) {}        // NOLINT
  FormatArg(double v) : kind(Kind::Extended), extended(v) {}             // NOLINT
};

// EConvertError "Format '%s' invalid or incompatible with argument" or "No argument for format
// '%s'" naming the offending directive.
std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args);

}  // namespace corvane
