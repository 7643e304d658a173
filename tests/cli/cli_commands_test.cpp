#include "cli/cli_commands.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/bootstrap.h"
#include "analysis/likelihood_fit.h"
#include "analysis/likelihood_support.h"
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
  const std::string quick = dir + "/quick_rt.txt";
  { std::ofstream(bad) << "1.5\nfast\n"; }
  const TRun simulated =
      RunCommand({"simulate", "--params", "5,1,1,0.5,0.5,5", "--reactions", "1000", "--seed", "3"});
  { std::ofstream(good) << simulated.out; }
  {
    std::ofstream out(quick);
    for (const double v : test_support::IndependentSeries(2, 0.5, 1, 60, 22, 0.001)) out << v << "\n";
  }
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
      {{"fit", "--method", "mle", good}, 2, "corvane-cli: --method: 'mle' is neither ml nor moments"},
      {{"fit", "--method", "moments", "--contaminants", good},
       2,
       "corvane-cli: --contaminants needs --method ml"},
      {{"fit", "--method", "moments", "--bootstrap", "50", good}, 0, ""},
      {{"fit", "--method", "moments", "--bootstrap", "50", good, bad}, 1, "corvane-cli: "},
      {{"fit", "--bootstrap", "0", quick}, 0, ""},
      {{"fit", "--bootstrap", "0", "--quantiles", quick, bad}, 1, "corvane-cli: "},
  };
  for (const Case& c : cases) {
    const TRun run = RunCommand(c.args);
    EXPECT_EQ(run.exit, c.exit) << (c.args.empty() ? "" : c.args[0]) << run.err;
    EXPECT_EQ(run.err.substr(0, std::string_view(c.err_start).size()), c.err_start);
  }
  const TRun fitted = RunCommand({"fit", "--method", "moments", "--bootstrap", "50", good, bad});
  std::istringstream rows(fitted.out);
  std::string header, first, second;
  std::getline(rows, header);
  std::getline(rows, first);
  std::getline(rows, second);
  EXPECT_EQ(header.substr(0, 31), "file\tn\tmissing\texcluded\tA\tA low");
  EXPECT_NE(first.find("\tfitted\t"), std::string::npos) << first;
  EXPECT_NE(second.find("\tmoments\t0\tnot read\tline 2: 'fast' is not a number"), std::string::npos)
      << second;
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

// How the command was asked to fit.
struct TAsked {
  bool moments = false;
  std::size_t replicates = 0;
  std::uint64_t seed = 0;
  bool quantiles = false;
};

std::string Joined(const std::string& a, const std::string& b) {
  return b.empty() ? a : a.empty() ? b : a + "; " + b;
}

// The row the command must print for a series, computed here from the library's own fits (the
// moment fit with its bootstrap and the likelihood at its estimates, or ML) and written in the
// columns' documented order: a swapped, missing or misnamed column fails.
std::string ExpectedRow(const std::string& lead, const std::vector<double>& values, std::size_t missing,
                        std::size_t excluded, const TAsked& asked) {
  TLikelihoodFitOptions likelihood;
  likelihood.Replicates = asked.replicates;
  likelihood.Seed = asked.seed;
  likelihood.DataLag1 = FitModel(values).Lag1;
  TFitVector estimates;
  estimates.fill(kNotANumber);
  std::array<TInterval, kFitParameterCount> intervals{};
  std::size_t failed = 0;
  std::optional<TLikelihoodFit> report;
  std::string message = missing > 0 ? std::to_string(missing) + " missing values skipped" : "";
  if (asked.moments) {
    const TModelFit fit = FitModel(values);
    if (fit.Fitted()) {
      estimates = fit.Estimates;
      if (asked.replicates > 0) {
        TBootstrapOptions bootstrap;
        bootstrap.Replicates = asked.replicates;
        bootstrap.Seed = asked.seed;
        const TBootstrapResult result = BootstrapFit(fit, values.size(), bootstrap);
        intervals = result.Intervals;
        failed = result.Failed;
      }
      const TStationaryLaw law{estimates[kFitA], estimates[kFitB], estimates[kFitK], estimates[kFitC0]};
      report = DescribeLaw(values, law, likelihood);
      message = Joined(message, report->Message);
    } else {
      message = Joined(message, fit.Message);
    }
  } else {
    const TLikelihoodFit fit = FitByLikelihood(values, likelihood);
    message = Joined(message, fit.Message);
    if (fit.Fitted()) {
      estimates = fit.Estimates;
      intervals = fit.Intervals;
      failed = fit.FailedReplicates;
      report = fit;
    }
  }
  const bool fitted = !std::isnan(estimates[kFitB]);
  std::string row = lead + "\t" + std::to_string(values.size()) + "\t" + std::to_string(missing) + "\t" +
                    std::to_string(excluded);
  for (int p = 0; p < kFitParameterCount; ++p) {
    const auto i = static_cast<std::size_t>(p);
    row += "\t" + Shortest(estimates[i]) + "\t" + Shortest(intervals[i].Low) + "\t" +
           Shortest(intervals[i].High);
  }
  row += "\t" + (fitted && asked.replicates > 0 ? std::to_string(failed) : std::string("NA"));
  const auto figure = [&](double value) { return "\t" + (report ? Shortest(value) : std::string("NA")); };
  const TLikelihoodFit& r = report ? *report : TLikelihoodFit{};
  row += figure(r.LogLik) + figure(r.AIC) + figure(r.BIC) + figure(r.ExGaussian.AIC) +
         figure(r.ExGaussian.Mu) + figure(r.ExGaussian.Sigma) + figure(r.ExGaussian.Tau) +
         figure(r.Lognormal.AIC) + figure(r.ContaminantShare) + figure(r.Lag1) + figure(r.Lag1Model) +
         figure(r.Lag1StandardError) + figure(r.GofP);
  for (std::size_t q = 0; asked.quantiles && q < kGoodnessLevels.size(); ++q)
    row += figure(r.QuantilesData[q]) + figure(r.QuantilesModel[q]);
  return row + "\t" + (asked.moments ? "moments" : "ml") + "\t" + std::to_string(asked.seed) + "\t" +
         (fitted ? "fitted" : "not fitted") + "\t" + message;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
  if (!line.empty() && line.back() == '\t')
    fields.emplace_back();
  return fields;
}

