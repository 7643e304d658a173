#include "analysis/group_fit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
