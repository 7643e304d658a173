// "Fit every group" of a long file: every group fitted in the background into one results table,
// whose rows are the command line's (group_fit_table.h), and the group a row is.
//
//   the loaded groups, TFitOptions, TBootstrapOptions --Fit--> FitGroups on a background task
//        (progress: finished groups; Cancel) --> TGroupFitTable whole, then `changed`
//   Cancel, a failure --> the table before stays as it was (or none); Text() says what happened
//   Drop (new data) --> no table, the task cancelled
//
// The table is made whole on the worker and replaces the old one in one step on the user-interface
// thread, so a cancelled or failed run never leaves a part of its rows. Each group's replicates are
// seeded from the bootstrap options' seed and their number, never from the process-wide generator.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysis/group_fit.h"
#include "analysiswindow/background_task.h"

namespace corvane {

struct TGroupFitTable {
  std::vector<std::string> Header;             // GroupFitHeader's
  std::vector<std::vector<std::string>> Rows;  // GroupFitCells', one per group in the read's order
  std::vector<TGroupFit> Fits;                 // the same groups' fits
  TGroupFitOptions Options;                    // what they were fitted with
};

class TGroupFitSide {
 public:
  // `changed` runs on the user-interface thread when a run ends, fails or is cancelled.
  explicit TGroupFitSide(std::function<void()> changed);

  void Fit(std::shared_ptr<const TReactionTimeGroups> groups, const TGroupFitOptions& options);
  void Refuse(std::string reason);
  // Stops a run; the table keeps what it held before it.
  void Cancel();
  // New data: no table, no run.
  void Drop();

  // Null before the first run ends; shared, so a view keeps the rows it shows until it is told.
  const std::shared_ptr<const TGroupFitTable>& Table() const noexcept { return table_; }
  // What the results pane says: what runs, what ended, why nothing did.
  std::string Text() const;
  std::size_t GroupCount() const noexcept { return running_groups_; }

  TBackgroundTask& Task() noexcept { return task_; }
  const TBackgroundTask& Task() const noexcept { return task_; }

 private:
  std::function<void()> changed_;
  std::shared_ptr<const TGroupFitTable> table_;
  std::size_t running_groups_ = 0;
  std::string note_;  // after a run: cancelled, failed, refused
  TBackgroundTask task_;
};

// A group as the user picks it: its keys joined, "p01, congruent".
std::string GroupLabel(const TReactionTimeGroup& group);

// The table of `fits` as the command line prints it: GroupFitHeader and GroupFitCells.
TGroupFitTable GroupFitTableOf(const TReactionTimeGroups& groups, std::vector<TGroupFit> fits,
                               const TGroupFitOptions& options);

}  // namespace corvane
