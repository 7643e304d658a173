#include "analysis/reaction_time_groups.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <unordered_map>

#include "analysis/table_fields.h"
#include "analysis/text_encoding.h"

namespace corvane {
namespace {

constexpr std::size_t kReportEvery = 1 << 16;  // rows between progress reports and stop checks
constexpr char kKeySeparator = '\x1F';         // the unit separator: never in a key read as text

// The filters of one column: a row passes where its field equals any of the values.
struct TColumnFilter {
  std::size_t Column = 0;
  std::vector<std::string> Texts;  // unquoted
  std::vector<double> Numbers;     // NaN where the value is not a number
  std::vector<std::size_t> Matched;

  bool Pass(std::string_view field, char mark) {
    double number = kNaN;
    bool parsed = false, pass = false;
    for (std::size_t v = 0; v < Texts.size(); ++v) {
      bool equal = false;
      if (!std::isnan(Numbers[v])) {
        if (!parsed) {
          parsed = true;
          if (ParseField(field, mark, number) != TFieldKind::Number)
            number = kNaN;
        }
        equal = number == Numbers[v];
      }
      equal = equal || field == Texts[v];
      if (equal) {
        ++Matched[v];
        pass = true;
      }
    }
    return pass;
  }
  static constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
};

std::vector<TColumnFilter> FiltersOf(const TReadOptions& options, char mark) {
  std::vector<TColumnFilter> filters;
  for (const TRowFilter& f : options.Filters) {
    auto it = std::find_if(filters.begin(), filters.end(),
                           [&](const TColumnFilter& c) { return c.Column == f.Column; });
    if (it == filters.end()) {
      filters.push_back({f.Column, {}, {}, {}});
      it = filters.end() - 1;
    }
    const std::string_view value = Unquoted(f.Value);
    double number = 0;
    it->Texts.emplace_back(value);
    it->Numbers.push_back(ParseField(value, mark, number) == TFieldKind::Number ? number
                                                                                : TColumnFilter::kNaN);
    it->Matched.push_back(0);
  }
  return filters;
}

std::string_view KeyText(std::string_view field) {
  return IsMissingValue(field) ? std::string_view("NA") : field;
}

// Which group a row belongs to: the last row's where the key fields repeat, else by hash.
class TGroupIndex {
 public:
  explicit TGroupIndex(const std::vector<std::size_t>& columns) : columns_(columns), last_(columns.size()) {}

  // The group of the row and whether it is new.
  std::pair<std::size_t, bool> Find(std::span<const std::string_view> fields) {
    if (have_last_) {
      bool same = true;
      for (std::size_t k = 0; k < columns_.size() && same; ++k)
        same = KeyText(fields[columns_[k]]) == last_[k];
      if (same)
        return {last_group_, false};
    }
    key_.clear();
    for (std::size_t k = 0; k < columns_.size(); ++k) {
      last_[k] = KeyText(fields[columns_[k]]);
      key_ += last_[k];
      key_ += kKeySeparator;
    }
    have_last_ = true;
    const auto [it, added] = index_.try_emplace(key_, index_.size());
    last_group_ = it->second;
    return {last_group_, added};
  }
  const std::vector<std::string>& LastKey() const { return last_; }

