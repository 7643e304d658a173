#include "analysiswindow/analysis_table.h"

#include <charconv>
#include <cmath>

#include "runtime/format_float.h"
#include "runtime/number_format_settings.h"
#include "runtime/table_field.h"

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

// For a file that R or pandas reads: the shortest text that reads back as the same double.
std::string MachineNumber(double value) {
  if (!std::isfinite(value))
    return {};
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return std::string(text, end);
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

TAnalysisTable DataAloneTableOf(const TSeriesStatistics& data, const std::string& model_from) {
  TAnalysisTable table = AnalysisTableOf(DataRowsOf(data), nullptr);
  for (auto& row : table.Rows) row[3] = TTableCell::Label(model_from);
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
    for (const TTableCell& cell : row)
      fields.push_back(CsvField(cell.IsNumber ? MachineNumber(cell.Value) : cell.Text));
    text += JoinRow(fields, ',');
  }
  return text;
}

}  // namespace corvane
