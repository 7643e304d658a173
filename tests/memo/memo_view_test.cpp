#include "memo/memo_view.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <set>

#include "memo/data_memo.h"

namespace corvane {
namespace {

struct TextRuns {
  std::set<qreal> baselines;
  std::vector<QString> texts;
};

// A surface that draws nothing and keeps the baseline of every text run painted on it, so a test
// can count the lines a paint drew.
class TextRunEngine final : public QPaintEngine {
 public:
  TextRunEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState&) override {}
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  void drawTextItem(const QPointF& p, const QTextItem& item) override {
    runs.baselines.insert(p.y());
    runs.texts.push_back(item.text());
  }
  Type type() const override { return QPaintEngine::User; }
  TextRuns runs;
};

class TextRunDevice final : public QPaintDevice {
 public:
  explicit TextRunDevice(QSize size) : size_(size) {}
  QPaintEngine* paintEngine() const override { return &engine; }
  mutable TextRunEngine engine;

 protected:
  int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmWidth:
        return size_.width();
      case PdmHeight:
        return size_.height();
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY:
        return 96;
      case PdmDevicePixelRatio:
        return 1;
      case PdmDevicePixelRatioScaled:
        return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
      case PdmDepth:
        return 32;
      default:
        return 0;
    }
  }

 private:
  QSize size_;
};

class MemoViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    memo_.Widget()->setGeometry(0, 0, 185, 185);
    memo_.ClearLines();
  }
  TMemoView& View() { return *memo_.Widget(); }
  TMemoDocument& Document() { return memo_.Document(); }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(&View(), key, modifiers);
  }
  void Type(const char* text) { QTest::keyClicks(&View(), text); }
  QAction* MenuAction(QMenu& menu, const QString& starts) {
    for (QAction* action : menu.actions())
      if (action->text().remove(u'&').startsWith(starts))
        return action;
    return nullptr;
  }

  QWidget window_;
  TDataMemo memo_{&window_};
};

TEST_F(MemoViewTest, TypingEnterAndBackspaceEditTheBufferWithCrLfBreaks) {
  Type("ab");
  Key(Qt::Key_Return);
  Type("cd");
  EXPECT_EQ(memo_.Text(), "ab\r\ncd");
  Key(Qt::Key_Home);
  Key(Qt::Key_Backspace);  // the break goes as one character
  EXPECT_EQ(memo_.Text(), "abcd");
  Key(Qt::Key_Delete);
  EXPECT_EQ(memo_.Text(), "abd");
  EXPECT_TRUE(memo_.Modified());
  // The next program line starts after the user's unfinished last line.
  memo_.AppendLine("x");
  EXPECT_EQ(memo_.Text(), "abd\r\nx");
}

TEST_F(MemoViewTest, ShiftWithArrowsWordsAndDocumentKeysSelects) {
  memo_.AppendLine("alpha beta");
  memo_.AppendLine("gamma");
  Key(Qt::Key_Home, Qt::ControlModifier);
  Key(Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Document().SelectedBytes(), "alpha ");
  Key(Qt::Key_End, Qt::ShiftModifier);
  EXPECT_EQ(Document().SelectedBytes(), "alpha beta");
  Key(Qt::Key_Down, Qt::ShiftModifier);  // to the same x on the shorter next line: its end
  EXPECT_EQ(Document().SelectedBytes(), "alpha beta\r\ngamma");
  Key(Qt::Key_Left);  // an arrow collapses the selection to its start
  EXPECT_FALSE(Document().HasSelection());
  EXPECT_EQ(Document().Caret(), 0u);
  Key(Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Document().SelectionEnd(), memo_.Text().size());
  Key(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Document().SelectedBytes(), memo_.Text());
  Type("z");  // typing replaces the selection
  EXPECT_EQ(memo_.Text(), "z");
}

