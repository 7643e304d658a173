// What the commands of corvane-cli share: the usage error, buffered output, the options of a
// command, and the numbers read from them.
//
//   argv --TArguments--> "--name value" pairs, flags, the rest in order
//   option text --ParseInteger, ParseParameter--> a number, or EUsage naming the option
#pragma once

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane {

struct EUsage {
  std::string message;
};

// Buffered output: formatting into a block and writing it whole keeps simulate streaming at the
// simulator's pace.
class TOutput {
 public:
  explicit TOutput(std::FILE* file) : file_(file) { buffer_.reserve(kBlock + 256); }
  ~TOutput() { Flush(); }
  TOutput(const TOutput&) = delete;
  TOutput& operator=(const TOutput&) = delete;

  void Text(std::string_view text) {
    buffer_.append(text);
    if (buffer_.size() >= kBlock)
      Flush();
  }
  void Char(char c) { buffer_.push_back(c); }
  // The shortest text that reads back as the same double.
  void Number(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    buffer_.append(text, result.ptr);
  }
  void Integer(std::uint64_t value) {
    char text[24];
    const auto result = std::to_chars(text, text + sizeof text, value);
    buffer_.append(text, result.ptr);
  }
  void EndLine() {
    buffer_.push_back('\n');
    if (buffer_.size() >= kBlock)
      Flush();
  }
  void Flush() {
    if (!buffer_.empty())
      std::fwrite(buffer_.data(), 1, buffer_.size(), file_);
    buffer_.clear();
    std::fflush(file_);
  }

 private:
  static constexpr std::size_t kBlock = 1 << 16;
  std::FILE* file_;
  std::string buffer_;
};

template <typename T>
T ParseInteger(std::string_view text, std::string_view option) {
  T value{};
  const auto [ptr, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || ptr != text.data() + text.size())
    throw EUsage{std::string(option) + ": '" + std::string(text) + "' is not a whole number"};
  return value;
}

// A number as the window's fields read it (ParseFloat, then rounded to double), with '.' as the
// mark: the same text gives the same parameter, so the same reactions.
double ParseParameter(std::string_view text, std::string_view option);

// The options of a command: "--name value" pairs and the rest in order.
class TArguments {
 public:
  TArguments(std::span<const std::string_view> args, std::initializer_list<std::string_view> with_value,
             std::initializer_list<std::string_view> flags) {
    for (std::size_t i = 0; i < args.size(); ++i) {
      const std::string_view a = args[i];
      if (a.size() > 2 && a.substr(0, 2) == "--") {
        if (std::find(flags.begin(), flags.end(), a) != flags.end()) {
          flags_.emplace_back(a);
          continue;
        }
        if (std::find(with_value.begin(), with_value.end(), a) == with_value.end())
          throw EUsage{"unknown option '" + std::string(a) + "'"};
        if (i + 1 >= args.size())
          throw EUsage{std::string(a) + " needs a value"};
        values_.emplace_back(a, args[++i]);
      } else {
        rest_.push_back(a);
      }
    }
  }

  std::vector<std::string_view> Values(std::string_view name) const {
    std::vector<std::string_view> found;
    for (const auto& [key, value] : values_)
      if (key == name)
        found.push_back(value);
    return found;
  }
  std::optional<std::string_view> Value(std::string_view name) const {
    std::optional<std::string_view> found;
    for (const auto& [key, value] : values_)
      if (key == name)
        found = value;
    return found;
  }
  bool Flag(std::string_view name) const {
    return std::find(flags_.begin(), flags_.end(), name) != flags_.end();
  }
  const std::vector<std::string_view>& Rest() const { return rest_; }

 private:
  std::vector<std::pair<std::string_view, std::string_view>> values_;
  std::vector<std::string_view> flags_;
  std::vector<std::string_view> rest_;
};

}  // namespace corvane
