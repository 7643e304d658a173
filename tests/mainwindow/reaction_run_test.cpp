#include "mainwindow/reaction_run.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "chart/chart.h"
#include "chart/line_series.h"
#include "form_support.h"
#include "mainwindow/main_form.h"
#include "memo/data_memo.h"

namespace corvane {
namespace {

using Points = std::vector<std::pair<double, double>>;

Points PointsOf(const TLineSeries& series) {
  Points points;
  for (int i = 0; i < series.PointCount(); ++i) points.emplace_back(series.XValueAt(i), series.YValueAt(i));
  return points;
}

void PostClick(QWidget* widget) {
  const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QCoreApplication::postEvent(
        widget, new QMouseEvent(type, at, widget->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier));
  }
}

void PostKey(QWidget* widget, Qt::Key key, const QString& text = {}) {
  QCoreApplication::postEvent(widget, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
  QCoreApplication::postEvent(widget, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text));
}

bool BusyPointerShown() {
  const QCursor* cursor = QApplication::overrideCursor();
  return cursor && cursor->shape() == Qt::WaitCursor;
}

// Notes how many reactions the reaction-time chart holds each time it is painted.
class PaintLog : public QObject {
 public:
  explicit PaintLog(TForm1& form) : form_(form) { form.Chart2->installEventFilter(this); }
  std::vector<int> counts;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint)
      counts.push_back(form_.Series2->PointCount());
    return false;
  }

 private:
  TForm1& form_;
};

class ReactionRunTest : public FormFixture {
 protected:
  // Sees the window and the index of a draw in the whole stream before it is made; may post
  // events, look at the window, or give a draw of its own instead.
  using DrawHook = std::function<std::optional<long double>(TForm1& form, std::size_t index)>;

  // A shown window drawing from SeededSource(7), every draw passing `hook` first.
  std::unique_ptr<TForm1> MakeShownForm(DrawHook hook = {}) {
    auto form =
        MakeForm([this, seeded = SeededSource(7), hook = std::move(hook), index = std::size_t{0}]() mutable {
          const long double draw = seeded();
          if (hook) {
            if (std::optional<long double> own = hook(*hooked_, index++))
              return *own;
          }
          return draw;
        });
    hooked_ = form.get();
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    return form;
  }

  static void ShiftClick(TForm1& form) {
    QTest::mouseClick(form.ButtonBegin, Qt::LeftButton, Qt::ShiftModifier);
  }

  TForm1* hooked_ = nullptr;
};

