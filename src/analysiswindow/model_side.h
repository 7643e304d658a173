// The model the shown data are compared with: its parameters, its closed form at once, and its
// simulation (quantiles, density, standard errors) on a background task.
//
//   wanted parameters --Use--> closed form now (or the reason there is none)
//                          \--> SimulateModel on the task --> Simulation(), then `changed`
//   the last simulation is kept with its parameters: a new series with the same model ("Begin
//   new RT series", then a press) keeps it instead of simulating again
//
// A change of parameters cancels a simulation still running for the old ones. None of it draws
// from the process-wide generator.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "analysis/model_prediction.h"
#include "analysiswindow/background_task.h"
#include "simulation/parameter_set.h"

namespace corvane {

class TModelSide {
 public:
  // `changed` runs on the user-interface thread when a simulation ends or fails.
  explicit TModelSide(std::function<void()> changed);

  // Compares with `wanted` from now on (none: no model). Returns false when it is the same model.
  bool Use(const std::optional<TParameterSet>& wanted);

  const std::optional<TParameterSet>& Parameters() const noexcept { return parameters_; }
  const TModelClosedForm* ClosedForm() const noexcept { return closed_ ? &*closed_ : nullptr; }
  const TSimulatedModel* Simulation() const noexcept { return simulation_.get(); }
  // Why there are no model figures (a closed form beyond the number range, a failed simulation).
  const std::string& Error() const noexcept { return error_; }

  TBackgroundTask& Task() noexcept { return task_; }
  const TBackgroundTask& Task() const noexcept { return task_; }
  void SetOptions(const TModelSimulationOptions& options);
  const TModelSimulationOptions& Options() const noexcept { return options_; }

 private:
  void StartSimulation();

  std::function<void()> changed_;
  std::optional<TParameterSet> parameters_;
  std::optional<TModelClosedForm> closed_;
  std::string error_;
  std::shared_ptr<const TSimulatedModel> simulation_;
  TModelSimulationOptions options_;
  std::optional<std::pair<TParameterSet, std::shared_ptr<const TSimulatedModel>>> last_;
  TBackgroundTask task_;
};

}  // namespace corvane
