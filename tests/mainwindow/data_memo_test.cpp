#include "mainwindow/data_memo.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>
#include <QWidget>
#include <random>

#include "runtime/errors.h"

namespace corvane {
namespace {

// What the widget shows, in the buffer's terms.
std::string ShownAsBuffer(QPlainTextEdit& edit) {
  std::string bytes;
  for (char c : edit.toPlainText().toLatin1()) bytes += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return bytes;
}

// The buffer as the widget must show it: every CR LF, and any lone CR or LF, one line break.
QString AsShown(const std::string& bytes) {
  QString shown;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
      ++i;
    shown += bytes[i] == '\r' || bytes[i] == '\n' ? QChar(u'\n') : QChar::fromLatin1(bytes[i]);
  }
  return shown;
}

class DataMemoTest : public ::testing::Test {
 protected:
  QWidget window_;
};

TEST_F(DataMemoTest, StartsWithTheSingleLineMemoData) {
  TDataMemo memo(&window_);
  EXPECT_EQ(memo.Text(), "MemoData\r\n");
  EXPECT_EQ(memo.LineCount(), 1);
  EXPECT_FALSE(memo.Modified());
  EXPECT_EQ(memo.Widget()->toPlainText(), "MemoData\n");
}

TEST_F(DataMemoTest, ClearThenTwoLinesGivesCompleteLinesShownWhenTheEventLoopRuns) {
  TDataMemo memo(&window_);
  memo.ClearLines();
  EXPECT_EQ(memo.AppendLine("a"), 0);
  EXPECT_EQ(memo.AppendLine("b"), 1);
  EXPECT_EQ(memo.Text(), "a\r\nb\r\n");
  EXPECT_EQ(memo.LineCount(), 2);

  QPlainTextEdit* edit = memo.Widget();
  EXPECT_EQ(edit->toPlainText(), "a\nb\n");

  memo.AppendLine("c");
  EXPECT_EQ(edit->toPlainText(), "a\nb\n");  // not line by line
  QCoreApplication::processEvents();
  EXPECT_EQ(edit->toPlainText(), "a\nb\nc\n");
}

TEST_F(DataMemoTest, TheUsersTypingIntoTheLastLineCountsForTheNextAppend) {
  TDataMemo memo(&window_);
  memo.ClearLines();
  memo.AppendLine("a");
  memo.AppendLine("b");
  QPlainTextEdit* edit = memo.Widget();
  QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);
  QTest::keyClicks(edit, "xy");
  EXPECT_TRUE(memo.Modified());
  EXPECT_EQ(memo.LineCount(), 3);

  EXPECT_EQ(memo.AppendLine("c"), 3);
  EXPECT_EQ(memo.Text(), "a\r\nb\r\nxy\r\nc");
  memo.AppendLine("d");
  EXPECT_EQ(memo.Text(), "a\r\nb\r\nxy\r\nc\r\nd");
  memo.Sync();
  EXPECT_EQ(edit->toPlainText(), "a\nb\nxy\nc\nd");

  memo.ClearLines();
  EXPECT_FALSE(memo.Modified());
  EXPECT_EQ(memo.LineCount(), 0);
}

TEST_F(DataMemoTest, TypingReachesTheWidgetOnlyAfterThePendingLinesAndIsReadBack) {
  TDataMemo memo(&window_);
  memo.ClearLines();
  memo.AppendLine("a");
  QTest::keyClick(memo.Widget(), Qt::Key_End, Qt::ControlModifier);
  memo.AppendLine("b");  // pending when the user types
  QTest::keyClicks(memo.Widget(), "z");
  EXPECT_EQ(memo.Text(), ShownAsBuffer(*memo.Widget()));
  EXPECT_NE(memo.Text().find("b\r\n"), std::string::npos);
}

TEST_F(DataMemoTest, AnEditByCodeWhileLinesArePendingKeepsBothInBufferAndWidget) {
  TDataMemo memo(&window_);
  memo.ClearLines();
  memo.AppendLine("a");
  QPlainTextEdit* edit = memo.Widget();
  memo.AppendLine("b");
  QTextCursor cursor(edit->document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText("z");
  EXPECT_EQ(memo.LineCount(), 3);
  EXPECT_EQ(memo.Text(), "a\r\nb\r\nz");
  EXPECT_EQ(ShownAsBuffer(*edit), memo.Text());
}

TEST_F(DataMemoTest, CharactersBeyondEightBitsStayOnScreenAndCountAsOneByte) {
  TDataMemo memo(&window_);
  memo.ClearLines();
  memo.AppendLine("a");
  QPlainTextEdit* edit = memo.Widget();
  QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);
  QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString::fromUtf8("\xE2\x82\xAC"), Qt::NoModifier);
  memo.AppendLine("b");
  EXPECT_EQ(memo.Text(), "a\r\n?\r\nb");
  memo.Sync();
  EXPECT_EQ(edit->toPlainText(), QString::fromUtf8("a\n\xE2\x82\xAC\nb"));
}

TEST_F(DataMemoTest, TheFirstLineThatDoesNotFitRaisesTheInsertionErrorAndLeavesItsPart) {
  TDataMemo memo(&window_, 64);
  memo.ClearLines();
  const std::string line = "0123456789";  // 12 bytes with its break
  for (int i = 0; i < 5; ++i) memo.AppendLine(line);
  try {
    memo.AppendLine(line);
    FAIL() << "no insertion error";
  } catch (const EOutOfResources& error) {
    EXPECT_EQ(error.Message(), "RichEdit line insertion error");
  }
  const std::string five_lines = "0123456789\r\n0123456789\r\n0123456789\r\n0123456789\r\n0123456789\r\n";
  EXPECT_EQ(memo.Text(), five_lines + "0123");
  EXPECT_THROW(memo.AppendLine("x"), EOutOfResources);
  EXPECT_EQ(memo.Text(), five_lines + "0123");
  memo.Sync();
  EXPECT_EQ(ShownAsBuffer(*memo.Widget()), five_lines + "0123");

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
  EXPECT_EQ(memo.Widget()->toPlainText(), "hidden\n");
  window_.hide();
}

// Insertions anywhere, pieces cut by the capacity, lone CRs and LFs in the lines: after a sync the
// widget shows exactly the buffer.
TEST_F(DataMemoTest, WidgetMatchesTheBufferAfterAnyMixOfOperations) {
  std::mt19937 random(11);
  const std::string alphabet = "xy\r\n";
  for (int round = 0; round < 60; ++round) {
    TDataMemo memo(&window_, std::uniform_int_distribution<std::size_t>(10, 80)(random));
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
      if (step % 4 == 3)
        memo.Sync();
    }
    memo.Sync();
    ASSERT_EQ(memo.Widget()->toPlainText(), AsShown(memo.Text())) << "round " << round;
  }
}

}  // namespace
}  // namespace corvane
