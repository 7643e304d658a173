#include "analysiswindow/table_view.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>

#include "runtime/number_format_settings.h"

namespace corvane {

TAnalysisTableView::TAnalysisTableView(const char* name, const QString& accessible, QWidget* parent)
    : QTableWidget(parent) {
  setObjectName(name);
  setAccessibleName(accessible);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  // One Tab stop: the arrows move inside, Tab leaves.
  setTabKeyNavigation(false);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  verticalHeader()->setVisible(false);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setStretchLastSection(true);
}

bool TAnalysisTableView::Show(const TAnalysisTable& table) {
  setUpdatesEnabled(false);
  const bool reshaped = columnCount() != static_cast<int>(table.Header.size()) ||
                        rowCount() != static_cast<int>(table.Rows.size());
  // Widths in pixels, not characters: digits are wider than a minus sign or a point, and a column
  // sized for "-0.0749525" cuts "0.00434573".
  const QFontMetrics cells(font());
  const QFontMetrics headers(horizontalHeader()->font());
  std::vector<int> widest(table.Header.size(), 0);
  QStringList header;
  for (std::size_t c = 0; c < table.Header.size(); ++c) {
    header << QString::fromStdString(table.Header[c]);
    widest[c] = headers.horizontalAdvance(header.back());
  }
  setColumnCount(static_cast<int>(table.Header.size()));
  setRowCount(static_cast<int>(table.Rows.size()));
  setHorizontalHeaderLabels(header);
  const char mark = DecimalMark();
  for (std::size_t r = 0; r < table.Rows.size(); ++r) {
    const auto& row = table.Rows[r];
    for (std::size_t c = 0; c < row.size() && c < widest.size(); ++c) {
      const auto ri = static_cast<int>(r);
      const auto ci = static_cast<int>(c);
      QTableWidgetItem* cell = item(ri, ci);
      if (!cell) {
        cell = new QTableWidgetItem;
        cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        setItem(ri, ci, cell);
      }
      const QString text = QString::fromStdString(CellText(row[c], mark));
      if (cell->text() != text) {
        cell->setText(text);
        cell->setTextAlignment(row[c].IsNumber ? Qt::AlignRight | Qt::AlignVCenter
                                               : Qt::AlignLeft | Qt::AlignVCenter);
      }
      widest[c] = std::max(widest[c], cells.horizontalAdvance(text));
    }
  }
  bool grown = reshaped || sized_for_.size() != widest.size();
  for (std::size_t c = 0; !grown && c < widest.size(); ++c) grown = widest[c] > sized_for_[c];
  if (grown) {
    resizeColumnsToContents();
    sized_for_ = widest;
  }
  setUpdatesEnabled(true);
  return grown;
}

int TAnalysisTableView::FullWidth() const {
  return horizontalHeader()->length() + verticalScrollBar()->sizeHint().width() + 2 * frameWidth();
}

}  // namespace corvane
