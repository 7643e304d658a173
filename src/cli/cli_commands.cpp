#include "cli/cli_commands.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/bootstrap.h"
#include "analysis/model_fit.h"
#include "analysis/reaction_time_reader.h"
#include "runtime/errors.h"
#include "runtime/float_checks.h"
#include "runtime/number_format_settings.h"
#include "runtime/parse_float.h"
#include "runtime/random.h"
#include "simulation/reaction_simulator.h"

#ifndef CORVANE_VERSION
#define CORVANE_VERSION "0"
#endif

namespace corvane {
namespace {

constexpr const char kUsage[] =
    "Usage: corvane-cli fit [--a1 X] [--keep-a A] [--bootstrap B] [--seed S] [--threads T]\n"
    "                       [--column C] [--decimal-mark M] FILE...\n"
    "       corvane-cli simulate --params A,a1,a0,c1,c0,y0 --reactions N [--series M] [--seed S] [--tsv]\n"
    "       corvane-cli --help | --version\n"
    "\n"
    "fit       fits the model to the reaction times of each FILE ('-' for standard input) and\n"
    "          prints one tab-separated row per file: the estimates of A, b, k, c0, a0, c1, y0,\n"
    "          each with its 95 % bootstrap interval, the failed replicates, status and message.\n"
    "          --a1 X        the a1 held by the fit (default 1)\n"
    "          --keep-a A    A fixed at A instead of the sample minimum\n"
    "          --bootstrap B replicate series for the intervals (default 1000; 0 for none)\n"
    "          --seed S      the replicates' base seed (default 0)\n"
    "          --threads T   at most T threads (default: every core)\n"
    "          --column C    the column of a table, by header name or number from 1\n"
    "          --decimal-mark M  the decimal mark besides '.' (default '.')\n"
    "simulate  prints the reaction times of M series of N reactions, one per line, as the window\n"
    "          simulates them: with the seed S in place of the clock's, its reactions equal the\n"
    "          window's from that seed. --tsv prints series, reaction, RT and carried inhibition.\n"
    "\n"
    "Exit status: 0 done, 1 a file could not be read or fitted, 2 a usage error.\n";

struct EUsage {
  std::string message;
};

// Buffered output: formatting into a block and writing it whole keeps simulate streaming at the
// simulator's pace.
class TOutput {
 public:
  explicit TOutput(std::FILE* file) : file_(file) { buffer_.reserve(kBlock + 256); }
  ~TOutput() { Flush(); }
  TOutput(const TOutput&) = delete;
  TOutput& operator=(const TOutput&) = delete;

  void Text(std::string_view text) {
    buffer_.append(text);
    if (buffer_.size() >= kBlock)
      Flush();
  }
  void Char(char c) { buffer_.push_back(c); }
  // The shortest text that reads back as the same double.
  void Number(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    buffer_.append(text, result.ptr);
  }
  void Integer(std::uint64_t value) {
    char text[24];
    const auto result = std::to_chars(text, text + sizeof text, value);
    buffer_.append(text, result.ptr);
  }
  void EndLine() {
    buffer_.push_back('\n');
    if (buffer_.size() >= kBlock)
      Flush();
  }
  void Flush() {
    if (!buffer_.empty())
      std::fwrite(buffer_.data(), 1, buffer_.size(), file_);
    buffer_.clear();
    std::fflush(file_);
  }

 private:
  static constexpr std::size_t kBlock = 1 << 16;
  std::FILE* file_;
  std::string buffer_;
};

template <typename T>
T ParseInteger(std::string_view text, std::string_view option) {
  T value{};
  const auto [ptr, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || ptr != text.data() + text.size())
    throw EUsage{std::string(option) + ": '" + std::string(text) + "' is not a whole number"};
  return value;
}

// A number as the window's fields read it (ParseFloat, then rounded to double), with '.' as the
// mark: the same text gives the same parameter, so the same reactions.
double ParseParameter(std::string_view text, std::string_view option) {
  const TScopedNumberFormat format('.', ',');
  long double value = 0;
  if (!TryParseFloat(text, value))
    throw EUsage{std::string(option) + ": '" + std::string(text) + "' is not a number"};
  try {
    return StoreDouble(value);
  } catch (const EMathError&) {
    throw EUsage{std::string(option) + ": '" + std::string(text) + "' is out of range"};
  }
}

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

// The options of a command: "--name value" pairs and the rest in order.
class TArguments {
 public:
  TArguments(std::span<const std::string_view> args, std::initializer_list<std::string_view> with_value,
             std::initializer_list<std::string_view> flags) {
    for (std::size_t i = 0; i < args.size(); ++i) {
      const std::string_view a = args[i];
      if (a.size() > 2 && a.substr(0, 2) == "--") {
        if (std::find(flags.begin(), flags.end(), a) != flags.end()) {
          flags_.emplace_back(a);
          continue;
        }
        if (std::find(with_value.begin(), with_value.end(), a) == with_value.end())
          throw EUsage{"unknown option '" + std::string(a) + "'"};
        if (i + 1 >= args.size())
          throw EUsage{std::string(a) + " needs a value"};
        values_.emplace_back(a, args[++i]);
      } else {
        rest_.push_back(a);
      }
    }
  }

