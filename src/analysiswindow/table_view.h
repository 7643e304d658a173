// A table of the analysis (analysis_table.h) in a table widget: cells updated in place, numbers
// right-aligned, columns sized to their widest text only when a text grows beyond it.
//
//   TAnalysisTable --TAnalysisTableView::Show--> items (the locale's decimal mark)
//        a column's widest text (in pixels) grew --> columns sized again; Show says so
//
// Sizing every column at every refresh lays out every cell's text again, which during a run costs
// more than the rest of the update together; hence the remembered widths.
#pragma once

#include <QTableWidget>
#include <vector>

#include "analysiswindow/analysis_table.h"

namespace corvane {

class TAnalysisTableView : public QTableWidget {
 public:
  // `name` is the object name; `accessible` the name a screen reader gives it.
  TAnalysisTableView(const char* name, const QString& accessible, QWidget* parent = nullptr);

  // Returns whether the columns were sized again.
  bool Show(const TAnalysisTable& table);
  // The width that shows every column without scrolling sideways.
  int FullWidth() const;

 private:
  std::vector<int> sized_for_;  // each column's widest text when last sized, in pixels
};

}  // namespace corvane
