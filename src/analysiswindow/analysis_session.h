// What the Series analysis window shows, without its widgets: the shown data, the model and the
// fit beside them, the work running for them, and the table and texts they make.
//
//   TSeriesRecord (the main window's series, live: this session listens) --+
//   a text read off the user-interface thread (LoadText: a file, the clipboard; a table's read
//        options asked through ChooseRead) --> the shown data (TIncrementalStatistics: the series,
//        or the loaded set's chosen group while it is shown, its gaps kept)
//   the model's parameters (the series' latest set; for loaded data the fields) --> TModelSide
//   Fit --> TFitSide (FitModel decides; simulation and bootstrap in the background)
//   FitEveryGroup --> TGroupFitSide (FitGroups in the background: the results table, whole or not)
//   FitLikelihood --> TLikelihoodSide (FitByLikelihood in the background); the panel shows the
//        side last asked for, and each Fit drops the other side's
//   every change --> Changed(what): the window repaints what changed, once
//
// Work() says what runs (reading, the bootstrap, the model's simulation) with its progress and
// whether Cancel applies; a cancelled reading says so until the next action. Nothing here draws
// from the process-wide generator.
#pragma once

#include <QObject>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/reaction_time_groups.h"
#include "analysis/reaction_time_reader.h"
#include "analysis/series_statistics.h"
#include "analysiswindow/analysis_table.h"
#include "analysiswindow/fit_side.h"
#include "analysiswindow/group_fit_side.h"
#include "analysiswindow/likelihood_side.h"
#include "analysiswindow/model_side.h"
#include "simulation/series_record.h"

namespace corvane {

class TAnalysisHost;

// What changed, as bits of Changed's argument.
enum TSessionChange : int {
  kDataChanged = 1,     // the shown values (a new source, a reaction recorded, cleared)
  kModelChanged = 2,    // the model's parameters, closed form or simulation
  kFitChanged = 4,      // the fit, its intervals or its simulation
  kWorkChanged = 8,     // work started or ended, or the work's message
  kGroupsChanged = 16,  // the loaded groups, the group shown, or every group's fit
};

struct TWorkState {
  std::string What;  // "Reading rt.csv", "Bootstrap: ...", "Simulating the model"; empty when idle
  double Share = 0;  // of the running work, in [0, 1]
  bool Cancellable = false;
  std::string Message;  // after the work: "Reading cancelled; nothing was changed"
};

class TAnalysisSession : public QObject, private TSeriesListener {
  Q_OBJECT

 public:
  explicit TAnalysisSession(TAnalysisHost& host, QObject* parent = nullptr);
  ~TAnalysisSession() override;

  // ---- the shown data
  bool ShowsSeries() const noexcept { return !showing_loaded_; }
  const TIncrementalStatistics& Shown() const noexcept { return showing_loaded_ ? loaded_->Values : series_; }
  // The loaded set's name, null before one is loaded.
  const std::string* LoadedName() const noexcept { return loaded_ ? &loaded_->Name : nullptr; }
  void ShowSeries();
  void ShowLoaded();
  // Reads `text` (from `name`) off the user-interface thread; the shown data change only when it
  // is accepted, and a rejection goes to the host's notice.
  void LoadText(std::string text, const std::string& name);
  void LoadFile(const std::string& path);
  // The read options of a table where there is something to choose (a header, or more than two
  // columns), or nothing to cancel; the window asks its dialog. Unset: the reader's defaults.
  std::function<std::optional<TReadOptions>(std::shared_ptr<const std::string> text, const TTextShape& shape,
                                            const std::string& source)>
      ChooseRead;
  // ---- a long file's groups (null without a grouped file loaded)
  const TReactionTimeGroups* LoadedGroups() const noexcept;
  std::size_t ShownGroup() const noexcept { return loaded_ ? loaded_->Group : 0; }
  // Shows that group of the loaded file (a group that was read).
  void ShowGroup(std::size_t group);
  // Fits every group of the loaded file in the background, with the options Fit would use.
  void FitEveryGroup(bool keep_a, TFitMethod method = TFitMethod::Likelihood, bool contaminants = false);
  const TGroupFitSide& GroupFits() const noexcept { return groups_fit_; }
  void FieldsChanged();

  // ---- the model and the fit
  const TModelSide& Model() const noexcept { return model_; }
  const TFitSide& FitResult() const noexcept { return fit_; }
  // Fits the shown data: a1 held at its field's value (or the model's), A kept at the A field's
  // value when `keep_a`.
  void Fit(bool keep_a);
  // The same by maximum likelihood, with a share of contaminants estimated when asked; the data's
  // lag-1 skips the series' broken pairs.
  void FitLikelihood(bool keep_a, bool contaminants);
  const TLikelihoodSide& Likelihood() const noexcept { return likelihood_; }
  // Either fit's estimate is at hand.
  bool Fitted() const noexcept { return fit_.Fitted() || likelihood_.Fitted(); }
  // The fit of what is shown: Fit's, else the shown group's row of every group's fit.
  bool CanApplyFit() const;
  // At k = inf, k = kAppliedK, and the work's message says so.
  void ApplyFitToFields();

  // ---- work
  TWorkState Work() const;
  bool WorkRunning() const noexcept;
  // Cancels what Cancel applies to: a reading, the intervals.
  void CancelWork();
  // Stops every computation, the model's simulation among them (the program is ending).
  void StopWork();
  // Waits for every thread to end, leaving their results queued to the user-interface thread.
  void JoinWork();
  void SetSimulationOptions(const TModelSimulationOptions& options);
  void SetBootstrapOptions(const TBootstrapOptions& options) { fit_.SetBootstrapOptions(options); }

  // ---- what the views show
  TAnalysisTable Table() const;
  // The fit's results (empty unless fitted).
  TAnalysisTable FitResults() const;
  // The likelihood fit's comparison with the ex-Gaussian and the shifted lognormal (empty unless
  // fitted by likelihood).
  TAnalysisTable DistributionComparison() const;
  std::string SourceText() const;
  std::string NoteText() const;
  std::string ModelText() const;
  std::string FitText() const;

 signals:
  void Changed(int what);

 private:
  struct TLoadedSet {
    TIncrementalStatistics Values;  // the shown group's
    std::string Name;
    std::shared_ptr<const TReactionTimeGroups> Read;
    std::size_t Group = 0;
  };

  void SeriesRecorded(std::size_t count) override;
  void SeriesCleared() override;
  // The model for what is shown now; returns whether it changed.
  bool UpdateModel();
  void SourceChanged();
  void Loaded(std::shared_ptr<const TReactionTimeGroups> read, const std::string& name);
  const TGroupFit* ShownGroupFit() const;
  void ApplyGroupFit(const TGroupFit& group);
  void Reject(const std::string& name, const std::string& message);

  TAnalysisHost& host_;
  TIncrementalStatistics series_;
  std::optional<TLoadedSet> loaded_;
  bool showing_loaded_ = false;
  TModelSide model_;
  TFitSide fit_;
  TGroupFitSide groups_fit_;
  TLikelihoodSide likelihood_;
  TBackgroundTask load_task_;
  std::string load_name_;
  std::string work_message_;
};

}  // namespace corvane
