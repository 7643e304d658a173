#include "analysis/reaction_time_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/reaction_time_groups.h"
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

// The UTF-8 text (ASCII here) as UTF-16 with its byte order mark.
std::string Utf16(const std::string& text, bool little_endian) {
  std::string out = little_endian ? "\xFF\xFE" : "\xFE\xFF";
  for (const char c : text) {
    out.push_back(little_endian ? c : '\0');
    out.push_back(little_endian ? '\0' : c);
  }
  return out;
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
      {"comma mark detected", Numbers(20, "\n", ','), '\0'},
      {"point under a comma locale", Numbers(20), ','},
      {"blank and comment lines",
       "# session 1\n\n" + Numbers(10) + "  \n#x\n" + Numbers(20).substr(Numbers(10).size()), '.'},
      {"missing values skipped",
       "NA\n" + Numbers(10) + "nan\n\"\"\n.\nNULL\n" + Numbers(20).substr(Numbers(10).size()), '.'},
      {"TSV, header rt", tsv, '.'},
      {"CSV ';', quoted, comma mark", csv_semicolon, ','},
      {"CSV ';', comma mark by default", csv_semicolon, '\0'},
      {"CSV, first numeric column", csv_first_numeric, '.'},
      {"UTF-16 LE", Utf16(tsv, true), '\0'},
      {"UTF-16 BE", Utf16(tsv, false), '\0'},
  };
  for (const Case& c : cases) {
    TReadOptions options;
    options.DecimalMark = c.mark;
    EXPECT_EQ(ReadReactionTimes(c.text, options), Expected(20)) << c.name;
  }
}

// What R, pandas and spreadsheets write for the same four trials (one of them not recorded), and
// what the reader must make of each: the RT column found, the values, the missing count, and the
// two participants' series.
TEST(ReactionTimeReaderTest, DialectsOfTheSameTrials) {
  struct Case {
    const char* name;
    std::string text;
    std::size_t missing;
    char mark;  // detected
  };
  const Case cases[] = {
      {"R write.csv, row names and NA",
       "\"\",\"id\",\"rt\"\n\"1\",\"p1\",0.512\n\"2\",\"p1\",NA\n\"3\",\"p2\",1.25\n\"4\",\"p2\",0.75\n", 1,
       '.'},
      {"R write.csv2: ';' and decimal commas",
       "\"\";\"id\";\"rt\"\n\"1\";\"p1\";0,512\n\"2\";\"p1\";NA\n\"3\";\"p2\";1,25\n\"4\";\"p2\";0,75\n", 1,
       ','},
      {"R write.table sep tab: the header one field short",
       "\"id\"\t\"rt\"\n\"1\"\t\"p1\"\t0.512\n\"2\"\t\"p1\"\tNA\n\"3\"\t\"p2\"\t1.25\n\"4\"\t\"p2\"\t0.75\n",
       1, '.'},
      {"R write.csv, no row names, na empty",
       "\"id\",\"rt\"\n\"p1\",0.512\n\"p1\",\n\"p2\",1.25\n\"p2\",0.75\n", 1, '.'},
      {"pandas to_csv: index and empty cells", ",id,rt\n0,p1,0.512\n1,p1,\n2,p2,1.25\n3,p2,0.75\n", 1, '.'},
      {"pandas NaN written out", "id,rt\np1,0.512\np1,NaN\np2,1.25\np2,0.75\n", 1, '.'},
      {"European spreadsheet: BOM, CR LF, ';' inside quotes",
       "\xEF\xBB\xBFid;\"cond; block\";RT (s)\r\np1;\"a;1\";0,512\r\np1;\"a;1\";\r\np2;\"b "
       "\"\"x\"\"\";1,25\r\n"
       "p2;\"b \"\"x\"\"\";0,75\r\n",
       1, ','},
      {"TSV with decimal commas", "id\tReaction time\np1\t0,512\np1\tNA\np2\t1,25\np2\t0,75\n", 1, ','},
      {"spreadsheet Unicode text (UTF-16 LE, tabs)",
       Utf16("id\tresponse_time\r\np1\t0,512\r\np1\t\r\np2\t1,25\r\np2\t0,75\r\n", true), 1, ','},
      {"experiment software: key_resp.rt, line break in a quote",
       "id,note,key_resp.rt\np1,\"two\nlines\",0.512\np1,,null\np2,\"a, \"\"b\"\"\",1.25\np2,x,.75\n", 1,
       '.'},
  };
  for (const Case& c : cases) {
    const TTextShape shape = InspectReactionTimeText(c.text);
    EXPECT_TRUE(shape.PreselectedByName) << c.name;
    EXPECT_EQ(shape.DecimalMark, c.mark) << c.name;
    TReadOptions options;
    options.GroupBy = {ColumnNamed(shape, "id")};
    const TReactionTimeGroups read = ReadReactionTimeGroups(c.text, options);
    ASSERT_EQ(read.Groups.size(), 2u) << c.name;
    EXPECT_EQ(read.Groups[0].Keys, std::vector<std::string>{"p1"}) << c.name;
    EXPECT_EQ(read.Groups[0].Values, std::vector<double>{0.512}) << c.name;
    EXPECT_EQ(read.Groups[0].Missing, c.missing) << c.name;
    EXPECT_EQ(read.Groups[1].Keys, std::vector<std::string>{"p2"}) << c.name;
    EXPECT_EQ(read.Groups[1].Values, (std::vector<double>{1.25, 0.75})) << c.name;
    EXPECT_EQ(read.Groups[1].Missing, 0u) << c.name;
    EXPECT_EQ(ReadReactionTimes(c.text), (std::vector<double>{0.512, 1.25, 0.75})) << c.name;
  }
}

