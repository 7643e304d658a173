// The results of "Fit every group": a pane docked under the Series analysis window's charts, shown
// while a grouped file is loaded.
//
//   "Fit every group" (button, Groups menu) --> TAnalysisSession::FitEveryGroup (the window's
//        Keep A choice) --> progress and Cancel in the window's status bar
//   TGroupFitSide's table --TGroupFitModel--> the view: sortable by any column; a row chosen
//        shows its group (TAnalysisSession::ShowGroup), and "Apply to fields" then applies it
//   Copy rows (the selected rows, else all: TSV) and Save as CSV (the dialogs' save path,
//        written whole or not at all)
#pragma once

#include <QDockWidget>
#include <functional>

class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QTableView;

namespace corvane {

class TAnalysisSession;
class TGroupFitModel;

class TGroupPanel : public QDockWidget {
 public:
  // `fit` starts the fit of every group.
  TGroupPanel(TAnalysisSession& session, std::function<void()> fit, QWidget* parent = nullptr);

  // The Groups menu, with the pane's entries.
  QMenu* CreateMenu(QMenuBar& bar);
  // Repaints from the session.
  void Show();

  void CopyRows() const;
  void SaveCsv();
  TGroupFitModel& Model() noexcept { return *model_; }
  QTableView& View() noexcept { return *view_; }

 private:
  TAnalysisSession& session_;
  std::function<void()> fit_;
  TGroupFitModel* model_ = nullptr;
  QTableView* view_ = nullptr;
  QPushButton* fit_button_ = nullptr;
  QPushButton* copy_button_ = nullptr;
  QPushButton* save_button_ = nullptr;
  QLabel* text_ = nullptr;
  QMenu* menu_ = nullptr;
  const void* shown_table_ = nullptr;
  const void* shown_read_ = nullptr;
};

}  // namespace corvane
