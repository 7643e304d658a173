#include "mainwindow/series_seeds.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QProcess>
#include <charconv>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "form_support.h"
#include "mainwindow/main_form.h"
#include "mainwindow/main_form_analysis.h"
#include "mainwindow/reaction_run.h"
#include "runtime/random.h"
#include "simulation/series_record.h"

namespace corvane {
namespace {

const TParameterSet kDefaults{5, 1, 1, 0.5, 0.5, 5};

TEST(SeriesSeeds, AStretchEndsWithTheSeriesTheModelOrAMovedSeed) {
  TParameterSet changed_a = kDefaults;
  changed_a.A = 6;
  TParameterSet changed_y0 = kDefaults;
  changed_y0.y0 = 9;  // y0 plays no part after a series' first reaction
  struct Press {
    std::uint32_t before, after;
    TParameterSet parameters;
    double start;
    bool first;
  };
  struct Case {
    const char* name;
    std::vector<Press> presses;
    std::vector<std::pair<std::uint32_t, std::size_t>> stretches;  // seed, count
    std::vector<double> starts;
  };
  const Case cases[] = {
      {"one stretch",
       {{10, 20, kDefaults, 5, true}, {20, 30, kDefaults, 1.5, false}, {30, 44, kDefaults, 2, false}},
       {{10, 3}},
       {5}},
      {"y0 changed within", {{10, 20, kDefaults, 5, true}, {20, 30, changed_y0, 1.5, false}}, {{10, 2}}, {5}},
      {"A changed",
       {{10, 20, kDefaults, 5, true}, {20, 30, changed_a, 1.5, false}, {30, 40, changed_a, 2.5, false}},
       {{10, 1}, {20, 2}},
       {5, 1.5}},
      {"a reaction lost to an error drew in between",
       {{10, 20, kDefaults, 5, true}, {26, 30, kDefaults, 1.5, false}},
       {{10, 1}, {26, 1}},
       {5, 1.5}},
      {"a new series",
       {{10, 20, kDefaults, 5, true}, {20, 30, kDefaults, 1.5, false}, {30, 40, kDefaults, 5, true}},
       {{30, 1}},
       {5}},
  };
  for (const Case& c : cases) {
    TSeriesSeeds seeds;
    for (const Press& p : c.presses) seeds.Record(p.before, p.after, p.parameters, p.start, p.first);
    ASSERT_EQ(seeds.Stretches().size(), c.stretches.size()) << c.name;
    for (std::size_t i = 0; i < c.stretches.size(); ++i) {
      EXPECT_EQ(seeds.Stretches()[i].Seed, c.stretches[i].first) << c.name;
      EXPECT_EQ(seeds.Stretches()[i].Count, c.stretches[i].second) << c.name;
      EXPECT_EQ(seeds.Stretches()[i].Parameters.y0, c.starts[i]) << c.name;
    }
  }
}

TEST(SeriesSeeds, NumbersReadBackToTheSameDouble) {
  const double values[] = {0.5,
                           5,
                           0.1,
                           1.0 / 3,
                           5.357142857142857,
                           1e-300,
                           4.9406564584124654e-324,
                           std::numeric_limits<double>::max(),
                           123456789.123456789,
                           std::nextafter(1.0, 2.0),
                           2.2250738585072014e-308};
  for (const double v : values) {
    const std::string text = CliNumber(v);
    EXPECT_EQ(text.find(','), std::string::npos) << text;  // --params separates by commas
    double back = 0;
    std::from_chars(text.data(), text.data() + text.size(), back);
    EXPECT_EQ(back, v) << text;
  }
}

TEST(SeriesSeeds, TheCommandNamesEachStretchAndGroupsSeveral) {
  std::vector<TSeedStretch> stretches{{42, kDefaults, 10, 7}};
  EXPECT_EQ(ReproductionCommand(stretches),
            "corvane-cli simulate --params 5,1,1,0.5,0.5,5 --reactions 10 --seed 42");
  stretches.push_back({7, TParameterSet{6, 1, 1, 0.5, 0.5, 2.25}, 3, 9});
  EXPECT_EQ(ReproductionCommand(stretches, "/opt/my tools/corvane-cli"),
            "{ '/opt/my tools/corvane-cli' simulate --params 5,1,1,0.5,0.5,5 --reactions 10 --seed 42 && "
            "'/opt/my tools/corvane-cli' simulate --params 6,1,1,0.5,0.5,2.25 --reactions 3 --seed 7; }");
  EXPECT_EQ(ReproductionCommand({}), "");
  stretches[1].Parameters.y0 = 0;  // an inhibition --params would refuse
  EXPECT_EQ(ReproductionCommand(stretches), std::nullopt);
}

// The command, run by the shell with the corvane-cli of this build, prints the window's own series
// digit for digit: after presses, a run, a change of parameters within the series, and a new series.
class ReproductionTest : public FormFixture {
 protected:
  std::unique_ptr<TForm1> MakeProcessForm() {
    auto form = std::make_unique<TForm1>(&notices);  // the process-wide generator
    form->FormCreate();
    return form;
  }

