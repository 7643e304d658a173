// The model fitted to the shown data: the estimate, its intervals and the fitted model's own
// figures, each a value with the reason where it is missing.
//
//   statistics, TFitOptions --Fit--> FitModel (model_fit.h: it alone decides whether a fit stands)
//        fitted --> closed form at once; SimulateModel and BootstrapFit on background tasks
//                   --> Simulation(), Intervals(), then `changed`
//   a fit that cannot be started (keep A without a readable A field) --Refuse--> its reason
//   Drop: no fit, every task cancelled
//
// What the user is told (Text) is made from these values alone, so no later message overwrites an
// earlier one that still holds.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "analysis/bootstrap.h"
#include "analysis/model_fit.h"
#include "analysis/model_prediction.h"
#include "analysiswindow/background_task.h"

namespace corvane {

class TFitSide {
 public:
  // `changed` runs on the user-interface thread when a background result arrives or fails.
  explicit TFitSide(std::function<void()> changed);

  void Drop();
  void Fit(const TSeriesStatistics& statistics, const TFitOptions& options);
  void Refuse(std::string reason);
  // Stops the intervals' bootstrap; the estimate stays.
  void CancelIntervals();

  // Null before a fit (or after a refusal).
  const TModelFit* Current() const noexcept { return fit_ ? &*fit_ : nullptr; }
  bool Fitted() const noexcept { return fit_ && fit_->Fitted(); }
  // Nothing asked for yet (no fit, no refusal).
  bool Idle() const noexcept { return !fit_ && refusal_.empty(); }
  const TModelClosedForm* ClosedForm() const noexcept { return closed_ ? &*closed_ : nullptr; }
  const TSimulatedModel* Simulation() const noexcept { return simulation_.get(); }
  const TBootstrapResult* Intervals() const noexcept { return intervals_ ? &*intervals_ : nullptr; }

  // What the fit panel says; `shown_count` the values shown now (the series may have grown).
  std::string Text(std::size_t shown_count) const;

  TBackgroundTask& SimulationTask() noexcept { return simulation_task_; }
  TBackgroundTask& BootstrapTask() noexcept { return bootstrap_task_; }
  const TBackgroundTask& SimulationTask() const noexcept { return simulation_task_; }
  const TBackgroundTask& BootstrapTask() const noexcept { return bootstrap_task_; }
  void SetSimulationOptions(const TModelSimulationOptions& options) { simulation_options_ = options; }
  void SetBootstrapOptions(const TBootstrapOptions& options) { bootstrap_options_ = options; }
  const TBootstrapOptions& BootstrapOptions() const noexcept { return bootstrap_options_; }

 private:
  void StartWork();

  std::function<void()> changed_;
  std::optional<TModelFit> fit_;
  std::string refusal_;
  std::optional<TModelClosedForm> closed_;
  std::shared_ptr<const TSimulatedModel> simulation_;
  std::optional<TBootstrapResult> intervals_;
  std::string intervals_error_;
  bool intervals_cancelled_ = false;
  TModelSimulationOptions simulation_options_;
  TBootstrapOptions bootstrap_options_;
  TBackgroundTask simulation_task_;
  TBackgroundTask bootstrap_task_;
};

}  // namespace corvane