// A paste from a spreadsheet: no header, its first row is data; the mark from the numbers.
TEST(ReactionTimeReaderTest, PastedColumns) {
  struct Case {
    const char* name;
    std::string text;
    char locale_mark;
    std::vector<double> values;
  };
  const Case cases[] = {
      {"one column, decimal comma", "0,552\n1,061\n0,7\n", '\0', {0.552, 1.061, 0.7}},
      {"one column, point", "0.552\n1.061\n", '\0', {0.552, 1.061}},
      {"one column, comma under a comma locale", "0,552\n1,061\n", ',', {0.552, 1.061}},
      {"index and RT, decimal comma", "1\t0,552\n2\t1,061\n3\t0,7\n", '\0', {0.552, 1.061, 0.7}},
      {"trial index from 0, then RT", "0\t0.552\n1\t1.061\n2\t0.7\n", '\0', {0.552, 1.061, 0.7}},
      {"CR LF and a blank last line", "0,552\t7\r\n1,061\t8\r\n\r\n", '\0', {0.552, 1.061}},
  };
  for (const Case& c : cases) {
    const TTextShape shape = InspectReactionTimeText(c.text, c.locale_mark);
    EXPECT_EQ(shape.HeaderLine, 0u) << c.name;
    TReadOptions options;
    options.DecimalMark = c.locale_mark;
    EXPECT_EQ(ReadReactionTimes(c.text, options), c.values) << c.name;
  }
  EXPECT_EQ(InspectReactionTimeText("1\t0,552\n2\t1,061\n").Columns,
            (std::vector<std::string>{"column 1", "column 2"}));
}