  static std::string Expected(TForm1& form) {
    std::string text;
    for (const double rt : form.SeriesRecord().Times()) {
      char number[32];
      text.append(number, std::to_chars(number, number + sizeof number, rt).ptr);
      text += '\n';
    }
    return text;
  }

  static std::string Run(const std::string& command) {
    QProcess shell;
    shell.start("/bin/sh", {"-c", QString::fromStdString(command)});
    EXPECT_TRUE(shell.waitForFinished(30'000)) << command;
    EXPECT_EQ(shell.exitCode(), 0) << command << "\n" << shell.readAllStandardError().toStdString();
    return shell.readAllStandardOutput().toStdString();
  }

  void ExpectReproduced(TForm1& form, std::size_t stretches) {
    ASSERT_EQ(form.SeriesSeeds().Stretches().size(), stretches);
    const std::string command = form.ReproductionCommand(CORVANE_CLI_PATH);
    ASSERT_FALSE(command.empty());
    EXPECT_EQ(Run(command), Expected(form)) << command;
  }
};

TEST_F(ReproductionTest, TheCommandPrintsTheWindowsSeries) {
  auto form = MakeProcessForm();
  EXPECT_EQ(form->ReproductionCommand(), "");  // nothing yet
  const std::uint32_t start = RandomSeed;
  form->Press();
  form->Press();
  EXPECT_EQ(form->SeriesSeeds().Stretches().front().Seed, start);
  ExpectReproduced(*form, 1);

  // A run of ten (Shift+click) continues the stretch.
  EXPECT_EQ(RunReactions(
                *form, *form->ButtonBegin, [&] { return form->Press(); }, kShortRunLength),
            kShortRunLength);
  EXPECT_EQ(form->SeriesRecord().Count(), 12u);
  ExpectReproduced(*form, 1);

  // Other parameters within the series: a second stretch from the carried inhibition.
  form->EditAcrit->setText("7.25");
  form->EditC0->setText("0.3");
  form->Press();
  form->Press();
  form->EditAcrit->setText("5");
  form->EditC0->setText("0.5");
  form->Press();
  ExpectReproduced(*form, 3);
  EXPECT_NE(form->SeriesSeedNote().indexOf(QString::number(start)), -1);

  // A rejected press draws nothing and breaks nothing.
  form->EditA1->setText("-1");
  EXPECT_FALSE(form->Press().recorded);
  form->EditA1->setText("1");
  form->Press();
  ExpectReproduced(*form, 3);

  // A new series: its own seed, from y0 again.
  form->BitBtn1Click();
  EXPECT_EQ(form->ReproductionCommand(), "");
  const std::uint32_t second = RandomSeed;
  form->EditY0->setText("2.5");
  for (int i = 0; i < 4; ++i) form->Press();
  ExpectReproduced(*form, 1);
  EXPECT_EQ(form->SeriesSeeds().Stretches().front().Seed, second);
  EXPECT_EQ(form->SeriesSeeds().Stretches().front().Parameters.y0, 2.5);
}

// The analysis window names the seed the current series began at, the one About names.
TEST_F(ReproductionTest, TheAnalysisHostGivesTheSeedTheSeriesBeganAt) {
  auto form = MakeProcessForm();
  const TAnalysisHost& host = form->Analysis();
  EXPECT_EQ(host.SeriesSeed(), std::nullopt);  // no reaction yet
  const std::uint32_t start = RandomSeed;
  form->Press();
  form->EditAcrit->setText("7.25");  // a second stretch: still the series' first seed
  form->Press();
  ASSERT_EQ(form->SeriesSeeds().Stretches().size(), 2u);
  EXPECT_EQ(host.SeriesSeed(), start);
  form->BitBtn1Click();
  EXPECT_EQ(host.SeriesSeed(), std::nullopt);
  const std::uint32_t second = RandomSeed;
  form->Press();
  EXPECT_EQ(host.SeriesSeed(), second);
  EXPECT_NE(second, start);
  EXPECT_EQ(MakeForm(SeededSource(3))->Analysis().SeriesSeed(), std::nullopt);
}

TEST_F(ReproductionTest, AWindowDrawingFromItsOwnSourceOffersNoCommand) {
  auto form = MakeForm(SeededSource(3));
  form->Press();
  EXPECT_EQ(form->ReproductionCommand(), "");
  EXPECT_TRUE(form->SeriesSeedNote().isEmpty());
  form->CopyReproductionCommand();
  EXPECT_EQ(notices.texts.size(), 1u);
}

}  // namespace
}  // namespace corvane
