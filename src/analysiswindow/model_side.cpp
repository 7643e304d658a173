#include "analysiswindow/model_side.h"

#include <exception>

namespace corvane {

TModelSide::TModelSide(std::function<void()> changed) : changed_(std::move(changed)) {}

void TModelSide::SetOptions(const TModelSimulationOptions& options) {
  options_ = options;
  last_.reset();
}

bool TModelSide::Use(const std::optional<TParameterSet>& wanted) {
  if (wanted && parameters_ && SameModel(*wanted, *parameters_))
    return false;
  if (!wanted && !parameters_)
    return false;
  parameters_ = wanted;
  simulation_.reset();
  closed_.reset();
  error_.clear();
  task_.Cancel();
  if (!parameters_)
    return true;
  try {
    closed_ = ModelClosedFormOf(*parameters_);
  } catch (const std::exception& error) {
    error_ = error.what();
    return true;
  }
  if (last_ && SameModel(last_->first, *parameters_))
    simulation_ = last_->second;
  else
    StartSimulation();
  return true;
}

void TModelSide::StartSimulation() {
  const TParameterSet P = *parameters_;
  const TModelSimulationOptions options = options_;
  task_.Start(
      [this, P, options](const TWorkControl& control) -> std::function<void()> {
        auto simulated = std::make_shared<const TSimulatedModel>(SimulateModel(P, options, control));
        return [this, simulated, P] {
          simulation_ = simulated;
          last_.emplace(P, simulated);
          changed_();
        };
      },
      [this](const std::string& message) {
        error_ = "the model's simulation failed: " + message;
        changed_();
      });
}

}  // namespace corvane
