#include "mainwindow/parameter_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QWidget>
#include <string>
#include <vector>

#include "runtime/errors.h"
#include "runtime/number_format_settings.h"

namespace corvane {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class RecordingNoticeSink : public TNoticeSink {
 public:
  void ShowNotice(const std::string& text) override { notices.push_back(text); }
  std::vector<std::string> notices;
};

// The six fields with the layout's default texts, in a window that is never shown.
class ParameterReaderTest : public ::testing::Test {
 protected:
  ParameterReaderTest() {
    fields_ = {Field("5"), Field("1"), Field("1"), Field("0.5"), Field("0.5"), Field("5")};
    parameters_.a1 = 1.0;  // as the window's creation leaves it
  }

  QLineEdit* Field(const char* text) { return new QLineEdit(text, &window_); }
  bool Read() { return ReadParameters(fields_, parameters_, sink_); }
  QWidget* Focused() { return window_.focusWidget(); }

  ScopedNumberFormat full_stop_{'.', ','};
  QWidget window_;
  TParameterFields fields_;
  TParameterSet parameters_;
  RecordingNoticeSink sink_;
};

TEST_F(ParameterReaderTest, DefaultTextsAreAcceptedWithoutNotices) {
  EXPECT_TRUE(Read());
  EXPECT_THAT(sink_.notices, IsEmpty());
  EXPECT_EQ(parameters_.A, 5.0);
  EXPECT_EQ(parameters_.a1, 1.0);
  EXPECT_EQ(parameters_.a0, 1.0);
  EXPECT_EQ(parameters_.c1, 0.5);
  EXPECT_EQ(parameters_.c0, 0.5);
  EXPECT_EQ(parameters_.y0, 5.0);
}

TEST_F(ParameterReaderTest, EmptyAOnTheFirstPressGivesBothNoticesAndRejects) {
  fields_.EditAcrit->setText("");
  EXPECT_FALSE(Read());
  EXPECT_THAT(sink_.notices, ElementsAre("Ongeldige waarde: ", "A less then or equal to 0"));
  EXPECT_EQ(Focused(), fields_.EditAcrit);
  EXPECT_EQ(parameters_.A, 0.0);
}

TEST_F(ParameterReaderTest, ZeroOrNegativeY0GivesOnlyTheRangeNotice) {
  for (const char* text : {"0", "-3"}) {
    sink_.notices.clear();
    fields_.EditY0->setText(text);
    EXPECT_FALSE(Read()) << text;
    EXPECT_THAT(sink_.notices, ElementsAre("Y0 less then or equal to 0")) << text;
    EXPECT_EQ(Focused(), fields_.EditY0);
  }
}

TEST_F(ParameterReaderTest, UnreadableTextKeepsTheLastValueAndStillAccepts) {
  ASSERT_TRUE(Read());
  fields_.EditC1->setText("abc");
  EXPECT_TRUE(Read());
  EXPECT_THAT(sink_.notices, ElementsAre("Ongeldige waarde: abc"));
  EXPECT_EQ(Focused(), fields_.EditC1);
  EXPECT_EQ(parameters_.c1, 0.5);
}

TEST_F(ParameterReaderTest, UnreadableA1OnTheFirstPressKeepsTheValueFromWindowCreation) {
  fields_.EditA1->setText("abc");
  EXPECT_TRUE(Read());
  EXPECT_THAT(sink_.notices, ElementsAre("Ongeldige waarde: abc"));
  EXPECT_EQ(parameters_.a1, 1.0);
}

TEST_F(ParameterReaderTest, NoticesComeInFieldOrderAndFocusEndsOnTheLastOne) {
  fields_.EditAcrit->setText("0");
  fields_.EditY0->setText("-2");
  EXPECT_FALSE(Read());
  EXPECT_THAT(sink_.notices, ElementsAre("A less then or equal to 0", "Y0 less then or equal to 0"));
  EXPECT_EQ(Focused(), fields_.EditY0);
}

TEST_F(ParameterReaderTest, SixUnreadableFieldsNeverReadGiveTwelveNotices) {
  parameters_ = TParameterSet{};
  for (QLineEdit* edit :
       {fields_.EditAcrit, fields_.EditA1, fields_.EditA0, fields_.EditC1, fields_.EditC0, fields_.EditY0}) {
    edit->setText("x");
  }
  EXPECT_FALSE(Read());
  const std::string bad = "Ongeldige waarde: x";
  EXPECT_THAT(sink_.notices,
              ElementsAre(bad, "A less then or equal to 0", bad, "A1 less then or equal to 0", bad,
                          "A0 less then or equal to 0", bad, "C1 less then or equal to 0", bad,
                          "C0 less then or equal to 0", bad, "Y0 less then or equal to 0"));
  EXPECT_EQ(Focused(), fields_.EditY0);
}

TEST_F(ParameterReaderTest, ValueBeyondTheDoubleRangeThrowsOverflowAndLeavesTheRestUnread) {
  ASSERT_TRUE(Read());
  fields_.EditAcrit->setText("7");
  fields_.EditA0->setText("1e400");
  fields_.EditC1->setText("8");
  fields_.EditY0->setText("abc");
  try {
    Read();
    FAIL() << "no overflow";
  } catch (const EOverflow& error) {
    EXPECT_EQ(error.Message(), "Floating point overflow");
  }
  EXPECT_EQ(parameters_.A, 7.0);  // read before the overflow
  EXPECT_EQ(parameters_.a0, 1.0);
  EXPECT_EQ(parameters_.c1, 0.5);
  EXPECT_THAT(sink_.notices, IsEmpty());
}

TEST_F(ParameterReaderTest, UnderACommaDecimalMarkTheFullStopDefaultsAreRefused) {
  ScopedNumberFormat comma(',', '.');
  EXPECT_FALSE(Read());
  EXPECT_THAT(sink_.notices, ElementsAre("Ongeldige waarde: 0.5", "C1 less then or equal to 0",
                                         "Ongeldige waarde: 0.5", "C0 less then or equal to 0"));
  EXPECT_EQ(Focused(), fields_.EditC0);

  sink_.notices.clear();
  fields_.EditC1->setText("0,5");
  fields_.EditC0->setText("0,25");
  EXPECT_TRUE(Read());
  EXPECT_THAT(sink_.notices, IsEmpty());
  EXPECT_EQ(parameters_.c1, 0.5);
  EXPECT_EQ(parameters_.c0, 0.25);
}

TEST_F(ParameterReaderTest, CharactersBeyondEightBitsMakeTheTextUnreadableAndAreShownAsTyped) {
  ASSERT_TRUE(Read());
  fields_.EditA0->setText(QString::fromUtf8("2\xE2\x82\xAC"));  // "2" and the euro sign
  fields_.EditC0->setText(QString::fromUtf8("\xD9\xA5"));       // an Arabic-Indic five
  EXPECT_TRUE(Read());
  EXPECT_THAT(sink_.notices, ElementsAre("Ongeldige waarde: 2\xE2\x82\xAC", "Ongeldige waarde: \xD9\xA5"));
  EXPECT_EQ(parameters_.a0, 1.0);
  EXPECT_EQ(parameters_.c0, 0.5);
}

}  // namespace
}  // namespace corvane
