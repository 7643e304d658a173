#include "mainwindow/main_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <string>
#include <utility>
#include <vector>

#include "chart/chart.h"
#include "chart/line_series.h"
#include "dialogs/error_report.h"
#include "dialogs/notice_sink.h"
#include "form_support.h"
#include "memo/data_memo.h"
#include "memo/memo_view.h"
#include "runtime/number_format_settings.h"

namespace corvane {
namespace {

class MainFormTest : public FormFixture {
 protected:
  // A press as the user makes it: through the button, so an error reaches the report.
  static void Press(TForm1& form) { form.ButtonBegin->click(); }

  static void ExpectRange(const TChartAxis& axis, double minimum, double maximum) {
    EXPECT_EQ(axis.Minimum(), minimum);
    EXPECT_EQ(axis.Maximum(), maximum);
  }
};

TEST_F(MainFormTest, BeforeTheFirstPressTheLayoutStateHolds) {
  auto form = MakeForm();
  EXPECT_EQ(form->windowTitle(), "Form1");
  EXPECT_EQ(form->MemoData->Text(), "MemoData\r\n");
  EXPECT_EQ(form->MemoData->LineCount(), 1);
  EXPECT_TRUE(form->CheckBox1->isChecked());
  EXPECT_TRUE(form->MemoData->Visible());
  EXPECT_EQ(form->ReactionNumber, 1);
  EXPECT_EQ(form->Parameters().a1, 1.0);
  EXPECT_EQ(form->Parameters().A, 0.0);
  ExpectRange(form->Chart2->BottomAxis(), 0, 26);
  ExpectRange(form->Chart2->LeftAxis(), 0, 25);
  ExpectRange(form->Chart1->BottomAxis(), 0, 25);
  EXPECT_TRUE(form->Chart1->LeftAxis().AutomaticMaximum());
  EXPECT_FALSE(form->Chart1->LeftAxis().AutomaticMinimum());
  EXPECT_EQ(form->Chart1->SeriesList().Count(), 2);
  EXPECT_EQ(form->Chart2->SeriesList().Count(), 2);
  EXPECT_EQ(form->Series2->Pointer().HorizSize(), 3);
  EXPECT_EQ(form->Series3->Pointer().Style(), psDownTriangle);
  EXPECT_FALSE(form->Series1->Pointer().Visible());
  EXPECT_FALSE(form->Chart1->Legend().Visible());
  EXPECT_FALSE(form->Chart1->View3D());
}

TEST_F(MainFormTest, TabRunsThroughTheFocusableControlsInLayoutOrder) {
  auto form = MakeForm();
  const std::vector<QWidget*> expected = {form->ButtonBegin, form->MemoData->Widget(),
                                          form->EditAcrit,   form->EditA1,
                                          form->EditA0,      form->EditC1,
                                          form->EditC0,      form->EditY0,
                                          form->BitBtn1,     form->CheckBox1};
  std::vector<QWidget*> order;
  QWidget* w = form->ButtonBegin;
  do {
    if (w->focusPolicy() & Qt::TabFocus)
      order.push_back(w);
    w = w->nextInFocusChain();
  } while (w != form->ButtonBegin && order.size() < 20);
  EXPECT_EQ(order, expected);
}

TEST_F(MainFormTest, FirstPressSetsTheAxesAndRecordsReactionOne) {
  auto form = MakeForm();
  Press(*form);
  EXPECT_TRUE(notices.texts.empty());
  EXPECT_TRUE(reports.empty());
  ExpectRange(form->Chart1->BottomAxis(), 0, 20);
  EXPECT_EQ(form->Chart1->LeftAxis().Minimum(), 0);
  ExpectRange(form->Chart2->BottomAxis(), 0, 50);
  ExpectRange(form->Chart2->LeftAxis(), 0, 20);

  const TLineSeries& path = *form->Series1;
  ASSERT_GE(path.PointCount(), 3);
  EXPECT_EQ(path.XValueAt(0), 0);
  EXPECT_EQ(path.YValueAt(0), 5);  // the first reaction of a series starts from y0
  const double rt = path.XValueAt(path.PointCount() - 1);
  EXPECT_EQ(form->MemoData->LineCount(), path.PointCount() - 2);  // 2n - 1 lines for 1 + 2n points

  ASSERT_EQ(form->Series2->PointCount(), 1);
  EXPECT_EQ(form->Series2->XValueAt(0), 1);
  EXPECT_EQ(form->Series2->YValueAt(0), rt);
  EXPECT_EQ(form->Series2->PointColor(0), clBlue);
  ASSERT_EQ(form->Series3->PointCount(), 1);
  EXPECT_EQ(form->Series3->XValueAt(0), rt);
  EXPECT_EQ(form->Series3->YValueAt(0), 0);
  ASSERT_EQ(form->Series4->PointCount(), 1);
  EXPECT_EQ(form->Series4->XValueAt(0), 1);
  EXPECT_EQ(form->Series4->YValueAt(0), 10);
  EXPECT_EQ(form->ReactionNumber, 2);
  // The view shows what the program wrote, once the press is over, its newest line in sight.
  TMemoView& view = *form->MemoData->Widget();
  EXPECT_EQ(view.verticalScrollBar()->maximum(),
            std::max(0, form->MemoData->LineCount() + 1 - view.FullyVisibleLines()));
}

TEST_F(MainFormTest, LaterPressesContinueTheSeriesAndFollowChangedParameters) {
  auto form = MakeForm();
  Press(*form);
  const double carried = form->Simulator().CarriedY();
  Press(*form);
  EXPECT_EQ(form->Series1->YValueAt(0), carried);  // starts where the first reaction ended
  EXPECT_EQ(form->Series2->PointCount(), 2);
  EXPECT_EQ(form->Series2->XValueAt(1), 2);
  EXPECT_EQ(form->Series3->PointCount(), 1);

  form->EditAcrit->setText("10");
  Press(*form);
  ExpectRange(form->Chart1->BottomAxis(), 0, 40);
  ExpectRange(form->Chart2->LeftAxis(), 0, 40);
  ASSERT_EQ(form->Series4->PointCount(), 3);
  EXPECT_EQ(form->Series4->XValueAt(2), 3);
  EXPECT_EQ(form->Series4->YValueAt(2), 20);
  EXPECT_EQ(form->ReactionNumber, 4);
}

TEST_F(MainFormTest, ANewSeriesRestartsTheReactionTimeChartFromY0) {
  auto form = MakeForm();
  Press(*form);
  Press(*form);
  form->BitBtn1->click();
  EXPECT_EQ(form->ReactionNumber, 1);
  EXPECT_EQ(form->Series2->PointCount(), 0);
  EXPECT_EQ(form->Series4->PointCount(), 0);
  EXPECT_GT(form->Series1->PointCount(), 0);  // the latest reaction stays in view
  Press(*form);
  ASSERT_EQ(form->Series2->PointCount(), 1);
  EXPECT_EQ(form->Series2->XValueAt(0), 1);
  EXPECT_EQ(form->Series1->YValueAt(0), 5);
}

TEST_F(MainFormTest, ARejectedPressClearsTheReactionAndRecordsNothing) {
  auto form = MakeForm();
  form->EditAcrit->setText("");
  Press(*form);
  EXPECT_EQ(notices.texts, (std::vector<std::string>{"Ongeldige waarde: ", "A less then or equal to 0"}));
  EXPECT_EQ(form->MemoData->LineCount(), 0);
  EXPECT_EQ(form->Series1->PointCount(), 0);
  EXPECT_EQ(form->Series3->PointCount(), 0);
  ExpectRange(form->Chart2->BottomAxis(), 0, 26);
  EXPECT_EQ(form->ReactionNumber, 1);

  form->EditAcrit->setText("5");
  Press(*form);
  EXPECT_EQ(form->Series2->XValueAt(0), 1);
  EXPECT_EQ(form->Series1->YValueAt(0), 5);
}

TEST_F(MainFormTest, AnOverflowingFieldEndsThePressBeforeAnyAxisChange) {
  auto form = MakeForm();
  form->EditA0->setText("1e400");
  Press(*form);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0], (std::pair<std::string, std::string>{"corvane", "Floating point overflow."}));
  EXPECT_TRUE(notices.texts.empty());
  ExpectRange(form->Chart1->BottomAxis(), 0, 25);
  EXPECT_EQ(form->Series2->PointCount(), 0);
  EXPECT_EQ(form->ReactionNumber, 1);
}

