#include "chart/chart_data_text.h"

#include <cmath>

#include "chart/axis_panel.h"
#include "runtime/format_float.h"
#include "runtime/number_format_settings.h"
#include "runtime/table_field.h"

namespace corvane {
namespace {

constexpr int kRoundTripDigits = 17;

// How one kind of table writes its cells.
struct TTableStyle {
  char Separator;
  const char* RowEnd;
  bool Csv;
};
constexpr TTableStyle kTabStyle{'\t', "\n", false};
constexpr TTableStyle kCsvStyle{',', "\r\n", true};

void PutTitle(std::string& text, std::string_view title, const TTableStyle& style) {
  text += style.Csv ? CsvField(title) : TsvField(title);
}

// A CSV number takes '.' whatever the decimal mark: the general format has no grouping, so the
// mark is the only character to change.
std::string CellNumber(double value, const TTableStyle& style) {
  std::string cell = DataNumber(value);
  if (style.Csv)
    for (char& c : cell)
      if (c == DecimalMark())
        c = '.';
  return cell;
}

// Where each column has got to in its series.
struct TCursor {
  const TDataColumn* Column = nullptr;
  int Next = 0;
  bool Done() const { return Column->Series == nullptr || Next >= Column->Series->PointCount(); }
  double X() const { return Column->Series->XValueAt(Next); }
};

// The column whose next point comes first; the earliest column among equals, and when X is NaN
// (which compares with nothing) simply the first with points left, so every row moves one on.
const TCursor* Leading(const std::vector<TCursor>& cursors) {
  const TCursor* lead = nullptr;
  for (const TCursor& c : cursors) {
    if (!c.Done() && (lead == nullptr || c.X() < lead->X()))
      lead = &c;
  }
  return lead;
}

}  // namespace

std::vector<TDataColumn> SeriesDataColumns(const TCustomAxisPanel& chart) {
  std::vector<TDataColumn> columns;
  for (const TChartSeries* s : chart.SeriesList()) {
    if (s->Active())
      columns.push_back({s, s->Title().empty() ? s->Name() : s->Title(), false});
  }
  return columns;
}

std::string DataNumber(double value) {
  if (!std::isfinite(value))
    return {};
  return FormatFloatKind(value, TFloatFormatKind::General, kRoundTripDigits, 0);
}

namespace {

std::string DataTable(std::string_view x_title, const std::vector<TDataColumn>& columns,
                      const TTableStyle& style) {
  std::string text;
  PutTitle(text, x_title, style);
  for (const TDataColumn& column : columns) {
    text += style.Separator;
    PutTitle(text, column.Title, style);
  }
  text += style.RowEnd;
  std::vector<TCursor> cursors;
  for (const TDataColumn& column : columns) cursors.push_back({&column, 0});
  while (const TCursor* lead = Leading(cursors)) {
    const double x = lead->X();
    std::string row = CellNumber(x, style);
    for (TCursor& c : cursors) {
      row += style.Separator;
      if (c.Done() || (&c != lead && !(c.X() == x)))
        continue;
      const TChartSeries& s = *c.Column->Series;
      row += CellNumber(c.Column->HoldsX ? s.XValueAt(c.Next) : s.YValueAt(c.Next), style);
      ++c.Next;
    }
    text += row;
    text += style.RowEnd;
  }
  return text;
}

}  // namespace

std::string ChartDataText(std::string_view x_title, const std::vector<TDataColumn>& columns) {
  return DataTable(x_title, columns, kTabStyle);
}

std::string ChartDataCsv(std::string_view x_title, const std::vector<TDataColumn>& columns) {
  return DataTable(x_title, columns, kCsvStyle);
}

}  // namespace corvane
