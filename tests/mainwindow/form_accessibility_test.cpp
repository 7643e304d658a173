// What assistive technology is told of the window, in process: the fields named by their labels
// and described by their help, the sentences under the charts, the charts as chart objects whose
// descriptions follow the presses, and the memo's change events while a press clears and refills
// it. tools/check-accessibility reads the same from outside over AT-SPI.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <regex>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "form_support.h"
#include "mainwindow/main_form.h"
#include "memo/data_memo.h"
#include "memo/memo_view.h"

namespace corvane {
namespace {

QString AccessibleText(QObject* object, QAccessible::Text kind) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
  return accessible ? accessible->text(kind) : QString("(none)");
}

class FormAccessibilityTest : public FormFixture {};

TEST_F(FormAccessibilityTest, EachFieldIsNamedByItsLabelAndDescribedByItsHelp) {
  const auto form = MakeForm();
  const struct {
    QLabel* label;
    QLineEdit* field;
    const char* name;
  } fields[] = {{form->Label1, form->EditAcrit, "A"}, {form->Label2, form->EditA1, "a1"},
                {form->Label3, form->EditA0, "a0"},   {form->Label4, form->EditC1, "c1"},
                {form->Label5, form->EditC0, "c0"},   {form->Label7, form->EditY0, "y0"}};
  for (const auto& f : fields) {
    EXPECT_EQ(f.label->buddy(), f.field) << f.name;
    EXPECT_EQ(AccessibleText(f.field, QAccessible::Name), f.name);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(f.field)->role(), QAccessible::EditableText) << f.name;
    const QString description = AccessibleText(f.field, QAccessible::Description);
    EXPECT_TRUE(description.startsWith(QString(f.name) + ": ")) << description.toStdString();
    EXPECT_EQ(description, f.field->toolTip()) << f.name;
  }
}

TEST_F(FormAccessibilityTest, TheSentencesUnderTheChartsAreHeardWhole) {
  const auto form = MakeForm();
  EXPECT_EQ(AccessibleText(form->Label9, QAccessible::Name), "Click again for new reaction time.");
  EXPECT_EQ(AccessibleText(form->Label10, QAccessible::Name), "Yellow triangle indicates the reaction time.");
  EXPECT_EQ(AccessibleText(form->ButtonBegin, QAccessible::Description),
            "Click again for new reaction time.");
  // What the window shows stays as it was.
  EXPECT_EQ(form->Label9->text(), "  <--- Click again for ");
  EXPECT_EQ(form->Label13->text(), "new reaction time.");
}

TEST_F(FormAccessibilityTest, ChartsAreChartObjectsDescribingWhatThePressesShowed) {
  const auto form = MakeForm();
  for (TChart* chart : {form->Chart1, form->Chart2})
    EXPECT_EQ(QAccessible::queryAccessibleInterface(chart)->role(), QAccessible::Chart);
  EXPECT_EQ(AccessibleText(form->Chart2, QAccessible::Name), "Reaction Time Plot");
  EXPECT_EQ(AccessibleText(form->Chart1, QAccessible::Name), "Inhibition Plot");
  EXPECT_EQ(AccessibleText(form->Chart2, QAccessible::Description), "No reactions yet");
  EXPECT_EQ(AccessibleText(form->Chart1, QAccessible::Description), "No reaction yet");

  form->ButtonBeginClick();
  form->ButtonBeginClick();
  const std::string number = "-?\\d+\\.\\d{3}";
  const std::string reaction = AccessibleText(form->Chart2, QAccessible::Description).toStdString();
  EXPECT_TRUE(
      std::regex_match(reaction, std::regex("2 reactions; last reaction time " + number + "; series mean " +
                                            number + "; stationary mean 10\\.000")))
      << reaction;
  const std::string inhibition = AccessibleText(form->Chart1, QAccessible::Description).toStdString();
  EXPECT_TRUE(std::regex_match(inhibition, std::regex("\\d+ periods?; reaction time " + number)))
      << inhibition;
  // The last reaction time is the one the marker shows.
  const std::string marked = form->Chart1->accessibleDescription().toStdString();
  EXPECT_NE(reaction.find("last reaction time " + marked.substr(marked.rfind(' ') + 1)), std::string::npos);

  form->BitBtn1Click();
  EXPECT_EQ(AccessibleText(form->Chart2, QAccessible::Description), "No reactions yet");
}

// The memo's change events, recorded.
struct TRecordedEvent {
  QAccessible::Event type;
  QObject* object;
  int position;
  QString text;
};
std::vector<TRecordedEvent>* recorded = nullptr;

