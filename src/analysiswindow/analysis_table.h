// The Series analysis window's table as values: one row per statistic, the data's figure beside
// the model's, where the model's comes from, and the difference in standard errors; with a fit,
// the fitted model's column and its difference too.
//
//   CompareWithModel rows (analysis/standard_errors.h), for the model and for the fit
//     --AnalysisTableOf--> TAnalysisTable (header, cells: a number or a text)
//     --TableTsv--> "Copy table" (tabs, the locale's decimal mark)
//     --TableCsv--> the saved table (commas; numbers shortest-round-trip, as R and pandas read them
//                   back exactly; texts quoted where they hold a comma or quote)
//
// Numbers are kept as numbers until written, so the screen, the clipboard and the file each
// take their own decimal mark: 6 significant digits, general style; the differences 2 decimals.
#pragma once

#include <string>
#include <vector>

#include "analysis/standard_errors.h"

namespace corvane {

struct TTableCell {
  std::string Text;  // shown as is when IsNumber is false
  double Value = kNotANumber;
  bool IsNumber = false;
  int Decimals = -1;  // fixed decimals; -1: 6 significant digits
  static TTableCell Number(double value, int decimals = -1) { return {{}, value, true, decimals}; }
  static TTableCell Label(std::string text) { return {std::move(text), kNotANumber, false, -1}; }
};

struct TAnalysisTable {
  std::vector<std::string> Header;
  std::vector<std::vector<TTableCell>> Rows;
};

// Where the model's figure comes from: "closed form", "simulation ± 0.0012", "being computed".
std::string ModelSourceText(const TComparisonRow& row);

// `fitted` may be null (no fit); when given, it has the model rows' order.
TAnalysisTable AnalysisTableOf(const std::vector<TComparisonRow>& model,
                               const std::vector<TComparisonRow>* fitted);
// The table of data without a model: the data's figures, `model_from` in the "Model from" column.
TAnalysisTable DataAloneTableOf(const TSeriesStatistics& data, const std::string& model_from);

// A cell's text with `decimal_mark`; an unknown number (NaN) is empty.
std::string CellText(const TTableCell& cell, char decimal_mark);

std::string TableTsv(const TAnalysisTable& table, char decimal_mark);
std::string TableCsv(const TAnalysisTable& table);

}  // namespace corvane