TEST_F(MainFormTest, ADivisionByZeroInsideAReactionIsReportedAndTheWindowStaysUsable) {
  // Work draw 0.5, then a distraction draw of exactly 0: no finite logarithm.
  auto form = MakeForm(Draws({0.5L, 0.0L, 0.25L}));
  Press(*form);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].first, "corvane");
  EXPECT_EQ(reports[0].second, "Floating point division by zero.");
  EXPECT_EQ(form->Series1->PointCount(), 2);  // (0, y0) and the first work period stay
  EXPECT_EQ(form->MemoData->LineCount(), 1);
  EXPECT_EQ(form->Series2->PointCount(), 0);
  EXPECT_EQ(form->ReactionNumber, 1);
  EXPECT_EQ(form->MemoData->Widget()->Document().Buffer().ShownLine(0).substr(0, 2), "N=");  // the kept line
  EXPECT_TRUE(form->ButtonBegin->isEnabled());
}

TEST_F(MainFormTest, ThePointerIsBusyDuringAPressAndRestoredWhenItFails) {
  // Work draw 0.5, then a distraction draw of exactly 0: the reaction fails inside.
  std::vector<Qt::CursorShape> during;
  std::vector<long double> draws = {0.5L, 0.0L};
  auto form = MakeForm([&, i = std::size_t{0}]() mutable {
    const QCursor* cursor = QApplication::overrideCursor();
    during.push_back(cursor ? cursor->shape() : Qt::ArrowCursor);
    return draws[std::min(i++, draws.size() - 1)];
  });
  Press(*form);
  ASSERT_EQ(reports.size(), 1u);
  ASSERT_FALSE(during.empty());
  EXPECT_EQ(during.front(), Qt::WaitCursor);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  form->EditAcrit->setText("");  // a rejected press shows its messages with the ordinary pointer
  Press(*form);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(MainFormTest, TabFromTheMemoReachesTheFirstFieldWithoutTypingIntoIt) {
  auto form = MakeForm();
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  form->MemoData->Widget()->setFocus();
  QTest::keyClick(form->MemoData->Widget(), Qt::Key_Tab);
  EXPECT_TRUE(form->EditAcrit->hasFocus());
  EXPECT_EQ(form->MemoData->Text(), "MemoData\r\n");
  QTest::keyClick(form->EditAcrit, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(form->MemoData->Widget()->hasFocus());
}

TEST_F(MainFormTest, TheMemoKeepsReceivingLinesWhileHidden) {
  auto form = MakeForm();
  form->CheckBox1->click();
  EXPECT_FALSE(form->MemoData->Visible());
  Press(*form);
  const std::string text = form->MemoData->Text();
  EXPECT_EQ(form->MemoData->LineCount(), form->Series1->PointCount() - 2);
  form->CheckBox1->click();
  EXPECT_TRUE(form->MemoData->Visible());
  EXPECT_EQ(form->MemoData->Text(), text);
}

TEST_F(MainFormTest, LogLinesAndFieldsFollowTheDecimalMarkInForceAtEachPress) {
  auto form = MakeForm();
  {
    TScopedNumberFormat comma(',', '.');
    Press(*form);  // "0.5" does not convert under a comma mark
    EXPECT_EQ(notices.texts,
              (std::vector<std::string>{"Ongeldige waarde: 0.5", "C1 less then or equal to 0",
                                        "Ongeldige waarde: 0.5", "C0 less then or equal to 0"}));
    form->EditC1->setText("0,5");
    form->EditC0->setText("0,5");
    Press(*form);
    EXPECT_NE(form->MemoData->Text().find("Y-Begin=5,000"), std::string::npos);
  }
  Press(*form);  // the marks changed while running: the next line uses the new one
  EXPECT_EQ(notices.texts.size(), 4u + 2u);  // "0,5" no longer converts under "."
}

// Return in any of the six fields is one press of "Start Reaction Time": the same reaction, or the
// same messages, as the button gives.
TEST_F(MainFormTest, ReturnInAParameterFieldPressesTheStartButton) {
  auto pressed = MakeForm(SeededSource(11));
  auto returned = MakeForm(SeededSource(11));
  QLineEdit* TForm1::*const fields[] = {&TForm1::EditAcrit, &TForm1::EditA1, &TForm1::EditA0,
                                        &TForm1::EditC1,    &TForm1::EditC0, &TForm1::EditY0};
  int expected_number = 1;
  for (QLineEdit* TForm1::*field : fields) {
    Press(*pressed);
    QTest::keyClick(returned.get()->*field, Qt::Key_Return);
    ++expected_number;
    ASSERT_EQ(returned->ReactionNumber, expected_number);
    EXPECT_EQ(returned->Series2->YValueAt(expected_number - 2),
              pressed->Series2->YValueAt(expected_number - 2));
    EXPECT_EQ(returned->MemoData->Text(), pressed->MemoData->Text());
  }
  EXPECT_TRUE(notices.texts.empty());

  // A rejected field: the press's messages, nothing recorded.
  returned->EditC0->setText("0");
  QTest::keyClick(returned->EditC0, Qt::Key_Enter);  // the keypad's Enter too
  EXPECT_EQ(notices.texts, (std::vector<std::string>{"C0 less then or equal to 0"}));
  EXPECT_EQ(returned->ReactionNumber, expected_number);
  EXPECT_EQ(returned->MemoData->LineCount(), 0);
}

}  // namespace
}  // namespace corvane
