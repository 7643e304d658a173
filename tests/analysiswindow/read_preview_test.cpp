#include "analysiswindow/read_preview.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "support/expect_throw_msg.h"

namespace corvane {
namespace {

// pno, condition, trialnum, acc, rt: each row's fate names a step of the reader.
const char kTrials[] =
    "pno,condition,trialnum,acc,rt\n"
    "p1,congruent,1,1,0.5\n"       // 2: read
    "p1,congruent,2,0,0.6\n"       // 3: filtered out by acc=1
    "p1,congruent,3,1,NA\n"        // 4: missing
    "p1,congruent,4,1,9.5\n"       // 5: above the maximum
    "p1,congruent,5,1,abc\n"       // 6: not a number
    "p1,congruent,x,1,0.7\n"       // 7: no trial number
    "p1,congruent,7,1,-0.2\n"      // 8: below 0, left by the cutoffs
    ",congruent,8,1.0,\"0.8\"\n";  // 9: read (1.0 keeps acc=1, quoted RT), group NA

TEST(ReadPreviewTest, EachRowSaysWhatTheReadWillDoWithIt) {
  TReadOptions options;
  options.Column = 4;
  options.GroupBy = {0, 1};
  options.OrderBy = 2;
  options.Filters = {{3, "1"}};
  options.Maximum = 5;
  const TReadPreview preview = PreviewRead(kTrials, options);
  struct Case {
    std::size_t line;
    TPreviewKind kind;
    const char* read_as;
    const char* written;
  };
  const Case cases[] = {
      {2, TPreviewKind::Value, "0.5", "0.5"},
      {3, TPreviewKind::FilteredOut, "filtered out", "0.6"},
      {4, TPreviewKind::Missing, "missing", "NA"},
      {5, TPreviewKind::Excluded, "excluded (9.5)", "9.5"},
      {6, TPreviewKind::NotRead, "not a number", "abc"},
      {7, TPreviewKind::NotRead, "no trial number", "0.7"},
      {8, TPreviewKind::NotRead, "not above 0", "-0.2"},
      {9, TPreviewKind::Value, "0.8", "0.8"},
  };
  ASSERT_EQ(preview.Rows.size(), std::size(cases));
  for (std::size_t r = 0; r < std::size(cases); ++r) {
    const TPreviewRow& row = preview.Rows[r];
    EXPECT_EQ(row.Line, cases[r].line);
    EXPECT_EQ(row.Kind, cases[r].kind) << "line " << row.Line;
    EXPECT_EQ(row.ReadAs, cases[r].read_as) << "line " << row.Line;
    EXPECT_EQ(row.Written, cases[r].written) << "line " << row.Line;
  }
  EXPECT_EQ(preview.Rows[0].Keys, (std::vector<std::string>{"p1", "congruent"}));
  EXPECT_EQ(preview.Rows[7].Keys, (std::vector<std::string>{"NA", "congruent"}));
  EXPECT_EQ(preview.Rows[5].Order, "x");
  // The distinct values offered for filters, in order of first appearance.
  EXPECT_EQ(preview.Distinct[3], (std::vector<std::string>{"1", "0", "1.0"}));
}

TEST(ReadPreviewTest, TheCountSaysWhatTheWholeReadGave) {
  TReadOptions options;
  options.Column = 4;
  options.GroupBy = {0};
  options.Filters = {{3, "1"}};
  options.Maximum = 5;
  const TReactionTimeGroups read = ReadReactionTimeGroups(kTrials, options);
  // The first group rejects at line 6 ("abc"); the NA group reads its one value.
  ASSERT_EQ(read.Groups.size(), 2u);
  EXPECT_FALSE(read.Groups[0].Read);
  EXPECT_EQ(read.Groups[1].Values, std::vector<double>{0.8});
  EXPECT_EQ(ReadSummaryText(read),
            "2 groups, 1 reaction time; 1 missing value skipped; 1 excluded by the cutoffs; 1 group not read "
            "(line 6, column 'rt': 'abc' is not a number)");
  options.GroupBy.clear();
  options.Filters = {{1, "nothing"}};
  EXPECT_THROW_MSG(ReadReactionTimeGroups(kTrials, options), EReactionTimeFormat,
                   "the filter condition=nothing keeps no row");
}

TEST(ReadPreviewTest, ADecimalCommaIsReadAsTheDialogSays) {
  const char text[] = "pno;rt\np1;0,5\np1;1,25\np2;NA\n";
  TReadOptions options;  // detected: a semicolon table takes the comma
  TReadPreview preview = PreviewRead(text, options);
  EXPECT_EQ(preview.Shape.DecimalMark, ',');
  EXPECT_EQ(preview.Rows[1].ReadAs, "1.25");
  options.DecimalMark = '.';
  preview = PreviewRead(text, options);
  EXPECT_EQ(preview.Rows[1].ReadAs, "not a number");
  EXPECT_EQ(preview.Rows[2].ReadAs, "missing");
  const TReactionTimeGroups read = ReadReactionTimeGroups(text, {});
  EXPECT_EQ(ReadSummaryText(read), "2 reaction times; 1 missing value skipped");
}

TEST(ReadPreviewTest, CutoffsReadWithEitherMarkAndRefuseText) {
  struct Case {
    const char* text;
    char mark;
    bool ok;
    double value;
  };
  const double unset = -1;
  const Case cases[] = {
      {"", ',', true, unset},    {"  ", '.', true, unset},    {"0.2", ',', true, 0.2},
      {"0,25", ',', true, 0.25}, {"0,25", '.', false, unset}, {"abc", '.', false, unset},
      {"2.5e0", '.', true, 2.5}, {"NA", '.', false, unset},
  };
  for (const Case& c : cases) {
    double value = unset;
    EXPECT_EQ(ReadCutoff(c.text, c.mark, value), c.ok) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
  }
}

}  // namespace
}  // namespace corvane