 private:
  const std::vector<std::size_t>& columns_;
  std::vector<std::string> last_;
  std::size_t last_group_ = 0;
  bool have_last_ = false;
  std::string key_;
  std::unordered_map<std::string, std::size_t> index_;
};

void Reject(TReactionTimeGroup& group, std::vector<double>& order, const TRecordScanner& row,
            std::string message) {
  group.Read = false;
  group.Message = "line " + std::to_string(row.Line()) + std::move(message);
  group.Line = row.Line();
  group.LineText = ShownText(row.Text());
  group.Values = {};
  order = {};
}

std::string FilterText(const TTextShape& shape, const TColumnFilter& filter, std::size_t v) {
  return ShownText(shape.Columns[filter.Column]) + "=" + ShownText(filter.Texts[v]);
}

}  // namespace

void SortByTrial(TReactionTimeGroup& group, const std::vector<double>& trials) {
  std::vector<std::uint32_t> by(trials.size());
  std::iota(by.begin(), by.end(), 0u);
  std::stable_sort(by.begin(), by.end(),
                   [&](std::uint32_t a, std::uint32_t b) { return trials[a] < trials[b]; });
  std::vector<double> values(by.size());
  for (std::size_t t = 0; t < by.size(); ++t) {
    values[t] = group.Values[by[t]];
    if (t > 0 && trials[by[t]] != trials[by[t - 1]] + 1)
      group.Breaks.push_back(t);
  }
  group.Values = std::move(values);
}

TReactionTimeGroups ReadReactionTimeGroups(std::string_view bytes, const TReadOptions& options,
                                           const TWorkControl& control) {
  ThrowIfStopped(control);
  const TDecodedText decoded = DecodeText(bytes);
  const std::string_view text = decoded.Text();
  TReactionTimeGroups out;
  out.Shape = InspectDecodedText(text, options.DecimalMark);
  const TTextShape& shape = out.Shape;
  const bool table = shape.Layout == TTextLayout::Table;
  const char mark = shape.DecimalMark;
  out.Column = options.Column.value_or(shape.PreselectedColumn);

  // Every column the read needs must be in the header.
  const std::size_t columns = table ? shape.Columns.size() : 1;
  std::size_t needed = out.Column;
  const auto check = [&](std::size_t c, bool other = true) {
    if (c >= columns || (!table && other))
      throw EReactionTimeFormat(table ? "the header has no column " + std::to_string(c + 1)
                                      : std::string("the text is one number a line: it has no other column"),
                                shape.HeaderLine);
    needed = std::max(needed, c);
  };
  check(out.Column, false);
  for (const std::size_t c : options.GroupBy) check(c);
  for (const TRowFilter& f : options.Filters) check(f.Column);
  if (options.OrderBy)
    check(*options.OrderBy);
  for (const std::size_t c : options.GroupBy) out.GroupNames.push_back(table ? shape.Columns[c] : "");
  const std::string where = table ? ", column '" + ShownText(shape.Columns[out.Column]) + "'" : std::string();
  const std::string order_where =
      options.OrderBy ? ", column '" + ShownText(shape.Columns[*options.OrderBy]) + "'" : std::string();

  std::vector<TColumnFilter> filters = FiltersOf(options, mark);
  TGroupIndex index(options.GroupBy);
  std::vector<std::vector<double>> orders;  // per group, the order column's values
  if (options.GroupBy.empty()) {
    // One series: reserved once from the count of line ends, 8 bytes a value.
    out.Groups.emplace_back().Values.reserve(
        static_cast<std::size_t>(
            std::count(text.begin() + static_cast<std::ptrdiff_t>(shape.DataOffset), text.end(), '\n')) +
        1);
    orders.emplace_back();
  }
  std::size_t kept = 0;
  TRecordScanner row(text.substr(shape.DataOffset), table ? shape.Delimiter : '\0', shape.DataLine);
  std::size_t until_report = 0;
  while (row.Next()) {
    if (until_report-- == 0) {
      ThrowIfStopped(control);
      if (control.Progress && !text.empty())
        control.Progress(static_cast<double>(shape.DataOffset + row.Position()) /
                         static_cast<double>(text.size()));
      until_report = kReportEvery;
    }
    const std::span<const std::string_view> fields = row.Fields();
    if (fields.size() <= needed) {
      const std::size_t missing = fields.size() <= out.Column ? out.Column : needed;
      throw EReactionTimeFormat("line " + std::to_string(row.Line()) + ": no value in column '" +
                                    ShownText(table ? shape.Columns[missing] : std::string("1")) + "'",
                                row.Line(), std::string(row.Text()));
    }
    bool pass = true;
    for (TColumnFilter& f : filters) pass = f.Pass(fields[f.Column], mark) && pass;
    if (!pass)
      continue;
    ++kept;
    std::size_t g = 0;
    if (!options.GroupBy.empty()) {
      const auto [group, added] = index.Find(fields);
      g = group;
      if (added) {
        out.Groups.emplace_back().Keys = index.LastKey();
        orders.emplace_back();
      }
    }
    TReactionTimeGroup& group = out.Groups[g];
    const std::string_view field = fields[out.Column];
    double value = 0;
    const TFieldKind kind = ParseField(field, mark, value);
    if (kind == TFieldKind::Missing) {
      ++group.Missing;
      continue;
    }
    if (!group.Read)
      continue;
    if (kind == TFieldKind::NotANumber) {
      Reject(group, orders[g], row, where + ": '" + ShownText(field) + "' is not a number");
      continue;
    }
    double trial = 0;
    if (options.OrderBy && ParseField(fields[*options.OrderBy], mark, trial) != TFieldKind::Number) {
      Reject(group, orders[g], row,
             order_where + ": '" + ShownText(fields[*options.OrderBy]) + "' is not a trial number");
      continue;
    }
    if (value < options.Minimum || value > options.Maximum) {
      ++group.Excluded;
      continue;
    }
    if (!(value > 0) || !std::isfinite(value)) {
      Reject(group, orders[g], row,
             where + ": '" + ShownText(field) + "' is " +
                 (value > 0 ? "not a finite number; a maximum cutoff (--max) excludes such trials"
                            : "not greater than 0; a minimum cutoff (--min) excludes such trials"));
      continue;
    }
    group.Values.push_back(value);
    if (options.OrderBy)
      orders[g].push_back(trial);
  }
  ThrowIfStopped(control);

  for (const TColumnFilter& f : filters)
    for (std::size_t v = 0; v < f.Texts.size(); ++v)
      if (f.Matched[v] == 0)
        throw EReactionTimeFormat("the filter " + FilterText(shape, f, v) + " keeps no row");
  if (!filters.empty() && kept == 0)
    throw EReactionTimeFormat("the filters together keep no row");
  if (out.Groups.empty())
    throw EReactionTimeFormat("the text holds no reaction times");
  if (options.OrderBy)
    for (std::size_t g = 0; g < out.Groups.size(); ++g)
      if (out.Groups[g].Read)
        SortByTrial(out.Groups[g], orders[g]);
  if (control.Progress)
    control.Progress(1.0);
  return out;
}

}  // namespace corvane
