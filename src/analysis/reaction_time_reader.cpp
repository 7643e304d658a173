#include "analysis/reaction_time_reader.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "analysis/reaction_time_groups.h"
#include "analysis/table_fields.h"
#include "analysis/text_encoding.h"

namespace corvane {
namespace {

constexpr std::size_t kSampleRows = 100;  // rows the decimal mark and the column guess look at

// "RT", "rt_ms", "Reaction time", "reaction-times (s)", "response_time", "key_resp.rt": a name for
// reaction times. Letters and digits alone count, lowered.
bool NamesReactionTimes(std::string_view name) {
  std::string key;
  for (const char c : name)
    if (std::isalnum(static_cast<unsigned char>(c)))
      key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (key == "rt" || key == "rts" || key.rfind("rtms", 0) == 0 || key == "rtsec" || key == "rtmsec")
    return true;
  if (key.find("reactiontime") != std::string::npos || key.find("responsetime") != std::string::npos)
    return true;
  return name.size() > 3 && name[name.size() - 3] == '.' &&
         std::tolower(static_cast<unsigned char>(name[name.size() - 2])) == 'r' &&
         std::tolower(static_cast<unsigned char>(name.back())) == 't';
}

bool IsNumber(std::string_view field, char mark) {
  double value = 0;
  return ParseField(field, mark, value) == TFieldKind::Number;
}

// A header is a line with a field that is neither a number nor missing.
bool AllNumbers(std::span<const std::string_view> fields, char mark) {
  bool any = false;
  for (const std::string_view f : fields) {
    double value = 0;
    const TFieldKind kind = ParseField(f, mark, value);
    if (kind == TFieldKind::NotANumber)
      return false;
    any = any || kind == TFieldKind::Number;
  }
  return any;
}

// An index as pandas writes one: the sampled values of the column are 0, 1, 2... or 1, 2, 3...
bool IsIndexColumn(const std::vector<std::vector<std::string>>& sample, std::size_t column) {
  if (sample.size() < 2)
    return false;
  double previous = 0;
  for (std::size_t r = 0; r < sample.size(); ++r) {
    double value = 0;
    if (column >= sample[r].size() || ParseField(sample[r][column], '.', value) != TFieldKind::Number ||
        value != std::floor(value) || (r > 0 && value != previous + 1))
      return false;
    previous = value;
  }
  return true;
}

// The first non-blank, non-comment line: which delimiter, and is it one number alone.
// A copy: a field with doubled quotes lives in the scanner, which ends here.
std::string FirstLine(std::string_view text) {
  TRecordScanner scan(text, '\0');
  if (!scan.Next())
    throw EReactionTimeFormat("the text holds no reaction times");
  return std::string(scan.Fields().front());
}

}  // namespace

TTextShape InspectDecodedText(std::string_view text, char decimal_mark) {
  const std::string first = FirstLine(text);
  TTextShape shape;
  const bool any_delimiter = first.find_first_of("\t;,") != std::string_view::npos;
  const char delimiter = DelimiterOf(first);
  if (!any_delimiter || (delimiter == ',' && (decimal_mark == '\0' || decimal_mark == ',') &&
                         IsNumber(first, ',') && !IsNumber(first, '.'))) {
    // One field a line: a number alone, or a one-column header ("rt").
    double value = 0;
    const bool number =
        ParseField(first, decimal_mark == '\0' ? ',' : decimal_mark, value) != TFieldKind::NotANumber;
    shape.Layout = number ? TTextLayout::SingleColumn : TTextLayout::Table;
    shape.Delimiter = number ? '\0' : ',';
    if (number && decimal_mark == '\0' && any_delimiter)
      decimal_mark = ',';  // "0,552" alone on its line
  } else {
    shape.Layout = TTextLayout::Table;
    shape.Delimiter = delimiter;
  }
  const char scan_delimiter = shape.Layout == TTextLayout::Table ? shape.Delimiter : '\0';
  // A comma inside a comma table is a delimiter, never a mark.
  const char probe_mark = decimal_mark != '\0' ? decimal_mark : (scan_delimiter == ',' ? '.' : ',');

  TRecordScanner scan(text, scan_delimiter);
  scan.Next();
  std::vector<std::vector<std::string>> sample;
  const bool header = shape.Layout == TTextLayout::Table && !AllNumbers(scan.Fields(), probe_mark);
  if (header) {
    shape.HeaderLine = scan.Line();
    shape.DataOffset = scan.Position();
    shape.DataLine = scan.NextLine();
    for (const std::string_view name : scan.Fields()) shape.Columns.emplace_back(name);
  } else {
    sample.emplace_back(scan.Fields().begin(), scan.Fields().end());
    if (shape.Layout == TTextLayout::Table)
      for (std::size_t c = 0; c < scan.Fields().size(); ++c)
        shape.Columns.push_back("column " + std::to_string(c + 1));
  }
  while (sample.size() < kSampleRows && scan.Next())
    sample.emplace_back(scan.Fields().begin(), scan.Fields().end());
  // R's write.table writes row names under no name of their own: the header one field short.
  if (header && !sample.empty() && sample.front().size() == shape.Columns.size() + 1)
    shape.Columns.insert(shape.Columns.begin(), std::string());

  if (decimal_mark == '\0') {
    if (scan_delimiter == ';')
      decimal_mark = ',';
    else if (scan_delimiter == ',')
      decimal_mark = '.';
    else {
      bool point = false, comma = false;
      for (const auto& row : sample)
        for (const std::string& f : row) {
          point = point || (f.find('.') != std::string::npos && IsNumber(f, '.'));
          comma = comma || (f.find(',') != std::string::npos && IsNumber(f, ','));
        }
      decimal_mark = comma && !point ? ',' : '.';
    }
  }
  shape.DecimalMark = decimal_mark;

  if (shape.Layout == TTextLayout::SingleColumn)
    return shape;
  const auto named = std::find_if(shape.Columns.begin(), shape.Columns.end(), [&](const std::string& name) {
    return header && NamesReactionTimes(name);
  });
  if (named != shape.Columns.end()) {
    shape.PreselectedColumn = static_cast<std::size_t>(named - shape.Columns.begin());
    shape.PreselectedByName = true;
    return shape;
  }
  // Else the first column with a number in its first row that is neither row names nor an index.
  for (std::size_t c = 0; c < shape.Columns.size(); ++c) {
    if ((c == 0 && header && shape.Columns[0].empty()) || IsIndexColumn(sample, c))
      continue;
    if (!sample.empty() && c < sample.front().size() && IsNumber(sample.front()[c], decimal_mark)) {
      shape.PreselectedColumn = c;
      return shape;
    }
  }
  return shape;
}

TTextShape InspectReactionTimeText(std::string_view bytes, char decimal_mark) {
  const TDecodedText decoded = DecodeText(bytes);
  return InspectDecodedText(decoded.Text(), decimal_mark);
}

std::string ColumnList(const TTextShape& shape) {
  std::string list;
  for (const std::string& name : shape.Columns) list += (list.empty() ? "'" : ", '") + ShownText(name) + "'";
  return list;
}

std::size_t ColumnNamed(const TTextShape& shape, std::string_view name) {
  const auto lowered = [](std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
  };
  for (std::size_t c = 0; c < shape.Columns.size(); ++c)
    if (shape.Columns[c] == name)
      return c;
  for (std::size_t c = 0; c < shape.Columns.size(); ++c)
    if (lowered(shape.Columns[c]) == lowered(name))
      return c;
  std::size_t number = 0;
  const auto [ptr, error] = std::from_chars(name.data(), name.data() + name.size(), number);
  if (error == std::errc() && ptr == name.data() + name.size() && number >= 1 &&
      (number <= shape.Columns.size() || (shape.Layout == TTextLayout::SingleColumn && number == 1)))
    return number - 1;
  if (shape.Layout == TTextLayout::SingleColumn)
    throw EReactionTimeFormat("no column named '" + ShownText(name) + "': the text is one number a line");
  throw EReactionTimeFormat("no column named '" + ShownText(name) + "'; the columns are " +
                            ColumnList(shape));
}

std::vector<double> ReadReactionTimes(std::string_view bytes, const TReadOptions& options,
                                      const TWorkControl& control) {
  TReadOptions one = options;
  one.GroupBy.clear();
  TReactionTimeGroups read = ReadReactionTimeGroups(bytes, one, control);
  TReactionTimeGroup& group = read.Groups.front();
  if (!group.Read)
    throw EReactionTimeFormat(group.Message, group.Line, std::move(group.LineText));
  return std::move(group.Values);
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
