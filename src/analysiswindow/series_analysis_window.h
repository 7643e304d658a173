// The Series analysis window: the series against the model, and the model fitted to data.
//
//   TSeriesFeed (the main window's series, live) ---+
//   a file or the clipboard (ReadReactionTimes) ----> shown source: TIncrementalStatistics
//        --refresh (coalesced, at most every kRefreshMilliseconds)--> histogram, lags, table
//   model parameters (the series' latest set; for loaded data the fields) --> closed form at once,
//        SimulateModel on a TBackgroundTask --> quantiles, density, standard errors
//   Fit --FitModel--> fitted parameters --> its own simulation and BootstrapFit (background)
//        --> the table's fitted column, the charts' green lines, the results with intervals
//
// One window per program, created by its owner (the main window) and shown again when asked.
// Every computation longer than the table's refresh runs off the user-interface thread and is
// cancelled when what it computes for changes (new parameters, a new fit, another source); until
// it ends, the closed-form figures show and the simulated ones say they are being computed. None
// of it draws from the process-wide generator.
#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "analysis/bootstrap.h"
#include "analysis/model_fit.h"
#include "analysis/model_prediction.h"
#include "analysis/reaction_time_reader.h"
#include "analysis/series_statistics.h"
#include "analysiswindow/analysis_table.h"
#include "analysiswindow/background_task.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSplitter;
class QTableWidget;

namespace corvane {

class TAnalysisCharts;
class TAnalysisHost;

inline constexpr int kRefreshMilliseconds = 250;
// The window opens kOpeningHeight high and as wide as the charts at kChartsOpeningWidth beside the
// whole table, at least kOpeningWidth; within the screen either way.
inline constexpr int kOpeningWidth = 1200;
inline constexpr int kOpeningHeight = 720;
inline constexpr int kChartsOpeningWidth = 560;
inline constexpr int kChartsMinimumWidth = 420;

class TSeriesAnalysisWindow : public QMainWindow {
 public:
  explicit TSeriesAnalysisWindow(TAnalysisHost& host, QWidget* parent = nullptr);
  ~TSeriesAnalysisWindow() override;

  // Reading reaction times: a file (through the file dialog, or by its path), or the clipboard.
  void OpenReactionTimesDialog();
  void OpenReactionTimesFile(const QString& path);
  void PasteReactionTimes();
  // Reads `text` as reaction times from `name`; the source changes only when it is accepted.
  void LoadText(std::string text, const std::string& name);
  // Back to the main window's series.
  void ShowSeries();
  bool ShowsSeries() const noexcept { return !showing_loaded_; }

  // The fit of the shown data, its intervals by bootstrap.
  void Fit();
  void ApplyFitToFields();
  void CancelWork();

  // The refresh a change asked for, done now.
  void RefreshNow();

  // Texts as the user sees them.
  std::string SourceText() const;
  std::string NoteText() const;
  std::string ModelText() const;
  std::string FitText() const;
  std::string TableClipboardText() const;
  std::string TableCsvText() const;
  std::string FitResultsClipboardText() const;
  void CopyTable() const;
  void SaveTable();
  void CopyFitResults() const;

  // For tests: the state behind the views, and the background work.
  const TIncrementalStatistics& Shown() const;
  const TAnalysisTable& Table() const noexcept { return table_; }
  TAnalysisCharts& Charts() const noexcept { return *charts_; }
  const std::optional<TParameterSet>& ModelParameters() const noexcept { return model_parameters_; }
  const TSimulatedModel* ModelSimulation() const noexcept { return model_simulation_.get(); }
  const TModelFit* CurrentFit() const noexcept { return fit_ ? &*fit_ : nullptr; }
  const TBootstrapResult* FitIntervals() const noexcept { return bootstrap_ ? &*bootstrap_ : nullptr; }
  TBackgroundTask& ModelTask() noexcept { return model_task_; }
  bool WorkRunning() const noexcept;
  // Waits for every background computation to end and takes its result, as its queued call would.
  void FinishBackgroundWork();
  // How much the model's simulation and the bootstrap do (the defaults: 10^6 reactions, 1,000
  // replicates); tests make them small.
  void SetSimulationOptions(const TModelSimulationOptions& options) {
    simulation_options_ = options;
    last_simulation_.reset();
  }
  void SetBootstrapOptions(const TBootstrapOptions& options) { bootstrap_options_ = options; }
  // Chooses the column of a table; the dialog (column_dialog.h) by default.
  std::function<std::optional<std::size_t>(const TTextShape& shape, const std::string& source)> ChooseColumn;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateMenus();
  void CreateLayout();
  QWidget* CreateFitPanel();
  void ConnectFeed();

  void SeriesRecorded(std::size_t count);
  void SeriesCleared();
  void FieldsChanged();
  void ScheduleRefresh();
  void UpdateModelParameters();
  void StartModelSimulation();
  void Loaded(std::vector<double> values, const std::string& name);
  void Reject(const std::string& name, const std::string& message);
  void DropFit();
  void StartFitWork();
  void ShowFitResults();
  void ShowTable();
  void GiveTheTableItsWidth();
  void FitDivider();
  QSize OpeningSize() const;
  void ShowProgress();
  void UpdateSourceChoice();

  TAnalysisHost& host_;
  std::unique_ptr<TAnalysisCharts> charts_;  // a plain object: its charts belong to the layout
  QLabel* source_label_ = nullptr;
  QComboBox* source_choice_ = nullptr;
  QLabel* note_label_ = nullptr;
  QLabel* model_label_ = nullptr;
  QTableWidget* table_view_ = nullptr;
  QSplitter* split_ = nullptr;  // the charts | the table
  bool divider_moved_ = false;
  QPushButton* fit_button_ = nullptr;
  QCheckBox* keep_a_ = nullptr;
  QPushButton* apply_button_ = nullptr;
  QPushButton* copy_results_button_ = nullptr;
  QLabel* fit_label_ = nullptr;
  QTableWidget* fit_view_ = nullptr;
  QLabel* work_label_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* cancel_button_ = nullptr;

  TIncrementalStatistics series_;
  TIncrementalStatistics loaded_;
  std::string loaded_name_;
  bool has_loaded_ = false;
  bool showing_loaded_ = false;

  std::optional<TParameterSet> model_parameters_;
  std::optional<TModelClosedForm> model_closed_;
  std::string model_error_;
  std::shared_ptr<const TSimulatedModel> model_simulation_;
  TModelSimulationOptions simulation_options_;
  std::optional<std::pair<TParameterSet, std::shared_ptr<const TSimulatedModel>>> last_simulation_;

  std::optional<TModelFit> fit_;
  std::optional<TModelClosedForm> fit_closed_;
  std::shared_ptr<const TSimulatedModel> fit_simulation_;
  std::optional<TBootstrapResult> bootstrap_;
  TBootstrapOptions bootstrap_options_;
  bool bootstrap_cancelled_ = false;

  TAnalysisTable table_;
  TBackgroundTask model_task_;
  TBackgroundTask fit_task_;
  TBackgroundTask bootstrap_task_;
  TBackgroundTask load_task_;
  std::string load_name_;
  QTimer refresh_timer_;
  QTimer progress_timer_;
};

}  // namespace corvane
