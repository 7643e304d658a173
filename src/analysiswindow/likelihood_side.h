// The model fitted to the shown data by maximum likelihood (likelihood_fit.h), off the
// user-interface thread: the search, the bootstrap and the QQ chart's points are one background
// work, so a fit shows whole or not at all.
//
//   values, TLikelihoodFitOptions --Fit--> FitByLikelihood, then QqPointsOf (qq_points.h), on a
//        TBackgroundTask (progress: the bootstrap's; Cancel) --> Current(), QqPoints(), the fitted
//        law's density over the data's range (the lattice's, as the likelihood's), then
//        `changed`; the fitted parameters' closed form (a1 held, k = inf as kAppliedK) for the
//        charts' fitted lines and the table's fitted column
//   a fit that cannot be started (keep A without a readable A field) --Refuse--> its reason
//   Cancel: the work stopped, nothing of it kept, "cancelled" said; Drop: nothing at all
//
// Text says what the fit panel shows, made from these values alone (as TFitSide's).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/likelihood_fit.h"
#include "analysis/model_prediction.h"
#include "analysiswindow/background_task.h"
#include "analysiswindow/qq_points.h"
#include "simulation/parameter_set.h"

namespace corvane {

class TLikelihoodSide {
 public:
  // `changed` runs on the user-interface thread when the fit arrives or fails.
  explicit TLikelihoodSide(std::function<void()> changed);

  void Drop();
  void Fit(std::vector<double> values, const TLikelihoodFitOptions& options);
  void Refuse(std::string reason);
  void Cancel();

  // Null before the fit has arrived (or after a refusal or a cancel).
  const TLikelihoodFit* Current() const noexcept { return fit_ ? &*fit_ : nullptr; }
  bool Fitted() const noexcept { return fit_ && fit_->Fitted(); }
  // Whether a fit was asked for (running, arrived, refused or cancelled): the panel shows this side.
  bool Active() const noexcept { return active_; }
  bool Running() const noexcept { return task_.Running(); }
  double HeldA1() const noexcept { return options_.Likelihood.a1; }
  const std::vector<TQqPoint>& QqPoints() const noexcept { return qq_; }
  // (rt, density of the continuous part, contaminants included) at kDensityPoints points from the
  // fastest to the slowest value; empty where the law cannot give it.
  const std::vector<std::pair<double, double>>& Density() const noexcept { return density_; }
  static constexpr int kDensityPoints = 200;
  // The fitted parameters as the fields take them; empty unless fitted.
  std::optional<TParameterSet> Parameters() const;
  // Null where the fitted parameters have no closed form.
  const TModelClosedForm* ClosedForm() const noexcept { return closed_ ? &*closed_ : nullptr; }
  const TLikelihoodFitOptions& Options() const noexcept { return options_; }

  std::string Text(std::size_t shown_count) const;

  TBackgroundTask& Task() noexcept { return task_; }
  const TBackgroundTask& Task() const noexcept { return task_; }

 private:
  void Arrived(TLikelihoodFit fit, std::vector<TQqPoint> qq, std::vector<std::pair<double, double>> density);

  std::function<void()> changed_;
  bool active_ = false;
  std::optional<TLikelihoodFit> fit_;
  std::vector<TQqPoint> qq_;
  std::vector<std::pair<double, double>> density_;
  std::optional<TModelClosedForm> closed_;
  TLikelihoodFitOptions options_;
  std::string refusal_;
  std::string error_;
  bool cancelled_ = false;
  TBackgroundTask task_;
};

}  // namespace corvane
