#include "analysis/table_fields.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "analysis/reaction_time_reader.h"

namespace corvane {
namespace {

constexpr std::size_t kShownText = 60;

bool SkippedLine(std::string_view line) {
  if (!line.empty() && !IsBlank(line.front()) && line.front() != '#')
    return false;
  const std::string_view t = TrimmedField(line);
  return t.empty() || t.front() == '#';
}

}  // namespace

std::string_view Unquoted(std::string_view s) noexcept {
  s = TrimmedField(s);
  if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front())
    s = TrimmedField(s.substr(1, s.size() - 2));
  return s;
}

bool TRecordScanner::Next() {
  fields_.clear();
  undoubled_used_ = 0;
  while (pos_ < text_.size()) {
    const char* begin = text_.data() + pos_;
    const std::size_t left = text_.size() - pos_;
    const void* end = std::memchr(begin, '\n', left);
    const std::size_t length = end ? static_cast<std::size_t>(static_cast<const char*>(end) - begin) : left;
    std::string_view line(begin, length);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    line_ = next_line_;
    if (SkippedLine(line)) {
      pos_ += length + 1;
      ++next_line_;
      continue;
    }
    if (SplitLine(line)) {
      record_ = line;
      pos_ += length + 1;
      ++next_line_;
    } else {
      fields_.clear();
      SplitQuoted();
    }
    pos_ = std::min(pos_, text_.size());
    return true;
  }
  pos_ = text_.size();
  return false;
}

// The fields of a record on one line; false where a quoted field needs the full rules (it holds
// the delimiter, a doubled quote or a line break, or text follows its closing quote).
bool TRecordScanner::SplitLine(std::string_view line) {
  if (delimiter_ == '\0') {
    if (!line.empty() && TrimmedField(line).front() == '"')
      return false;
    fields_.push_back(TrimmedField(line));
    return true;
  }
  const char* p = line.data();
  const char* const end = p + line.size();
  for (;;) {
    const char* start = p;
    while (start != end && *start != delimiter_ && IsBlank(*start)) ++start;
    if (start != end && *start == '"') {
      const void* close = std::memchr(start + 1, '"', static_cast<std::size_t>(end - start - 1));
      if (close == nullptr)
        return false;
      const char* q = static_cast<const char*>(close);
      const char* after = q + 1;
      while (after != end && *after != delimiter_ && IsBlank(*after)) ++after;
      if (after != end && *after != delimiter_)
        return false;  // a doubled quote, or text after the closing quote
      fields_.push_back(std::string_view(start + 1, static_cast<std::size_t>(q - start - 1)));
      if (after == end)
        return true;
      p = after + 1;
      continue;
    }
    const char* q = start;
    while (q != end && *q != delimiter_) ++q;
    const std::string_view field(start, static_cast<std::size_t>(q - start));
    fields_.push_back(TrimmedField(field));
    if (q == end)
      return true;
    p = q + 1;
  }
}

