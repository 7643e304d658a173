// A long table of trials read as one series per group: per participant and condition, say.
//
//   bytes, TReadOptions --ReadReactionTimeGroups--> TReactionTimeGroups: the shape, and per group
//       (in order of first appearance) its key, its values (file order, or sorted by the order
//       column), where its pairs break, the missing and excluded counts, read or not and why
//   TReactionTimeGroups --FitGroups (group_fit.h)--> one fit per group
//
// Per row, in this order: the filters (reaction_time_reader.h, TRowFilter) keep it or not; a
// missing RT is counted in Missing; an RT that is not a number rejects the group (Read false, the
// message naming line, column and text), and so does an order value that is not a number; an RT
// outside the cutoffs is counted in Excluded; an RT <= 0 or infinite left after them rejects the
// group. The other groups read on. A missing group value is the group "NA". Whole-file faults
// (a column that is not there, a row too short, a filter that keeps no row, an encoding) are an
// EReactionTimeFormat for the file.
//
// Speed: one pass over the text (table_fields.h) with std::from_chars for the RT; the group of a
// row is that of the row before where its key fields are the same (the usual sorted long file),
// else looked up by hash. Memory beyond the text (UTF-8 is read in place): each group's values
// (8 bytes a value, vectors grown by doubling), plus 8 bytes a value for the order column when one
// is given; a rejected group frees its values.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/reaction_time_reader.h"
#include "analysis/work_control.h"

namespace corvane {

struct TReactionTimeGroup {
  std::vector<std::string> Keys;  // one per GroupBy column, unquoted; "NA" for a missing value
  std::vector<double> Values;
  // Ascending t where Values[t - 1] and Values[t] were not consecutive trials (order column):
  // their pair is left out of the autocorrelations. Empty without an order column.
  std::vector<std::size_t> Breaks;
  std::size_t Missing = 0;   // missing RTs among the rows the filters kept
  std::size_t Excluded = 0;  // RTs outside the cutoffs
  bool Read = true;          // false: Message says why, Values is empty
  std::string Message;
  std::size_t Line = 0;  // the line Message names
  std::string LineText;
};

struct TReactionTimeGroups {
  TTextShape Shape;
  std::size_t Column = 0;               // the RT column read
  std::vector<std::string> GroupNames;  // the GroupBy columns' names
  std::vector<TReactionTimeGroup> Groups;
};

// Without GroupBy there is exactly one group (perhaps empty). Throws EReactionTimeFormat for the
// file's own faults, EAnalysisCancelled on a stop request.
TReactionTimeGroups ReadReactionTimeGroups(std::string_view bytes, const TReadOptions& options,
                                           const TWorkControl& control = {});

// The group's values sorted stably by their trial numbers (`trials`, one a value, as read); a pair of
// trials not numbered n, n + 1 becomes a break. What the reader does with an order column, for
// callers that group their data themselves (the R package).
void SortByTrial(TReactionTimeGroup& group, const std::vector<double>& trials);

}  // namespace corvane
