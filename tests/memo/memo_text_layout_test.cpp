#include "memo/memo_text_layout.h"

#include <gtest/gtest.h>

#include <QFont>

namespace corvane {
namespace {

// Readable metrics: 'i' is 1 pixel, every other byte 2, tab stops every 8 pixels.
TMemoTextLayout Narrow() {
  std::array<int, 256> advances{};
  advances.fill(2 * TMemoTextLayout::kUnit);
  advances['i'] = TMemoTextLayout::kUnit;
  return TMemoTextLayout(advances, 8 * TMemoTextLayout::kUnit);
}

constexpr int kUnit = TMemoTextLayout::kUnit;

TEST(MemoTextLayoutTest, PositionsSumTheAdvancesAndTabsRunToTheNextStop) {
  const TMemoTextLayout layout = Narrow();
  EXPECT_EQ(layout.XOf("aib", 0), 0);
  EXPECT_EQ(layout.XOf("aib", 2), 3 * kUnit);
  EXPECT_EQ(layout.Width("aib"), 5 * kUnit);
  EXPECT_EQ(layout.Width("a\tb"), 10 * kUnit);    // a to 2, tab to 8, b to 10
  EXPECT_EQ(layout.Width("aaaa\t"), 16 * kUnit);  // a tab at a stop runs to the next one
}

TEST(MemoTextLayoutTest, APointFindsTheNearestColumnBoundary) {
  const TMemoTextLayout layout = Narrow();
  struct Case {
    int x;
    std::size_t column;
  } cases[] = {{-5, 0}, {0, 0}, {kUnit, 0}, {kUnit + 1, 1}, {2 * kUnit, 1}, {5 * kUnit, 3}, {99 * kUnit, 3}};
  for (const Case& c : cases) EXPECT_EQ(layout.ColumnAt("aib", c.x), c.column) << c.x;
}

TEST(MemoTextLayoutTest, UserTextBecomesBytesWithCrLfBreaksAndOneQuestionMarkPerForeignCharacter) {
  struct Case {
    QString text;
    std::string bytes;
  } cases[] = {
      {"a\nb", "a\r\nb"},
      {"a\r\nb\rc", "a\r\nb\r\nc"},
      {QString::fromUtf8("\xC3\xA9t\xC3\xA9"), "\xE9t\xE9"},        // Latin-1 stays itself
      {QString::fromUtf8("5 \xE2\x82\xAC"), "5 ?"},                 // the euro sign is not Latin-1
      {QString::fromUtf8("\xF0\x9F\x98\x80!"), "?!"},               // a pair of surrogates: one '?'
      {QString(QChar(0x2029)) + "x" + QChar(0x2028), "\r\nx\r\n"},  // paragraph and line separators
      {"tab\there", "tab\there"},
  };
  for (const Case& c : cases) EXPECT_EQ(BytesFromUserText(c.text), c.bytes) << c.text.toStdString();
}

TEST(MemoTextLayoutTest, ClipboardTextHasOneLineFeedPerBreakAndShowsEveryByte) {
  EXPECT_EQ(ClipboardText("a\r\nb\r\n"), "a\nb\n");
  EXPECT_EQ(ClipboardText("a\rb\n"), "a\rb\n");  // lone ones stay as they are
  EXPECT_EQ(ClipboardText("\xE9"), QString(QChar(0xE9)));
  EXPECT_EQ(ShownChar('\r'), QChar(0x240D));  // control bytes keep a visible width
  EXPECT_EQ(ShownChar(0x85), QChar(QChar::ReplacementCharacter));
  EXPECT_EQ(ShownChar('x'), QChar(u'x'));
}

TEST(MemoTextLayoutTest, AFontGivesEveryByteAWidth) {
  const TMemoTextLayout layout = TMemoTextLayout::FromFont(QFont());
  for (int byte = 0; byte < 256; ++byte) {
    if (byte != '\t') {
      EXPECT_GT(layout.Advance(static_cast<unsigned char>(byte)), 0) << byte;
    }
  }
  EXPECT_GT(layout.Width("W"), layout.Width("i"));
}

}  // namespace
}  // namespace corvane
