#include "cli/cli_commands.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "analysis/bootstrap.h"
#include "analysis/group_fit.h"
#include "analysis/model_fit.h"
#include "analysis/reaction_time_groups.h"
#include "analysis/reaction_time_reader.h"
#include "runtime/errors.h"
#include "runtime/float_checks.h"
#include "runtime/number_format_settings.h"
#include "runtime/parse_float.h"
#include "runtime/random.h"
#include "simulation/null_sink.h"
#include "simulation/reaction_simulator.h"

#ifndef CORVANE_VERSION
#define CORVANE_VERSION "0"
#endif

namespace corvane {
namespace {

constexpr const char kUsage[] =
    "Usage: corvane-cli fit [--a1 X] [--keep-a A] [--bootstrap B] [--seed S] [--threads T]\n"
    "                       [--column C] [--by C1[,C2...]] [--where C=V]... [--order C]\n"
    "                       [--min X] [--max X] [--decimal-mark M] FILE...\n"
    "       corvane-cli simulate --params A,a1,a0,c1,c0,y0 --reactions N [--series M] [--seed S] [--tsv]\n"
    "       corvane-cli --help | --version\n"
    "\n"
    "fit       fits the model to the reaction times of each FILE ('-' for standard input) and\n"
    "          prints one tab-separated row per file and group: the file, the --by columns, n (values\n"
    "          fitted), missing (missing values skipped), excluded (outside --min and --max), the\n"
    "          estimates of A, b, k, c0, a0, c1, y0, each with its 95 % bootstrap interval, the failed\n"
    "          replicates, status (fitted, not fitted, not read) and message.\n"
    "          --a1 X        the a1 held by the fit (default 1)\n"
    "          --keep-a A    A fixed at A instead of the sample minimum\n"
    "          --bootstrap B replicate series for the intervals (default 1000; 0 for none)\n"
    "          --seed S      the replicates' base seed (default 0)\n"
    "          --threads T   at most T threads (default: every core)\n"
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

