#include "cli/cli_commands.h"

#include <cstdint>
#include <string>
#include <vector>

#include "cli/cli_support.h"
#include "cli/fit_command.h"
#include "runtime/errors.h"
#include "runtime/random.h"
#include "simulation/null_sink.h"
#include "simulation/reaction_simulator.h"

#ifndef CORVANE_VERSION
#define CORVANE_VERSION "0"
#endif

namespace corvane {
namespace {

constexpr const char kUsage[] =
    "Usage: corvane-cli fit [--method ml|moments] [--contaminants] [--a1 X] [--keep-a A]\n"
    "                       [--bootstrap B] [--seed S] [--threads T] [--quantiles]\n"
    "                       [--column C] [--by C1[,C2...]] [--where C=V]... [--order C]\n"
    "                       [--min X] [--max X] [--decimal-mark M] FILE...\n"
    "       corvane-cli simulate --params A,a1,a0,c1,c0,y0 --reactions N [--series M] [--seed S] [--tsv]\n"
    "       corvane-cli --help | --version\n"
    "\n"
    "fit       fits the model to the reaction times of each FILE ('-' for standard input) and\n"
    "          prints one tab-separated row per file and group: the file, the --by columns, n (values\n"
    "          fitted), missing (missing values skipped), excluded (outside --min and --max), the\n"
    "          estimates of A, b, k, c0, a0, c1, y0, each with its 95 % interval, the failed\n"
    "          replicates, logLik, AIC and BIC, the ex-Gaussian's AIC, mu, sigma and tau and the\n"
    "          shifted lognormal's AIC on the same data, contaminants (their share), lag1 (the data's,\n"
    "          over neighbouring trials), lag1 model and lag1 se, gof p, method, seed, status (fitted,\n"
    "          not fitted, not read) and message (missing values, k = inf, the dependence verdict).\n"
    "          At k = inf (independent reactions) k, c1 and y0 print inf.\n"
    "          --method M    ml: maximum likelihood on the reactions' distribution (the default);\n"
    "                        moments: the closed form from mean, variance and lag-1 (the other\n"
    "                        columns then at its estimates)\n"
    "          --contaminants  (ml) a uniform share of stray trials mixed in and estimated\n"
    "          --a1 X        the a1 held by the fit (default 1)\n"
    "          --keep-a A    A held at A (either method)\n"
    "          --bootstrap B replicate series for the intervals and gof p (default 1000; 0 for none)\n"
    "          --seed S      the replicates' base seed (default 0)\n"
    "          --threads T   at most T threads (default: every core)\n"
    "          --quantiles   adds q10, q10 model, q30, ... q90, q90 model: the data's and the\n"
    "                        fitted model's quantiles\n"
    "          --column C    the RT column, by header name or number from 1 (default: the column\n"
    "                        named rt, RT, reaction time, response_time or *.rt)\n"
    "          --by C1,C2    one series per distinct value of these columns (participant, condition)\n"
    "          --where C=V   only rows whose column C holds V (as a number where both are numbers);\n"
    "                        repeated: different columns must all hold, one column any of its values\n"
    "          --order C     the trial number: each series sorted by it, and trials whose numbers\n"
    "                        are not consecutive are not paired by the autocorrelations\n"
    "          --min X, --max X  trials with an RT outside [X, Y] are excluded and counted\n"
    "          --decimal-mark M  the decimal mark besides '.' (default: ',' in a ';' table, detected\n"
    "                        in a tab table or a single column, else '.')\n"
    "simulate  prints the reaction times of M series of N reactions, one per line, as the window\n"
    "          simulates them: with the seed S in place of the clock's, its reactions equal the\n"
    "          window's from that seed. --tsv prints series, reaction, RT and carried inhibition.\n"
    "\n"
    "Exit status: 0 done, 1 a file or group could not be read or fitted, 2 a usage error.\n";

TParameterSet ParseParameters(std::string_view text) {
  std::vector<double> values;
  while (true) {
    const std::size_t comma = text.find(',');
    values.push_back(ParseParameter(text.substr(0, comma), "--params"));
    if (comma == std::string_view::npos)
      break;
    text.remove_prefix(comma + 1);
  }
  if (values.size() != 6)
    throw EUsage{"--params: six numbers A,a1,a0,c1,c0,y0 are needed"};
  for (const double v : values)
    if (!(v > 0))
      throw EUsage{"--params: every parameter must be greater than 0"};
  return {values[0], values[1], values[2], values[3], values[4], values[5]};
}

int Simulate(const TArguments& arguments, std::FILE* out) {
  if (!arguments.Rest().empty())
    throw EUsage{"simulate takes no file: '" + std::string(arguments.Rest().front()) + "'"};
  const auto params = arguments.Value("--params");
  const auto reactions = arguments.Value("--reactions");
  if (!params || !reactions)
    throw EUsage{"simulate needs --params and --reactions"};
  const TParameterSet P = ParseParameters(*params);
  const auto count = ParseInteger<std::uint64_t>(*reactions, "--reactions");
  const auto series =
      arguments.Value("--series") ? ParseInteger<std::uint64_t>(*arguments.Value("--series"), "--series") : 1;
  // The window seeds once, when it opens, and every press draws on from there; "Begin new RT
  // series" starts from y0 again without seeding.
  if (const auto seed = arguments.Value("--seed"))
    RandomSeed = ParseInteger<std::uint32_t>(*seed, "--seed");
  else
    SeedRandomFromClock();
  const bool tsv = arguments.Flag("--tsv");

  TOutput output(out);
  if (tsv)
    output.Text("series\treaction\tRT\tcarried inhibition\n");
  TReactionSimulator simulator;
  TNullReactionSink sink;
  for (std::uint64_t s = 1; s <= series; ++s)
    for (std::uint64_t r = 1; r <= count; ++r) {
      const double rt = simulator.SimulateReaction(P, r == 1, sink);
      if (tsv) {
        output.Integer(s);
        output.Char('\t');
        output.Integer(r);
        output.Char('\t');
        output.Number(rt);
        output.Char('\t');
        output.Number(simulator.CarriedY());
      } else {
        output.Number(rt);
      }
      output.EndLine();
    }
  return kExitDone;
}

}  // namespace

int RunCli(std::span<const std::string_view> args, std::FILE* out, std::FILE* err) {
  try {
    if (args.empty())
      throw EUsage{"a command is needed"};
    const std::string_view command = args.front();
    const auto rest = args.subspan(1);
    if (command == "--help" || command == "-h") {
      std::fputs(kUsage, out);
      return kExitDone;
    }
    if (command == "--version") {
      std::fputs("corvane-cli " CORVANE_VERSION "\n", out);
      return kExitDone;
    }
    if (command == "simulate")
      return Simulate(TArguments(rest, {"--params", "--reactions", "--series", "--seed"}, {"--tsv"}), out);
    if (command == "fit")
      return FitCommand(
          TArguments(rest,
                     {"--method", "--a1", "--keep-a", "--bootstrap", "--seed", "--threads", "--column",
                      "--decimal-mark", "--by", "--where", "--order", "--min", "--max"},
                     {"--contaminants", "--quantiles"}),
          out, err);
    throw EUsage{"unknown command '" + std::string(command) + "'"};
  } catch (const EUsage& usage) {
    std::fprintf(err, "corvane-cli: %s\n%s", usage.message.c_str(), kUsage);
    return kExitUsage;
  } catch (const Exception& e) {
    std::fprintf(err, "corvane-cli: %s\n", e.Message().c_str());
    return kExitNotFitted;
  }
}

}  // namespace corvane
