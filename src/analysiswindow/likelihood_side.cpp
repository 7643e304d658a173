#include "analysiswindow/likelihood_side.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "analysis/shape_lattice.h"
#include "analysiswindow/likelihood_results.h"

namespace corvane {
namespace {

std::vector<std::pair<double, double>> FittedDensity(const TLikelihoodFit& fit, double low, double high,
                                                     int points) {
  std::vector<std::pair<double, double>> curve;
  if (!fit.Fitted() || !(high > low))
    return curve;
  std::vector<double> rt(static_cast<std::size_t>(points));
  for (int i = 0; i < points; ++i) rt[static_cast<std::size_t>(i)] = low + (high - low) * i / (points - 1);
  rt.back() = high;  // the data's largest value itself, not within a rounding of it
  std::vector<double> density(rt.size());
  try {
    LatticeDensity(fit.Law, rt, density);
  } catch (const std::exception&) {  // a law the lattice cannot serve: no line, the fit stands
    return curve;
  }
  const double share = std::isfinite(fit.ContaminantShare) ? fit.ContaminantShare : 0.0;
  for (std::size_t i = 0; i < rt.size(); ++i)
    curve.emplace_back(rt[i], (1 - share) * density[i] + share / (high - low));
  return curve;
}

}  // namespace

TLikelihoodSide::TLikelihoodSide(std::function<void()> changed) : changed_(std::move(changed)) {}

void TLikelihoodSide::Drop() {
  task_.Cancel();
  active_ = false;
  fit_.reset();
  qq_.clear();
  density_.clear();
  closed_.reset();
  refusal_.clear();
  error_.clear();
  cancelled_ = false;
}

void TLikelihoodSide::Refuse(std::string reason) {
  Drop();
  active_ = true;
  refusal_ = std::move(reason);
}

void TLikelihoodSide::Fit(std::vector<double> values, const TLikelihoodFitOptions& options) {
  Drop();
  active_ = true;
  options_ = options;
  auto shared = std::make_shared<const std::vector<double>>(std::move(values));
  task_.Start(
      [this, shared, options](const TWorkControl& control) -> std::function<void()> {
        auto fit = std::make_shared<TLikelihoodFit>(FitByLikelihood(*shared, options, control));
        std::vector<double> sorted = *shared;
        std::sort(sorted.begin(), sorted.end());
        auto qq = std::make_shared<std::vector<TQqPoint>>(QqPointsOf(sorted, *fit, control));
        auto density = std::make_shared<std::vector<std::pair<double, double>>>(
            FittedDensity(*fit, sorted.front(), sorted.back(), kDensityPoints));
        return [this, fit, qq, density] { Arrived(std::move(*fit), std::move(*qq), std::move(*density)); };
      },
      [this](const std::string& message) {
        error_ = message;
        changed_();
      });
}

void TLikelihoodSide::Arrived(TLikelihoodFit fit, std::vector<TQqPoint> qq,
                              std::vector<std::pair<double, double>> density) {
  fit_ = std::move(fit);
  qq_ = std::move(qq);
  density_ = std::move(density);
  if (const std::optional<TParameterSet> P = Parameters()) {
    try {
      closed_ = ModelClosedFormOf(*P);
    } catch (const std::exception&) {  // no closed form: no fitted lines, the fit stands
      closed_.reset();
    }
  }
  changed_();
}

void TLikelihoodSide::Cancel() {
  if (!task_.Running())
    return;
  task_.Cancel();
  cancelled_ = true;
}

std::optional<TParameterSet> TLikelihoodSide::Parameters() const {
  if (!Fitted())
    return std::nullopt;
  return AppliedParametersOf(*fit_, options_.Likelihood.a1);
}

std::string TLikelihoodSide::Text(std::size_t shown_count) const {
  if (!refusal_.empty())
    return refusal_;
  if (cancelled_)
    return "The fit by maximum likelihood was cancelled; nothing was fitted.";
  if (!error_.empty())
    return "The fit by maximum likelihood failed: " + error_ + ".";
  if (task_.Running())
    return "Fitting by maximum likelihood: the search, then " + std::to_string(options_.Replicates) +
           " bootstrap series refitted for the intervals.";
  if (!fit_)
    return {};
  std::string text = LikelihoodSummaryText(*fit_);
  if (fit_->Fitted() && fit_->Count != shown_count)
    text += " (Fitted to " + std::to_string(fit_->Count) +
            " reactions; the series has grown since: press Fit again.)";
  return text;
}

}  // namespace corvane
