#include "analysiswindow/read_preview.h"

#include <algorithm>
#include <cmath>

#include "analysis/group_fit_table.h"
#include "analysis/table_fields.h"
#include "analysis/text_encoding.h"

namespace corvane {
namespace {

// A filter as the reader applies it: numbers compared as numbers where both read as numbers, else
// the texts after unquoting.
bool FilterHolds(std::string_view field, const TRowFilter& filter, char mark) {
  const std::string_view value = Unquoted(filter.Value);
  double a = 0, b = 0;
  if (ParseField(value, mark, b) == TFieldKind::Number && ParseField(field, mark, a) == TFieldKind::Number &&
      a == b)
    return true;
  return field == value;
}

// Filters on one column keep any of their values; different columns must all hold.
bool RowPasses(std::span<const std::string_view> fields, const std::vector<TRowFilter>& filters, char mark) {
  std::vector<std::size_t> columns;
  for (const TRowFilter& f : filters)
    if (std::find(columns.begin(), columns.end(), f.Column) == columns.end())
      columns.push_back(f.Column);
  for (const std::size_t c : columns) {
    bool any = false;
    for (const TRowFilter& f : filters)
      any = any || (f.Column == c && c < fields.size() && FilterHolds(fields[c], f, mark));
    if (!any)
      return false;
  }
  return true;
}

void Classify(TPreviewRow& row, std::span<const std::string_view> fields, std::size_t column,
              const TReadOptions& options, char mark) {
  const TFieldKind kind = ParseField(fields[column], mark, row.Value);
  if (kind == TFieldKind::Missing) {
    row.Kind = TPreviewKind::Missing;
    row.ReadAs = "missing";
  } else if (kind == TFieldKind::NotANumber) {
    row.Kind = TPreviewKind::NotRead;
    row.ReadAs = "not a number";
  } else if (double trial = 0;
             options.OrderBy && ParseField(fields[*options.OrderBy], mark, trial) != TFieldKind::Number) {
    row.Kind = TPreviewKind::NotRead;
    row.ReadAs = "no trial number";
  } else if (row.Value < options.Minimum || row.Value > options.Maximum) {
    row.Kind = TPreviewKind::Excluded;
    row.ReadAs = "excluded (" + FigureText(row.Value) + ")";
  } else if (!(row.Value > 0) || !std::isfinite(row.Value)) {
    row.Kind = TPreviewKind::NotRead;
    row.ReadAs = row.Value > 0 ? "not finite" : "not above 0";
  } else {
    row.ReadAs = FigureText(row.Value);
  }
}

}  // namespace

TReadPreview PreviewRead(std::string_view bytes, const TReadOptions& options, std::size_t rows) {
  const TDecodedText decoded = DecodeText(bytes);
  const std::string_view text = decoded.Text();
  TReadPreview out;
  out.Shape = InspectDecodedText(text, options.DecimalMark);
  const TTextShape& shape = out.Shape;
  const bool table = shape.Layout == TTextLayout::Table;
  const std::size_t columns = table ? shape.Columns.size() : 1;
  const std::size_t column = options.Column.value_or(shape.PreselectedColumn);
  out.Distinct.resize(columns);
  TRecordScanner scanner(text.substr(shape.DataOffset), table ? shape.Delimiter : '\0', shape.DataLine);
  for (std::size_t scanned = 0; scanned < kPreviewScan && scanner.Next(); ++scanned) {
    const std::span<const std::string_view> fields = scanner.Fields();
    for (std::size_t c = 0; c < columns && c < fields.size(); ++c) {
      std::vector<std::string>& seen = out.Distinct[c];
      if (seen.size() < kPreviewDistinct && std::find(seen.begin(), seen.end(), fields[c]) == seen.end())
        seen.emplace_back(fields[c]);
    }
    if (out.Rows.size() >= rows)
      continue;
    TPreviewRow& row = out.Rows.emplace_back();
    row.Line = scanner.Line();
    row.Fields.assign(fields.begin(), fields.end());
    const auto field = [&](std::size_t c) {
      return c < fields.size() ? std::string(fields[c]) : std::string();
    };
    for (const std::size_t c : options.GroupBy)
      row.Keys.push_back(c < fields.size() && IsMissingValue(fields[c]) ? "NA" : field(c));
    if (options.OrderBy)
      row.Order = field(*options.OrderBy);
    row.Written = field(column);
    if (column >= fields.size()) {
      row.Kind = TPreviewKind::NotRead;
      row.ReadAs = "no value";
    } else if (!RowPasses(fields, options.Filters, shape.DecimalMark)) {
      row.Kind = TPreviewKind::FilteredOut;
      row.ReadAs = "filtered out";
    } else {
      Classify(row, fields, column, options, shape.DecimalMark);
    }
  }
  return out;
}

std::string ReadSummaryText(const TReactionTimeGroups& read) {
  std::size_t missing = 0, excluded = 0, unread = 0, values = 0;
  const TReactionTimeGroup* first_unread = nullptr;
  for (const TReactionTimeGroup& group : read.Groups) {
    missing += group.Missing;
    excluded += group.Excluded;
    values += group.Values.size();
    if (!group.Read) {
      ++unread;
      if (!first_unread)
        first_unread = &group;
    }
  }
  const auto count = [](std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
  };
  std::string text = count(values, "reaction time", "reaction times");
  if (!read.GroupNames.empty())
    text = count(read.Groups.size(), "group", "groups") + ", " + text;
  text += "; " + count(missing, "missing value", "missing values") + " skipped";
  if (excluded > 0)
    text += "; " + std::to_string(excluded) + " excluded by the cutoffs";
  if (first_unread)
    text +=
        "; " +
        (read.GroupNames.empty() ? std::string("not read") : count(unread, "group", "groups") + " not read") +
        " (" + first_unread->Message + ")";
  return text;
}

bool ReadCutoff(std::string_view text, char mark, double& cutoff) {
  text = TrimmedField(text);
  if (text.empty())
    return true;
  double value = 0;
  if (ParseField(text, mark, value) != TFieldKind::Number || std::isnan(value))
    return false;
  cutoff = value;
  return true;
}

}  // namespace corvane
