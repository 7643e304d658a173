#include "chart/chart_data_text.h"

#include <cmath>

#include "chart/axis_panel.h"
#include "runtime/format_float.h"

namespace corvane {
namespace {

constexpr int kRoundTripDigits = 17;

void PutTitle(std::string& text, std::string_view title) {
  for (const char c : title) text += (c == '\t' || c == '\n' || c == '\r') ? ' ' : c;
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
  return FormatFloatKind(value, FloatFormatKind::General, kRoundTripDigits, 0);
}

std::string ChartDataText(std::string_view x_title, const std::vector<TDataColumn>& columns) {
  std::string text;
  PutTitle(text, x_title);
  for (const TDataColumn& column : columns) {
    text += '\t';
    PutTitle(text, column.Title);
  }
  text += '\n';
  std::vector<TCursor> cursors;
  for (const TDataColumn& column : columns) cursors.push_back({&column, 0});
  while (const TCursor* lead = Leading(cursors)) {
    const double x = lead->X();
    std::string row = DataNumber(x);
    for (TCursor& c : cursors) {
      row += '\t';
      if (c.Done() || (&c != lead && !(c.X() == x)))
        continue;
      const TChartSeries& s = *c.Column->Series;
      row += DataNumber(c.Column->HoldsX ? s.XValueAt(c.Next) : s.YValueAt(c.Next));
      ++c.Next;
    }
    text += row;
    text += '\n';
  }
  return text;
}

}  // namespace corvane
