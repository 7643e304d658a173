// A text as one field of a table row, for the two forms the program writes tables in:
//
//   CsvField: RFC 4180, quoted only where it holds a comma, a double quote or a line break, the
//             quotes inside doubled ("a,b" -> "\"a,b\"", say "hi" -> "\"say \"\"hi\"\"\"");
//   TsvField: tabs and line breaks inside become spaces (a spreadsheet paste has no quoting).
#pragma once

#include <string>
#include <string_view>

namespace corvane {

inline std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos)
    return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"')
      quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

inline std::string TsvField(std::string_view text) {
  std::string field(text);
  for (char& c : field)
    if (c == '\t' || c == '\n' || c == '\r')
      c = ' ';
  return field;
}

}  // namespace corvane
