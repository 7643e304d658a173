#include "analysis/group_fit_table.h"

#include <charconv>
#include <cmath>

namespace corvane {
namespace {

// "q10" for the level 0.1.
std::string QuantileName(double level) {
  return "q" + std::to_string(static_cast<int>(std::lround(level * 100)));
}

// The comparison columns, logLik to the quantiles: from `report` where it was fitted, else NA.
void AppendReport(std::vector<std::string>& cells, const TLikelihoodFit* report, bool quantiles) {
  const auto figure = [&](double TLikelihoodFit::*field) {
    cells.push_back(FigureText(report != nullptr ? report->*field : kNotANumber));
  };
  const auto standard = [&](TStandardFit TLikelihoodFit::*fit, double TStandardFit::*field) {
    cells.push_back(FigureText(report != nullptr ? report->*fit.*field : kNotANumber));
  };
  figure(&TLikelihoodFit::LogLik);
  figure(&TLikelihoodFit::AIC);
  figure(&TLikelihoodFit::BIC);
  standard(&TLikelihoodFit::ExGaussian, &TStandardFit::AIC);
  standard(&TLikelihoodFit::ExGaussian, &TStandardFit::Mu);
  standard(&TLikelihoodFit::ExGaussian, &TStandardFit::Sigma);
  standard(&TLikelihoodFit::ExGaussian, &TStandardFit::Tau);
  standard(&TLikelihoodFit::Lognormal, &TStandardFit::AIC);
  figure(&TLikelihoodFit::ContaminantShare);
  figure(&TLikelihoodFit::Lag1);
  figure(&TLikelihoodFit::Lag1Model);
  figure(&TLikelihoodFit::Lag1StandardError);
  figure(&TLikelihoodFit::GofP);
  if (!quantiles)
    return;
  for (std::size_t q = 0; q < kGoodnessLevels.size(); ++q) {
    cells.push_back(FigureText(report != nullptr ? report->QuantilesData[q] : kNotANumber));
    cells.push_back(FigureText(report != nullptr ? report->QuantilesModel[q] : kNotANumber));
  }
}

}  // namespace

std::string FigureText(double value) {
  if (std::isnan(value))
    return "NA";
  if (std::isinf(value))
    return value > 0 ? "inf" : "-inf";
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

std::vector<std::string> GroupFitHeader(std::span<const std::string> group_columns,
                                        const TGroupFitOptions& options) {
  std::vector<std::string> header(group_columns.begin(), group_columns.end());
  header.insert(header.end(), {"n", "missing", "excluded"});
  for (int p = 0; p < kFitParameterCount; ++p) {
    const std::string name(FitParameterName(p));
    header.insert(header.end(), {name, name + " low", name + " high"});
  }
  header.insert(header.end(),
                {"failed replicates", "logLik", "AIC", "BIC", "exgauss AIC", "exgauss mu", "exgauss sigma",
                 "exgauss tau", "lognormal AIC", "contaminants", "lag1", "lag1 model", "lag1 se", "gof p"});
  if (options.Quantiles)
    for (const double level : kGoodnessLevels) {
      const std::string name = QuantileName(level);
      header.insert(header.end(), {name, name + " model"});
    }
  header.insert(header.end(), {"method", "seed", "status", "message"});
  return header;
}

std::vector<std::string> GroupFitCells(const TGroupFit& group, std::size_t group_columns,
                                       const TGroupFitOptions& options) {
  std::vector<std::string> cells;
  for (std::size_t k = 0; k < group_columns; ++k)
    cells.push_back(k < group.Keys.size() ? group.Keys[k] : std::string());
  const bool read = group.Status != TGroupFitStatus::NotRead;
  cells.push_back(read ? std::to_string(group.Count) : "NA");
  cells.push_back(std::to_string(group.Missing));
  cells.push_back(read ? std::to_string(group.Excluded) : "NA");
  const bool fitted = group.Status == TGroupFitStatus::Fitted;
  for (int p = 0; p < kFitParameterCount; ++p) {
    const auto i = static_cast<std::size_t>(p);
    cells.push_back(FigureText(fitted ? group.Estimates[i] : kNotANumber));
    cells.push_back(FigureText(fitted ? group.Intervals[i].Low : kNotANumber));
    cells.push_back(FigureText(fitted ? group.Intervals[i].High : kNotANumber));
  }
  cells.push_back(fitted && group.Replicates > 0 ? std::to_string(group.FailedReplicates) : "NA");
  const bool reported = fitted && group.Likelihood && group.Likelihood->Fitted();
  AppendReport(cells, reported ? &*group.Likelihood : nullptr, options.Quantiles);
  cells.emplace_back(FitMethodName(group.Method));
  cells.push_back(std::to_string(group.Seed));
  cells.emplace_back(GroupFitStatusName(group.Status));
  cells.push_back(group.Message);
  return cells;
}

std::vector<std::string> UnreadFileCells(std::size_t group_columns, const std::string& message,
                                         const TGroupFitOptions& options) {
  TGroupFit unread;
  unread.Method = options.Method;
  unread.Seed = options.Bootstrap.Seed;
  unread.Message = message;
  std::vector<std::string> cells = GroupFitCells(unread, group_columns, options);
  cells[group_columns + 1] = "NA";  // no rows were read, so none was missing either
  return cells;
}

}  // namespace corvane
