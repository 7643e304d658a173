#include "analysis/reaction_time_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>

namespace corvane {
namespace {

constexpr std::size_t kProgressBytes = 1 << 20;

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

std::string_view Unquote(std::string_view field) {
  field = Trim(field);
  if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
    field = Trim(field.substr(1, field.size() - 2));
  return field;
}

// Walks the text line by line, counting lines from 1 as an editor does.
class TLines {
 public:
  explicit TLines(std::string_view text) : text_(text) {
    if (text_.starts_with("\xEF\xBB\xBF"))
      text_.remove_prefix(3);
  }
  // False at the end; a last line without its line end counts, an empty one after the last line
  // end does not.
  bool Next(std::string_view& line) {
    if (at_ >= text_.size())
      return false;
    const std::size_t end = text_.find('\n', at_);
    const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
    line = text_.substr(at_, stop - at_);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    at_ = stop + 1;
    ++number_;
    return true;
  }
  std::size_t Number() const noexcept { return number_; }
  std::size_t Offset() const noexcept { return std::min(at_, text_.size()); }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
  std::size_t number_ = 0;
};

bool Skipped(std::string_view line) {
  line = Trim(line);
  return line.empty() || line.front() == '#';
}

// The field as a number, '.' or `mark` the decimal mark; false for anything else.
bool ParseNumber(std::string_view field, char mark, double& value) {
  field = Unquote(field);
  if (field.empty() || field.size() > 64)
    return false;
  char buffer[64];
  std::copy(field.begin(), field.end(), buffer);
  if (mark != '.')
    std::replace(buffer, buffer + field.size(), mark, '.');
  const char* first = buffer;
  if (*first == '+')
    ++first;
  const auto [end, error] = std::from_chars(first, buffer + field.size(), value);
  return error == std::errc() && end == buffer + field.size();
}

std::vector<std::string_view> Split(std::string_view line, char delimiter) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = line.find(delimiter, start);
    fields.push_back(line.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
    if (at == std::string_view::npos)
      return fields;
    start = at + 1;
  }
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

bool LooksLikeReactionTime(std::string_view name) {
  const std::string lower = Lower(name);
  if (lower == "rt" || lower.starts_with("rt ") || lower.starts_with("rt(") || lower.starts_with("rt_") ||
      lower.ends_with("_rt") || lower.ends_with(" rt"))
    return true;
  for (const char* phrase : {"reaction time", "reaction_time", "reactiontime", "reaction-time"})
    if (lower.find(phrase) != std::string::npos)
      return true;
  return false;
}

EReactionTimeFormat Bad(std::size_t line, std::string_view text, const std::string& why) {
  std::string shown(text.substr(0, 60));
  return EReactionTimeFormat("line " + std::to_string(line) + ": '" + shown + "' " + why, line,
                             std::string(text));
}

}  // namespace

TTextShape InspectReactionTimeText(std::string_view text, char decimal_mark) {
  TLines lines(text);
  std::string_view line;
  while (lines.Next(line)) {
    if (Skipped(line))
      continue;
    TTextShape shape;
    double value = 0;
    if (ParseNumber(line, decimal_mark, value))
      return shape;
    shape.Layout = TTextLayout::Table;
    shape.HeaderLine = lines.Number();
    shape.Delimiter = line.find('\t') != std::string_view::npos  ? '\t'
                      : line.find(';') != std::string_view::npos ? ';'
                                                                 : ',';
    for (std::string_view name : Split(line, shape.Delimiter)) shape.Columns.emplace_back(Unquote(name));
    bool chosen = false;
    for (std::size_t i = 0; i < shape.Columns.size() && !chosen; ++i)
      if (LooksLikeReactionTime(shape.Columns[i])) {
        shape.PreselectedColumn = i;
        chosen = true;
      }
    while (!chosen && lines.Next(line)) {
      if (Skipped(line))
        continue;
      const std::vector<std::string_view> fields = Split(line, shape.Delimiter);
      for (std::size_t i = 0; i < fields.size() && i < shape.Columns.size(); ++i)
        if (ParseNumber(fields[i], decimal_mark, value)) {
          shape.PreselectedColumn = i;
          break;
        }
      chosen = true;
    }
    return shape;
  }
  throw EReactionTimeFormat("the text holds no reaction times");
}

std::vector<double> ReadReactionTimes(std::string_view text, const TReadOptions& options,
                                      const TWorkControl& control) {
  const TTextShape shape = InspectReactionTimeText(text, options.DecimalMark);
  const std::size_t column = options.Column.value_or(shape.PreselectedColumn);
  if (shape.Layout == TTextLayout::Table && column >= shape.Columns.size())
    throw EReactionTimeFormat("the table has no column " + std::to_string(column + 1));
  std::vector<double> values;
  values.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  TLines lines(text);
  std::string_view line;
  std::size_t next_report = kProgressBytes;
  while (lines.Next(line)) {
    if (lines.Offset() >= next_report) {
      ThrowIfStopped(control);
      if (control.Progress)
        control.Progress(static_cast<double>(lines.Offset()) / static_cast<double>(text.size()));
      next_report += kProgressBytes;
    }
    if (lines.Number() <= shape.HeaderLine || Skipped(line))
      continue;
    std::string_view field = line;
    if (shape.Layout == TTextLayout::Table) {
      const std::vector<std::string_view> fields = Split(line, shape.Delimiter);
      if (column >= fields.size())
        throw Bad(lines.Number(), line, "has no column '" + shape.Columns[column] + "'");
      field = fields[column];
    }
    double value = 0;
    if (!ParseNumber(field, options.DecimalMark, value))
      throw Bad(lines.Number(), Trim(field), "is not a number");
    if (!std::isfinite(value))
      throw Bad(lines.Number(), Trim(field), "is not a finite number");
    if (!(value > 0))
      throw Bad(lines.Number(), Trim(field), "is not greater than 0");
    values.push_back(value);
  }
  if (values.size() < kMinimumReactionTimes)
    throw EReactionTimeFormat("fewer than " + std::to_string(kMinimumReactionTimes) + " reaction times (" +
                              std::to_string(values.size()) + ")");
  if (control.Progress)
    control.Progress(1);
  return values;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file)
    throw EReactionTimeFormat("the file cannot be opened");
  std::ostringstream text;
  text << file.rdbuf();
  if (file.bad())
    throw EReactionTimeFormat("the file cannot be read");
  return std::move(text).str();
}

std::vector<double> ReadReactionTimeFile(const std::string& path, const TReadOptions& options,
                                         const TWorkControl& control) {
  return ReadReactionTimes(ReadWholeFile(path), options, control);
}

}  // namespace corvane
