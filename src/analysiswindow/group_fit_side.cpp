#include "analysiswindow/group_fit_side.h"

#include "analysis/group_fit_table.h"

namespace corvane {

std::string GroupLabel(const TReactionTimeGroup& group) {
  std::string label;
  for (const std::string& key : group.Keys) label += (label.empty() ? "" : ", ") + key;
  return label;
}

TGroupFitTable GroupFitTableOf(const TReactionTimeGroups& groups, std::vector<TGroupFit> fits,
                               const TGroupFitOptions& options) {
  TGroupFitTable table;
  table.Header = GroupFitHeader(groups.GroupNames, options);
  table.Rows.reserve(fits.size());
  for (const TGroupFit& fit : fits)
    table.Rows.push_back(GroupFitCells(fit, groups.GroupNames.size(), options));
  table.Fits = std::move(fits);
  table.Options = options;
  return table;
}

TGroupFitSide::TGroupFitSide(std::function<void()> changed) : changed_(std::move(changed)) {}

void TGroupFitSide::Fit(std::shared_ptr<const TReactionTimeGroups> groups, const TGroupFitOptions& options) {
  note_.clear();
  running_groups_ = groups->Groups.size();
  task_.Start(
      [this, groups, options](const TWorkControl& control) -> std::function<void()> {
        auto table = std::make_shared<const TGroupFitTable>(
            GroupFitTableOf(*groups, FitGroups(*groups, options, control), options));
        return [this, table] {
          table_ = table;
          changed_();
        };
      },
      [this](const std::string& message) {
        note_ = "Fitting every group failed: " + message + "; the table was not changed";
        changed_();
      });
}

void TGroupFitSide::Refuse(std::string reason) {
  task_.Cancel();
  note_ = std::move(reason);
}

void TGroupFitSide::Cancel() {
  if (!task_.Running())
    return;
  task_.Cancel();
  note_ = table_ ? "Fitting every group was cancelled; the table keeps the results before it"
                 : "Fitting every group was cancelled; nothing was fitted";
}

void TGroupFitSide::Drop() {
  task_.Cancel();
  table_.reset();
  note_.clear();
}

std::string TGroupFitSide::Text() const {
  if (task_.Running())
    return "Fitting " + std::to_string(running_groups_) + " groups";
  if (!note_.empty())
    return note_;
  if (!table_)
    return "";
  std::size_t fitted = 0, not_fitted = 0, not_read = 0;
  for (const TGroupFit& fit : table_->Fits) {
    fitted += fit.Status == TGroupFitStatus::Fitted;
    not_fitted += fit.Status == TGroupFitStatus::NotFitted;
    not_read += fit.Status == TGroupFitStatus::NotRead;
  }
  return std::to_string(table_->Fits.size()) + " groups: " + std::to_string(fitted) + " fitted, " +
         std::to_string(not_fitted) + " not fitted, " + std::to_string(not_read) + " not read";
}

}  // namespace corvane