TEST_F(MemoViewTest, CopyPutsPlatformBreaksOnTheClipboardAndPasteBringsCrLfBack) {
  memo_.AppendLine("one");
  memo_.AppendLine("two");
  Key(Qt::Key_A, Qt::ControlModifier);
  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "one\ntwo\n");

  QApplication::clipboard()->setText(QString::fromUtf8("x\ry\r\nz \xE2\x82\xAC\xF0\x9F\x98\x80"));
  Key(Qt::Key_End, Qt::ControlModifier);
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(memo_.Text(), "one\r\ntwo\r\nx\r\ny\r\nz ??");
  EXPECT_EQ(memo_.LineCount(), 5);

  Key(Qt::Key_Home);
  Key(Qt::Key_End, Qt::ShiftModifier);
  Key(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "z ??");
  EXPECT_EQ(memo_.Text(), "one\r\ntwo\r\nx\r\ny\r\n");
}

TEST_F(MemoViewTest, UndoAndRedoTakeTheUsersEditsAndAProgramOperationEndsThem) {
  memo_.AppendLine("log");
  Type("abc");  // one step of typing
  Key(Qt::Key_Backspace);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(memo_.Text(), "log\r\nabc");
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(memo_.Text(), "log\r\n");
  Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(memo_.Text(), "log\r\nabc");
  EXPECT_TRUE(Document().CanRedo());

  memo_.AppendLine("next");
  EXPECT_FALSE(Document().CanUndo());
  EXPECT_FALSE(Document().CanRedo());
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(memo_.Text(), "log\r\nabc\r\nnext");
}

TEST_F(MemoViewTest, TheContextMenuOffersWhatTheStateAllowsAndItsActionsWork) {
  memo_.AppendLine("first");
  QApplication::clipboard()->clear();
  {
    std::unique_ptr<QMenu> menu(View().CreateContextMenu());
    QStringList texts;
    for (QAction* action : menu->actions())
      if (!action->isSeparator())
        texts << action->text().section(u'\t', 0, 0).remove(u'&');
    EXPECT_EQ(texts, (QStringList{"Undo", "Redo", "Cut", "Copy", "Paste", "Delete", "Select All"}));
    EXPECT_FALSE(MenuAction(*menu, "Undo")->isEnabled());
    EXPECT_FALSE(MenuAction(*menu, "Copy")->isEnabled());
    EXPECT_FALSE(MenuAction(*menu, "Paste")->isEnabled());
    MenuAction(*menu, "Select All")->trigger();
  }
  std::unique_ptr<QMenu> menu(View().CreateContextMenu());
  ASSERT_TRUE(MenuAction(*menu, "Copy")->isEnabled());
  MenuAction(*menu, "Copy")->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), "first\n");
  MenuAction(*menu, "Delete")->trigger();
  EXPECT_EQ(memo_.Text(), "");
  std::unique_ptr<QMenu> after(View().CreateContextMenu());
  EXPECT_TRUE(MenuAction(*after, "Undo")->isEnabled());
  EXPECT_TRUE(MenuAction(*after, "Paste")->isEnabled());
  MenuAction(*after, "Undo")->trigger();
  EXPECT_EQ(memo_.Text(), "first\r\n");
  MenuAction(*after, "Paste")->trigger();  // over the restored selection
  EXPECT_EQ(memo_.Text(), "first\r\n");
}

