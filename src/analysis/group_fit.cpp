#include "analysis/group_fit.h"

#include "analysis/series_statistics.h"

namespace corvane {
namespace {

void AddNote(std::string& message, const std::string& note) {
  if (note.empty())
    return;
  if (!message.empty())
    message += "; ";
  message += note;
}

// The lag-1 over neighbouring trials only: a break (a trial missing, filtered or excluded between
// two values) leaves its pair out, as the moment fit's lag-1 does.
double NeighbourLag1(const TReactionTimeGroup& group) {
  return MomentsOf(MomentSumsOf(group.Values, 1, group.Breaks)).Autocorrelations[0];
}

TLikelihoodFitOptions LikelihoodOptions(const TGroupFitOptions& options, const TReactionTimeGroup& group) {
  TLikelihoodFitOptions likelihood;
  likelihood.Likelihood.a1 = options.Fit.a1;
  likelihood.Likelihood.KeepA = options.Fit.KeepA;
  likelihood.Likelihood.A = options.Fit.A;
  likelihood.Likelihood.Contaminants = options.Contaminants;
  likelihood.Replicates = options.Bootstrap.Replicates;
  likelihood.Seed = options.Bootstrap.Seed;
  likelihood.Level = options.Bootstrap.Level;
  likelihood.DataLag1 = NeighbourLag1(group);
  return likelihood;
}

void FitByMaximumLikelihood(TGroupFit& out, const TReactionTimeGroup& group, const TGroupFitOptions& options,
                            const TWorkControl& control) {
  TLikelihoodFit fit = FitByLikelihood(group.Values, LikelihoodOptions(options, group), control);
  AddNote(out.Message, fit.Message);
  if (!fit.Fitted()) {
    out.Status = TGroupFitStatus::NotFitted;
    return;
  }
  out.Status = TGroupFitStatus::Fitted;
  out.Estimates = fit.Estimates;
  out.Intervals = fit.Intervals;
  out.Replicates = fit.Replicates;
  out.FailedReplicates = fit.FailedReplicates;
  out.Likelihood = std::move(fit);
}

void FitByMoments(TGroupFit& out, const TReactionTimeGroup& group, const TGroupFitOptions& options,
                  const TWorkControl& control) {
  out.Moments = FitModel(group.Values, group.Breaks, options.Fit);
  if (!out.Moments.Fitted()) {
    out.Status = TGroupFitStatus::NotFitted;
    AddNote(out.Message, out.Moments.Message);
    return;
  }
  out.Status = TGroupFitStatus::Fitted;
  out.Estimates = out.Moments.Estimates;
  if (options.Bootstrap.Replicates > 0) {
    const TBootstrapResult bootstrap = BootstrapFit(out.Moments, out.Count, options.Bootstrap, control);
    out.Intervals = bootstrap.Intervals;
    out.Replicates = bootstrap.Replicates;
    out.FailedReplicates = bootstrap.Failed;
  }
  // The report's own simulations (the lag-1's SE) are a second stage: a progress bar would run
  // twice, so they report none.
  TWorkControl quiet = control;
  quiet.Progress = nullptr;
  const TStationaryLaw law{out.Estimates[kFitA], out.Estimates[kFitB], out.Estimates[kFitK],
                           out.Estimates[kFitC0]};
  TLikelihoodFit report = DescribeLaw(group.Values, law, LikelihoodOptions(options, group), quiet);
  AddNote(out.Message,
          report.Fitted() ? report.Message : "no likelihood at the moment estimates: " + report.Message);
  out.Likelihood = std::move(report);
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

std::string_view FitMethodName(TFitMethod method) {
  return method == TFitMethod::Moments ? "moments" : "ml";
}

TGroupFit FitOneGroup(const TReactionTimeGroup& group, const TGroupFitOptions& options,
                      const TWorkControl& control) {
  TGroupFit out;
  out.Keys = group.Keys;
  out.Missing = group.Missing;
  out.Excluded = group.Excluded;
  out.Method = options.Method;
  out.Seed = options.Bootstrap.Seed;
  if (group.Missing > 0)
    out.Message = std::to_string(group.Missing) +
                  (group.Missing == 1 ? " missing value" : " missing values") + " skipped";
  if (!group.Read) {
    AddNote(out.Message, group.Message);
    return out;
  }
  out.Count = group.Values.size();
  if (options.Method == TFitMethod::Moments)
    FitByMoments(out, group, options, control);
  else
    FitByMaximumLikelihood(out, group, options, control);
  return out;
}

std::vector<TGroupFit> FitGroups(const TReactionTimeGroups& groups, const TGroupFitOptions& options,
                                 const TWorkControl& control) {
  ThrowIfStopped(control);
  if (groups.Groups.size() == 1)
    return {FitOneGroup(groups.Groups.front(), options, control)};
  // One group a piece; each group's bootstrap on the piece's own thread.
  TWorkControl inner;
  inner.Threads = 1;
  inner.Stop = control.Stop;
  std::vector<TGroupFit> fits(groups.Groups.size());
  ParallelFor(groups.Groups.size(), control,
              [&](std::size_t g) { fits[g] = FitOneGroup(groups.Groups[g], options, inner); });
  return fits;
}

}  // namespace corvane