// From the record's start, field by field: quoted fields may span lines. A quoted field's end is
// found by memchr, an unquoted one's by a tight loop to the delimiter or the line end (a CR before
// the LF is trimmed with the field's blanks).
void TRecordScanner::SplitQuoted() {
  const std::size_t record_start = pos_;
  const char* const base = text_.data();
  const std::size_t n = text_.size();
  std::size_t i = pos_;
  const auto scan_to_end = [&](std::size_t k) {
    while (k < n && base[k] != delimiter_ && base[k] != '\n') ++k;
    return k;
  };
  for (;;) {
    while (i < n && base[i] != delimiter_ && base[i] != '\n' && IsBlank(base[i])) ++i;
    std::string_view field;
    if (i < n && base[i] == '"') {
      const std::size_t open_line = next_line_;
      const std::size_t inside = ++i;
      bool doubled = false;
      for (;;) {
        const void* quote = i < n ? std::memchr(base + i, '"', n - i) : nullptr;
        if (quote == nullptr)
          throw EReactionTimeFormat(
              "line " + std::to_string(open_line) + ": a quote opened here is not closed", open_line);
        const auto at = static_cast<std::size_t>(static_cast<const char*>(quote) - base);
        next_line_ += static_cast<std::size_t>(std::count(base + i, base + at, '\n'));
        i = at;
        if (i + 1 < n && base[i + 1] == '"') {
          doubled = true;
          i += 2;
          continue;
        }
        break;
      }
      field = text_.substr(inside, i - inside);
      ++i;  // the closing quote
      if (doubled) {
        if (undoubled_used_ == undoubled_.size())
          undoubled_.emplace_back();
        std::string& out = undoubled_[undoubled_used_++];
        out.clear();
        for (std::size_t k = 0; k < field.size(); ++k) {
          out.push_back(field[k]);
          if (field[k] == '"')
            ++k;
        }
        field = out;
      }
      // Text after the closing quote up to the delimiter joins nothing: it is dropped if blank,
      // else the field is kept as written.
      const std::size_t after = i;
      i = scan_to_end(i);
      if (!TrimmedField(text_.substr(after, i - after)).empty())
        field = TrimmedField(text_.substr(inside - 1, i - inside + 1));
    } else {
      const std::size_t start = i;
      i = scan_to_end(i);
      field = TrimmedField(text_.substr(start, i - start));
    }
    fields_.push_back(field);
    if (i < n && base[i] == delimiter_ && delimiter_ != '\0') {
      ++i;
      continue;
    }
    break;
  }
  std::size_t end = i;
  if (end > record_start && base[end - 1] == '\r')
    --end;
  if (i < n)
    ++i;  // the LF
  ++next_line_;
  record_ = text_.substr(record_start, end - record_start);
  pos_ = i;
}

TFieldKind ParseField(std::string_view field, char mark, double& value) noexcept {
  field = TrimmedField(field);
  if (IsMissingValue(field))
    return TFieldKind::Missing;
  const bool plus = field.front() == '+';
  if (plus)
    field.remove_prefix(1);
  if (field.empty() || (plus && (field.front() == '+' || field.front() == '-')))
    return TFieldKind::NotANumber;
  char buffer[128];
  if (mark != '.' && field.find(mark) != std::string_view::npos) {
    if (field.size() > sizeof buffer || field.find('.') != std::string_view::npos)
      return TFieldKind::NotANumber;
    std::memcpy(buffer, field.data(), field.size());
    std::replace(buffer, buffer + field.size(), mark, '.');
    field = std::string_view(buffer, field.size());
  }
  const char* end = field.data() + field.size();
  const auto [ptr, error] = std::from_chars(field.data(), end, value, std::chars_format::general);
  if (ptr != end)
    return TFieldKind::NotANumber;
  if (error == std::errc::result_out_of_range) {
    const std::size_t e = field.find_first_of("eE");
    const bool tiny = e != std::string_view::npos && e + 1 < field.size() && field[e + 1] == '-';
    const double magnitude = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    value = field.front() == '-' ? -magnitude : magnitude;
    return TFieldKind::Number;
  }
  if (error != std::errc())
    return TFieldKind::NotANumber;
  if (std::isnan(value))
    return TFieldKind::Missing;
  return TFieldKind::Number;
}

char DelimiterOf(std::string_view line) noexcept {
  bool quoted = false, semicolon = false;
  for (const char c : line) {
    if (c == '"')
      quoted = !quoted;
    else if (!quoted && c == '\t')
      return '\t';
    else if (!quoted && c == ';')
      semicolon = true;
  }
  return semicolon ? ';' : ',';
}

std::string ShownText(std::string_view text) {
  if (text.size() <= kShownText)
    return std::string(text);
  return std::string(text.substr(0, kShownText)) + "...";
}

}  // namespace corvane