TEST_F(MemoViewTest, TabAndShiftTabLeaveTheMemoAlongTheFocusChain) {
  auto* before = new QPushButton("before", &window_);
  auto* after = new QLineEdit(&window_);
  QWidget::setTabOrder(before, &View());
  QWidget::setTabOrder(&View(), after);
  window_.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  View().setFocus();
  Key(Qt::Key_Tab);
  EXPECT_TRUE(after->hasFocus());
  View().setFocus();
  QTest::keyClick(&View(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(before->hasFocus());
  EXPECT_EQ(memo_.Text(), "");  // no tab was typed
}

TEST_F(MemoViewTest, APaintDrawsOnlyTheLinesInSight) {
  const auto painted_lines = [&] {
    TextRunDevice device(View().viewport()->size());
    View().viewport()->render(&device);
    return device.engine.runs;
  };
  memo_.AppendLine("only");
  memo_.Sync();
  EXPECT_EQ(painted_lines().baselines.size(), 1u);

  for (int i = 0; i < 5000; ++i) memo_.AppendLine("line " + std::to_string(i));
  memo_.Sync();
  const TextRuns shown = painted_lines();
  const int in_sight = View().FullyVisibleLines();
  // Followed to the end, the caret's empty last line at the bottom: the line above it is the last
  // one appended.
  EXPECT_GE(static_cast<int>(shown.baselines.size()), in_sight - 1);
  EXPECT_LE(static_cast<int>(shown.baselines.size()), in_sight + 1);
  EXPECT_EQ(shown.texts.back(), "line 4999");
}

TEST_F(MemoViewTest, TheSelectionShowsOnlyWhileTheMemoHasTheFocus) {
  auto* other = new QLineEdit(&window_);
  other->move(0, 200);
  window_.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  memo_.AppendLine("selected text");
  Document().SelectAll();
  const auto highlighted_pixels = [&] {
    QImage image(View().viewport()->size(), QImage::Format_RGB32);
    View().viewport()->render(&image);
    const QRgb highlight = View().palette().color(QPalette::Active, QPalette::Highlight).rgb();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == highlight ? 1 : 0;
    return count;
  };
  View().setFocus();
  EXPECT_GT(highlighted_pixels(), 0);
  other->setFocus();
  EXPECT_EQ(highlighted_pixels(), 0);
  EXPECT_TRUE(Document().HasSelection());  // hidden, not lost
}

TEST_F(MemoViewTest, ScrollBarsShowOnlyWhileTheContentExceedsTheView) {
  window_.show();
  memo_.AppendLine("short");
  memo_.Sync();
  QCoreApplication::processEvents();  // the area shows or hides its bars when the loop runs
  EXPECT_FALSE(View().verticalScrollBar()->isVisible());
  EXPECT_FALSE(View().horizontalScrollBar()->isVisible());
  memo_.AppendLine(std::string(200, 'w'));
  for (int i = 0; i < 50; ++i) memo_.AppendLine("more");
  memo_.Sync();
  QCoreApplication::processEvents();
  EXPECT_TRUE(View().verticalScrollBar()->isVisible());
  EXPECT_TRUE(View().horizontalScrollBar()->isVisible());
  memo_.ClearLines();
  memo_.Sync();
  QCoreApplication::processEvents();
  EXPECT_FALSE(View().verticalScrollBar()->isVisible());
  EXPECT_FALSE(View().horizontalScrollBar()->isVisible());
}

TEST_F(MemoViewTest, PageKeysMoveByAViewAndTheWheelScrolls) {
  window_.show();
  for (int i = 0; i < 100; ++i) memo_.AppendLine(std::to_string(i));
  Key(Qt::Key_Home, Qt::ControlModifier);
  const int page = View().FullyVisibleLines();
  Key(Qt::Key_PageDown);
  EXPECT_EQ(Document().LineOf(Document().Caret()), static_cast<std::size_t>(page));
  Key(Qt::Key_PageDown, Qt::ShiftModifier);
  EXPECT_EQ(Document().LineOf(Document().Caret()), static_cast<std::size_t>(2 * page));
  EXPECT_EQ(Document().LineOf(Document().Anchor()), static_cast<std::size_t>(page));
  Key(Qt::Key_PageUp);
  Key(Qt::Key_PageUp);
  EXPECT_EQ(Document().Caret(), 0u);
  EXPECT_EQ(View().verticalScrollBar()->value(), 0);

  QWheelEvent wheel(QPointF(20, 20), View().viewport()->mapToGlobal(QPointF(20, 20)), QPoint(),
                    QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(View().viewport(), &wheel);
  EXPECT_GT(View().verticalScrollBar()->value(), 0);
  EXPECT_EQ(Document().Caret(), 0u);  // the wheel scrolls without moving the caret
}

TEST_F(MemoViewTest, MouseClickShiftClickAndDoubleClickSelect) {
  memo_.AppendLine("alpha beta");
  memo_.AppendLine("gamma");
  memo_.Sync();
  View().verticalScrollBar()->setValue(0);
  QWidget* viewport = View().viewport();
  const QPoint beta = View().PointOf(6) + QPoint(1, View().LineHeight() / 2);
  QTest::mouseClick(viewport, Qt::LeftButton, {}, View().PointOf(0) + QPoint(0, 2));
  QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, View().PointOf(5) + QPoint(0, 2));
  EXPECT_EQ(Document().SelectedBytes(), "alpha");
  QTest::mouseDClick(viewport, Qt::LeftButton, {}, beta);
  EXPECT_EQ(Document().SelectedBytes(), "beta");
  QTest::mousePress(viewport, Qt::LeftButton, {}, View().PointOf(0) + QPoint(0, 2));
  QTest::mouseMove(viewport, View().PointOf(14) + QPoint(0, 2));
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, View().PointOf(14) + QPoint(0, 2));
  EXPECT_EQ(Document().SelectedBytes(), "alpha beta\r\nga");
  EXPECT_EQ(viewport->cursor().shape(), Qt::IBeamCursor);
}

TEST_F(MemoViewTest, DraggingBelowTheViewKeepsScrollingAndSelecting) {
  window_.show();
  for (int i = 0; i < 100; ++i) memo_.AppendLine(std::to_string(i));
  Key(Qt::Key_Home, Qt::ControlModifier);
  QWidget* viewport = View().viewport();
  QTest::mousePress(viewport, Qt::LeftButton, {}, View().PointOf(0) + QPoint(0, 2));
  QMouseEvent below(QEvent::MouseMove, QPointF(10, viewport->height() + 20),
                    viewport->mapToGlobal(QPointF(10, 0)), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &below);
  const int first = View().verticalScrollBar()->value();
  EXPECT_TRUE(QTest::qWaitFor([&] { return View().verticalScrollBar()->value() > first + 2; }));
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(10, viewport->height() + 20));
  const int stopped = View().verticalScrollBar()->value();
  EXPECT_EQ(Document().Anchor(), 0u);
  EXPECT_GT(Document().LineOf(Document().Caret()), static_cast<std::size_t>(View().FullyVisibleLines()));
  QTest::qWait(150);  // released: the scrolling has stopped
  EXPECT_EQ(View().verticalScrollBar()->value(), stopped);
}

