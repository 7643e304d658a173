#include "memo/data_memo.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QWidget>
#include <random>

#include "memo/memo_view.h"
#include "runtime/errors.h"
#include "support/expect_throw_msg.h"

namespace corvane {
namespace {

class DataMemoTest : public ::testing::Test {
 protected:
  QWidget window_;
};

TEST_F(DataMemoTest, StartsWithTheSingleLineMemoData) {
  TDataMemo memo(&window_);
  EXPECT_EQ(memo.Text(), "MemoData\r\n");
  EXPECT_EQ(memo.LineCount(), 1);
  EXPECT_FALSE(memo.Modified());
  EXPECT_EQ(memo.Widget()->Document().Buffer().ShownLine(0), "MemoData");
}

TEST_F(DataMemoTest, ClearThenTwoLinesGivesCompleteLinesShownWhenTheEventLoopRuns) {
  TDataMemo memo(&window_);
  memo.Widget()->setGeometry(0, 0, 185, 185);
  window_.show();
  memo.ClearLines();
  EXPECT_EQ(memo.AppendLine("a"), 0);
  EXPECT_EQ(memo.AppendLine("b"), 1);
  EXPECT_EQ(memo.Text(), "a\r\nb\r\n");
  EXPECT_EQ(memo.LineCount(), 2);

  // The view catches up once, not line by line: 100 more lines move the scroll bar only then.
  QScrollBar* bar = memo.Widget()->verticalScrollBar();
  QCoreApplication::processEvents();
  EXPECT_EQ(bar->maximum(), 0);
  for (int i = 0; i < 100; ++i) memo.AppendLine("c");
  EXPECT_EQ(bar->maximum(), 0);
  QCoreApplication::processEvents();
  EXPECT_EQ(bar->maximum(), 103 - memo.Widget()->FullyVisibleLines());
  EXPECT_EQ(bar->value(), bar->maximum());  // the newest line is in sight
}

TEST_F(DataMemoTest, TheUsersTypingIntoTheLastLineCountsForTheNextAppend) {
  TDataMemo memo(&window_);
  memo.ClearLines();
  memo.AppendLine("a");
  memo.AppendLine("b");
  TMemoView* edit = memo.Widget();
  QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);
  QTest::keyClicks(edit, "xy");
  EXPECT_TRUE(memo.Modified());
  EXPECT_EQ(memo.LineCount(), 3);

  EXPECT_EQ(memo.AppendLine("c"), 3);
  EXPECT_EQ(memo.Text(), "a\r\nb\r\nxy\r\nc");
  memo.AppendLine("d");
  EXPECT_EQ(memo.Text(), "a\r\nb\r\nxy\r\nc\r\nd");

  memo.ClearLines();
  EXPECT_FALSE(memo.Modified());
  EXPECT_EQ(memo.LineCount(), 0);
}

TEST_F(DataMemoTest, TypingAfterTheProgramsLinesGoesWhereTheirCaretLeftIt) {
  TDataMemo memo(&window_);
  memo.ClearLines();
  memo.AppendLine("a");
  QTest::keyClick(memo.Widget(), Qt::Key_Home, Qt::ControlModifier);
  memo.AppendLine("b");  // the caret follows the program's line, not yet shown
  QTest::keyClicks(memo.Widget(), "z");
  EXPECT_EQ(memo.Text(), "a\r\nb\r\nz");
  EXPECT_EQ(memo.LineCount(), 3);
}

TEST_F(DataMemoTest, CharactersBeyondEightBitsAreStoredAsOneQuestionMarkEach) {
  TDataMemo memo(&window_);
  memo.ClearLines();
  memo.AppendLine("a");
  TMemoView* edit = memo.Widget();
  QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);
  QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString::fromUtf8("\xE2\x82\xAC"), Qt::NoModifier);
  memo.AppendLine("b");
  EXPECT_EQ(memo.Text(), "a\r\n?\r\nb");
}

TEST_F(DataMemoTest, TheFirstLineThatDoesNotFitRaisesTheInsertionErrorAndLeavesItsPart) {
  TDataMemo memo(&window_, 64);
  memo.ClearLines();
  const std::string line = "0123456789";  // 12 bytes with its break
  for (int i = 0; i < 5; ++i) memo.AppendLine(line);
  EXPECT_THROW_MSG(memo.AppendLine(line), EOutOfResources, "RichEdit line insertion error");
  const std::string five_lines = "0123456789\r\n0123456789\r\n0123456789\r\n0123456789\r\n0123456789\r\n";
  EXPECT_EQ(memo.Text(), five_lines + "0123");
  EXPECT_THROW(memo.AppendLine("x"), EOutOfResources);
  EXPECT_EQ(memo.Text(), five_lines + "0123");

  memo.ClearLines();
  EXPECT_NO_THROW(memo.AppendLine(line));
}

TEST_F(DataMemoTest, HidingKeepsTheTextAndLinesKeepArriving) {
  TDataMemo memo(&window_);
  window_.show();
  memo.SetVisible(false);
  EXPECT_FALSE(memo.Visible());
  EXPECT_TRUE(memo.Widget()->isHidden());
  memo.ClearLines();
  memo.AppendLine("hidden");
  QCoreApplication::processEvents();
  memo.SetVisible(true);
  EXPECT_TRUE(memo.Widget()->isVisible());
  EXPECT_EQ(memo.Widget()->Document().Buffer().ShownLine(0), "hidden");
  window_.hide();
}

// Insertions anywhere, pieces cut by the capacity, lone CRs and LFs in the lines: the view's
// geometry stays true to the buffer, every caret position found again at its own point.
TEST_F(DataMemoTest, EveryCaretPositionIsFoundAtItsPointAfterAnyMixOfOperations) {
  std::mt19937 random(11);
  const std::string alphabet = "xy\r\n";
  for (int round = 0; round < 40; ++round) {
    TDataMemo memo(&window_, std::uniform_int_distribution<std::size_t>(10, 80)(random));
    memo.Widget()->setGeometry(0, 0, 400, 400);
    memo.ClearLines();
    for (int step = 0; step < 10; ++step) {
      std::string line;
      const int length = std::uniform_int_distribution<int>(0, 4)(random);
      for (int i = 0; i < length; ++i)
        line += alphabet[std::uniform_int_distribution<std::size_t>(0, 3)(random)];
      const int index = std::uniform_int_distribution<int>(0, memo.LineCount() + 1)(random);
      try {
        memo.InsertLine(index, line);
      } catch (const EOutOfResources&) {
      }
    }
    memo.Sync();
    memo.Widget()->verticalScrollBar()->setValue(0);
    const std::string& text = memo.Text();
    for (std::size_t p = 0; p <= text.size(); ++p) {
      if (p > 0 && text[p - 1] == '\r' && p < text.size() && text[p] == '\n')
        continue;  // inside a break: no caret stands there
      const QPoint point = memo.Widget()->PointOf(p) + QPoint(0, 1);
      ASSERT_EQ(memo.Widget()->PositionAt(point), p) << "round " << round << " at " << p;
    }
  }
}

}  // namespace
}  // namespace corvane
