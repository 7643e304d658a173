#include "analysis/reaction_time_reader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

namespace corvane {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kShownText = 60;  // characters of a bad line the message shows

// Walks the text line by line, numbering from 1 and dropping the CR of CR LF.
class TLineWalk {
 public:
  explicit TLineWalk(std::string_view text) : text_(text) {
    if (text_.substr(0, kByteOrderMark.size()) == kByteOrderMark)
      pos_ = kByteOrderMark.size();
  }

  bool Next(std::string_view& line) {
    if (pos_ >= text_.size())
      return false;
    const char* begin = text_.data() + pos_;
    const void* end = std::memchr(begin, '\n', text_.size() - pos_);
    const std::size_t length =
        end ? static_cast<std::size_t>(static_cast<const char*>(end) - begin) : text_.size() - pos_;
    line = std::string_view(begin, length);
    pos_ += length + 1;
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    ++number_;
    return true;
  }

  std::size_t Number() const noexcept { return number_; }
  std::size_t Position() const noexcept { return std::min(pos_, text_.size()); }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t number_ = 0;
};

constexpr bool IsSpace(char c) noexcept {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

// Spaces around, and a pair of double quotes around what remains.
std::string_view Field(std::string_view s) {
  s = Trimmed(s);
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"')
    s = Trimmed(s.substr(1, s.size() - 2));
  return s;
}

bool Skipped(std::string_view line) {
  const std::string_view t = Trimmed(line);
  return t.empty() || t.front() == '#';
}

enum class TNumberVerdict { Value, NotANumber, NotFinite, OutOfRange, NotPositive };

// The field as a number under '.' or `mark`: std::from_chars over the whole field, a leading
// '+' allowed, the mark read as '.'.
TNumberVerdict ParseNumber(std::string_view field, char mark, double& value) {
  const bool plus = !field.empty() && field.front() == '+';
  if (plus)
    field.remove_prefix(1);
  if (field.empty() || (plus && (field.front() == '+' || field.front() == '-')))
    return TNumberVerdict::NotANumber;
  char buffer[128];
  if (mark != '.' && field.find(mark) != std::string_view::npos) {
    if (field.size() > sizeof buffer || field.find('.') != std::string_view::npos)
      return TNumberVerdict::NotANumber;
    std::memcpy(buffer, field.data(), field.size());
    std::replace(buffer, buffer + field.size(), mark, '.');
    field = std::string_view(buffer, field.size());
  }
  const char* end = field.data() + field.size();
  const auto [ptr, error] = std::from_chars(field.data(), end, value, std::chars_format::general);
  if (ptr != end)
    return TNumberVerdict::NotANumber;
  if (error == std::errc::result_out_of_range)
    return TNumberVerdict::OutOfRange;
  if (error != std::errc())
    return TNumberVerdict::NotANumber;
  if (!std::isfinite(value))
    return TNumberVerdict::NotFinite;
  if (!(value > 0))
    return TNumberVerdict::NotPositive;
  return TNumberVerdict::Value;
}

bool LooksNumeric(std::string_view field, char mark) {
  double value = 0;
  const TNumberVerdict verdict = ParseNumber(Field(field), mark, value);
  return verdict != TNumberVerdict::NotANumber;
}

std::string Shown(std::string_view text) {
  if (text.size() <= kShownText)
    return std::string(text);
  return std::string(text.substr(0, kShownText)) + "...";
}

[[noreturn]] void Reject(std::size_t line, std::string_view line_text, std::string_view where,
                         std::string_view field, TNumberVerdict verdict) {
  static constexpr const char* kReasons[] = {"", "is not a number", "is not a finite number",
                                             "is out of range", "is not greater than 0"};
  std::string message = "line " + std::to_string(line) + std::string(where) + ": '" + Shown(field) + "' " +
                        kReasons[static_cast<int>(verdict)];
  throw EReactionTimeFormat(std::move(message), line, std::string(line_text));
}

// The header's fields, split at the delimiter.
std::vector<std::string_view> Split(std::string_view line, char delimiter) {
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t at = line.find(delimiter);
    fields.push_back(line.substr(0, at));
    if (at == std::string_view::npos)
      return fields;
    line.remove_prefix(at + 1);
  }
}

// The column-th field of a row, without splitting the rest; false where the row is shorter.
bool ColumnOf(std::string_view line, char delimiter, std::size_t column, std::string_view& field) {
  for (std::size_t c = 0; c < column; ++c) {
    const std::size_t at = line.find(delimiter);
    if (at == std::string_view::npos)
      return false;
    line.remove_prefix(at + 1);
  }
  field = line.substr(0, line.find(delimiter));
  return true;
}

// "RT", "rt_ms", "Reaction time", "reaction-times (s)", "response time": a header naming reaction
// times. Letters and digits alone count, lowered.
bool NamesReactionTimes(std::string_view name) {
  std::string key;
  for (const char c : name)
    if (std::isalnum(static_cast<unsigned char>(c)))
      key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (key == "rt" || key == "rts" || key.rfind("rtms", 0) == 0 || key == "rtsec" || key == "rtmsec")
    return true;
  return key.find("reactiontime") != std::string::npos || key.find("responsetime") != std::string::npos;
}

void ReportProgress(const TWorkControl& control, const TLineWalk& walk, std::size_t size) {
  ThrowIfStopped(control);
  if (control.Progress && size > 0)
    control.Progress(static_cast<double>(walk.Position()) / static_cast<double>(size));
}

}  // namespace

