#include "analysiswindow/group_fit_model.h"

#include <algorithm>
#include <charconv>
#include <numeric>

#include "runtime/table_field.h"

namespace corvane {
namespace {

// The cell as a number where it is one whole (the cells' own "inf" and "-inf" among them).
bool AsNumber(const std::string& cell, double& value) {
  const char* end = cell.data() + cell.size();
  const auto [ptr, ec] = std::from_chars(cell.data(), end, value);
  return ec == std::errc() && ptr == end;
}

std::string Joined(const std::vector<std::string>& cells, char separator,
                   std::string (*field)(std::string_view)) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0)
      line += separator;
    line += field(cells[i]);
  }
  return line + "\n";
}

}  // namespace

bool CellIsMissing(const std::string& cell) {
  return cell.empty() || cell == "NA";
}

bool CellBefore(const std::string& a, const std::string& b) {
  const bool a_missing = CellIsMissing(a), b_missing = CellIsMissing(b);
  if (a_missing || b_missing)
    return !a_missing && b_missing;
  double x = 0, y = 0;
  const bool a_number = AsNumber(a, x), b_number = AsNumber(b, y);
  if (a_number && b_number)
    return x < y;
  if (a_number != b_number)
    return a_number;
  return a < b;
}

void TGroupFitModel::SetTable(std::shared_ptr<const TGroupFitTable> table) {
  beginResetModel();
  table_ = std::move(table);
  order_.resize(table_ ? table_->Rows.size() : 0);
  std::iota(order_.begin(), order_.end(), std::size_t{0});
  endResetModel();
}

int TGroupFitModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(order_.size());
}

int TGroupFitModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() || !table_ ? 0 : static_cast<int>(table_->Header.size());
}

const std::vector<std::string>& TGroupFitModel::Cells(int row) const {
  return table_->Rows[order_[static_cast<std::size_t>(row)]];
}

QVariant TGroupFitModel::data(const QModelIndex& index, int role) const {
  if (!table_ || !index.isValid())
    return {};
  const std::vector<std::string>& cells = Cells(index.row());
  const auto column = static_cast<std::size_t>(index.column());
  const std::string cell = column < cells.size() ? cells[column] : std::string();
  if (role == Qt::DisplayRole)
    return QString::fromStdString(cell);
  if (role == Qt::TextAlignmentRole) {
    double value = 0;
    const bool number = AsNumber(cell, value) || cell == "NA";
    return QVariant::fromValue(Qt::Alignment(number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
  }
  return {};
}

QVariant TGroupFitModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || !table_)
    return {};
  if (orientation == Qt::Vertical)
    return section + 1;
  return QString::fromStdString(table_->Header[static_cast<std::size_t>(section)]);
}

void TGroupFitModel::sort(int column, Qt::SortOrder order) {
  if (!table_ || column < 0 || column >= columnCount())
    return;
  const auto c = static_cast<std::size_t>(column);
  emit layoutAboutToBeChanged();
  std::iota(order_.begin(), order_.end(), std::size_t{0});
  std::stable_sort(order_.begin(), order_.end(), [&](std::size_t i, std::size_t j) {
    const std::string& a = table_->Rows[i][c];
    const std::string& b = table_->Rows[j][c];
    // Missing cells stay last whichever way the rest goes.
    if (CellIsMissing(a) || CellIsMissing(b))
      return CellBefore(a, b);
    return order == Qt::AscendingOrder ? CellBefore(a, b) : CellBefore(b, a);
  });
  emit layoutChanged();
}

std::size_t TGroupFitModel::GroupOfRow(int row) const {
  return order_[static_cast<std::size_t>(row)];
}

std::string TGroupFitModel::Tsv(const std::vector<int>& rows) const {
  if (!table_)
    return {};
  const auto tsv = [](std::string_view text) { return TsvField(text); };
  std::string text = Joined(table_->Header, '\t', tsv);
  if (rows.empty())
    for (int r = 0; r < rowCount(); ++r) text += Joined(Cells(r), '\t', tsv);
  for (const int r : rows) text += Joined(Cells(r), '\t', tsv);
  return text;
}

std::string TGroupFitModel::Csv() const {
  if (!table_)
    return {};
  const auto csv = [](std::string_view text) { return CsvField(text); };
  std::string text = Joined(table_->Header, ',', csv);
  for (int r = 0; r < rowCount(); ++r) text += Joined(Cells(r), ',', csv);
  return text;
}

}  // namespace corvane
