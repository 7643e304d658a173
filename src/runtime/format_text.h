// FormatText: fills a template with "%" directives ("N=%6d", "%-6d", "%.3d", "%s", "%x", "%p", ...)
// from a list of tagged arguments.
//
// A directive is "%" [index ":"] ["-"] [width] ["." precision] type, where index, width and
// precision are decimal numbers or "*" (the next argument, which must be an integer, else 0).
// Types: d u x (integers), s (characters and texts), p (pointers), e f g n m (extended floats).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace corvane {

// One tagged argument. Integers, characters, texts, pointers and extended floats are the kinds
// this system passes. An integer remembers whether it came as 64 bits: "%u" and "%x" show a
// negative int in 32-bit two's complement and a negative 64-bit integer in 64 bits.
struct TFormatArg {
  enum class Kind { Integer, Char, Text, Pointer, Extended };
  Kind kind;
  std::int64_t integer = 0;
  char character = 0;
  std::string_view text;
  const void* pointer = nullptr;
  long double extended = 0;
  bool integer_is_64_bit = false;

  TFormatArg(int v) : kind(Kind::Integer), integer(v) {}  // NOLINT: implicit by design
  TFormatArg(std::int64_t v) : kind(Kind::Integer), integer(v), integer_is_64_bit(true) {}  // NOLINT
  TFormatArg(char c) : kind(Kind::Char), character(c) {}                                    // NOLINT
  TFormatArg(std::string_view s) : kind(Kind::Text), text(s) {}                             // NOLINT
  TFormatArg(const char* s) : kind(Kind::Text), text(s) {}                                  // NOLINT
  TFormatArg(const std::string& s) : kind(Kind::Text), text(s) {}                           // NOLINT
  TFormatArg(const void* p) : kind(Kind::Pointer), pointer(p) {}                            // NOLINT
  TFormatArg(long double v) : kind(Kind::Extended), extended(v) {}                          // NOLINT
  TFormatArg(double v) : kind(Kind::Extended), extended(v) {}                               // NOLINT
};

// EConvertError "Format '%s' invalid or incompatible with argument" (unknown type letter, an
// argument of the wrong kind, or a width beyond kMaxFormatWidth) or "No argument for format '%s'"
// naming the offending directive (its text from "%" to the type letter, at most 31 characters).
// A template that ends inside a directive ends the output there.
std::string FormatText(std::string_view format, std::initializer_list<TFormatArg> args);
std::string FormatText(std::string_view format, std::span<const TFormatArg> args);

// Widths pad with spaces; one beyond this is refused rather than filling memory.
constexpr int kMaxFormatWidth = 4096;

}  // namespace corvane
