#include "memo/memo_buffer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace corvane {
namespace {

constexpr std::size_t kRoomy = 1 << 20;

TMemoBuffer BufferWith(const std::string& text, std::size_t capacity = kRoomy) {
  TMemoBuffer buffer(capacity);
  buffer.Assign(text);
  return buffer;
}

int Append(TMemoBuffer& buffer, const std::string& line) {
  const int index = buffer.LineCount();
  buffer.InsertLine(index, line);
  return index;
}

TEST(MemoBufferTest, LineCountCountsLineStartsLessAnEmptyLastLine) {
  EXPECT_EQ(BufferWith("").LineCount(), 0);
  EXPECT_EQ(BufferWith("a").LineCount(), 1);
  EXPECT_EQ(BufferWith("a\r\n").LineCount(), 1);
  EXPECT_EQ(BufferWith("a\r\nb").LineCount(), 2);
  EXPECT_EQ(BufferWith("\r\n").LineCount(), 1);
  EXPECT_EQ(BufferWith("\r\n\r\n").LineCount(), 2);
  EXPECT_EQ(BufferWith("a\rb\nc").LineCount(), 1);  // only CR LF breaks a line
}

TEST(MemoBufferTest, InsertingBeforeAnExistingLinePutsTheTextAndABreakAtItsStart) {
  TMemoBuffer buffer = BufferWith("a\r\nb\r\n");
  const TMemoInsertion inserted = buffer.InsertLine(1, "x");
  EXPECT_EQ(inserted.position, 3u);
  EXPECT_EQ(inserted.piece, "x\r\n");
  EXPECT_TRUE(inserted.complete);
  buffer.InsertLine(0, "y");
  EXPECT_EQ(buffer.Text(), "y\r\na\r\nx\r\nb\r\n");
  EXPECT_EQ(buffer.LineCount(), 4);
}

TEST(MemoBufferTest, AppendingAfterAnUnterminatedLastLinePutsTheBreakFirst) {
  TMemoBuffer buffer = BufferWith("a\r\nxy");
  EXPECT_EQ(Append(buffer, "c"), 2);
  EXPECT_EQ(buffer.Text(), "a\r\nxy\r\nc");
  EXPECT_EQ(Append(buffer, "d"), 3);
  EXPECT_EQ(buffer.Text(), "a\r\nxy\r\nc\r\nd");
  EXPECT_EQ(buffer.LineCount(), 4);
}

TEST(MemoBufferTest, IndexesWithoutAPlaceForTheLineAreIgnored) {
  TMemoBuffer buffer = BufferWith("a\r\n");
  EXPECT_TRUE(buffer.InsertLine(-1, "x").piece.empty());
  EXPECT_TRUE(buffer.InsertLine(3, "x").piece.empty());  // neither line 3 nor line 2 exists
  EXPECT_EQ(buffer.Text(), "a\r\n");

  TMemoBuffer empty = BufferWith("");
  EXPECT_TRUE(empty.InsertLine(1, "x").piece.empty());  // line 0 exists but is empty
  EXPECT_EQ(empty.Text(), "");
}

TEST(MemoBufferTest, CapacityKeepsThePartThatFitsAndRefusesTheRest) {
  TMemoBuffer buffer(11);
  EXPECT_TRUE(buffer.InsertLine(0, "abcd").complete);  // 6 of 11
  const TMemoInsertion cut = buffer.InsertLine(1, "efgh");
  EXPECT_FALSE(cut.complete);
  EXPECT_EQ(cut.piece, "efgh\r");  // cut between CR and LF
  EXPECT_EQ(buffer.Text(), "abcd\r\nefgh\r");
  EXPECT_EQ(buffer.LineCount(), 2);

  const TMemoInsertion refused = buffer.InsertLine(buffer.LineCount(), "z");
  EXPECT_FALSE(refused.complete);
  EXPECT_TRUE(refused.piece.empty());
  EXPECT_EQ(buffer.Text(), "abcd\r\nefgh\r");

  buffer.Clear();
  EXPECT_TRUE(buffer.InsertLine(0, "ok").complete);
}

TEST(MemoBufferTest, TextAssignedBeyondTheCapacityStaysButTakesNoMore) {
  TMemoBuffer buffer = BufferWith("0123456789", 4);
  EXPECT_EQ(buffer.Text(), "0123456789");
  EXPECT_FALSE(buffer.InsertLine(1, "x").complete);
  EXPECT_EQ(buffer.Text(), "0123456789");
}

TEST(MemoBufferTest, BreaksBeforeCountsPairsThatEndAtOrBeforeThePosition) {
  const TMemoBuffer buffer = BufferWith("a\r\nb\r\n");
  EXPECT_EQ(buffer.BreaksBefore(0), 0u);
  EXPECT_EQ(buffer.BreaksBefore(2), 0u);  // between CR and LF
  EXPECT_EQ(buffer.BreaksBefore(3), 1u);
  EXPECT_EQ(buffer.BreaksBefore(6), 2u);
}

TEST(MemoBufferTest, ReplaceJoinsAndSplitsBreaksAndKeepsWhatTheCapacityLeaves) {
  TMemoBuffer buffer = BufferWith("a\rx\nb\r\nc");
  EXPECT_EQ(buffer.Replace(2, 1, ""), 0u);  // a CR and an LF meet: one break more
  EXPECT_EQ(buffer.Text(), "a\r\nb\r\nc");
  EXPECT_EQ(buffer.ShownLineCount(), 3u);
  EXPECT_EQ(buffer.ShownLine(1), "b");
  EXPECT_EQ(buffer.Replace(5, 1, "-"), 1u);  // the LF of the second break goes
  EXPECT_EQ(buffer.ShownLineCount(), 2u);
  EXPECT_EQ(buffer.ShownLine(1), "b\r-c");

  TMemoBuffer small = BufferWith("abc", 6);
  EXPECT_EQ(small.Replace(1, 1, "12345"), 4u);  // after removing "b" there is room for 4
  EXPECT_EQ(small.Text(), "a1234c");
}

// The incremental line index must always agree with one built from scratch, also for texts with
// lone CRs and LFs, replacements anywhere and pieces that the capacity cuts anywhere.
TEST(MemoBufferTest, LineIndexAfterInsertionsMatchesAFreshIndex) {
  std::mt19937 random(7);
  const std::string alphabet = "ab\r\n";
  for (int round = 0; round < 200; ++round) {
    TMemoBuffer buffer(std::uniform_int_distribution<std::size_t>(0, 60)(random));
    for (int step = 0; step < 12; ++step) {
      std::string line;
      const int length = std::uniform_int_distribution<int>(0, 4)(random);
      for (int i = 0; i < length; ++i)
        line += alphabet[std::uniform_int_distribution<std::size_t>(0, 3)(random)];
      if (step % 3 == 2) {
        const std::size_t at = std::uniform_int_distribution<std::size_t>(0, buffer.Size())(random);
        const std::size_t removed = std::uniform_int_distribution<std::size_t>(0, 3)(random);
        buffer.Replace(at, removed, line);
      } else {
        const int index = std::uniform_int_distribution<int>(-1, buffer.LineCount() + 1)(random);
        buffer.InsertLine(index, line);
      }

      const TMemoBuffer fresh = BufferWith(buffer.Text());
      ASSERT_EQ(buffer.LineCount(), fresh.LineCount()) << round << "/" << step;
      for (std::size_t p = 0; p <= buffer.Text().size(); ++p) {
        ASSERT_EQ(buffer.BreaksBefore(p), fresh.BreaksBefore(p)) << round << "/" << step << " at " << p;
      }
    }
  }
}

}  // namespace
}  // namespace corvane
