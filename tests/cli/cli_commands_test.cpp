#include "cli/cli_commands.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/random.h"
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

class TNullSink final : public TReactionSink {
 public:
  void AddPathPoint(double, double) override {}
  void AddPeriodRecord(const TPeriodRecord&) override {}
};

// With a seed, simulate prints the reactions the window gives after FormCreate seeded the
// generator with it: presses of one series, then "Begin new RT series" and presses again.
TEST(CliTest, SimulateWithASeedEqualsTheSimulatorFromThatSeed) {
  const TRun run = RunCommand(
      {"simulate", "--params", "5,1,1,0.5,0.5,5", "--reactions", "40", "--series", "2", "--seed", "31415"});
  ASSERT_EQ(run.exit, 0) << run.err;
  RandomSeed = 31415;
  TReactionSimulator simulator;
  TNullSink sink;
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
  EXPECT_EQ(header.substr(0, 14), "file\tn\tA\tA low");
  EXPECT_NE(first.find("\tfitted\t"), std::string::npos) << first;
  EXPECT_NE(second.find("\tnot read\tline 2: 'fast' is not a number"), std::string::npos) << second;
  EXPECT_NE(fitted.err.find("bad_rt.txt: line 2: 'fast' is not a number"), std::string::npos);
}

}  // namespace
}  // namespace corvane
