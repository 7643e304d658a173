#include "dialogs/message_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>

#include "dialogs/app_title.h"

namespace corvane {
namespace {

TEST(MessageLayoutTest, MulDivRoundsHalvesAwayFromZero) {
  EXPECT_EQ(MulDiv(10, 5, 4), 13);  // 12.5
  EXPECT_EQ(MulDiv(10, 6, 4), 15);
  EXPECT_EQ(MulDiv(14, 13, 8), 23);  // 22.75
  EXPECT_EQ(MulDiv(10, 13, 8), 16);  // 16.25
  EXPECT_EQ(MulDiv(-10, 5, 4), -13);
  EXPECT_EQ(MulDiv(10, 5, -4), -13);
  EXPECT_EQ(MulDiv(1 << 30, 4, 8), 1 << 29);  // the product needs more than 32 bits
  EXPECT_EQ(MulDiv(3, 4, 0), -1);
}

TEST(MessageLayoutTest, SpacingScalesTheUnitSizes) {
  const TMessageSpacing s = MessageSpacing(6, 13);
  EXPECT_EQ(s.horizontal_margin, 12);
  EXPECT_EQ(s.vertical_margin, 13);
  EXPECT_EQ(s.horizontal_spacing, 15);
  EXPECT_EQ(s.vertical_spacing, 16);
  EXPECT_EQ(s.button_width, 75);
  EXPECT_EQ(s.button_height, 23);
  EXPECT_EQ(s.button_gap, 6);
}

TEST(MessageLayoutTest, ShortTextWithOneButtonIsAsWideAsTheButtonAndBothMargins) {
  const TMessageLayout layout = LayoutMessage(MessageSpacing(6, 13), QSize(40, 13), false, 1);
  EXPECT_EQ(layout.client, QSize(75 + 2 * 12, 13 + 23 + 16 + 2 * 13));
  EXPECT_EQ(layout.text, QRect(12, 13, 40, 13));
  EXPECT_TRUE(layout.icon.isNull());
  ASSERT_EQ(layout.buttons.size(), 1u);
  EXPECT_EQ(layout.buttons[0], QRect(12, 13 + 13 + 16, 75, 23));
}

TEST(MessageLayoutTest, IconWidensTheBlockAndButtonsAreCentredWithGaps) {
  const TMessageLayout layout = LayoutMessage(MessageSpacing(6, 13), QSize(300, 13), true, 2);
  const int block_width = 300 + 32 + 15;
  EXPECT_EQ(layout.client, QSize(block_width + 24, 32 + 23 + 16 + 26));
  EXPECT_EQ(layout.icon, QRect(12, 13, 32, 32));
  EXPECT_EQ(layout.text, QRect(12 + 47, 13, 300, 13));
  ASSERT_EQ(layout.buttons.size(), 2u);
  const int left = (block_width + 24 - (2 * 75 + 6)) / 2;  // 107, rounded toward zero
  EXPECT_EQ(layout.buttons[0], QRect(left, 32 + 13 + 16, 75, 23));
  EXPECT_EQ(layout.buttons[1], QRect(left + 81, 32 + 13 + 16, 75, 23));
}

TEST(MessageLayoutTest, CentringIncludesTheFrameAndRoundsTowardZero) {
  EXPECT_EQ(CenteredOnScreen(QRect(0, 0, 1024, 768), QSize(99, 79)), QPoint(512 - 49, 384 - 39));
  EXPECT_EQ(CenteredOnScreen(QRect(100, 50, 801, 601), QSize(100, 100)),
            QPoint(100 + 400 - 50, 50 + 300 - 50));
}

class MessageDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_title_ = ApplicationTitle();
    SetApplicationTitle("Corvane");
  }
  void TearDown() override {
    SetApplicationTitle(saved_title_);
    EXPECT_EQ(OpenMessageForms(), 0);
  }

  static int OpenMessageForms() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
      count += qobject_cast<TMessageForm*>(widget) ? 1 : 0;
    return count;
  }
  static int HalfScreenWidth() { return QGuiApplication::primaryScreen()->geometry().width() / 2; }

  // Runs `action` on the modal dialog once its loop is running.
  static void WhenModal(std::function<void(QWidget&)> action) {
    QTimer::singleShot(0, [action] {
      if (QWidget* modal = QApplication::activeModalWidget())
        action(*modal);
    });
  }

  std::string saved_title_;
};

