// How the Series analysis window shares its width between the charts and the comparison table.
//
//   the table keeps the width its columns need (TAnalysisTableView::FullWidth) and the charts take
//   the rest, down to kChartsMinimumWidth, below which the table scrolls;
//   the window opens wide enough for the charts at kChartsOpeningWidth beside the whole table and
//   the two columns a fit adds (kFitColumnsReserve), at least kOpeningWidth, never beyond the
//   screen (OpeningSize);
//   new columns (a fit's) take their room from the charts (TableGrew): the window never widens
//   itself, its width is the user's; once the user moves the divider it stays where they put it.
#pragma once

#include <QObject>
#include <QSize>

class QMainWindow;
class QSplitter;

namespace corvane {

class TAnalysisTableView;

inline constexpr int kOpeningWidth = 1200;
inline constexpr int kOpeningHeight = 720;
inline constexpr int kChartsOpeningWidth = 560;
inline constexpr int kChartsMinimumWidth = 420;
// The fitted model's column and its difference in standard errors, as the table sizes them.
inline constexpr int kFitColumnsReserve = 190;

class TTableWidthPolicy : public QObject {
 public:
  // `split` holds the charts, then the table; all three outlive the policy.
  TTableWidthPolicy(QMainWindow& window, QSplitter& split, TAnalysisTableView& table);

  QSize OpeningSize() const;
  // The table's columns were sized again: give it its width.
  void TableGrew();
  bool DividerMoved() const noexcept { return divider_moved_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FitDivider();

  QMainWindow& window_;
  QSplitter& split_;
  TAnalysisTableView& table_;
  bool divider_moved_ = false;
};

}  // namespace corvane
