#include "dialogs/box_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include "dialogs/box_decoration.h"
#include "dialogs/error_box.h"
#include "dialogs/message_dialog.h"

namespace corvane {
namespace {

const QMargins kTitledFrame(1, 20, 1, 1);  // left, top, right, bottom

TEST(BoxPlacementTest, CentresTheWholeFrameNotTheClient) {
  const QRect screen(0, 0, 1280, 1024);
  const QPoint frame = CentredFramePosition(screen, QSize(182, 85), kTitledFrame);
  EXPECT_EQ(frame, QPoint(548, 459));  // the 184x106 window: 640 - 92, 512 - 53
  EXPECT_EQ(frame + QPoint(kTitledFrame.left(), kTitledFrame.top()), QPoint(549, 479));
  // Centring the client alone would put the box 11 pixels low and 1 to the right.
  EXPECT_EQ(CentredFramePosition(screen, QSize(182, 85), QMargins()), QPoint(549, 470));
}

TEST(BoxPlacementTest, OddAndEvenWindowSizesRoundTowardZero) {
  const QRect screen(0, 0, 1280, 1024);
  // Window 185x107 (odd): 640 - 92, 512 - 53; window 186x108 (even): 640 - 93, 512 - 54.
  EXPECT_EQ(CentredFramePosition(screen, QSize(183, 86), kTitledFrame), QPoint(548, 459));
  EXPECT_EQ(CentredFramePosition(screen, QSize(184, 87), kTitledFrame), QPoint(547, 458));
  // An odd screen: 801 / 2 = 400.
  EXPECT_EQ(CentredFramePosition(QRect(0, 0, 801, 601), QSize(98, 79), kTitledFrame),
            QPoint(400 - 50, 300 - 50));
}

TEST(BoxPlacementTest, ScreensOfTwoSizesAndAScreenNotAtTheOrigin) {
  const QSize client(250, 120);
  const QMargins thick(4, 24, 4, 4);  // window 258x148
  EXPECT_EQ(CentredFramePosition(QRect(0, 0, 1024, 768), client, thick), QPoint(512 - 129, 384 - 74));
  EXPECT_EQ(CentredFramePosition(QRect(0, 0, 1920, 1080), client, thick), QPoint(960 - 129, 540 - 74));
  EXPECT_EQ(CentredFramePosition(QRect(1280, 0, 1920, 1080), client, thick),
            QPoint(1280 + 960 - 129, 540 - 74));
}

// The flags every fixed-size box carries: a title and a close button, no minimize or maximize.
void ExpectFixedBoxFlags(const QWidget& box) {
  const Qt::WindowFlags flags = box.windowFlags();
  EXPECT_EQ(box.windowType(), Qt::Dialog);
  EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint)) << "without it the platform adds its own buttons";
  EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowContextHelpButtonHint));
  EXPECT_EQ(box.minimumSize(), box.maximumSize()) << "not resizable";
}

// The shown box's whole window, by the frame extents the platform reports, sits centred.
void ExpectFrameCentred(const QWidget& box) {
  const QMargins frame = box.windowHandle()->frameMargins();
  EXPECT_EQ(box.geometry().topLeft() - QPoint(frame.left(), frame.top()),
            CentredFramePosition(QGuiApplication::primaryScreen()->geometry(), box.size(), frame));
}

// Runs `check` on the modal box once its loop is running, then closes it with Enter.
void WhileModal(std::function<void(QWidget&)> check) {
  QTimer::singleShot(0, [check] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      check(*modal);
      QTest::keyClick(modal, Qt::Key_Return);
    }
  });
}

TEST(BoxWindowTest, TheNoticeIsAFixedBoxWithoutMinimizeOrMaximize) {
  const auto form =
      CreateMessageDialog("Y0 less then or equal to 0", TMsgDlgType::mtCustom, {TMsgDlgBtn::mbOK});
  ExpectFixedBoxFlags(*form);
  bool shown = false;
  WhileModal([&](QWidget& box) {
    shown = true;
    ExpectFixedBoxFlags(box);
    ExpectFrameCentred(box);
  });
  form->exec();
  EXPECT_TRUE(shown);
}

TEST(BoxWindowTest, TheErrorReportIsAFixedCentredBoxWithAPlainOk) {
  QWidget owner;
  owner.setGeometry(10, 10, 300, 200);
  owner.show();
  TErrorBox report("corvane", "Floating point division by zero.", &owner);
  EXPECT_EQ(report.windowTitle(), "corvane");
  EXPECT_EQ(report.icon(), QMessageBox::Critical);
  EXPECT_EQ(report.windowModality(), Qt::ApplicationModal);
  bool shown = false;
  WhileModal([&](QWidget& box) {
    shown = true;
    ASSERT_EQ(&box, &report);
    ExpectFixedBoxFlags(box);
    EXPECT_EQ(box.windowModality(), Qt::ApplicationModal);
    const auto buttons = report.buttons();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0]->text(), "OK");
    EXPECT_TRUE(buttons[0]->icon().isNull());
    // On the screen's centre, not over its owner as a plain box would sit.
    ExpectFrameCentred(box);
  });
  EXPECT_EQ(report.exec(), QMessageBox::Ok);
  EXPECT_TRUE(shown);
}