TEST_F(ReactionRunTest, ARunOfTenLeavesExactlyWhatTenClicksLeave) {
  auto clicked = MakeForm();
  for (int i = 0; i < 10; ++i) clicked->ButtonBegin->click();
  auto run = MakeShownForm();
  ShiftClick(*run);

  EXPECT_EQ(run->ReactionNumber, 11);
  EXPECT_EQ(run->ReactionNumber, clicked->ReactionNumber);
  EXPECT_EQ(PointsOf(*run->Series2), PointsOf(*clicked->Series2));
  EXPECT_EQ(PointsOf(*run->Series4), PointsOf(*clicked->Series4));
  EXPECT_EQ(PointsOf(*run->Series1), PointsOf(*clicked->Series1));
  EXPECT_EQ(PointsOf(*run->Series3), PointsOf(*clicked->Series3));
  EXPECT_EQ(run->MemoData->Text(), clicked->MemoData->Text());
  EXPECT_EQ(run->Simulator().CarriedY(), clicked->Simulator().CarriedY());
  EXPECT_TRUE(notices.texts.empty());
  EXPECT_TRUE(reports.empty());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ReactionRunTest, TheModifiersChooseOneTenOrFiftyAndAPlainClickStaysOnePress) {
  EXPECT_EQ(ReactionRunLength(Qt::NoModifier), 1);
  EXPECT_EQ(ReactionRunLength(Qt::ControlModifier), 1);
  EXPECT_EQ(ReactionRunLength(Qt::AltModifier), 1);
  EXPECT_EQ(ReactionRunLength(Qt::ShiftModifier), 10);
  EXPECT_EQ(ReactionRunLength(Qt::ShiftModifier | Qt::AltModifier), 10);
  EXPECT_EQ(ReactionRunLength(Qt::ShiftModifier | Qt::ControlModifier), 50);

  auto form = MakeShownForm();
  QTest::mouseClick(form->ButtonBegin, Qt::LeftButton);
  EXPECT_EQ(form->ReactionNumber, 2);
  QTest::keyClick(form->ButtonBegin, Qt::Key_Space, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_EQ(form->ReactionNumber, 52);
  QTest::keyClick(form->ButtonBegin, Qt::Key_Space, Qt::ShiftModifier);
  EXPECT_EQ(form->ReactionNumber, 62);
  QTest::mouseClick(form->ButtonBegin, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_EQ(form->ReactionNumber, 112);
  form->ButtonBegin->click();  // a click from the program after a run is one press
  QTest::mouseClick(form->ButtonBegin, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(form->ReactionNumber, 114);
  EXPECT_EQ(form->Series2->PointCount(), 113);

  // The plain click is the very press a click from the program makes.
  auto pressed = MakeForm();
  for (int i = 0; i < 113; ++i) pressed->ButtonBegin->click();
  EXPECT_EQ(PointsOf(*form->Series2), PointsOf(*pressed->Series2));

  const QString hint = form->ButtonBegin->toolTip();
  EXPECT_TRUE(hint.contains("Shift+click")) << hint.toStdString();
  EXPECT_TRUE(hint.contains("Ctrl+Shift+click")) << hint.toStdString();
}

TEST_F(ReactionRunTest, TheWindowIsPaintedAfterEveryReactionUnderTheBusyPointer) {
  std::vector<bool> busy_while_drawing;
  auto form = MakeShownForm([&](TForm1&, std::size_t) {
    busy_while_drawing.push_back(BusyPointerShown());
    return std::nullopt;
  });
  PaintLog paints(*form);
  ShiftClick(*form);
  ASSERT_EQ(form->ReactionNumber, 11);
  for (int reactions = 1; reactions <= 10; ++reactions) {
    EXPECT_NE(std::find(paints.counts.begin(), paints.counts.end(), reactions), paints.counts.end())
        << "never painted with " << reactions << " reactions";
  }
  ASSERT_FALSE(busy_while_drawing.empty());
  EXPECT_EQ(std::count(busy_while_drawing.begin(), busy_while_drawing.end(), false), 0);
  EXPECT_FALSE(BusyPointerShown());
}

TEST_F(ReactionRunTest, EscapeOrAClickOnTheButtonStopsTheRunAfterTheCurrentReaction) {
  bool posted = false;
  auto form = MakeShownForm([&](TForm1& f, std::size_t) {
    if (f.ReactionNumber == 3 && !posted) {
      PostKey(f.EditAcrit, Qt::Key_Escape);  // Escape stops from any control of the window
      posted = true;
    }
    return std::nullopt;
  });
  ShiftClick(*form);
  EXPECT_EQ(form->ReactionNumber, 4);  // the third reaction completes, no fourth begins
  EXPECT_EQ(form->Series2->PointCount(), 3);
  EXPECT_EQ(form->Series3->PointCount(), 1);

  posted = false;
  auto clicked = MakeShownForm([&](TForm1& f, std::size_t) {
    if (f.ReactionNumber == 2 && !posted) {
      PostClick(f.ButtonBegin);
      posted = true;
    }
    return std::nullopt;
  });
  QTest::mouseClick(clicked->ButtonBegin, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
  QCoreApplication::processEvents();
  EXPECT_EQ(clicked->ReactionNumber, 3);  // and the stopping click starts no press of its own
  EXPECT_FALSE(BusyPointerShown());

  // A click that reaches the button past the gate (as an assistive tool's press does) stops the
  // run too, instead of pressing inside it.
  posted = false;
  auto assisted = MakeShownForm([&](TForm1& f, std::size_t) {
    if (f.ReactionNumber == 2 && !posted) {
      QMetaObject::invokeMethod(f.ButtonBegin, &QPushButton::click, Qt::QueuedConnection);
      posted = true;
    }
    return std::nullopt;
  });
  ShiftClick(*assisted);
  QCoreApplication::processEvents();
  EXPECT_EQ(assisted->ReactionNumber, 3);
  EXPECT_EQ(assisted->Series2->PointCount(), 2);
}

TEST_F(ReactionRunTest, NoOtherInputReachesTheWindowDuringARun) {
  bool posted = false;
  auto form = MakeShownForm([&](TForm1& f, std::size_t) {
    if (f.ReactionNumber == 2 && !posted) {
      PostClick(f.BitBtn1);  // "Begin new RT series"
      PostClick(f.CheckBox1);
      PostKey(f.EditAcrit, Qt::Key_9, "9");
      posted = true;
    }
    return std::nullopt;
  });
  ShiftClick(*form);
  EXPECT_EQ(form->ReactionNumber, 11);
  EXPECT_EQ(form->Series2->PointCount(), 10);
  EXPECT_TRUE(form->CheckBox1->isChecked());
  EXPECT_EQ(form->EditAcrit->text(), "5");

  // The same input after the run reaches the window.
  PostClick(form->BitBtn1);
  QCoreApplication::processEvents();
  EXPECT_EQ(form->ReactionNumber, 1);
  EXPECT_EQ(form->Series2->PointCount(), 0);
}

TEST_F(ReactionRunTest, RejectedParametersEndTheRunWithTheirMessagesShownOnce) {
  auto form = MakeShownForm();
  form->EditAcrit->setText("");
  ShiftClick(*form);
  EXPECT_EQ(notices.texts, (std::vector<std::string>{"Ongeldige waarde: ", "A less then or equal to 0"}));
  EXPECT_EQ(form->ReactionNumber, 1);
  EXPECT_EQ(form->Series2->PointCount(), 0);
  EXPECT_FALSE(BusyPointerShown());

  // With reactions recorded before, the run stops at once and keeps them.
  form->EditAcrit->setText("5");
  ShiftClick(*form);
  form->EditC0->setText("-1");
  notices.texts.clear();
  QTest::mouseClick(form->ButtonBegin, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_EQ(notices.texts, (std::vector<std::string>{"C0 less then or equal to 0"}));
  EXPECT_EQ(form->ReactionNumber, 11);
  EXPECT_EQ(form->Series2->PointCount(), 10);

  // A field that does not convert keeps its last value, so the press still records a reaction;
  // the run stops there rather than repeating the message for every reaction.
  form->EditC0->setText("0.5");
  form->EditA0->setText("one");
  notices.texts.clear();
  ShiftClick(*form);
  EXPECT_EQ(notices.texts, (std::vector<std::string>{"Ongeldige waarde: one"}));
  EXPECT_EQ(form->ReactionNumber, 12);
  EXPECT_EQ(&form->Notices(), &notices);  // the run's own sink is gone with it
}

TEST_F(ReactionRunTest, AnErrorInTheMiddleIsReportedOnceAndTheEarlierReactionsStay) {
  // Every reaction draws in pairs, so odd indices are distraction draws: the first of the third
  // reaction is exactly 0, which has no finite logarithm.
  auto form = MakeShownForm([](TForm1& f, std::size_t index) -> std::optional<long double> {
    if (f.ReactionNumber == 3 && index % 2 == 1)
      return 0.0L;
    return std::nullopt;
  });
  auto pressed = MakeForm();
  pressed->ButtonBegin->click();
  pressed->ButtonBegin->click();

  ShiftClick(*form);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0], (std::pair<std::string, std::string>{"corvane", "Floating point division by zero."}));
  EXPECT_EQ(form->ReactionNumber, 3);
  EXPECT_EQ(PointsOf(*form->Series2), PointsOf(*pressed->Series2));
  EXPECT_EQ(form->Series1->PointCount(), 2);  // the broken reaction's start and first work period
  EXPECT_EQ(form->MemoData->LineCount(), 1);
  EXPECT_FALSE(BusyPointerShown());

  // The gate went with the run: the window takes input again.
  PostClick(form->BitBtn1);
  QCoreApplication::processEvents();
  EXPECT_EQ(form->ReactionNumber, 1);
}

}  // namespace
}  // namespace corvane
