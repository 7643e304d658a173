// Every group's fit as the results table shows it: the command line's columns and cells
// (group_fit_table.h, whatever columns it gives), sorted as the user asks, copied and saved.
//
//   TGroupFitTable (group_fit_side.h) --SetTable--> rows in the groups' order
//   a header click --sort--> numbers as numbers, texts after them, NA and empty cells last in
//        either direction; ties keep the groups' order
//   rows --Tsv--> the clipboard (the cells as they are, tab separated)
//        --Csv--> the saved file (RFC 4180, the cells as they are)
//
// The cells are never formatted again here: each is GroupFitCells' text, so the screen, the
// clipboard, the file and the command line say the same digits.
#pragma once

#include <QAbstractTableModel>
#include <memory>
#include <string>
#include <vector>

#include "analysiswindow/group_fit_side.h"

namespace corvane {

// Whether cell `a` goes before `b` in an ascending sort (NA and empty last).
bool CellBefore(const std::string& a, const std::string& b);
// NA or empty: no figure.
bool CellIsMissing(const std::string& cell);

class TGroupFitModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void SetTable(std::shared_ptr<const TGroupFitTable> table);
  const TGroupFitTable* Table() const noexcept { return table_.get(); }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  void sort(int column, Qt::SortOrder order) override;

  // The group a shown row is (the read's index).
  std::size_t GroupOfRow(int row) const;
  const std::vector<std::string>& Cells(int row) const;

  // The header and the given shown rows (every row when empty), in the order given.
  std::string Tsv(const std::vector<int>& rows) const;
  // The header and every row as shown.
  std::string Csv() const;

 private:
  std::shared_ptr<const TGroupFitTable> table_;
  std::vector<std::size_t> order_;  // shown row -> the table's row
};

}  // namespace corvane