TTextShape InspectReactionTimeText(std::string_view text, char decimal_mark) {
  TLineWalk walk(text);
  std::string_view line;
  while (walk.Next(line)) {
    if (Skipped(line))
      continue;
    TTextShape shape;
    if (line.find('\t') == std::string_view::npos && LooksNumeric(line, decimal_mark))
      return shape;
    shape.Layout = TTextLayout::Table;
    shape.HeaderLine = walk.Number();
    shape.Delimiter = line.find('\t') != std::string_view::npos  ? '\t'
                      : line.find(';') != std::string_view::npos ? ';'
                                                                 : ',';
    for (const std::string_view name : Split(line, shape.Delimiter)) shape.Columns.emplace_back(Field(name));
    const auto named = std::find_if(shape.Columns.begin(), shape.Columns.end(), NamesReactionTimes);
    if (named != shape.Columns.end()) {
      shape.PreselectedColumn = static_cast<std::size_t>(named - shape.Columns.begin());
      return shape;
    }
    // Else the first column whose first value is a number.
    while (walk.Next(line)) {
      if (Skipped(line))
        continue;
      const std::vector<std::string_view> fields = Split(line, shape.Delimiter);
      for (std::size_t c = 0; c < fields.size() && c < shape.Columns.size(); ++c)
        if (LooksNumeric(fields[c], decimal_mark)) {
          shape.PreselectedColumn = c;
          return shape;
        }
      break;
    }
    return shape;
  }
  throw EReactionTimeFormat("the text holds no reaction times");
}

std::vector<double> ReadReactionTimes(std::string_view text, const TReadOptions& options,
                                      const TWorkControl& control) {
  ThrowIfStopped(control);
  const TTextShape shape = InspectReactionTimeText(text, options.DecimalMark);
  const bool table = shape.Layout == TTextLayout::Table;
  const std::size_t column = options.Column.value_or(shape.PreselectedColumn);
  if (table && column >= shape.Columns.size())
    throw EReactionTimeFormat("the header has no column " + std::to_string(column + 1), shape.HeaderLine);
  // Memory: one double a line at most, reserved once from the count of line ends.
  std::vector<double> values;
  values.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  const std::string where = table ? ", column '" + Shown(shape.Columns[column]) + "'" : std::string();

  TLineWalk walk(text);
  std::string_view line;
  std::size_t until_report = 0;
  while (walk.Next(line)) {
    if (until_report-- == 0) {
      ReportProgress(control, walk, text.size());
      until_report = 1 << 16;
    }
    if (walk.Number() <= shape.HeaderLine || Skipped(line))
      continue;
    std::string_view field = line;
    if (table && !ColumnOf(line, shape.Delimiter, column, field))
      throw EReactionTimeFormat("line " + std::to_string(walk.Number()) + ": no value in column '" +
                                    Shown(shape.Columns[column]) + "'",
                                walk.Number(), std::string(line));
    field = Field(field);
    double value = 0;
    const TNumberVerdict verdict = ParseNumber(field, options.DecimalMark, value);
    if (verdict != TNumberVerdict::Value)
      Reject(walk.Number(), line, where, field, verdict);
    values.push_back(value);
  }
  if (values.size() < kMinimumReactionTimes)
    throw EReactionTimeFormat("only " + std::to_string(values.size()) + " reaction times; at least " +
                              std::to_string(kMinimumReactionTimes) + " are needed");
  if (control.Progress)
    control.Progress(1.0);
  return values;
}

std::string ReadWholeFile(const std::string& path) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file)
    throw EReactionTimeFormat("cannot open '" + path + "': " + std::strerror(errno));
  std::string text;
  char chunk[1 << 16];
  if (std::fseek(file.get(), 0, SEEK_END) == 0) {
    const long size = std::ftell(file.get());
    if (size > 0)
      text.reserve(static_cast<std::size_t>(size));
    std::rewind(file.get());
  }
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) text.append(chunk, got);
  if (std::ferror(file.get()))
    throw EReactionTimeFormat("cannot read '" + path + "'");
  return text;
}

std::vector<double> ReadReactionTimeFile(const std::string& path, const TReadOptions& options,
                                         const TWorkControl& control) {
  return ReadReactionTimes(ReadWholeFile(path), options, control);
}

}  // namespace corvane