  std::optional<std::string_view> Value(std::string_view name) const {
    std::optional<std::string_view> found;
    for (const auto& [key, value] : values_)
      if (key == name)
        found = value;
    return found;
  }
  bool Flag(std::string_view name) const {
    return std::find(flags_.begin(), flags_.end(), name) != flags_.end();
  }
  const std::vector<std::string_view>& Rest() const { return rest_; }

 private:
  std::vector<std::pair<std::string_view, std::string_view>> values_;
  std::vector<std::string_view> flags_;
  std::vector<std::string_view> rest_;
};

class TDiscardingSink final : public TReactionSink {
 public:
  void AddPathPoint(double, double) override {}
  void AddPeriodRecord(const TPeriodRecord&) override {}
};

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
  TDiscardingSink sink;
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

std::string Figure(double value) {
  if (std::isnan(value))
    return "NA";
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

// The column option by number from 1 or by header name.
std::optional<std::size_t> ColumnFor(std::string_view text, std::string_view choice, char mark) {
  std::size_t number = 0;
  const auto [ptr, error] = std::from_chars(choice.data(), choice.data() + choice.size(), number);
  if (error == std::errc() && ptr == choice.data() + choice.size() && number >= 1)
    return number - 1;
  const TTextShape shape = InspectReactionTimeText(text, mark);
  for (std::size_t c = 0; c < shape.Columns.size(); ++c)
    if (shape.Columns[c] == choice)
      return c;
  throw EReactionTimeFormat("no column named '" + std::string(choice) + "'");
}

std::string ReadInput(std::string_view file) {
  if (file != "-")
    return ReadWholeFile(std::string(file));
  std::string text;
  char chunk[1 << 16];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, stdin)) > 0) text.append(chunk, got);
  return text;
}

void WriteFitHeader(TOutput& output) {
  output.Text("file\tn");
  for (int p = 0; p < kFitParameterCount; ++p) {
    const std::string name(FitParameterName(p));
    output.Text("\t" + name + "\t" + name + " low\t" + name + " high");
  }
  output.Text("\tfailed replicates\tstatus\tmessage\n");
}

int Fit(const TArguments& arguments, std::FILE* out, std::FILE* err) {
  if (arguments.Rest().empty())
    throw EUsage{"fit needs at least one file"};
  TFitOptions fit_options;
  if (const auto a1 = arguments.Value("--a1"))
    fit_options.a1 = ParseParameter(*a1, "--a1");
  if (const auto a = arguments.Value("--keep-a")) {
    fit_options.KeepA = true;
    fit_options.A = ParseParameter(*a, "--keep-a");
  }
  if (!(fit_options.a1 > 0) || (fit_options.KeepA && !(fit_options.A > 0)))
    throw EUsage{"--a1 and --keep-a must be greater than 0"};
  TBootstrapOptions bootstrap;
  if (const auto b = arguments.Value("--bootstrap"))
    bootstrap.Replicates = ParseInteger<std::size_t>(*b, "--bootstrap");
  if (const auto s = arguments.Value("--seed"))
    bootstrap.Seed = ParseInteger<std::uint64_t>(*s, "--seed");
  TWorkControl control;
  if (const auto t = arguments.Value("--threads"))
    control.Threads = ParseInteger<unsigned>(*t, "--threads");
  TReadOptions read;
  if (const auto m = arguments.Value("--decimal-mark")) {
    if (m->size() != 1)
      throw EUsage{"--decimal-mark takes one character"};
    read.DecimalMark = m->front();
  }

  TOutput output(out);
  WriteFitHeader(output);
  int status = kExitDone;
  for (const std::string_view file : arguments.Rest()) {
    output.Text(file);
    std::string message;
    try {
      const std::string text = ReadInput(file);
      if (const auto column = arguments.Value("--column"))
        read.Column = ColumnFor(text, *column, read.DecimalMark);
      const std::vector<double> values = ReadReactionTimes(text, read);
      const TModelFit fit = FitModel(values, fit_options);
      output.Text("\t" + std::to_string(values.size()));
      const TBootstrapResult intervals = fit.Fitted() && bootstrap.Replicates > 0
                                             ? BootstrapFit(fit, values.size(), bootstrap, control)
                                             : TBootstrapResult{};
      for (int p = 0; p < kFitParameterCount; ++p) {
        const auto i = static_cast<std::size_t>(p);
        output.Text("\t" + Figure(fit.Estimates[i]) + "\t" + Figure(intervals.Intervals[i].Low) + "\t" +
                    Figure(intervals.Intervals[i].High));
      }
      output.Text("\t" +
                  (fit.Fitted() && bootstrap.Replicates > 0 ? std::to_string(intervals.Failed) : "NA"));
      if (fit.Fitted()) {
        output.Text("\tfitted\t\n");
        continue;
      }
      message = fit.Message;
      output.Text("\tnot fitted\t" + message + "\n");
    } catch (const Exception& e) {
      message = e.Message();
      output.Text("\tNA");
      for (int p = 0; p < kFitParameterCount; ++p) output.Text("\tNA\tNA\tNA");
      output.Text("\tNA\tnot read\t" + message + "\n");
    }
    output.Flush();
    std::fprintf(err, "corvane-cli: %.*s: %s\n", static_cast<int>(file.size()), file.data(), message.c_str());
    status = kExitNotFitted;
  }
  return status;
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
      return Fit(
          TArguments(rest,
                     {"--a1", "--keep-a", "--bootstrap", "--seed", "--threads", "--column", "--decimal-mark"},
                     {}),
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
