#include "cli/cli_commands.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/bootstrap.h"
#include "analysis/model_fit.h"
#include "analysis/stationary_series.h"
#include "runtime/random.h"
#include "simulation/null_sink.h"
#include "simulation/reaction_simulator.h"

namespace corvane {
namespace {

struct TRun {
  int exit = -1;
  std::string out;
  std::string err;
};

std::string Drained(std::FILE* file) {
  std::rewind(file);
  std::string text;
  char buffer[4096];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
  std::fclose(file);
  return text;
}

TRun RunCommand(std::vector<std::string_view> args) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  TRun run;
  run.exit = RunCli(args, out, err);
  run.out = Drained(out);
  run.err = Drained(err);
  return run;
}

// With a seed, simulate prints the reactions the window gives after FormCreate seeded the
// generator with it: presses of one series, then "Begin new RT series" and presses again.
TEST(CliTest, SimulateWithASeedEqualsTheSimulatorFromThatSeed) {
  const TRun run = RunCommand(
      {"simulate", "--params", "5,1,1,0.5,0.5,5", "--reactions", "40", "--series", "2", "--seed", "31415"});
  ASSERT_EQ(run.exit, 0) << run.err;
  RandomSeed = 31415;
  TReactionSimulator simulator;
  TNullReactionSink sink;
  std::istringstream lines(run.out);
  for (int s = 0; s < 2; ++s)
    for (int r = 0; r < 40; ++r) {
      double printed = 0;
      ASSERT_TRUE(lines >> printed);
      EXPECT_EQ(printed, simulator.SimulateReaction({5, 1, 1, 0.5, 0.5, 5}, r == 0, sink)) << s << " " << r;
    }
  double extra = 0;
  EXPECT_FALSE(lines >> extra);

  const TRun tsv =
      RunCommand({"simulate", "--params", "5,1,1,0.5,0.5,5", "--reactions", "2", "--seed", "31415", "--tsv"});
  EXPECT_EQ(tsv.out.substr(0, tsv.out.find('\n')), "series\treaction\tRT\tcarried inhibition");
  EXPECT_EQ(tsv.out.substr(tsv.out.find('\n') + 1, 4), "1\t1\t");
}

TEST(CliTest, ExitCodes) {
  const std::string dir = ::testing::TempDir();
  const std::string good = dir + "/good_rt.txt";
  const std::string bad = dir + "/bad_rt.txt";
  { std::ofstream(bad) << "1.5\nfast\n"; }
  const TRun simulated =
      RunCommand({"simulate", "--params", "5,1,1,0.5,0.5,5", "--reactions", "1000", "--seed", "3"});
  { std::ofstream(good) << simulated.out; }
  struct Case {
    std::vector<std::string_view> args;
    int exit;
    const char* err_start;
  };
  const Case cases[] = {
      {{"--version"}, 0, ""},
      {{"--help"}, 0, ""},
      {{}, 2, "corvane-cli: a command is needed"},
      {{"frobnicate"}, 2, "corvane-cli: unknown command 'frobnicate'"},
      {{"simulate", "--params", "5,1,1"}, 2, "corvane-cli: simulate needs --params and --reactions"},
      {{"simulate", "--params", "5,1,1", "--reactions", "3"}, 2, "corvane-cli: --params: six numbers"},
      {{"simulate", "--params", "5,1,1,0.5,0.5,-5", "--reactions", "3"},
       2,
       "corvane-cli: --params: every parameter"},
      {{"simulate", "--params", "5,1,1,0.5,0.5,5", "--reactions", "x"},
       2,
       "corvane-cli: --reactions: 'x' is not"},
      {{"fit"}, 2, "corvane-cli: fit needs at least one file"},
      {{"fit", "--bogus", good}, 2, "corvane-cli: unknown option '--bogus'"},
      {{"fit", "--bootstrap", "50", good}, 0, ""},
      {{"fit", "--bootstrap", "50", good, bad}, 1, "corvane-cli: "},
  };
  for (const Case& c : cases) {
    const TRun run = RunCommand(c.args);
    EXPECT_EQ(run.exit, c.exit) << (c.args.empty() ? "" : c.args[0]) << run.err;
    EXPECT_EQ(run.err.substr(0, std::string_view(c.err_start).size()), c.err_start);
  }
  const TRun fitted = RunCommand({"fit", "--bootstrap", "50", good, bad});
  std::istringstream rows(fitted.out);
  std::string header, first, second;
  std::getline(rows, header);
  std::getline(rows, first);
  std::getline(rows, second);
  EXPECT_EQ(header.substr(0, 31), "file\tn\tmissing\texcluded\tA\tA low");
  EXPECT_NE(first.find("\tfitted\t"), std::string::npos) << first;
  EXPECT_NE(second.find("\tnot read\tline 2: 'fast' is not a number"), std::string::npos) << second;
  EXPECT_NE(fitted.err.find("bad_rt.txt: line 2: 'fast' is not a number"), std::string::npos);
}

std::string Shortest(double value) {
  if (std::isnan(value))
    return "NA";
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::vector<double> Simulated(std::size_t n, std::uint32_t seed) {
  std::vector<double> values(n);
  TStationarySeries series({5, 1, 1, 0.5, 0.5, 5}, seed);
  series.Fill(values);
  return values;
}

// The row the command must print for a series, computed here from the library's own fit and
// bootstrap: every column in its place.
std::string ExpectedRow(const std::string& lead, const std::vector<double>& values, std::size_t missing,
                        std::size_t excluded, const TBootstrapOptions& bootstrap) {
  const TModelFit fit = FitModel(values);
  std::string row = lead + "\t" + std::to_string(values.size()) + "\t" + std::to_string(missing) + "\t" +
                    std::to_string(excluded);
  const TBootstrapResult intervals =
      fit.Fitted() ? BootstrapFit(fit, values.size(), bootstrap) : TBootstrapResult{};
  for (int p = 0; p < kFitParameterCount; ++p) {
    const auto i = static_cast<std::size_t>(p);
    row += "\t" + Shortest(fit.Estimates[i]) + "\t" + Shortest(intervals.Intervals[i].Low) + "\t" +
           Shortest(intervals.Intervals[i].High);
  }
  std::string message = missing > 0 ? std::to_string(missing) + " missing values skipped" : "";
  if (!fit.Fitted())
    message += (message.empty() ? "" : "; ") + fit.Message;
  row += "\t" + (fit.Fitted() ? std::to_string(intervals.Failed) : std::string("NA")) + "\t" +
         (fit.Fitted() ? "fitted" : "not fitted") + "\t" + message;
  return row;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A long file of three participants: two fitted (one with missing trials, one with a trial cut off by
// --max), one with too few trials, one with a bad value (in order of first appearance); every column of every
// row pinned.
TEST(CliTest, GroupedFitRowsPinnedWhole) {
  const std::vector<double> p1 = Simulated(300, 7), p2 = Simulated(250, 8), p4 = Simulated(5, 9);
  std::string csv = "\"\",\"pno\",\"session\",\"rt\"\n";
  std::size_t row = 0, slow_line = 0;
  const auto add = [&](const char* pno, const std::string& rt) {
    csv += "\"" + std::to_string(++row) + "\",\"" + pno + "\",1," + rt + "\n";
  };
  for (std::size_t t = 0; t < 300; ++t) {
    add("p1", Shortest(p1[t]));
    if (t < 250)
      add("p2", Shortest(p2[t]));
    if (t == 10 || t == 20)
      add("p1", "NA");
    if (t == 30)
      add("p2", "1000");
    if (t == 40)
      add("p3", "0.5");
    if (t == 41) {
      add("p3", "slow");
      slow_line = row + 1;  // the header is line 1
    }
    if (t < 5)
      add("p4", Shortest(p4[t]));
  }
  const std::string path = ::testing::TempDir() + "/long_rt.csv";
  { std::ofstream(path) << csv; }
  const TRun run =
      RunCommand({"fit", "--bootstrap", "40", "--seed", "5", "--by", "pno,session", "--max", "100", path});
  EXPECT_EQ(run.exit, 1);
  TBootstrapOptions bootstrap;
  bootstrap.Replicates = 40;
  bootstrap.Seed = 5;
  const std::string nan_columns = [] {
    std::string s;
    for (int p = 0; p < kFitParameterCount; ++p) s += "\tNA\tNA\tNA";
    return s;
  }();
  const std::vector<std::string> expected = {
      "file\tpno\tsession\tn\tmissing\texcluded\tA\tA low\tA high\tb\tb low\tb high\tk\tk low\tk "
      "high\tc0\tc0 "
      "low\tc0 high\ta0\ta0 low\ta0 high\tc1\tc1 low\tc1 high\ty0\ty0 low\ty0 high\tfailed "
      "replicates\tstatus\tmessage",
      ExpectedRow(path + "\tp1\t1", p1, 2, 0, bootstrap),
      ExpectedRow(path + "\tp2\t1", p2, 0, 1, bootstrap),
      ExpectedRow(path + "\tp4\t1", p4, 0, 0, bootstrap),
      path + "\tp3\t1\tNA\t0\tNA" + nan_columns + "\tNA\tnot read\tline " + std::to_string(slow_line) +
          ", column 'rt': 'slow' is not a number",
  };
  EXPECT_EQ(Lines(run.out), expected);
  EXPECT_NE(run.err.find("long_rt.csv (p3, 1): line"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("long_rt.csv (p4, 1): the fit needs at least 20"), std::string::npos) << run.err;
}

TEST(CliTest, ColumnChoiceAndFilters) {
  const std::string dir = ::testing::TempDir();
  const std::string unnamed = dir + "/unnamed.csv";
  { std::ofstream(unnamed) << "id,latency\np1,0.5\n"; }
  const TRun asked = RunCommand({"fit", unnamed});
  EXPECT_EQ(asked.exit, 1);
  EXPECT_NE(
      asked.err.find("no column is named as reaction times; choose one with --column (the columns are 'id', "
                     "'latency')"),
      std::string::npos)
      << asked.err;
  const TRun filtered = RunCommand({"fit", "--column", "latency", "--where", "id=p2", unnamed});
  EXPECT_EQ(filtered.exit, 1);
  EXPECT_NE(filtered.out.find("\tnot read\tthe filter id=p2 keeps no row"), std::string::npos)
      << filtered.out;
  struct Case {
    std::vector<std::string_view> args;
    const char* err_start;
  };
  const Case usage[] = {
      {{"fit", "--where", "acc", unnamed}, "corvane-cli: --where: 'acc' is not COLUMN=VALUE"},
      {{"fit", "--by", "a,,b", unnamed}, "corvane-cli: --by: a column name is empty"},
      {{"fit", "--min", "x", unnamed}, "corvane-cli: --min: 'x' is not a number"},
      {{"fit", "--min", "2", "--max", "1", unnamed}, "corvane-cli: --min must not be above --max"},
  };
  for (const Case& c : usage) {
    const TRun run = RunCommand(c.args);
    EXPECT_EQ(run.exit, 2) << c.err_start;
    EXPECT_EQ(run.err.substr(0, std::string_view(c.err_start).size()), c.err_start);
  }
}

}  // namespace
}  // namespace corvane
