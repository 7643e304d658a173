// Reaction times from a text: a file a user opens or a column pasted from a spreadsheet.
//
//   text --InspectReactionTimeText--> TTextShape (one number a line, or a table: its delimiter,
//                                     header and the preselected column)
//   text, TReadOptions --ReadReactionTimes--> the values in their order (which carries the
//                                             autocorrelation), or EReactionTimeFormat
//   path --ReadReactionTimeFile--> the same for a file
//
// Accepted: one number a line; or CSV (',' or ';') or TSV with a header line, one column chosen
// (preselected: a header like "rt" or "reaction time", else the first column whose first value is
// a number). Numbers take '.' or the caller's decimal mark (the locale's); spaces and a pair of
// double quotes around a field are ignored; blank lines and lines starting with '#' are skipped;
// CR LF line ends and a UTF-8 byte order mark are accepted. Rejected, naming the first bad line
// (from 1, as an editor counts) and its text: text that is not a number, a value <= 0, inf or
// nan, a row without the chosen column; and fewer than kMinimumReactionTimes values.
//
// Speed and memory: numbers by std::from_chars over the text in place; the values' vector is
// reserved from a count of the line ends, so memory beyond the text is 8 bytes a value.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/model_fit.h"
#include "analysis/work_control.h"
#include "runtime/errors.h"

namespace corvane {

// Why a text was rejected: Message() is the whole sentence for the user, e.g.
//   "line 7: 'abc' is not a number"
// Line() is 0 where no single line is to blame (too few values, an unreadable file).
class EReactionTimeFormat : public Exception {
 public:
  EReactionTimeFormat(std::string message, std::size_t line = 0, std::string line_text = {})
      : Exception(std::move(message)), line_(line), line_text_(std::move(line_text)) {}
  const char* ClassName() const noexcept override { return "EReactionTimeFormat"; }
  std::size_t Line() const noexcept { return line_; }
  const std::string& LineText() const noexcept { return line_text_; }

 private:
  std::size_t line_;
  std::string line_text_;
};

enum class TTextLayout { SingleColumn, Table };

struct TTextShape {
  TTextLayout Layout = TTextLayout::SingleColumn;
  char Delimiter = '\0';             // '\t', ',' or ';' for a table
  std::vector<std::string> Columns;  // the header's names, unquoted and trimmed
  std::size_t PreselectedColumn = 0;
  std::size_t HeaderLine = 0;  // from 1; 0 for a single column
};

// The first line that is neither blank nor a '#' comment decides: a number (under either mark)
// alone on it means one number a line; anything else is a header, split at tabs if it has any,
// else at ';' if it has any, else at ','. Throws EReactionTimeFormat for a text with no such line.
TTextShape InspectReactionTimeText(std::string_view text, char decimal_mark = '.');

struct TReadOptions {
  char DecimalMark = '.';  // the locale's; '.' is accepted as well
  // For a table: the column to read (from 0); none: the preselected one.
  std::optional<std::size_t> Column;
};

// Throws EReactionTimeFormat, or EAnalysisCancelled on a stop request (control.Threads unused).
std::vector<double> ReadReactionTimes(std::string_view text, const TReadOptions& options = {},
                                      const TWorkControl& control = {});

// The file read whole, then ReadReactionTimes; a file that cannot be read is an
// EReactionTimeFormat naming it.
std::vector<double> ReadReactionTimeFile(const std::string& path, const TReadOptions& options = {},
                                         const TWorkControl& control = {});

// The whole file's bytes (the reader's text), or EReactionTimeFormat naming it.
std::string ReadWholeFile(const std::string& path);

}  // namespace corvane
