#include "analysiswindow/fit_side.h"

#include "analysiswindow/fit_results.h"

namespace corvane {

TFitSide::TFitSide(std::function<void()> changed) : changed_(std::move(changed)) {}

void TFitSide::Drop() {
  simulation_task_.Cancel();
  bootstrap_task_.Cancel();
  fit_.reset();
  refusal_.clear();
  closed_.reset();
  simulation_.reset();
  intervals_.reset();
  intervals_error_.clear();
  intervals_cancelled_ = false;
}

void TFitSide::Refuse(std::string reason) {
  Drop();
  refusal_ = std::move(reason);
}

void TFitSide::Fit(const TSeriesStatistics& statistics, const TFitOptions& options) {
  Drop();
  fit_ = FitModel(statistics, options);
  if (!fit_->Fitted())
    return;
  closed_ = ModelClosedFormOf(fit_->Parameters);  // FitModel has made sure it exists
  StartWork();
}

void TFitSide::StartWork() {
  const TModelFit fit = *fit_;
  const TModelSimulationOptions options = simulation_options_;
  simulation_task_.Start([this, fit, options](const TWorkControl& control) -> std::function<void()> {
    auto simulated = std::make_shared<const TSimulatedModel>(SimulateModel(fit.Parameters, options, control));
    return [this, simulated] {
      simulation_ = simulated;
      changed_();
    };
  });
  const TBootstrapOptions bootstrap = bootstrap_options_;
  bootstrap_task_.Start(
      [this, fit, bootstrap](const TWorkControl& control) -> std::function<void()> {
        auto result = std::make_shared<TBootstrapResult>(BootstrapFit(fit, fit.Count, bootstrap, control));
        return [this, result] {
          intervals_ = std::move(*result);
          changed_();
        };
      },
      [this](const std::string& message) {
        intervals_error_ = message;
        changed_();
      });
}

void TFitSide::CancelIntervals() {
  if (!bootstrap_task_.Running())
    return;
  bootstrap_task_.Cancel();
  intervals_cancelled_ = true;
}

std::string TFitSide::Text(std::size_t shown_count) const {
  if (!refusal_.empty())
    return refusal_;
  if (!fit_)
    return "Fit: estimates A, b = a1/a0, k = c1/a1 and c0 from the mean, the variance and the lag-1 "
           "autocorrelation (a1 held at its field's value), with 95 % intervals by parametric bootstrap.";
  std::string text = FitSummaryText(*fit_, Intervals(), bootstrap_task_.Running());
  if (intervals_cancelled_ && !intervals_)
    text = "Fitted; the intervals were cancelled";
  if (!intervals_error_.empty())
    text = "Fitted; the intervals could not be computed: " + intervals_error_;
  if (fit_->Fitted() && fit_->Count != shown_count)
    text += " (fitted to " + std::to_string(fit_->Count) +
            " reactions; the series has grown since: press Fit again)";
  return text + ".";
}

}  // namespace corvane
