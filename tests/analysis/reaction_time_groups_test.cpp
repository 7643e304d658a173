#include "analysis/reaction_time_groups.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/expect_throw_msg.h"

namespace corvane {
namespace {

// A long file as researchers keep one: participant, condition, trial, accuracy, outlier, RT.
const std::string kLong =
    "pno,condition,trial,acc,outlier,rt\n"  // line 1
    "s1,a,1,1,FALSE,0.51\n"                 // 2
    "s1,a,2,1.0,FALSE,0.62\n"               // 3
    "s1,b,1,1,FALSE,0.70\n"                 // 4
    "s2,a,1,0,FALSE,0.55\n"                 // 5
    "s1,a,4,1,TRUE,NA\n"                    // 6
    "s1,a,3,1,true,0.58\n"                  // 7
    ",a,1,1,FALSE,0.90\n"                   // 8: no participant
    "s2,a,3,1,FALSE,2.50\n"                 // 9
    "s2,a,2,1,FALSE,0.45\n"                 // 10
    "s1,b,2,1,FALSE,0.05\n";                // 11

TReadOptions Options(const TTextShape& shape, std::vector<std::string> by) {
  TReadOptions options;
  for (const std::string& name : by) options.GroupBy.push_back(ColumnNamed(shape, name));
  return options;
}

struct TExpectedGroup {
  std::vector<std::string> keys;
  std::vector<double> values;
  std::vector<std::size_t> breaks;
  std::size_t missing;
  std::size_t excluded;
};

void ExpectGroups(const TReactionTimeGroups& read, const std::vector<TExpectedGroup>& expected,
                  const char* name) {
  ASSERT_EQ(read.Groups.size(), expected.size()) << name;
  for (std::size_t g = 0; g < expected.size(); ++g) {
    const TReactionTimeGroup& group = read.Groups[g];
    EXPECT_TRUE(group.Read) << name << " " << g << ": " << group.Message;
    EXPECT_EQ(group.Keys, expected[g].keys) << name << " " << g;
    EXPECT_EQ(group.Values, expected[g].values) << name << " " << g;
    EXPECT_EQ(group.Breaks, expected[g].breaks) << name << " " << g;
    EXPECT_EQ(group.Missing, expected[g].missing) << name << " " << g;
    EXPECT_EQ(group.Excluded, expected[g].excluded) << name << " " << g;
  }
}

TEST(ReactionTimeGroupsTest, GroupsFiltersOrderAndCutoffs) {
  const TTextShape shape = InspectReactionTimeText(kLong);
  const auto column = [&](const char* name) { return ColumnNamed(shape, name); };
  {
    // Groups in order of first appearance, rows in file order; a missing key is the group "NA".
    const TReactionTimeGroups read = ReadReactionTimeGroups(kLong, Options(shape, {"pno", "condition"}));
    EXPECT_EQ(read.GroupNames, (std::vector<std::string>{"pno", "condition"}));
    ExpectGroups(read,
                 {{{"s1", "a"}, {0.51, 0.62, 0.58}, {}, 1, 0},
                  {{"s1", "b"}, {0.70, 0.05}, {}, 0, 0},
                  {{"s2", "a"}, {0.55, 2.50, 0.45}, {}, 0, 0},
                  {{"NA", "a"}, {0.90}, {}, 0, 0}},
                 "by pno, condition");
  }
  {
    // Sorted by trial within each group; trials 3 then 4 (missing) then none: s1 a pairs 1-2-3;
    // s2 a pairs 1-2-3 after sorting.
    TReadOptions options = Options(shape, {"pno", "condition"});
    options.OrderBy = column("trial");
    ExpectGroups(ReadReactionTimeGroups(kLong, options),
                 {{{"s1", "a"}, {0.51, 0.62, 0.58}, {}, 1, 0},
                  {{"s1", "b"}, {0.70, 0.05}, {}, 0, 0},
                  {{"s2", "a"}, {0.55, 0.45, 2.50}, {}, 0, 0},
                  {{"NA", "a"}, {0.90}, {}, 0, 0}},
                 "ordered");
    // A filtered or excluded trial breaks the pair around it.
    options.Filters = {{column("acc"), "1"}};
    options.Maximum = 2;
    ExpectGroups(ReadReactionTimeGroups(kLong, options),
                 {{{"s1", "a"}, {0.51, 0.62, 0.58}, {}, 1, 0},
                  {{"s1", "b"}, {0.70, 0.05}, {}, 0, 0},
                  {{"NA", "a"}, {0.90}, {}, 0, 0},
                  {{"s2", "a"}, {0.45}, {}, 0, 1}},
                 "acc=1, max 2");
    options.Minimum = 0.1;
    options.Filters = {};
    ExpectGroups(ReadReactionTimeGroups(kLong, options),
                 {{{"s1", "a"}, {0.51, 0.62, 0.58}, {}, 1, 0},
                  {{"s1", "b"}, {0.70}, {}, 0, 1},
                  {{"s2", "a"}, {0.55, 0.45}, {}, 0, 1},
                  {{"NA", "a"}, {0.90}, {}, 0, 0}},
                 "min 0.1, max 2");
    options.Minimum = -1;
    options.Maximum = 10;
    options.Filters = {{column("outlier"), "FALSE"}};
    ExpectGroups(ReadReactionTimeGroups(kLong, options),
                 {{{"s1", "a"}, {0.51, 0.62}, {}, 0, 0},
                  {{"s1", "b"}, {0.70, 0.05}, {}, 0, 0},
                  {{"s2", "a"}, {0.55, 0.45, 2.50}, {}, 0, 0},
                  {{"NA", "a"}, {0.90}, {}, 0, 0}},
                 "outlier=FALSE");
  }
  {
    // Without GroupBy one series; trial numbers across conditions repeat, so pairs break (1 1 2 2 3).
    TReadOptions options;
    options.OrderBy = column("trial");
    options.Filters = {{column("pno"), "s1"}, {column("condition"), "a"}, {column("condition"), "b"}};
    ExpectGroups(ReadReactionTimeGroups(kLong, options), {{{}, {0.51, 0.70, 0.62, 0.05, 0.58}, {1, 3}, 1, 0}},
                 "s1, a or b, by trial");
  }
  // Filters: numbers as numbers (1 keeps 1.0), text as text (TRUE, true and 1 are three values).
  struct FilterCase {
    std::vector<std::pair<const char*, const char*>> filters;
    std::vector<double> values;
  };
  const FilterCase filter_cases[] = {
      {{{"acc", "1"}}, {0.51, 0.62, 0.70, 0.58, 0.90, 2.50, 0.45, 0.05}},
      {{{"acc", "1.00"}, {"pno", "s2"}}, {2.50, 0.45}},
      {{{"outlier", "TRUE"}}, {}},
      {{{"outlier", "true"}}, {0.58}},
      {{{"outlier", "\"true\""}}, {0.58}},
      {{{"outlier", "true"}, {"outlier", "TRUE"}}, {0.58}},
      {{{"pno", "s1"}, {"pno", "s2"}, {"condition", "b"}}, {0.70, 0.05}},
  };
  for (const FilterCase& c : filter_cases) {
    TReadOptions options;
    std::string name;
    for (const auto& [col, value] : c.filters) {
      options.Filters.push_back({column(col), value});
      name += std::string(col) + "=" + value + " ";
    }
    EXPECT_EQ(ReadReactionTimeGroups(kLong, options).Groups.front().Values, c.values) << name;
  }
}

TEST(ReactionTimeGroupsTest, ABadValueRejectsItsGroupAlone) {
  const std::string text =
      "id,cond,trial,rt\n"
      "p1,x,1,0.5\n"
      "p2,x,1,0.6\n"
      "p1,x,2,fast\n"  // line 4
      "p2,x,2,0.7\n"
      "p3,x,1,-0.2\n"   // line 6
      "p4,x,one,0.3\n"  // line 7
      "p1,x,3,0.8\n";
  const TTextShape shape = InspectReactionTimeText(text);
  TReadOptions options = Options(shape, {"id"});
  options.OrderBy = ColumnNamed(shape, "trial");
  const TReactionTimeGroups read = ReadReactionTimeGroups(text, options);
  ASSERT_EQ(read.Groups.size(), 4u);
  struct Expected {
    bool read;
    const char* message;
    std::size_t line;
    std::vector<double> values;
  };
  const Expected expected[] = {
      {false, "line 4, column 'rt': 'fast' is not a number", 4, {}},
      {true, "", 0, {0.6, 0.7}},
      {false,
       "line 6, column 'rt': '-0.2' is not greater than 0; a minimum cutoff (--min) excludes such trials",
       6,
       {}},
      {false, "line 7, column 'trial': 'one' is not a trial number", 7, {}},
  };
  for (std::size_t g = 0; g < 4; ++g) {
    EXPECT_EQ(read.Groups[g].Read, expected[g].read) << g;
    EXPECT_EQ(read.Groups[g].Message, expected[g].message) << g;
    EXPECT_EQ(read.Groups[g].Line, expected[g].line) << g;
    EXPECT_EQ(read.Groups[g].Values, expected[g].values) << g;
  }
  EXPECT_EQ(read.Groups[0].LineText, "p1,x,2,fast");
  // A cutoff below the bad value lets its group read.
  options.Minimum = 0;
  EXPECT_TRUE(ReadReactionTimeGroups(text, options).Groups[2].Read);
  EXPECT_EQ(ReadReactionTimeGroups(text, options).Groups[2].Excluded, 1u);
}

TEST(ReactionTimeGroupsTest, WholeFileFaultsNameTheirCause) {
  const TTextShape shape = InspectReactionTimeText(kLong);
  const auto column = [&](const char* name) { return ColumnNamed(shape, name); };
  TReadOptions options;
  options.Filters = {{column("acc"), "2"}};
  EXPECT_THROW_MSG(ReadReactionTimeGroups(kLong, options), EReactionTimeFormat,
                   "the filter acc=2 keeps no row");
  options.Filters = {{column("acc"), "1"}, {column("acc"), "yes"}};
  EXPECT_THROW_MSG(ReadReactionTimeGroups(kLong, options), EReactionTimeFormat,
                   "the filter acc=yes keeps no row");
  options.Filters = {{column("acc"), "0"}, {column("pno"), "s1"}};
  EXPECT_THROW_MSG(ReadReactionTimeGroups(kLong, options), EReactionTimeFormat,
                   "the filters together keep no row");
  options.Filters = {};
  options.GroupBy = {9};
  EXPECT_THROW_MSG(ReadReactionTimeGroups(kLong, options), EReactionTimeFormat,
                   "the header has no column 10");
  options.GroupBy = {1};
  EXPECT_THROW_MSG(ReadReactionTimeGroups("rt\n0.5\n", options), EReactionTimeFormat,
                   "the header has no column 2");
  options.GroupBy = {0};
  EXPECT_THROW_MSG(ReadReactionTimeGroups("0.5\n0.6\n", options), EReactionTimeFormat,
                   "the text is one number a line: it has no other column");
  EXPECT_THROW_MSG(ReadReactionTimeGroups("id,rt\np1,0.5\np2\n", options), EReactionTimeFormat,
                   "line 3: no value in column 'rt'");
}

TEST(ReactionTimeGroupsTest, CancelledReadReturnsNothing) {
  std::string text = "id,rt\n";
  for (int i = 0; i < 200'000; ++i) text += "p" + std::to_string(i % 50) + ",0.5\n";
  std::stop_source stop;
  TWorkControl control;
  control.Stop = stop.get_token();
  int reports = 0;
  control.Progress = [&](double) {
    if (++reports == 2)
      stop.request_stop();
  };
  TReadOptions options;
  options.GroupBy = {0};
  EXPECT_THROW(ReadReactionTimeGroups(text, options, control), EAnalysisCancelled);
  EXPECT_EQ(reports, 2);
}

}  // namespace
}  // namespace corvane