TEST_F(MessageDialogTest, NoticeHasTheMeasuredLayoutOneDefaultOkButtonAndTheTitle) {
  const auto form = CreateMessageDialog("x", TMsgDlgType::mtCustom, {TMsgDlgBtn::mbOK});
  const TMessageLayout& layout = form->Layout();
  const QFontMetrics metrics(form->font());
  EXPECT_EQ(
      layout.spacing.button_width,
      MulDiv(50, metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52, 4));
  EXPECT_EQ(layout.client.width(), layout.spacing.button_width + 2 * layout.spacing.horizontal_margin);
  EXPECT_EQ(form->size(), layout.client);
  EXPECT_EQ(form->minimumSize(), form->maximumSize());  // not resizable
  EXPECT_EQ(form->windowTitle(), "Corvane");
  EXPECT_EQ(form->objectName(), "TMessageForm");

  const auto* message = form->findChild<QLabel*>("Message");
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(message->text(), "x");
  EXPECT_EQ(message->geometry(), layout.text);
  EXPECT_EQ(form->findChild<QLabel*>("Image"), nullptr);

  const auto buttons = form->findChildren<QPushButton*>();
  ASSERT_EQ(buttons.size(), 1);
  EXPECT_EQ(buttons[0]->objectName(), "OK");
  EXPECT_EQ(buttons[0]->text(), "OK");
  EXPECT_TRUE(buttons[0]->isDefault());
  EXPECT_EQ(buttons[0]->geometry(), layout.buttons[0]);

  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(form->pos(), CenteredOnScreen(screen, form->frameGeometry().size()));
}

TEST_F(MessageDialogTest, LongTextWrapsAtHalfTheScreenAndGrowsInHeightNotWidth) {
  QString text;
  for (int i = 0; i < 40; ++i) text += "parameter ";
  const auto once = CreateMessageDialog(text, TMsgDlgType::mtCustom, {TMsgDlgBtn::mbOK});
  const auto twice = CreateMessageDialog(text + text, TMsgDlgType::mtCustom, {TMsgDlgBtn::mbOK});
  const int line_height = QFontMetrics(once->font()).height();
  const int margins = 2 * once->Layout().spacing.horizontal_margin;

  EXPECT_LE(once->Layout().text.width(), HalfScreenWidth());
  EXPECT_GT(once->Layout().text.width(),
            HalfScreenWidth() - QFontMetrics(once->font()).horizontalAdvance("parameter "));
  EXPECT_GE(once->Layout().text.height(), 2 * line_height);
  EXPECT_EQ(once->width(), once->Layout().text.width() + margins);
  EXPECT_EQ(twice->width(), once->width());
  EXPECT_GT(twice->height(), once->height() + line_height);
}

TEST_F(MessageDialogTest, EnterEscapeTheOkButtonAndTheCloseBoxAllAnswerOk) {
  const std::vector<std::function<void(QWidget&)>> ways = {
      [](QWidget& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); },
      [](QWidget& dialog) { QTest::keyClick(&dialog, Qt::Key_Return); },
      [](QWidget& dialog) { QTest::mouseClick(dialog.findChild<QPushButton*>("OK"), Qt::LeftButton); },
      [](QWidget& dialog) { dialog.close(); },
  };
  for (std::size_t i = 0; i < ways.size(); ++i) {
    const auto form = CreateMessageDialog("Ongeldige waarde: abc", TMsgDlgType::mtCustom, {TMsgDlgBtn::mbOK});
    WhenModal(ways[i]);
    EXPECT_EQ(form->exec(), mrOk) << "way " << i;
  }
}

TEST_F(MessageDialogTest, ShowNoticeRunsModallyAndLeavesNoWindowBehind) {
  QString seen;
  WhenModal([&seen](QWidget& dialog) {
    seen = dialog.findChild<QLabel*>("Message")->text();
    EXPECT_EQ(dialog.windowModality(), Qt::ApplicationModal);
    QTest::keyClick(&dialog, Qt::Key_Escape);
  });
  ShowNotice("A less then or equal to 0");
  EXPECT_EQ(seen, "A less then or equal to 0");
}

TEST_F(MessageDialogTest, GeneralDialogOrdersButtonsByTableAndPicksDefaultAndCancel) {
  const auto form = CreateMessageDialog("Sure?", TMsgDlgType::mtConfirmation,
                                        {TMsgDlgBtn::mbCancel, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbYes});
  EXPECT_EQ(form->windowTitle(), "Confirm");
  EXPECT_NE(form->findChild<QLabel*>("Image"), nullptr);
  EXPECT_EQ(form->findChild<QLabel*>("Message")->x(),
            form->Layout().spacing.horizontal_margin + 32 + form->Layout().spacing.horizontal_spacing);
  const auto* yes = form->findChild<QPushButton*>("Yes");
  const auto* no = form->findChild<QPushButton*>("No");
  const auto* cancel = form->findChild<QPushButton*>("Cancel");
  ASSERT_TRUE(yes && no && cancel);
  EXPECT_LT(yes->x(), no->x());
  EXPECT_LT(no->x(), cancel->x());
  EXPECT_EQ(yes->text(), "&Yes");
  EXPECT_TRUE(yes->isDefault());
  WhenModal([](QWidget& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
  EXPECT_EQ(form->exec(), mrCancel);
}

}  // namespace
}  // namespace corvane
