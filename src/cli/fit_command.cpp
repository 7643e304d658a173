#include "cli/fit_command.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "analysis/group_fit.h"
#include "analysis/group_fit_table.h"
#include "analysis/model_fit.h"
#include "analysis/reaction_time_groups.h"
#include "analysis/reaction_time_reader.h"
#include "cli/cli_commands.h"

namespace corvane {
namespace {

// A cell of the TSV: tabs and line breaks (a quoted CSV field may hold them) become spaces.
std::string Cell(std::string_view text) {
  std::string cell(text);
  for (char& c : cell)
    if (c == '\t' || c == '\n' || c == '\r')
      c = ' ';
  return cell;
}

// One line of the TSV: `first`, then the cells.
std::string Line(std::string_view first, const std::vector<std::string>& cells) {
  std::string line = Cell(first);
  for (const std::string& cell : cells) line += "\t" + Cell(cell);
  return line + "\n";
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
  TGroupFitOptions Fit;
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
  if (const auto method = arguments.Value("--method")) {
    if (*method == "moments")
      c.Fit.Method = TFitMethod::Moments;
    else if (*method != "ml")
      throw EUsage{"--method: '" + std::string(*method) + "' is neither ml nor moments"};
  }
  c.Fit.Contaminants = arguments.Flag("--contaminants");
  if (c.Fit.Contaminants && c.Fit.Method == TFitMethod::Moments)
    throw EUsage{"--contaminants needs --method ml"};
  c.Fit.Quantiles = arguments.Flag("--quantiles");
  TFitOptions& fit = c.Fit.Fit;
  if (const auto a1 = arguments.Value("--a1"))
    fit.a1 = ParseParameter(*a1, "--a1");
  if (const auto a = arguments.Value("--keep-a")) {
    fit.KeepA = true;
    fit.A = ParseParameter(*a, "--keep-a");
  }
  if (!(fit.a1 > 0) || (fit.KeepA && !(fit.A > 0)))
    throw EUsage{"--a1 and --keep-a must be greater than 0"};
  if (const auto b = arguments.Value("--bootstrap"))
    c.Fit.Bootstrap.Replicates = ParseInteger<std::size_t>(*b, "--bootstrap");
  if (const auto s = arguments.Value("--seed"))
    c.Fit.Bootstrap.Seed = ParseInteger<std::uint64_t>(*s, "--seed");
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

std::string GroupName(const std::vector<std::string>& keys) {
  std::string name;
  for (const std::string& k : keys) name += (name.empty() ? "" : ", ") + k;
  return name;
}

}  // namespace

int FitCommand(const TArguments& arguments, std::FILE* out, std::FILE* err) {
  if (arguments.Rest().empty())
    throw EUsage{"fit needs at least one file"};
  const TFitCommand command = ParseFitCommand(arguments);
  const std::size_t by = command.By.size();

  TOutput output(out);
  output.Text(Line("file", GroupFitHeader(command.By, command.Fit)));
  int status = kExitDone;
  for (const std::string_view file : arguments.Rest()) {
    std::vector<TGroupFit> fits;
    try {
      const std::string text = ReadInput(file);
      const TReactionTimeGroups groups =
          ReadReactionTimeGroups(text, ReadOptionsFor(command, text), command.Control);
      fits = FitGroups(groups, command.Fit, command.Control);
    } catch (const EReactionTimeFormat& e) {
      output.Text(Line(file, UnreadFileCells(by, e.Message(), command.Fit)));
      output.Flush();
      std::fprintf(err, "corvane-cli: %s: %s\n", Cell(file).c_str(), e.Message().c_str());
      status = kExitNotFitted;
      continue;
    }
    for (const TGroupFit& group : fits) {
      output.Text(Line(file, GroupFitCells(group, by, command.Fit)));
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

}  // namespace corvane