// What Wayland compositors centre a box by: its window belongs to the program's window.
void ExpectOwnedAlert(QWidget& box, const QWidget& owner, const QString& text) {
  EXPECT_EQ(box.parentWidget(), &owner);
  ASSERT_NE(box.windowHandle(), nullptr);
  EXPECT_EQ(box.windowHandle()->transientParent(), owner.windowHandle());
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&box);
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->role(), QAccessible::AlertMessage);
  EXPECT_EQ(accessible->text(QAccessible::Name), box.windowTitle());
  EXPECT_EQ(accessible->text(QAccessible::Description), text);
}

TEST(BoxWindowTest, BoxesBelongToTheProgramsWindowAndAreAlerts) {
  QWidget window;
  window.setWindowTitle("Form1");
  window.setGeometry(10, 10, 300, 200);
  window.show();
  window.activateWindow();
  ASSERT_EQ(BoxOwner(), &window);

  bool notice_shown = false;
  WhileModal([&](QWidget& box) {
    notice_shown = true;
    ExpectOwnedAlert(box, window, "Y0 less then or equal to 0");
    ExpectFixedBoxFlags(box);
    ExpectFrameCentred(box);  // on X11 the box still places itself, as before it had an owner
  });
  ShowNotice("Y0 less then or equal to 0");
  EXPECT_TRUE(notice_shown);

  TErrorBox report("corvane", "Floating point overflow.", BoxOwner());
  bool report_shown = false;
  WhileModal([&](QWidget& box) {
    report_shown = true;
    ExpectOwnedAlert(box, window, "Floating point overflow.");
    ExpectFixedBoxFlags(box);
  });
  report.exec();
  EXPECT_TRUE(report_shown);
}

TEST(BoxWindowTest, WithoutAVisibleWindowABoxHasNoOwner) {
  EXPECT_EQ(BoxOwner(), nullptr);
  QWidget hidden;
  EXPECT_EQ(BoxOwner(), nullptr);
  QWidget window;
  window.show();
  EXPECT_EQ(BoxOwner(), &window);
}

// Where the program draws the boxes' title bar itself (Wayland), the box grows around an unchanged
// client, its title bar has a close button and nothing else, and the close button answers as Escape.
TEST(BoxDecorationTest, TheBoxGrowsAroundItsClientAndClosesLikeEscape) {
  EXPECT_FALSE(BoxesDrawOwnTitleBar()) << "offscreen, like X11, keeps the platform's frame";
  const auto plain =
      CreateMessageDialog("Y0 less then or equal to 0", TMsgDlgType::mtCustom, {TMsgDlgBtn::mbOK});
  const auto form =
      CreateMessageDialog("Y0 less then or equal to 0", TMsgDlgType::mtCustom, {TMsgDlgBtn::mbOK});
  DecorateBox(*form);
  const auto* decoration = form->findChild<TBoxDecoration*>();
  ASSERT_NE(decoration, nullptr);
  const QMargins margins = decoration->Margins();
  EXPECT_GT(margins.top(), form->fontMetrics().height()) << "the strip holds the title";
  EXPECT_EQ(form->size(), plain->size().grownBy(margins));
  EXPECT_EQ(form->minimumSize(), form->maximumSize());
  EXPECT_TRUE(form->windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_FALSE(form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  for (const char* name : {"Message", "OK"}) {
    const auto* before = plain->findChild<QWidget*>(name);
    const auto* after = form->findChild<QWidget*>(name);
    ASSERT_TRUE(before && after) << name;
    EXPECT_EQ(after->geometry(), before->geometry().translated(margins.left(), margins.top())) << name;
  }
  EXPECT_EQ(form->findChildren<QToolButton*>().size(), 1) << "close only";
  QWidget* ok = form->findChild<QWidget*>("OK");
  WhileModal([&](QWidget& box) {
    EXPECT_EQ(box.focusWidget(), ok) << "the title bar takes no focus";
    decoration->CloseButton().click();
  });
  EXPECT_EQ(form->exec(), mrOk);  // the notice's cancel result is its OK

  TErrorBox report("corvane", "Floating point overflow.", nullptr);
  DecorateBox(report);
  WhileModal([&](QWidget& box) {
    const QMargins around = report.findChild<TBoxDecoration*>()->Margins();
    EXPECT_GE(report.contentsMargins().top(), around.top());
    for (const QWidget* child : box.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (qobject_cast<const TBoxDecoration*>(child) == nullptr && child->isVisible()) {
        EXPECT_GE(child->y(), around.top()) << child->objectName().toStdString();
      }
  });
  EXPECT_EQ(report.exec(), QMessageBox::Ok);
}

}  // namespace
}  // namespace corvane
