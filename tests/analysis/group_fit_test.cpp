#include "analysis/group_fit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "analysis/group_fit_table.h"
#include "analysis/stationary_series.h"

namespace corvane {
namespace {

TReactionTimeGroup Group(std::string key, std::vector<double> values, std::size_t missing) {
  TReactionTimeGroup g;
  g.Keys = {std::move(key)};
  g.Values = std::move(values);
  g.Missing = missing;
  return g;
}

std::vector<double> Stationary(std::size_t n, std::uint32_t seed) {
  std::vector<double> values(n);
  TStationarySeries series({5, 1, 1, 0.5, 0.5, 5}, seed);
  series.Fill(values);
  return values;
}

TReactionTimeGroups SixGroups() {
  TReactionTimeGroups groups;
  for (std::uint32_t g = 0; g < 4; ++g)
    groups.Groups.push_back(Group("p" + std::to_string(g), Stationary(200, g), g));
  groups.Groups.push_back(Group("short", {5.5, 6.5, 7.5}, 0));
  TReactionTimeGroup bad = Group("bad", {}, 13);
  bad.Read = false;
  bad.Message = "line 9, column 'rt': 'x' is not a number";
  groups.Groups.push_back(bad);
  groups.Groups[2].Breaks = {50, 100};
  return groups;
}

TEST(GroupFitTest, EveryGroupAsFittedAloneWhateverTheThreads) {
  const TReactionTimeGroups groups = SixGroups();
  TBootstrapOptions bootstrap;
  bootstrap.Replicates = 30;
  bootstrap.Seed = 4;
  TWorkControl one;
  one.Threads = 1;
  const std::vector<TGroupFit> fits = FitGroups(groups, {}, bootstrap, one);
  const std::vector<TGroupFit> threaded = FitGroups(groups, {}, bootstrap, {});
  ASSERT_EQ(fits.size(), 6u);
  for (std::size_t g = 0; g < 4; ++g) {
    const TModelFit alone = FitModel(groups.Groups[g].Values, groups.Groups[g].Breaks);
    EXPECT_EQ(fits[g].Keys, groups.Groups[g].Keys);
    EXPECT_EQ(fits[g].Count, 200u);
    EXPECT_EQ(fits[g].Missing, g);
    EXPECT_EQ(fits[g].Fit.Estimates, alone.Estimates) << g;
    EXPECT_EQ(fits[g].Status, alone.Fitted() ? TGroupFitStatus::Fitted : TGroupFitStatus::NotFitted) << g;
    if (alone.Fitted()) {
      const TBootstrapResult intervals = BootstrapFit(alone, 200, bootstrap);
      EXPECT_EQ(fits[g].Intervals.Estimates, intervals.Estimates) << g;
    }
    EXPECT_EQ(threaded[g].Intervals.Estimates, fits[g].Intervals.Estimates) << g;
  }
  EXPECT_EQ(fits[0].Status, TGroupFitStatus::Fitted);
  EXPECT_EQ(fits[2].Fit.Breaks, (std::vector<std::size_t>{50, 100}));
  EXPECT_EQ(fits[1].Message, "1 missing value skipped");
  EXPECT_EQ(fits[3].Message, "3 missing values skipped");
  EXPECT_EQ(fits[4].Status, TGroupFitStatus::NotFitted);
  EXPECT_EQ(fits[4].Message, "the fit needs at least 20 reaction times; these data have 3");
  EXPECT_EQ(fits[5].Status, TGroupFitStatus::NotRead);
  EXPECT_EQ(fits[5].Message, "13 missing values skipped; line 9, column 'rt': 'x' is not a number");
  EXPECT_EQ(GroupFitStatusName(fits[5].Status), "not read");
}

// Each cell under its own name, in every status: a swapped or missing column fails.
TEST(GroupFitTest, TableCellsStandUnderTheirNames) {
  const TReactionTimeGroups groups = SixGroups();
  TBootstrapOptions bootstrap;
  bootstrap.Replicates = 20;
  const std::vector<TGroupFit> fits = FitGroups(groups, {}, bootstrap, {});
  const std::vector<std::string> by{"participant"};
  const std::vector<std::string> header = GroupFitHeader(by);
  const auto column = [&](std::string_view name) {
    const auto at = std::find(header.begin(), header.end(), name);
    EXPECT_NE(at, header.end()) << name;
    return static_cast<std::size_t>(at - header.begin());
  };
  EXPECT_EQ(header.front(), "participant");
  for (const TGroupFit& fit : fits) {
    const std::vector<std::string> cells = GroupFitCells(fit, 1, true);
    ASSERT_EQ(cells.size(), header.size());
    EXPECT_EQ(cells[0], fit.Keys[0]);
    EXPECT_EQ(cells[column("missing")], std::to_string(fit.Missing));
    EXPECT_EQ(cells[column("status")], GroupFitStatusName(fit.Status));
    EXPECT_EQ(cells[column("message")], fit.Message);
    if (fit.Status != TGroupFitStatus::Fitted)
      continue;
    EXPECT_EQ(cells[column("n")], std::to_string(fit.Count));
    for (int p = 0; p < kFitParameterCount; ++p) {
      const auto i = static_cast<std::size_t>(p);
      const std::string name(FitParameterName(p));
      EXPECT_EQ(std::stod(cells[column(name)]), fit.Fit.Estimates[i]) << name;
      EXPECT_EQ(std::stod(cells[column(name + " low")]), fit.Intervals.Intervals[i].Low) << name;
      EXPECT_EQ(std::stod(cells[column(name + " high")]), fit.Intervals.Intervals[i].High) << name;
    }
    EXPECT_EQ(cells[column("failed replicates")], std::to_string(fit.Intervals.Failed));
  }
  EXPECT_EQ(GroupFitCells(fits[0], 1, false)[column("failed replicates")], "NA");
  const std::vector<std::string> unread = UnreadFileCells(1, "not UTF-8");
  ASSERT_EQ(unread.size(), header.size());
  EXPECT_EQ(unread[column("status")], "not read");
  EXPECT_EQ(unread[column("message")], "not UTF-8");
  EXPECT_EQ(unread[column("n")], "NA");
}

TEST(GroupFitTest, FiguresReadBackExactly) {
  // strtod, not stod: a subnormal reads back exactly though stod calls it out of range.
  for (const double v : {0.1, 1.0 / 3, 5e-324, 1.7976931348623157e308, -2.5})
    EXPECT_EQ(std::strtod(FigureText(v).c_str(), nullptr), v);
  EXPECT_EQ(FigureText(kNotANumber), "NA");
  EXPECT_EQ(FigureText(std::numeric_limits<double>::infinity()), "inf");
  EXPECT_EQ(FigureText(-std::numeric_limits<double>::infinity()), "-inf");
  EXPECT_EQ(FigureText(0.5), "0.5");
}

TEST(GroupFitTest, CancelledHalfWayReturnsNothing) {
  const TReactionTimeGroups groups = SixGroups();
  TBootstrapOptions bootstrap;
  bootstrap.Replicates = 200;
  std::stop_source stop;
  TWorkControl control;
  control.Threads = 2;
  control.Stop = stop.get_token();
  int reports = 0;
  control.Progress = [&](double share) {
    EXPECT_LT(share, 1.0);
    if (++reports == 2)
      stop.request_stop();
  };
  std::vector<TGroupFit> fits;
  EXPECT_THROW(fits = FitGroups(groups, {}, bootstrap, control), EAnalysisCancelled);
  EXPECT_TRUE(fits.empty());
  EXPECT_GE(reports, 2);
}

}  // namespace
}  // namespace corvane