  std::vector<std::string_view> Values(std::string_view name) const {
    std::vector<std::string_view> found;
    for (const auto& [key, value] : values_)
      if (key == name)
        found.push_back(value);
    return found;
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

// Numbers for machines: the shortest text that reads back as the same double; NA for none.
std::string Figure(double value) {
  if (std::isnan(value))
    return "NA";
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

// A cell of the TSV: tabs and line breaks (a quoted CSV field may hold them) become spaces.
std::string Cell(std::string_view text) {
  std::string cell(text);
  for (char& c : cell)
    if (c == '\t' || c == '\n' || c == '\r')
      c = ' ';
  return cell;
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

// What the fit command reads and fits, from its options.
struct TFitCommand {
  TFitOptions Fit;
  TBootstrapOptions Bootstrap;
  TWorkControl Control;
  char DecimalMark = '\0';
  std::optional<std::string_view> Column;
  std::vector<std::string> By;
  std::vector<std::pair<std::string, std::string>> Where;
  std::optional<std::string_view> Order;
  double Minimum = -std::numeric_limits<double>::infinity();
  double Maximum = std::numeric_limits<double>::infinity();
};

double ParseCutoff(std::string_view text, std::string_view option) {
  double value = 0;
  const auto [ptr, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || ptr != text.data() + text.size() || std::isnan(value))
    throw EUsage{std::string(option) + ": '" + std::string(text) + "' is not a number"};
  return value;
}

TFitCommand ParseFitCommand(const TArguments& arguments) {
  TFitCommand c;
  if (const auto a1 = arguments.Value("--a1"))
    c.Fit.a1 = ParseParameter(*a1, "--a1");
  if (const auto a = arguments.Value("--keep-a")) {
    c.Fit.KeepA = true;
    c.Fit.A = ParseParameter(*a, "--keep-a");
  }
  if (!(c.Fit.a1 > 0) || (c.Fit.KeepA && !(c.Fit.A > 0)))
    throw EUsage{"--a1 and --keep-a must be greater than 0"};
  if (const auto b = arguments.Value("--bootstrap"))
    c.Bootstrap.Replicates = ParseInteger<std::size_t>(*b, "--bootstrap");
  if (const auto s = arguments.Value("--seed"))
    c.Bootstrap.Seed = ParseInteger<std::uint64_t>(*s, "--seed");
  if (const auto t = arguments.Value("--threads"))
    c.Control.Threads = ParseInteger<unsigned>(*t, "--threads");
  if (const auto m = arguments.Value("--decimal-mark")) {
    if (m->size() != 1)
      throw EUsage{"--decimal-mark takes one character"};
    c.DecimalMark = m->front();
  }
  c.Column = arguments.Value("--column");
  if (const auto by = arguments.Value("--by")) {
    std::string_view rest = *by;
    for (;;) {
      const std::size_t comma = rest.find(',');
      if (rest.substr(0, comma).empty())
        throw EUsage{"--by: a column name is empty"};
      c.By.emplace_back(rest.substr(0, comma));
      if (comma == std::string_view::npos)
        break;
      rest.remove_prefix(comma + 1);
    }
  }
  for (const std::string_view where : arguments.Values("--where")) {
    const std::size_t equals = where.find('=');
    if (equals == std::string_view::npos || equals == 0)
      throw EUsage{"--where: '" + std::string(where) + "' is not COLUMN=VALUE"};
    c.Where.emplace_back(where.substr(0, equals), where.substr(equals + 1));
  }
  c.Order = arguments.Value("--order");
  if (const auto m = arguments.Value("--min"))
    c.Minimum = ParseCutoff(*m, "--min");
  if (const auto m = arguments.Value("--max"))
    c.Maximum = ParseCutoff(*m, "--max");
  if (!(c.Minimum <= c.Maximum))
    throw EUsage{"--min must not be above --max"};
  return c;
}

// The read's options for one file: its columns found by name in its header.
TReadOptions ReadOptionsFor(const TFitCommand& command, std::string_view text) {
  TReadOptions read;
  read.DecimalMark = command.DecimalMark;
  read.Minimum = command.Minimum;
  read.Maximum = command.Maximum;
  const TTextShape shape = InspectReactionTimeText(text, command.DecimalMark);
  if (command.Column)
    read.Column = ColumnNamed(shape, *command.Column);
  else if (shape.Layout == TTextLayout::Table && shape.Columns.size() > 1 && !shape.PreselectedByName)
    throw EReactionTimeFormat(
        "no column is named as reaction times; choose one with --column (the columns are " +
        ColumnList(shape) + ")");
  for (const std::string& by : command.By) read.GroupBy.push_back(ColumnNamed(shape, by));
  for (const auto& [column, value] : command.Where)
    read.Filters.push_back({ColumnNamed(shape, column), value});
  if (command.Order)
    read.OrderBy = ColumnNamed(shape, *command.Order);
  return read;
}

std::string FitHeader(const TFitCommand& command) {
  std::string header = "file";
  for (const std::string& by : command.By) header += "\t" + Cell(by);
  header += "\tn\tmissing\texcluded";
  for (int p = 0; p < kFitParameterCount; ++p) {
    const std::string name(FitParameterName(p));
    header += "\t" + name + "\t" + name + " low\t" + name + " high";
  }
  return header + "\tfailed replicates\tstatus\tmessage\n";
}

// One group's row, whole.
std::string FitRow(std::string_view file, const TGroupFit& group, std::size_t by_columns,
                   bool with_intervals) {
  std::string row = Cell(file);
  for (std::size_t k = 0; k < by_columns; ++k)
    row += "\t" + (k < group.Keys.size() ? Cell(group.Keys[k]) : "");
  const bool read = group.Status != TGroupFitStatus::NotRead;
  row += "\t" + (read ? std::to_string(group.Count) : std::string("NA"));
  row += "\t" + std::to_string(group.Missing);
  row += "\t" + (read ? std::to_string(group.Excluded) : std::string("NA"));
  const bool fitted = group.Status == TGroupFitStatus::Fitted;
  for (int p = 0; p < kFitParameterCount; ++p) {
    const auto i = static_cast<std::size_t>(p);
    row += "\t" + Figure(fitted ? group.Fit.Estimates[i] : kNotANumber) + "\t" +
           Figure(group.Intervals.Intervals[i].Low) + "\t" + Figure(group.Intervals.Intervals[i].High);
  }
  row += "\t" + (fitted && with_intervals ? std::to_string(group.Intervals.Failed) : std::string("NA"));
  row += "\t" + std::string(GroupFitStatusName(group.Status)) + "\t" + Cell(group.Message) + "\n";
  return row;
}

// The row of a file that could not be read at all.
std::string UnreadRow(std::string_view file, std::size_t by_columns, const std::string& message) {
  std::string row = Cell(file);
  for (std::size_t k = 0; k < by_columns; ++k) row += "\t";
  row += "\tNA\tNA\tNA";
  for (int p = 0; p < kFitParameterCount; ++p) row += "\tNA\tNA\tNA";
  return row + "\tNA\tnot read\t" + Cell(message) + "\n";
}

std::string GroupName(const std::vector<std::string>& keys) {
  std::string name;
  for (const std::string& k : keys) name += (name.empty() ? "" : ", ") + k;
  return name;
}

int Fit(const TArguments& arguments, std::FILE* out, std::FILE* err) {
  if (arguments.Rest().empty())
    throw EUsage{"fit needs at least one file"};
  const TFitCommand command = ParseFitCommand(arguments);
  const std::size_t by = command.By.size();

  TOutput output(out);
  output.Text(FitHeader(command));
  int status = kExitDone;
  for (const std::string_view file : arguments.Rest()) {
    std::vector<TGroupFit> fits;
    try {
      const std::string text = ReadInput(file);
      const TReactionTimeGroups groups =
          ReadReactionTimeGroups(text, ReadOptionsFor(command, text), command.Control);
      fits = FitGroups(groups, command.Fit, command.Bootstrap, command.Control);
    } catch (const EReactionTimeFormat& e) {
      output.Text(UnreadRow(file, by, e.Message()));
      output.Flush();
      std::fprintf(err, "corvane-cli: %s: %s\n", Cell(file).c_str(), e.Message().c_str());
      status = kExitNotFitted;
      continue;
    }
    for (const TGroupFit& group : fits) {
      output.Text(FitRow(file, group, by, command.Bootstrap.Replicates > 0));
      if (group.Status == TGroupFitStatus::Fitted)
        continue;
      output.Flush();
      const std::string where =
          group.Keys.empty() ? Cell(file) : Cell(file) + " (" + Cell(GroupName(group.Keys)) + ")";
      std::fprintf(err, "corvane-cli: %s: %s\n", where.c_str(), group.Message.c_str());
      status = kExitNotFitted;
    }
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
      return Fit(TArguments(rest,
                            {"--a1", "--keep-a", "--bootstrap", "--seed", "--threads", "--column",
                             "--decimal-mark", "--by", "--where", "--order", "--min", "--max"},
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