TEST(ReactionTimeReaderTest, TheHeaderAndItsPreselection) {
  const TTextShape shape = InspectReactionTimeText("# x\nid\tcond\tRT_ms\n1\ta\t300\n");
  EXPECT_EQ(shape.Layout, TTextLayout::Table);
  EXPECT_EQ(shape.Delimiter, '\t');
  EXPECT_EQ(shape.HeaderLine, 2u);
  EXPECT_EQ(shape.Columns, (std::vector<std::string>{"id", "cond", "RT_ms"}));
  EXPECT_EQ(shape.PreselectedColumn, 2u);
  EXPECT_EQ(InspectReactionTimeText("0,5\n", ',').Layout, TTextLayout::SingleColumn);
  struct Case {
    const char* header_and_rows;
    std::size_t column;
    bool by_name;
  };
  const Case cases[] = {
      {"a,b,c\nx,y,3\n", 2, false},
      {"id,RT\n1,2\n", 1, true},
      {"id,rt\n1,2\n", 1, true},
      {"id,Reaction Time\n1,2\n", 1, true},
      {"id,response_time\n1,2\n", 1, true},
      {"id,target.RT\n1,2\n", 1, true},
      {"id,key_resp.rt\n1,2\n", 1, true},
      {"part,rtx\n1,2\n", 0, false},  // not a name for RTs; the first numeric column
      // Never R's unnamed row names, nor pandas' index of consecutive integers.
      {"\"\",\"x\",\"y\"\n\"1\",\"a\",0.5\n\"2\",\"b\",0.7\n", 2, false},
      {",value,other\n0,3.5,u\n1,4.5,v\n2,5.5,w\n", 1, false},
      {"index,value\n1,3.5\n2,4.5\n3,5.5\n", 1, false},
  };
  for (const Case& c : cases) {
    const TTextShape s = InspectReactionTimeText(c.header_and_rows);
    EXPECT_EQ(s.PreselectedColumn, c.column) << c.header_and_rows;
    EXPECT_EQ(s.PreselectedByName, c.by_name) << c.header_and_rows;
  }
  // A chosen column other than the preselected one.
  std::string text = "rt,other\n";
  for (int i = 0; i < 20; ++i) text += "9," + std::to_string(i + 1) + ".5\n";
  TReadOptions options;
  options.Column = 1;
  EXPECT_EQ(ReadReactionTimes(text, options), Expected(20));
  // Columns by name, in any case, or by number.
  const TTextShape named = InspectReactionTimeText("pno,Condition,rt\n");
  EXPECT_EQ(ColumnNamed(named, "condition"), 1u);
  EXPECT_EQ(ColumnNamed(named, "3"), 2u);
  EXPECT_THROW_MSG(ColumnNamed(named, "trial"), EReactionTimeFormat,
                   "no column named 'trial'; the columns are 'pno', 'Condition', 'rt'");
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
      {"1.5\n-2\n" + good,
       "line 2: '-2' is not greater than 0; a minimum cutoff (--min) excludes such trials", 2},
      {"1.5\n0\n" + good, "line 2: '0' is not greater than 0; a minimum cutoff (--min) excludes such trials",
       2},
      {"1.5\ninf\n" + good,
       "line 2: 'inf' is not a finite number; a maximum cutoff (--max) excludes such trials", 2},
      {"1.5\n1e999\n" + good,
       "line 2: '1e999' is not a finite number; a maximum cutoff (--max) excludes such trials", 2},
      {"1.5\n1,5\n" + good, "line 2: '1,5' is not a number", 2},
      {"1.5\n2.5 3.5\n" + good, "line 2: '2.5 3.5' is not a number", 2},
      {"1.5\n+-2\n" + good, "line 2: '+-2' is not a number", 2},
      {"x\trt\n1\t1.5\n2.5\n", "line 3: no value in column 'rt'", 3},
      {"x\trt\n1\tfast\n", "line 2, column 'rt': 'fast' is not a number", 2},
      {"x,rt\n\"a\nb\",1.5\n2,fast\n", "line 4, column 'rt': 'fast' is not a number", 4},
      {"x,rt\n1,\"1.5\n", "line 2: a quote opened here is not closed", 2},
      {"# nothing\n\n", "the text holds no reaction times", 0},
      {"rt\n1.5\n\xC3(\n",
       "line 3: not UTF-8 (byte 0xC3); the reader takes UTF-8 text, or UTF-16 with its byte order mark", 3},
      {"rt\n1.5\n\xE9t\xE9\n",
       "line 3: not UTF-8 (byte 0xE9); the reader takes UTF-8 text, or UTF-16 with its byte order mark", 3},
      {std::string("r\0t\n", 4),
       "line 1: a NUL byte (byte 0x00); the reader takes UTF-8 text, or UTF-16 with its byte order mark", 1},
      {"\xFF\xFEr\0t\0\n", "the UTF-16 text ends in half a character", 0},
  };
  TReadOptions point;
  point.DecimalMark = '.';
  for (const Case& c : cases) {
    try {
      ReadReactionTimes(c.text, point);
      ADD_FAILURE() << c.message << ": accepted";
    } catch (const EReactionTimeFormat& e) {
      EXPECT_EQ(e.Message(), c.message);
      EXPECT_EQ(e.Line(), c.line) << c.message;
    }
  }
  // Fewer than the fit needs is still a series: the fit, not the reader, says it is too short.
  EXPECT_EQ(ReadReactionTimes(Numbers(3)), Expected(3));
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
