// What the open dialog shows of a table before it is read: its first rows as the read will take
// them, and the values each column holds there (the filters' choices).
//
//   text, TReadOptions --PreviewRead--> TReadPreview: per row its line, the grouping, order and RT
//        fields as written, and what the reader makes of the RT (a value, missing, filtered out,
//        excluded by a cutoff, not read); each column's first distinct values
//   TReactionTimeGroups (the whole read, reaction_time_groups.h) --ReadSummaryText--> "1370 groups;
//        2817 missing values skipped; ..." for the dialog's count
//
// The rows are classified in the reader's own order (filters, missing, not a number, order value,
// cutoffs, <= 0 or infinite), so the preview says what the read will do; the counts come from the
// read itself, never from the preview.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/reaction_time_groups.h"

namespace corvane {

enum class TPreviewKind { Value, Missing, FilteredOut, Excluded, NotRead };

struct TPreviewRow {
  std::size_t Line = 0;
  std::vector<std::string> Fields;  // every field of the row as written (unquoted)
  std::vector<std::string> Keys;    // the grouping columns' fields, "NA" where missing
  std::string Order;                // the order column's field; empty without one
  std::string Written;              // the RT field as written
  TPreviewKind Kind = TPreviewKind::Value;
  double Value = 0;    // for Value and Excluded
  std::string ReadAs;  // what the preview's last column says: the value, "missing", ...
};

struct TReadPreview {
  TTextShape Shape;  // as the read will see it (its decimal mark)
  std::vector<TPreviewRow> Rows;
  // Per column, its distinct fields in the first rows scanned (at most kPreviewDistinct each).
  std::vector<std::vector<std::string>> Distinct;
};

inline constexpr std::size_t kPreviewRows = 12;
inline constexpr std::size_t kPreviewScan = 2000;  // rows scanned for the distinct values
inline constexpr std::size_t kPreviewDistinct = 40;

// The first `rows` data rows; throws EReactionTimeFormat where the text cannot be read at all.
TReadPreview PreviewRead(std::string_view bytes, const TReadOptions& options,
                         std::size_t rows = kPreviewRows);

// "1370 groups; 2817 missing values skipped; 12 excluded by the cutoffs; 2 groups not read".
std::string ReadSummaryText(const TReactionTimeGroups& read);

// The options' cutoff from a field's text: empty is none; else a number with '.' or `mark`.
// Returns false where the text is no number.
bool ReadCutoff(std::string_view text, char mark, double& cutoff);

}  // namespace corvane
