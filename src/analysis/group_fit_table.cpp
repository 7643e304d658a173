#include "analysis/group_fit_table.h"

#include <charconv>
#include <cmath>

namespace corvane {

std::string FigureText(double value) {
  if (std::isnan(value))
    return "NA";
  if (std::isinf(value))
    return value > 0 ? "inf" : "-inf";
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

std::vector<std::string> GroupFitHeader(std::span<const std::string> group_columns) {
  std::vector<std::string> header(group_columns.begin(), group_columns.end());
  header.insert(header.end(), {"n", "missing", "excluded"});
  for (int p = 0; p < kFitParameterCount; ++p) {
    const std::string name(FitParameterName(p));
    header.insert(header.end(), {name, name + " low", name + " high"});
  }
  header.insert(header.end(), {"failed replicates", "status", "message"});
  return header;
}

std::vector<std::string> GroupFitCells(const TGroupFit& group, std::size_t group_columns,
                                       bool with_intervals) {
  std::vector<std::string> cells;
  for (std::size_t k = 0; k < group_columns; ++k)
    cells.push_back(k < group.Keys.size() ? group.Keys[k] : std::string());
  const bool read = group.Status != TGroupFitStatus::NotRead;
  cells.push_back(read ? std::to_string(group.Count) : "NA");
  cells.push_back(std::to_string(group.Missing));
  cells.push_back(read ? std::to_string(group.Excluded) : "NA");
  const bool fitted = group.Status == TGroupFitStatus::Fitted;
  for (int p = 0; p < kFitParameterCount; ++p) {
    const auto i = static_cast<std::size_t>(p);
    cells.push_back(FigureText(fitted ? group.Fit.Estimates[i] : kNotANumber));
    cells.push_back(FigureText(group.Intervals.Intervals[i].Low));
    cells.push_back(FigureText(group.Intervals.Intervals[i].High));
  }
  cells.push_back(fitted && with_intervals ? std::to_string(group.Intervals.Failed) : "NA");
  cells.emplace_back(GroupFitStatusName(group.Status));
  cells.push_back(group.Message);
  return cells;
}

std::vector<std::string> UnreadFileCells(std::size_t group_columns, const std::string& message) {
  std::vector<std::string> cells(group_columns);
  cells.insert(cells.end(), {"NA", "NA", "NA"});
  for (int p = 0; p < kFitParameterCount; ++p) cells.insert(cells.end(), {"NA", "NA", "NA"});
  cells.insert(cells.end(), {"NA", "not read", message});
  return cells;
}

}  // namespace corvane
