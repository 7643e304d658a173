#include "memo/memo_document.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr int kUnit = TMemoTextLayout::kUnit;

TMemoDocument WithText(const std::string& text, std::size_t capacity = 1 << 20) {
  TMemoDocument document(capacity);
  document.InsertText(text);
  return document;
}

TEST(MemoDocumentTest, TheCaretStepsOverABreakAndNeverStandsInsideIt) {
  TMemoDocument document = WithText("ab\r\ncd");
  EXPECT_EQ(document.NextPosition(2), 4u);
  EXPECT_EQ(document.PreviousPosition(4), 2u);
  document.MoveCaret(3, false);  // between CR and LF
  EXPECT_EQ(document.Caret(), 2u);
  document.MoveCaret(99, false);
  EXPECT_EQ(document.Caret(), 6u);
  EXPECT_EQ(document.LineOf(4), 1u);
}

TEST(MemoDocumentTest, WordStepsStopAtWordStartsSignsAndBreaks) {
  const TMemoDocument document = WithText("N=12 K=3\r\nnext");
  EXPECT_EQ(document.NextWord(0), 1u);   // "N"
  EXPECT_EQ(document.NextWord(1), 2u);   // "="
  EXPECT_EQ(document.NextWord(2), 5u);   // "12 "
  EXPECT_EQ(document.NextWord(8), 10u);  // the break is a step
  EXPECT_EQ(document.PreviousWord(10), 8u);
  EXPECT_EQ(document.PreviousWord(5), 2u);
  TMemoDocument words = WithText("alpha  beta");
  words.SelectWordAt(8);
  EXPECT_EQ(words.SelectedBytes(), "beta");
  words.SelectWordAt(5);
  EXPECT_EQ(words.SelectedBytes(), "  ");
}

TEST(MemoDocumentTest, TypedCharactersUndoAsOneStepAndEachDeletionAsItsOwn) {
  TMemoDocument document(100);
  for (const char* c : {"a", "b", "c"}) document.InsertText(c, true);
  document.DeleteBackward();
  document.MoveCaret(0, false);
  document.InsertText("x", true);  // a caret move closes the typing step
  EXPECT_EQ(document.Text(), "xab");
  document.Undo();
  EXPECT_EQ(document.Text(), "ab");
  document.Undo();
  EXPECT_EQ(document.Text(), "abc");
  EXPECT_EQ(document.Caret(), 3u);  // where it stood before the deletion, nothing selected
  EXPECT_FALSE(document.HasSelection());
  document.Undo();
  EXPECT_EQ(document.Text(), "");
  EXPECT_FALSE(document.CanUndo());
  document.Redo();
  document.Redo();
  EXPECT_EQ(document.Text(), "ab");
  document.InsertText("!");  // a new edit drops what could be redone
  EXPECT_FALSE(document.CanRedo());
}

TEST(MemoDocumentTest, ProgramOperationsClearTheHistoryAndClearResetsTheModifiedFlag) {
  TMemoDocument document(100);
  document.InsertText("typed");
  EXPECT_TRUE(document.Modified());
  document.InsertLine(document.Buffer().LineCount(), "line");
  EXPECT_FALSE(document.CanUndo());
  EXPECT_EQ(document.Text(), "typed\r\nline");
  EXPECT_EQ(document.Caret(), document.Text().size());
  document.Clear();
  EXPECT_FALSE(document.Modified());
  EXPECT_EQ(document.Caret(), 0u);
}

TEST(MemoDocumentTest, AtTheCapacityAnEditKeepsWhatFitsWithoutHalfABreak) {
  TMemoDocument document = WithText("12345678", 10);
  EXPECT_FALSE(document.InsertText("a\r\nb"));
  EXPECT_EQ(document.Text(), "12345678a");  // "a\r" would fit, but not half a break
  EXPECT_FALSE(document.InsertText("zz"));
  EXPECT_EQ(document.Text(), "12345678az");
  EXPECT_FALSE(document.InsertText("q"));
  EXPECT_EQ(document.Text(), "12345678az");
  document.SetSelection(0, 4);  // replacing makes room
  EXPECT_TRUE(document.InsertText("abcd"));
  EXPECT_EQ(document.Text(), "abcd5678az");
}

TEST(MemoDocumentTest, TheWidestLineFollowsInsertionsAndNarrowsAfterDeletions) {
  TMemoDocument document(1000);
  document.SetLayout(TMemoTextLayout());  // one pixel a byte
  document.InsertLine(0, "short");
  document.InsertLine(1, std::string(40, 'w'));
  EXPECT_EQ(document.WidestLine(), 40 * kUnit);
  document.SetSelection(7, 47);  // the whole long line
  document.DeleteSelection();
  EXPECT_EQ(document.WidestLine(), 5 * kUnit);
  document.Undo();
  EXPECT_EQ(document.WidestLine(), 40 * kUnit);
  document.Clear();
  EXPECT_EQ(document.WidestLine(), 0);
}

}  // namespace
}  // namespace corvane