void Record(QAccessibleEvent* event) {
  if (recorded == nullptr)
    return;
  TRecordedEvent e{event->type(), event->object(), -1, {}};
  if (event->type() == QAccessible::TextInserted) {
    const auto* insert = static_cast<QAccessibleTextInsertEvent*>(event);
    e.position = insert->changePosition();
    e.text = insert->textInserted();
  } else if (event->type() == QAccessible::TextRemoved) {
    const auto* remove = static_cast<QAccessibleTextRemoveEvent*>(event);
    e.position = remove->changePosition();
    e.text = remove->textRemoved();
  }
  recorded->push_back(e);
}

class ListeningAccessibilityTest : public FormFixture {
 protected:
  void SetUp() override { recorded = &events; }
  void TearDown() override { recorded = nullptr; }
  // The memo's events come here, as if assistive technology listened.
  static void Listen(TDataMemo& memo) {
    memo.SetChangeChannel({[] { return true; }, [](QAccessibleEvent& event) { Record(&event); }});
  }
  std::vector<TRecordedEvent> TextEvents(QObject* of) const {
    std::vector<TRecordedEvent> found;
    for (const TRecordedEvent& e : events)
      if (e.object == of && (e.type == QAccessible::TextInserted || e.type == QAccessible::TextRemoved))
        found.push_back(e);
    return found;
  }

  std::vector<TRecordedEvent> events;
};

TEST_F(ListeningAccessibilityTest, APressReportsTheOldLogRemovedAndTheNewOneInsertedWhole) {
  const auto form = MakeForm();
  Listen(*form->MemoData);
  TMemoView* view = form->MemoData->Widget();
  form->ButtonBeginClick();
  QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(view)->textInterface();
  const QString first = text->text(0, text->characterCount());
  events.clear();
  form->ButtonBeginClick();
  const std::vector<TRecordedEvent> changes = TextEvents(view);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].type, QAccessible::TextRemoved);
  EXPECT_EQ(changes[0].position, 0);
  EXPECT_EQ(changes[1].type, QAccessible::TextInserted);
  EXPECT_EQ(changes[1].position, 0);
  EXPECT_EQ(changes[0].text, first);
  EXPECT_EQ(changes[1].text, text->text(0, text->characterCount()));
  EXPECT_EQ(changes[1].text.count('\n'), form->MemoData->LineCount());  // each line ends in a break
}

TEST_F(ListeningAccessibilityTest, LinesAddedOneByOneGoAsOneInsertionAndALongTextInPieces) {
  TDataMemo memo(nullptr);
  Listen(memo);
  TMemoView* view = memo.Widget();
  memo.ClearLines();
  events.clear();
  const std::string line(1000, 'x');
  const int lines = 2 * TDataMemo::kMaxReportedCharacters / 1000 + 5;  // a little over two pieces
  for (int i = 0; i < lines; ++i) memo.AppendLine(line);
  EXPECT_TRUE(TextEvents(view).empty()) << "reported at the next sync, not per line";
  memo.Sync();
  std::vector<TRecordedEvent> changes = TextEvents(view);
  ASSERT_EQ(changes.size(), 3u);
  int expected_position = 0;
  for (const TRecordedEvent& e : changes) {
    EXPECT_EQ(e.type, QAccessible::TextInserted);
    EXPECT_EQ(e.position, expected_position);
    EXPECT_LE(e.text.size(), TDataMemo::kMaxReportedCharacters);
    expected_position += static_cast<int>(e.text.size());
  }
  const int total = QAccessible::queryAccessibleInterface(view)->textInterface()->characterCount();
  EXPECT_EQ(expected_position, total);

  events.clear();
  memo.Sync();
  EXPECT_TRUE(TextEvents(view).empty()) << "nothing new, nothing told";
  memo.ClearLines();
  changes = TextEvents(view);
  ASSERT_EQ(changes.size(), 3u);
  qsizetype removed = 0;
  for (const TRecordedEvent& e : changes) {
    EXPECT_EQ(e.type, QAccessible::TextRemoved);
    EXPECT_EQ(e.position, 0);
    removed += e.text.size();
  }
  EXPECT_EQ(removed, total);
}

TEST_F(ListeningAccessibilityTest, AnInsertionBeforeThePendingLinesReportsBothWhereTheyNowAre) {
  TDataMemo memo(nullptr);
  Listen(memo);
  TMemoView* view = memo.Widget();
  memo.ClearLines();
  memo.AppendLine("one");
  memo.Sync();
  events.clear();
  memo.AppendLine("three");
  memo.InsertLine(0, "zero");
  memo.Sync();
  const std::vector<TRecordedEvent> changes = TextEvents(view);
  ASSERT_EQ(changes.size(), 2u);
  QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(view)->textInterface();
  for (const TRecordedEvent& e : changes) {
    EXPECT_EQ(e.type, QAccessible::TextInserted);
    EXPECT_EQ(text->text(e.position, e.position + static_cast<int>(e.text.size())), e.text);
  }
  EXPECT_TRUE(changes[0].text.contains("three"));
  EXPECT_TRUE(changes[1].text.contains("zero"));
}

}  // namespace
}  // namespace corvane