const std::string kHeaderToFailed =
    "n\tmissing\texcluded\tA\tA low\tA high\tb\tb low\tb high\tk\tk low\tk high\tc0\tc0 low\tc0 high\ta0\ta0 "
    "low\ta0 high\tc1\tc1 low\tc1 high\ty0\ty0 low\ty0 high\tfailed replicates";
const std::string kComparisonHeader =
    "\tlogLik\tAIC\tBIC\texgauss AIC\texgauss mu\texgauss sigma\texgauss tau\tlognormal "
    "AIC\tcontaminants\tlag1\tlag1 model\tlag1 se\tgof p";
const std::string kQuantileHeader =
    "\tq10\tq10 model\tq30\tq30 model\tq50\tq50 model\tq70\tq70 model\tq90\tq90 model";
const std::string kHeaderEnd = "\tmethod\tseed\tstatus\tmessage";

// The cells of a row that has no fit: n to gof p (quantiles too where asked) NA, with `missing`.
std::string NotReadCells(const std::string& missing, bool quantiles) {
  std::string s = "\tNA\t" + missing + "\tNA";
  for (int c = 0; c < 3 * kFitParameterCount + 1 + 13 + (quantiles ? 10 : 0); ++c) s += "\tNA";
  return s;
}

// A long file of four participants under the moments: two fitted (one with missing trials, one
// with a trial cut off by --max), one with too few trials, one with a bad value (in order of
// first appearance); every column of every row pinned.
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
  const TRun run = RunCommand({"fit", "--method", "moments", "--bootstrap", "40", "--seed", "5", "--by",
                               "pno,session", "--max", "100", path});
  EXPECT_EQ(run.exit, 1);
  TAsked asked;
  asked.moments = true;
  asked.replicates = 40;
  asked.seed = 5;
  const std::vector<std::string> expected = {
      "file\tpno\tsession\t" + kHeaderToFailed + kComparisonHeader + kHeaderEnd,
      ExpectedRow(path + "\tp1\t1", p1, 2, 0, asked),
      ExpectedRow(path + "\tp2\t1", p2, 0, 1, asked),
      ExpectedRow(path + "\tp4\t1", p4, 0, 0, asked),
      path + "\tp3\t1" + NotReadCells("0", false) + "\tmoments\t5\tnot read\tline " +
          std::to_string(slow_line) + ", column 'rt': 'slow' is not a number",
  };
  EXPECT_EQ(Lines(run.out), expected);
  EXPECT_NE(run.err.find("long_rt.csv (p3, 1): line"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("long_rt.csv (p4, 1): the fit needs at least 20"), std::string::npos) << run.err;
}

// The law of the independent limit (A 2, b 0.5, c0 1) by its own quantiles to the millisecond: ML
// puts k at its boundary, inf.
std::vector<double> IndependentQuantiles(std::size_t n) {
  const TStationaryLaw law{2, 0.5, std::numeric_limits<double>::infinity(), 1};
  std::vector<double> values(n);
  for (std::size_t i = 0; i < n; ++i)
    values[i] = std::nearbyint(
                    StationaryQuantile(law, (static_cast<double>(i) + 0.5) / static_cast<double>(n)) * 1000) /
                1000;
  return values;
}

