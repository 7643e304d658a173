// The Series analysis window: the series against the model, and the model fitted to data.
//
//   TAnalysisSession (analysis_session.h): the shown data, the model, the fit, the work
//        --Changed(what)--> the views that show what changed, repainted once:
//            data  --> charts' data side (TAnalysisCharts), comparison table (TAnalysisTableView)
//            model --> charts' model lines, table, model text
//            fit   --> charts' fitted lines, table, fit results (by likelihood also the AIC
//                      table and the QQ chart: TLikelihoodViews)
//            work  --> status bar: what runs, its progress and time left (time_left.h), Cancel
//            groups --> the group chooser (TGroupChooser) and every group's fit (TGroupPanel)
//   TTableWidthPolicy (width_policy.h): the charts | table divider and the window's width
//
// One window per program, created by its owner (the main window) and shown again when asked. A
// reaction recorded during a run repaints at most every kRefreshMilliseconds; every other change
// repaints when the event loop next turns. The window holds widgets and wiring; what they show
// comes from the session.
#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <string>

#include "analysiswindow/analysis_session.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSplitter;

namespace corvane {

class TAnalysisCharts;
class TAnalysisHost;
class TAnalysisTableView;
class TGroupChooser;
class TGroupPanel;
class TLikelihoodViews;
class TTableWidthPolicy;

inline constexpr int kRefreshMilliseconds = 250;

class TSeriesAnalysisWindow : public QMainWindow {
 public:
  explicit TSeriesAnalysisWindow(TAnalysisHost& host, QWidget* parent = nullptr);
  ~TSeriesAnalysisWindow() override;

  TAnalysisSession& Session() noexcept { return session_; }

  // Reading reaction times: a file (through the file dialog, or by its path), or the clipboard.
  void OpenReactionTimesDialog();
  void OpenReactionTimesFile(const QString& path);
  void PasteReactionTimes();

  void CopyTable() const;
  void SaveTable();
  void CopyFitResults() const;

  // Every view repainted from the session now (the repaint a change asked for, done at once).
  void RefreshNow();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateMenus();
  void CreateChartsMenu();
  void CreateLayout();
  QWidget* CreateFitPanel();
  void CreateStatusBar();
  void SessionChanged(int what);
  // Each view that shows what changed since the last repaint (pending_), once.
  void Repaint();
  void ShowWork();
  void UpdateSourceChoice();
  void FitChosen();
  std::string FitPanelText() const;

  TAnalysisHost& host_;
  TAnalysisSession session_;
  std::unique_ptr<TAnalysisCharts> charts_;  // a plain object: its charts belong to the layout
  QLabel* source_label_ = nullptr;
  QComboBox* source_choice_ = nullptr;
  TGroupChooser* group_choice_ = nullptr;
  TGroupPanel* group_panel_ = nullptr;
  QLabel* note_label_ = nullptr;
  QLabel* model_label_ = nullptr;
  TAnalysisTableView* table_view_ = nullptr;
  QSplitter* split_ = nullptr;  // the charts | the table
  TTableWidthPolicy* width_policy_ = nullptr;
  QPushButton* fit_button_ = nullptr;
  QCheckBox* keep_a_ = nullptr;
  QComboBox* method_choice_ = nullptr;  // maximum likelihood (0) or moments (1)
  QCheckBox* contaminants_ = nullptr;
  TLikelihoodViews* likelihood_views_ = nullptr;
  QPushButton* apply_button_ = nullptr;
  QPushButton* copy_results_button_ = nullptr;
  QLabel* fit_label_ = nullptr;
  TAnalysisTableView* fit_view_ = nullptr;
  QLabel* work_label_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* cancel_button_ = nullptr;

  int pending_ = 0;      // what changed since the last repaint (TSessionChange bits)
  QTimer run_timer_;     // a reaction recorded: at most every kRefreshMilliseconds
  QTimer change_timer_;  // any other change: when the event loop next turns
  QTimer progress_timer_;
  std::string work_what_;     // the running work's name, while it runs
  QElapsedTimer work_clock_;  // since it began: the time it has left
};

}  // namespace corvane
