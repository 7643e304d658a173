#include "mainwindow/parameter_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QWidget>
#include <string>
#include <vector>

#include "runtime/errors.h"
#include "runtime/number_format_settings.h"
#include "support/expect_throw_msg.h"
#include "support/recording_sinks.h"

namespace corvane {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The six fields with the layout's default texts, in a window that is never shown, after the
// window's creation has set a1 from its field.
struct TParameterForm {
  TParameterForm() {
    fields = {Field("5"), Field("1"), Field("1"), Field("0.5"), Field("0.5"), Field("5")};
    parameters.a1 = 1.0;
  }
  QLineEdit* Field(const char* text) { return new QLineEdit(text, &window); }
  QLineEdit* Edit(int field) const {
    QLineEdit* const edits[] = {fields.EditAcrit, fields.EditA1, fields.EditA0,
                                fields.EditC1,    fields.EditC0, fields.EditY0};
    return edits[field];
  }
  bool Read() { return ReadParameters(fields, parameters, sink); }
  QWidget* Focused() const { return window.focusWidget(); }

  TScopedNumberFormat full_stop{'.', ','};
  QWidget window;
  TParameterFields fields;
  TParameterSet parameters;
  RecordingNotices sink;
};

class ParameterReaderTest : public ::testing::Test {
 protected:
  bool Read() { return form_.Read(); }
  QWidget* Focused() const { return form_.Focused(); }

  TParameterForm form_;
  TParameterFields& fields_ = form_.fields;
  TParameterSet& parameters_ = form_.parameters;
  RecordingNotices& sink_ = form_.sink;
};

TEST_F(ParameterReaderTest, DefaultTextsAreAcceptedWithoutNotices) {
  EXPECT_TRUE(Read());
  EXPECT_THAT(sink_.texts, IsEmpty());
  EXPECT_EQ(parameters_.A, 5.0);
  EXPECT_EQ(parameters_.a1, 1.0);
  EXPECT_EQ(parameters_.a0, 1.0);
  EXPECT_EQ(parameters_.c1, 0.5);
  EXPECT_EQ(parameters_.c0, 0.5);
  EXPECT_EQ(parameters_.y0, 5.0);
}

// One press on the fields of the first press (a1 = 1 from window creation, the rest 0).
struct TPressCase {
  const char* name;
  std::vector<std::pair<int, const char*>> texts;  // field number (0 to 5) and its text
  bool accepted;
  std::vector<std::string> notices;
  int focused;  // field number, or -1 when the focus does not move
};

TEST_F(ParameterReaderTest, FirstPressNoticesAcceptanceAndFocus) {
  const std::vector<TPressCase> cases = {
      {"empty A", {{0, ""}}, false, {"Ongeldige waarde: ", "A less then or equal to 0"}, 0},
      {"zero y0", {{5, "0"}}, false, {"Y0 less then or equal to 0"}, 5},
      {"negative y0", {{5, "-3"}}, false, {"Y0 less then or equal to 0"}, 5},
      {"a1 keeps its value from creation", {{1, "abc"}}, true, {"Ongeldige waarde: abc"}, 1},
      {"focus ends on the last field",
       {{0, "0"}, {5, "-2"}},
       false,
       {"A less then or equal to 0", "Y0 less then or equal to 0"},
       5},
  };
  for (const TPressCase& press : cases) {
    TParameterForm fresh;
    for (const auto& [field, text] : press.texts) fresh.Edit(field)->setText(text);
    EXPECT_EQ(fresh.Read(), press.accepted) << press.name;
    EXPECT_EQ(fresh.sink.texts, press.notices) << press.name;
    EXPECT_EQ(fresh.Focused(), press.focused < 0 ? nullptr : fresh.Edit(press.focused)) << press.name;
    EXPECT_EQ(fresh.parameters.a1, 1.0) << press.name;
  }
}

TEST_F(ParameterReaderTest, UnreadableTextKeepsTheLastValueAndStillAccepts) {
  ASSERT_TRUE(Read());
  fields_.EditC1->setText("abc");
  EXPECT_TRUE(Read());
  EXPECT_THAT(sink_.texts, ElementsAre("Ongeldige waarde: abc"));
  EXPECT_EQ(Focused(), fields_.EditC1);
  EXPECT_EQ(parameters_.c1, 0.5);
}

TEST_F(ParameterReaderTest, SixUnreadableFieldsNeverReadGiveTwelveNotices) {
  parameters_ = TParameterSet{};
  for (QLineEdit* edit :
       {fields_.EditAcrit, fields_.EditA1, fields_.EditA0, fields_.EditC1, fields_.EditC0, fields_.EditY0}) {
    edit->setText("x");
  }
  EXPECT_FALSE(Read());
  const std::string bad = "Ongeldige waarde: x";
  EXPECT_THAT(sink_.texts, ElementsAre(bad, "A less then or equal to 0", bad, "A1 less then or equal to 0",
                                       bad, "A0 less then or equal to 0", bad, "C1 less then or equal to 0",
                                       bad, "C0 less then or equal to 0", bad, "Y0 less then or equal to 0"));
  EXPECT_EQ(Focused(), fields_.EditY0);
}

TEST_F(ParameterReaderTest, ValueBeyondTheDoubleRangeThrowsOverflowAndLeavesTheRestUnread) {
  ASSERT_TRUE(Read());
  fields_.EditAcrit->setText("7");
  fields_.EditA0->setText("1e400");
  fields_.EditC1->setText("8");
  fields_.EditY0->setText("abc");
  EXPECT_THROW_MSG(Read(), EOverflow, "Floating point overflow");
  EXPECT_EQ(parameters_.A, 7.0);  // read before the overflow
  EXPECT_EQ(parameters_.a0, 1.0);
  EXPECT_EQ(parameters_.c1, 0.5);
  EXPECT_THAT(sink_.texts, IsEmpty());
}

TEST_F(ParameterReaderTest, UnderACommaDecimalMarkTheFullStopDefaultsAreRefused) {
  TScopedNumberFormat comma(',', '.');
  EXPECT_FALSE(Read());
  EXPECT_THAT(sink_.texts, ElementsAre("Ongeldige waarde: 0.5", "C1 less then or equal to 0",
                                       "Ongeldige waarde: 0.5", "C0 less then or equal to 0"));
  EXPECT_EQ(Focused(), fields_.EditC0);

  sink_.texts.clear();
  fields_.EditC1->setText("0,5");
  fields_.EditC0->setText("0,25");
  EXPECT_TRUE(Read());
  EXPECT_THAT(sink_.texts, IsEmpty());
  EXPECT_EQ(parameters_.c1, 0.5);
  EXPECT_EQ(parameters_.c0, 0.25);
}

TEST_F(ParameterReaderTest, CharactersBeyondEightBitsMakeTheTextUnreadableAndAreShownAsTyped) {
  ASSERT_TRUE(Read());
  fields_.EditA0->setText(QString::fromUtf8("2\xE2\x82\xAC"));  // "2" and the euro sign
  fields_.EditC0->setText(QString::fromUtf8("\xD9\xA5"));       // an Arabic-Indic five
  EXPECT_TRUE(Read());
  EXPECT_THAT(sink_.texts, ElementsAre("Ongeldige waarde: 2\xE2\x82\xAC", "Ongeldige waarde: \xD9\xA5"));
  EXPECT_EQ(parameters_.a0, 1.0);
  EXPECT_EQ(parameters_.c0, 0.5);
}

}  // namespace
}  // namespace corvane
