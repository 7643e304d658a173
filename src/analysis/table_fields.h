// The rows and fields of a delimited text, and what one field holds.
//
//   text, delimiter --TRecordScanner::Next--> one record's fields (views), its first line and text
//   field --IsMissingValue--> an empty cell, NA, NaN, nan, ".", NULL (what R, pandas and
//                             spreadsheets write for a trial not recorded)
//   field, mark --ParseField--> a number (inf and out-of-range values kept as such), missing, or
//                               not a number
//   header line --DelimiterOf--> '\t', ';' or ',' (outside quotes; tab before ';' before ',')
//
// Records follow RFC 4180: a field in double quotes may hold the delimiter, doubled quotes and
// line breaks; spaces around a field are dropped, and so are the quotes (a quoted field's inside is
// kept as written). Lines end in LF or CR LF. Blank lines and lines starting with '#' between
// records are skipped. An unclosed quote is an EReactionTimeFormat naming the line it opened on.
//
// Speed: a record on one line whose quoted fields hold no delimiter, doubled quote or line break
// (what R and pandas write) is split in one pass over its line, memchr finding the line end and
// each closing quote; other records go field by field from the record's start.
#pragma once

#include <cstddef>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class TRecordScanner {
 public:
  // delimiter '\0': the whole line is one field.
  TRecordScanner(std::string_view text, char delimiter, std::size_t first_line = 1)
      : text_(text), delimiter_(delimiter), next_line_(first_line) {}

  // The next record that is not blank or a comment; false at the end of the text.
  bool Next();
  std::span<const std::string_view> Fields() const noexcept { return fields_; }
  std::size_t Line() const noexcept { return line_; }           // its first line, from 1
  std::string_view Text() const noexcept { return record_; }    // as written, without its line end
  std::size_t Position() const noexcept { return pos_; }        // bytes consumed
  std::size_t NextLine() const noexcept { return next_line_; }  // the line after the record

 private:
  bool SplitLine(std::string_view line);
  void SplitQuoted();

  std::string_view text_;
  char delimiter_;
  std::size_t pos_ = 0;
  std::size_t next_line_;
  std::size_t line_ = 0;
  std::string_view record_;
  std::vector<std::string_view> fields_;
  std::deque<std::string> undoubled_;  // fields whose doubled quotes were undone; a deque keeps them in place
  std::size_t undoubled_used_ = 0;
};

constexpr bool IsBlank(char c) noexcept {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r';
}
inline std::string_view TrimmedField(std::string_view s) noexcept {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Quotes (and the spaces around and inside them) dropped: what a user writes as a filter's value.
std::string_view Unquoted(std::string_view s) noexcept;

inline bool IsMissingValue(std::string_view field) noexcept {
  field = TrimmedField(field);
  if (field.size() > 4)
    return false;
  return field.empty() || field == "NA" || field == "NaN" || field == "nan" || field == "NAN" ||
         field == "." || field == "NULL" || field == "null";
}

enum class TFieldKind { Number, Missing, NotANumber };

// '.' always, and `mark` where it is another character; a leading '+'; spaces around dropped.
// Out-of-range numbers are kept as +-inf or +-0, and inf as it is: the cutoffs decide on them.
TFieldKind ParseField(std::string_view field, char mark, double& value) noexcept;

// The delimiter of a header or first line, counted outside quotes; ',' when it has none.
char DelimiterOf(std::string_view line) noexcept;

// The text for a message: the first 60 characters, then "...".
std::string ShownText(std::string_view text);

}  // namespace corvane
