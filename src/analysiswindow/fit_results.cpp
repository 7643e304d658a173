#include "analysiswindow/fit_results.h"

#include "runtime/format_float.h"

namespace corvane {
namespace {

std::string CountText(std::size_t count) {
  return std::to_string(count);
}

std::string ANote(const TModelFit& fit) {
  return fit.Options.KeepA ? "kept from the A field" : "sample minimum";
}

}  // namespace

TAnalysisTable FitResultsOf(const TModelFit& fit, const TBootstrapResult* bootstrap) {
  TAnalysisTable table;
  table.Header = {"Parameter", "Estimate", "2.5 %", "97.5 %", "Note"};
  for (int p = 0; p < kFitParameterCount; ++p) {
    const TInterval interval = bootstrap ? bootstrap->Intervals[static_cast<std::size_t>(p)] : TInterval{};
    std::string note;
    if (p == kFitA)
      note = ANote(fit);
    else if (p == kFitY0)
      note = "stationary mean of the carried inhibition";
    table.Rows.push_back({TTableCell::Label(std::string(FitParameterName(p))),
                          TTableCell::Number(fit.Estimates[static_cast<std::size_t>(p)]),
                          TTableCell::Number(interval.Low), TTableCell::Number(interval.High),
                          TTableCell::Label(note)});
  }
  table.Rows.push_back({TTableCell::Label("a1"), TTableCell::Number(fit.Options.a1), TTableCell::Label({}),
                        TTableCell::Label({}), TTableCell::Label("held at its field's value")});
  table.Rows.push_back({TTableCell::Label("n"), TTableCell::Label(CountText(fit.Count))});
  if (bootstrap) {
    table.Rows.push_back(
        {TTableCell::Label("bootstrap replicates"), TTableCell::Label(CountText(bootstrap->Replicates))});
    table.Rows.push_back(
        {TTableCell::Label("failed replicates"), TTableCell::Label(CountText(bootstrap->Failed))});
  }
  return table;
}

std::string FitSummaryText(const TModelFit& fit, const TBootstrapResult* bootstrap, bool bootstrap_running) {
  if (!fit.Fitted())
    return "Cannot fit: " + fit.Message;
  if (bootstrap_running)
    return "Fitted; the 95 % intervals are being computed";
  if (!bootstrap)
    return "Fitted; the intervals were not computed";
  std::string text = "Fitted; 95 % intervals from " + CountText(bootstrap->Replicates - bootstrap->Failed) +
                     " bootstrap replicates";
  if (bootstrap->Failed > 0)
    text += " (" + CountText(bootstrap->Failed) + " of " + CountText(bootstrap->Replicates) +
            " could not be refitted and are left out)";
  return text;
}

}  // namespace corvane
