#include "analysis/group_fit.h"

namespace corvane {
namespace {

void AddNote(std::string& message, const std::string& note) {
  if (note.empty())
    return;
  if (!message.empty())
    message += "; ";
  message += note;
}

}  // namespace

std::string_view GroupFitStatusName(TGroupFitStatus status) {
  switch (status) {
    case TGroupFitStatus::Fitted:
      return "fitted";
    case TGroupFitStatus::NotFitted:
      return "not fitted";
    case TGroupFitStatus::NotRead:
      break;
  }
  return "not read";
}

TGroupFit FitOneGroup(const TReactionTimeGroup& group, const TFitOptions& fit,
                      const TBootstrapOptions& bootstrap, const TWorkControl& control) {
  TGroupFit out;
  out.Keys = group.Keys;
  out.Missing = group.Missing;
  out.Excluded = group.Excluded;
  if (group.Missing > 0)
    out.Message = std::to_string(group.Missing) +
                  (group.Missing == 1 ? " missing value" : " missing values") + " skipped";
  if (!group.Read) {
    out.Fit.Estimates.fill(kNotANumber);
    AddNote(out.Message, group.Message);
    return out;
  }
  out.Count = group.Values.size();
  out.Fit = FitModel(group.Values, group.Breaks, fit);
  if (!out.Fit.Fitted()) {
    out.Status = TGroupFitStatus::NotFitted;
    AddNote(out.Message, out.Fit.Message);
    return out;
  }
  out.Status = TGroupFitStatus::Fitted;
  if (bootstrap.Replicates > 0)
    out.Intervals = BootstrapFit(out.Fit, out.Count, bootstrap, control);
  return out;
}

std::vector<TGroupFit> FitGroups(const TReactionTimeGroups& groups, const TFitOptions& fit,
                                 const TBootstrapOptions& bootstrap, const TWorkControl& control) {
  ThrowIfStopped(control);
  if (groups.Groups.size() == 1)
    return {FitOneGroup(groups.Groups.front(), fit, bootstrap, control)};
  // One group a piece; each group's bootstrap on the piece's own thread.
  TWorkControl inner;
  inner.Threads = 1;
  inner.Stop = control.Stop;
  std::vector<TGroupFit> fits(groups.Groups.size());
  ParallelFor(groups.Groups.size(), control,
              [&](std::size_t g) { fits[g] = FitOneGroup(groups.Groups[g], fit, bootstrap, inner); });
  return fits;
}

}  // namespace corvane
