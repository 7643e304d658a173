// "Copy data": a chart's series as tab-separated text that pastes into a spreadsheet or a
// statistics program.
//
//   TDataColumn per series (title, whether it holds the point's X or Y) --ChartDataText-->
//   header row: the x title, then the column titles; then one row per point, the series merged
//   by X in ascending order: points of different series at the same X share a row, a column with
//   no point at that X stays empty.
//
// Numbers carry 17 significant digits (enough to read back the same double) with DecimalMark; a
// value that is infinite or NaN leaves its cell empty rather than writing text no reader takes.
//
// The same table as CSV (ChartDataCsv, RFC 4180): comma-separated, '.' as the decimal mark
// whatever DecimalMark says, a title holding a comma, quote or line break quoted ("a ""b""",
// quotes doubled), rows ending in "\r\n", so that read.csv and pandas read it unchanged.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class TCustomAxisPanel;
class TChartSeries;

struct TDataColumn {
  const TChartSeries* Series = nullptr;
  std::string Title;
  // A marker placed at an X (its Y meaningless) shows its X; every other series its Y.
  bool HoldsX = false;
};

// One column per active series, titled by its Title (its Name when untitled), holding its Y.
std::vector<TDataColumn> SeriesDataColumns(const TCustomAxisPanel& chart);

// The text, rows ending in "\n". Tabs and line breaks inside titles become spaces.
std::string ChartDataText(std::string_view x_title, const std::vector<TDataColumn>& columns);

std::string ChartDataCsv(std::string_view x_title, const std::vector<TDataColumn>& columns);

// 17 significant digits, general style: 7.7725887222397816, 1E-5; empty when not finite.
std::string DataNumber(double value);

}  // namespace corvane
