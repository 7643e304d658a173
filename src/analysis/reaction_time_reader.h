// Reaction times from a text: a file a user opens or columns pasted from a spreadsheet.
//
//   bytes --DecodeText (text_encoding.h)--> UTF-8 text
//   text --InspectReactionTimeText--> TTextShape: one number a line, or a table (its delimiter,
//                                     header or none, the columns, the preselected RT column, the
//                                     decimal mark)
//   text, TReadOptions --ReadReactionTimeGroups (reaction_time_groups.h)--> one series per group
//   text, TReadOptions --ReadReactionTimes--> one series (its values in their order), or
//                                             EReactionTimeFormat naming the first bad line
//   path --ReadReactionTimeFile--> the same for a file
//
// Dialects: comma, semicolon or tab separated, from the first line that is neither blank nor a
// '#' comment (table_fields.h: RFC 4180 quotes, CR LF); UTF-8 with or without its byte order mark,
// UTF-16 with one; any other encoding is refused with a message. A first line whose fields are
// all numbers is data (a paste), not a header; its columns are named "column 1", "column 2"...
// The decimal mark is the caller's where it gives one ('.' accepted besides); else ',' for a
// semicolon table (the spreadsheet convention), '.' for a comma table, and for a tab table or one
// number a line ',' where the first rows hold numbers with a comma and none with a point.
// The RT column is preselected by its name (rt, RT, "reaction time", response_time, a name
// ending in .rt, any case); else the first numeric column that is neither an unnamed first column
// (R's row names) nor an index of consecutive integers (pandas'); PreselectedByName says which.
// Missing values (table_fields.h: empty, NA, NaN, ".", NULL) are skipped and counted; a value that
// is neither a number nor missing rejects the read (or, grouped, its group) naming line, column
// and text, and so does a value <= 0 or infinite that the cutoffs left.
//
// Speed and memory: reaction_time_groups.h.
#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/work_control.h"
#include "runtime/errors.h"

namespace corvane {

// Why a text was rejected: Message() is the whole sentence for the user, e.g.
//   "line 7: 'abc' is not a number"
// Line() is 0 where no single line is to blame (an unreadable file, a filter that keeps no row).
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
  std::vector<std::string> Columns;  // the header's names, unquoted and trimmed ("column 1"... without)
  std::size_t PreselectedColumn = 0;
  bool PreselectedByName = false;  // false: no name says reaction times, the column was guessed
  std::size_t HeaderLine = 0;      // from 1; 0 where there is no header
  char DecimalMark = '.';          // as the read will take it
  // Where the data start in the decoded text, and on which line.
  std::size_t DataOffset = 0;
  std::size_t DataLine = 1;
};

// `decimal_mark` '\0': detected. Throws EReactionTimeFormat for a text with no data line or in
// another encoding.
TTextShape InspectReactionTimeText(std::string_view bytes, char decimal_mark = '\0');
// The same for text already decoded (DecodeText).
TTextShape InspectDecodedText(std::string_view text, char decimal_mark);

// A column of the shape by its header name (exactly, else ignoring case) or its number from 1;
// else EReactionTimeFormat listing the columns.
std::size_t ColumnNamed(const TTextShape& shape, std::string_view name);

// "line 4: the columns are: pno, condition, rt" style list of the names, quoted and joined.
std::string ColumnList(const TTextShape& shape);

// Rows whose `Column` holds `Value`: compared as numbers where both read as numbers (acc=1 keeps
// 1.0), else as text after unquoting (TRUE, true and 1 are three values).
struct TRowFilter {
  std::size_t Column = 0;
  std::string Value;
};

struct TReadOptions {
  char DecimalMark = '\0';  // '\0': detected (see above); else this mark, '.' accepted as well
  // For a table: the column to read (from 0); none: the preselected one.
  std::optional<std::size_t> Column;
  // Long format: one series per distinct combination of these columns (empty: one series).
  std::vector<std::size_t> GroupBy;
  // Filters on different columns must all hold; several on one column keep any of their values.
  std::vector<TRowFilter> Filters;
  // The trial number: each group sorted by it (stably, numerically), and pairs of trials whose
  // numbers are not consecutive are not neighbours for the autocorrelations.
  std::optional<std::size_t> OrderBy;
  // Trials outside [Minimum, Maximum] are excluded (counted, not read).
  double Minimum = -std::numeric_limits<double>::infinity();
  double Maximum = std::numeric_limits<double>::infinity();
};

// One series, ungrouped (GroupBy ignored); missing values skipped. Throws EReactionTimeFormat, or
// EAnalysisCancelled on a stop request (control.Threads unused).
std::vector<double> ReadReactionTimes(std::string_view bytes, const TReadOptions& options = {},
                                      const TWorkControl& control = {});

// The file read whole, then ReadReactionTimes; a file that cannot be read is an
// EReactionTimeFormat naming it.
std::vector<double> ReadReactionTimeFile(const std::string& path, const TReadOptions& options = {},
                                         const TWorkControl& control = {});

// The whole file's bytes (the reader's text), or EReactionTimeFormat naming it.
std::string ReadWholeFile(const std::string& path);

}  // namespace corvane