TEST_F(MemoViewTest, TypingAndPastingAtTheCapacityKeepWhatFitsAndTheLineIndexTrue) {
  TDataMemo small(&window_, 12);
  small.ClearLines();
  small.AppendLine("abcdefg");  // 9 of 12
  QApplication::clipboard()->setText("12\n34");
  QTest::keyClick(small.Widget(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(small.Text(), "abcdefg\r\n12");  // the break would split: it stays out
  EXPECT_EQ(small.LineCount(), 2);
  QTest::keyClicks(small.Widget(), "xyz");
  EXPECT_EQ(small.Text(), "abcdefg\r\n12x");
  EXPECT_EQ(small.Widget()->Document().Buffer().ShownLineCount(), 2u);
}

TEST_F(MemoViewTest, AssistiveTechnologySeesAnEditableTextWithCaretAndSelection) {
  memo_.AppendLine("ab");
  memo_.AppendLine("cd");
  Document().SetSelection(4, 6);  // "cd", after one CR LF: characters 3 to 5
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&View());
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->role(), QAccessible::EditableText);
  EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty());
  EXPECT_TRUE(accessible->state().editable);
  QAccessibleTextInterface* text = accessible->textInterface();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->characterCount(), 6);
  EXPECT_EQ(text->text(0, 6), "ab\ncd\n");
  int start = -1;
  int end = -1;
  text->selection(0, &start, &end);
  EXPECT_EQ(start, 3);
  EXPECT_EQ(end, 5);
  EXPECT_EQ(text->cursorPosition(), 5);
  EXPECT_EQ(text->textAtOffset(4, QAccessible::LineBoundary, &start, &end).trimmed(), "cd");
  EXPECT_EQ(start, 3);
  accessible->editableTextInterface()->insertText(2, "!");
  EXPECT_EQ(memo_.Text(), "ab!\r\ncd\r\n");
}

}  // namespace
}  // namespace corvane
