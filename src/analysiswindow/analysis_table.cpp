#include "analysiswindow/analysis_table.h"

#include <cmath>

#include "runtime/format_float.h"
#include "runtime/number_format_settings.h"

namespace corvane {
namespace {

TTableCell Figure(double value) {
  return TTableCell::Number(value);
}
TTableCell Difference(double value) {
  return TTableCell::Number(value, 2);
}

// The number in the program's general form, with `mark` in place of the process's decimal mark.
std::string NumberText(double value, int decimals, char mark) {
  if (!std::isfinite(value))
    return {};
  std::string text = decimals >= 0 ? FormatFloatKind(value, TFloatFormatKind::Fixed, 15, decimals)
                                   : FormatFloatKind(value, TFloatFormatKind::General, 6, 0);
  const char process_mark = DecimalMark();
  for (char& c : text)
    if (c == process_mark)
      c = mark;
  return text;
}

std::string JoinRow(const std::vector<std::string>& cells, char separator) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0)
      line += separator;
    line += cells[i];
  }
  return line + "\n";
}

// Tabs and line breaks inside a cell would break the row; they become spaces.
std::string TsvField(std::string text) {
  for (char& c : text)
    if (c == '\t' || c == '\n' || c == '\r')
      c = ' ';
  return text;
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\n\r") == std::string::npos)
    return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"')
      quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

}  // namespace

std::string ModelSourceText(const TComparisonRow& row) {
  switch (row.Source) {
    case TModelSource::ClosedForm:
      return std::isfinite(row.Model) ? "closed form" : "";
    case TModelSource::Pending:
      return "being computed";
    case TModelSource::Simulation:
      break;
  }
  if (!std::isfinite(row.ModelError))
    return "simulation";
  // An error to two significant digits, as errors are given: more would claim a precision it has not.
  return "simulation \u00b1 " + FormatFloatKind(row.ModelError, TFloatFormatKind::General, 2, 0);
}

TAnalysisTable AnalysisTableOf(const std::vector<TComparisonRow>& model,
                               const std::vector<TComparisonRow>* fitted) {
  TAnalysisTable table;
  table.Header = {"Statistic", "Data", "Model", "Model from", "Standard error", "Data - model (SE)"};
  if (fitted)
    table.Header.insert(table.Header.end(), {"Fitted model", "Data - fit (SE)"});
  for (std::size_t i = 0; i < model.size(); ++i) {
    const TComparisonRow& row = model[i];
    std::vector<TTableCell> cells = {TTableCell::Label(row.Name), Figure(row.Data),
                                     Figure(row.Model),           TTableCell::Label(ModelSourceText(row)),
                                     Figure(row.StandardError),   Difference(row.Difference)};
    if (fitted) {
      const TComparisonRow* fit = i < fitted->size() ? &(*fitted)[i] : nullptr;
      cells.push_back(Figure(fit ? fit->Model : kNotANumber));
      cells.push_back(Difference(fit ? fit->Difference : kNotANumber));
    }
    table.Rows.push_back(std::move(cells));
  }
  return table;
}

std::string CellText(const TTableCell& cell, char decimal_mark) {
  return cell.IsNumber ? NumberText(cell.Value, cell.Decimals, decimal_mark) : cell.Text;
}

std::string TableTsv(const TAnalysisTable& table, char decimal_mark) {
  std::vector<std::string> fields;
  for (const std::string& name : table.Header) fields.push_back(TsvField(name));
  std::string text = JoinRow(fields, '\t');
  for (const auto& row : table.Rows) {
    fields.clear();
    for (const TTableCell& cell : row) fields.push_back(TsvField(CellText(cell, decimal_mark)));
    text += JoinRow(fields, '\t');
  }
  return text;
}

std::string TableCsv(const TAnalysisTable& table) {
  std::vector<std::string> fields;
  for (const std::string& name : table.Header) fields.push_back(CsvField(name));
  std::string text = JoinRow(fields, ',');
  for (const auto& row : table.Rows) {
    fields.clear();
    for (const TTableCell& cell : row) fields.push_back(CsvField(CellText(cell, '.')));
    text += JoinRow(fields, ',');
  }
  return text;
}

}  // namespace corvane