// The default method, ML, with the quantiles: a fitted group, one at the boundary k = inf (still
// fitted, printing inf), one with too few values, one not read; every column of every row pinned.
TEST(CliTest, LikelihoodRowsPinnedWholeWithTheBoundary) {
  const std::vector<double> a = test_support::IndependentSeries(2, 0.5, 1, 60, 21, 0.001);
  const std::vector<double> boundary = IndependentQuantiles(300);
  const std::vector<double> few = {0.5, 0.6, 0.7};
  std::string csv = "pno,rt\n";
  std::size_t line = 1, bad_line = 0;
  for (std::size_t t = 0; t < 300; ++t) {
    if (t < a.size()) {
      csv += "a," + Shortest(a[t]) + "\n";
      ++line;
    }
    csv += "inf," + Shortest(boundary[t]) + "\n";
    ++line;
    if (t < few.size()) {
      csv += "few," + Shortest(few[t]) + "\n";
      ++line;
    }
    if (t == 7) {
      csv += "bad,-\n";
      bad_line = ++line;
    }
  }
  const std::string path = ::testing::TempDir() + "/ml_rt.csv";
  { std::ofstream(path) << csv; }
  const TRun run = RunCommand({"fit", "--bootstrap", "2", "--seed", "9", "--quantiles", "--by", "pno", path});
  EXPECT_EQ(run.exit, 1);
  TAsked asked;
  asked.replicates = 2;
  asked.seed = 9;
  asked.quantiles = true;
  const std::vector<std::string> expected = {
      "file\tpno\t" + kHeaderToFailed + kComparisonHeader + kQuantileHeader + kHeaderEnd,
      ExpectedRow(path + "\ta", a, 0, 0, asked),
      ExpectedRow(path + "\tinf", boundary, 0, 0, asked),
      ExpectedRow(path + "\tfew", few, 0, 0, asked),
      path + "\tbad" + NotReadCells("0", true) + "\tml\t9\tnot read\tline " + std::to_string(bad_line) +
          ", column 'rt': '-' is not a number",
  };
  const std::vector<std::string> lines = Lines(run.out);
  EXPECT_EQ(lines, expected);
  ASSERT_EQ(lines.size(), 5u);
  // Read back by name: the boundary prints inf, stays fitted, and says so first.
  const std::vector<std::string> header = Fields(lines[0]), cells = Fields(lines[2]);
  ASSERT_EQ(cells.size(), header.size());
  std::map<std::string, std::string> named;
  for (std::size_t c = 0; c < header.size(); ++c) named[header[c]] = cells[c];
  for (const char* name : {"k", "k high", "c1", "c1 high", "y0", "y0 high"})
    EXPECT_EQ(named[name], "inf") << name;
  EXPECT_EQ(named["status"], "fitted");
  EXPECT_EQ(named["failed replicates"], "0");
  EXPECT_EQ(named["message"].substr(0, 30), "k = inf: independent reactions");
  EXPECT_EQ(Fields(lines[3])[header.size() - 2], "not fitted");
}

// A held A under either method, and the contaminants' share under ML, reach the fit.
TEST(CliTest, HeldAAndContaminantsReachTheFit) {
  const std::string path = ::testing::TempDir() + "/held_rt.txt";
  {
    std::ofstream out(path);
    // A seed whose fit with contaminants is quick: on others the search solves slow small-k shapes
    // for minutes.
    for (const double v : test_support::IndependentSeries(2, 0.5, 1, 60, 31, 0.001))
      out << Shortest(v) << "\n";
  }
  struct Case {
    std::vector<std::string_view> args;
    const char* A;
    const char* A_low;
    bool contaminants;
  };
  const Case cases[] = {
      {{"fit", "--bootstrap", "0", "--keep-a", "1.9", path}, "1.9", "1.9", false},
      {{"fit", "--method", "moments", "--bootstrap", "0", "--keep-a", "1.9", path}, "1.9", "NA", false},
      {{"fit", "--bootstrap", "0", "--contaminants", path}, nullptr, nullptr, true},
  };
  for (const Case& c : cases) {
    const TRun run = RunCommand(c.args);
    EXPECT_EQ(run.exit, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 2u);
    const std::vector<std::string> header = Fields(lines[0]), cells = Fields(lines[1]);
    ASSERT_EQ(cells.size(), header.size());
    std::map<std::string, std::string> named;
    for (std::size_t i = 0; i < header.size(); ++i) named[header[i]] = cells[i];
    if (c.A != nullptr) {
      EXPECT_EQ(named["A"], c.A);
      EXPECT_EQ(named["A low"], c.A_low);
    }
    EXPECT_NE(named["logLik"], "NA");
    EXPECT_EQ(named["contaminants"] == "NA", !c.contaminants);
  }
}

TEST(CliTest, ColumnChoiceAndFilters) {
  const std::string dir = ::testing::TempDir();
  const std::string unnamed = dir + "/unnamed.csv";
  { std::ofstream(unnamed) << "id,latency\np1,0.5\n"; }
  const TRun asked = RunCommand({"fit", unnamed});
  EXPECT_EQ(asked.exit, 1);
  // A file not read at all: one row, nothing counted.
  EXPECT_EQ(
      Lines(asked.out).back(),
      unnamed + NotReadCells("NA", false) +
          "\tml\t0\tnot read\tno column is named as reaction times; choose one with --column (the columns "
          "are 'id', 'latency')");
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
