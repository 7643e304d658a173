#include "analysis/reaction_time_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/expect_throw_msg.h"

namespace corvane {
namespace {

// n lines of "1.5", "2.5", ... joined by `end`, under `mark`.
std::string Numbers(int n, const std::string& end = "\n", char mark = '.') {
  std::string text;
  for (int i = 0; i < n; ++i) {
    std::string number = std::to_string(i + 1) + mark + "5";
    text += number + end;
  }
  return text;
}

std::vector<double> Expected(int n) {
  std::vector<double> v;
  for (int i = 0; i < n; ++i) v.push_back(i + 1.5);
  return v;
}

TEST(ReactionTimeReaderTest, AcceptedForms) {
  struct Case {
    const char* name;
    std::string text;
    char mark;
  };
  const std::string tsv = "subject\trt\n" + [] {
    std::string s;
    for (int i = 0; i < 20; ++i) s += "p1\t" + std::to_string(i + 1) + ".5\n";
    return s;
  }();
  const std::string csv_semicolon = "trial;Reaction time (s);error\n" + [] {
    std::string s;
    for (int i = 0; i < 20; ++i) s += std::to_string(i) + ";\"" + std::to_string(i + 1) + ",5\";0\n";
    return s;
  }();
  const std::string csv_first_numeric = "name,value,other\n" + [] {
    std::string s;
    for (int i = 0; i < 20; ++i) s += "x, " + std::to_string(i + 1) + ".5 ,y\n";
    return s;
  }();
  const Case cases[] = {
      {"one a line", Numbers(20), '.'},
      {"CR LF", Numbers(20, "\r\n"), '.'},
      {"byte order mark", "\xEF\xBB\xBF" + Numbers(20), '.'},
      {"no final line end", Numbers(20).substr(0, Numbers(20).size() - 1), '.'},
      {"comma mark", Numbers(20, "\n", ','), ','},
      {"point under a comma locale", Numbers(20), ','},
      {"blank and comment lines",
       "# session 1\n\n" + Numbers(10) + "  \n#x\n" + Numbers(20).substr(Numbers(10).size()), '.'},
      {"TSV, header rt", tsv, '.'},
      {"CSV ';', quoted, comma mark", csv_semicolon, ','},
      {"CSV, first numeric column", csv_first_numeric, '.'},
  };
  for (const Case& c : cases) {
    TReadOptions options;
    options.DecimalMark = c.mark;
    EXPECT_EQ(ReadReactionTimes(c.text, options), Expected(20)) << c.name;
  }
}

TEST(ReactionTimeReaderTest, TheHeaderAndItsPreselection) {
  const TTextShape shape = InspectReactionTimeText("# x\nid\tcond\tRT_ms\n1\ta\t300\n");
  EXPECT_EQ(shape.Layout, TTextLayout::Table);
  EXPECT_EQ(shape.Delimiter, '\t');
  EXPECT_EQ(shape.HeaderLine, 2u);
  EXPECT_EQ(shape.Columns, (std::vector<std::string>{"id", "cond", "RT_ms"}));
  EXPECT_EQ(shape.PreselectedColumn, 2u);
  EXPECT_EQ(InspectReactionTimeText("a,b,c\nx,y,3\n").PreselectedColumn, 2u);
  EXPECT_EQ(InspectReactionTimeText("0,5\n", ',').Layout, TTextLayout::SingleColumn);
  // A chosen column other than the preselected one.
  std::string text = "rt,other\n";
  for (int i = 0; i < 20; ++i) text += "9," + std::to_string(i + 1) + ".5\n";
  TReadOptions options;
  options.Column = 1;
  EXPECT_EQ(ReadReactionTimes(text, options), Expected(20));
}

TEST(ReactionTimeReaderTest, RejectionsNameTheFirstBadLineAndItsText) {
  struct Case {
    std::string text;
    const char* message;
    std::size_t line;
  };
  const std::string good = Numbers(25);
  const Case cases[] = {
      {"# c\n1.5\nabc\n" + good, "line 3: 'abc' is not a number", 3},
      {"1.5\n-2\n" + good, "line 2: '-2' is not greater than 0", 2},
      {"1.5\n0\n" + good, "line 2: '0' is not greater than 0", 2},
      {"1.5\ninf\n" + good, "line 2: 'inf' is not a finite number", 2},
      {"1.5\nnan\n" + good, "line 2: 'nan' is not a finite number", 2},
      {"1.5\n1e999\n" + good, "line 2: '1e999' is out of range", 2},
      {"1.5\n1,5\n" + good, "line 2: '1,5' is not a number", 2},
      {"1.5\n2.5 3.5\n" + good, "line 2: '2.5 3.5' is not a number", 2},
      {"1.5\n+-2\n" + good, "line 2: '+-2' is not a number", 2},
      {"x\trt\n1\t1.5\n2.5\n", "line 3: no value in column 'rt'", 3},
      {"x\trt\n1\tfast\n", "line 2, column 'rt': 'fast' is not a number", 2},
      {Numbers(19), "only 19 reaction times; at least 20 are needed", 0},
      {"# nothing\n\n", "the text holds no reaction times", 0},
  };
  for (const Case& c : cases) {
    try {
      ReadReactionTimes(c.text);
      ADD_FAILURE() << c.message << ": accepted";
    } catch (const EReactionTimeFormat& e) {
      EXPECT_EQ(e.Message(), c.message);
      EXPECT_EQ(e.Line(), c.line) << c.message;
    }
  }
}

TEST(ReactionTimeReaderTest, ManyLinesWithProgressAndCancel) {
  std::string text;
  const int n = 1'000'000;
  text.reserve(static_cast<std::size_t>(n) * 8);
  for (int i = 0; i < n; ++i) text += std::to_string(i % 997 + 1) + ".25\n";
  std::vector<double> progress;
  TWorkControl control;
  control.Progress = [&](double share) { progress.push_back(share); };
  const std::vector<double> values = ReadReactionTimes(text, {}, control);
  ASSERT_EQ(values.size(), static_cast<std::size_t>(n));
  EXPECT_EQ(values[999'999], 999'999 % 997 + 1.25);
  EXPECT_LE(values.capacity(), static_cast<std::size_t>(n) + 1);  // 8 bytes a value
  EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
  EXPECT_EQ(progress.back(), 1.0);
  std::stop_source stop;
  stop.request_stop();
  control.Stop = stop.get_token();
  EXPECT_THROW(ReadReactionTimes(text, {}, control), EAnalysisCancelled);
}

TEST(ReactionTimeReaderTest, UnreadableFileNamesIt) {
  EXPECT_THROW_MSG(ReadReactionTimeFile("/nonexistent/rt.txt"), EReactionTimeFormat,
                   "cannot open '/nonexistent/rt.txt': No such file or directory");
}

}  // namespace
}  // namespace corvane
