#include "app/application.h"

#include <gtest/gtest.h>

#include <QFile>
#include <cstdlib>

#include "app/locale_settings.h"
#include "runtime/number_format_settings.h"

namespace corvane {
namespace {

class LocaleTest : public ::testing::Test {
 protected:
  void TearDown() override {
    unsetenv("LC_ALL");
    setenv("LC_ALL", "C.UTF-8", 1);
    SetDecimalMark('.');
    SetThousandsMark(',');
  }
};

TEST_F(LocaleTest, TakesSingleByteSeparatorsAndKeepsDefaultsOtherwise) {
  const TNumberMarks c = NumberMarksOfLocale("C");
  EXPECT_EQ(c.decimal_mark, '.');
  EXPECT_EQ(c.thousands_mark, ',');  // "C" has no grouping separator: the default stays

  const TNumberMarks german = NumberMarksOfLocale("de_DE.UTF-8");
  EXPECT_EQ(german.decimal_mark, ',');
  EXPECT_EQ(german.thousands_mark, '.');

  const TNumberMarks french = NumberMarksOfLocale("fr_FR.UTF-8");  // grouping: a 3-byte narrow space
  EXPECT_EQ(french.decimal_mark, ',');
  EXPECT_EQ(french.thousands_mark, ',');

  const TNumberMarks missing = NumberMarksOfLocale("xx_NOWHERE.UTF-8");
  EXPECT_EQ(missing.decimal_mark, '.');
  EXPECT_EQ(missing.thousands_mark, ',');
}

TEST_F(LocaleTest, LoadingReadsTheEnvironmentAtEachCall) {
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  LoadNumberFormatSettings();
  EXPECT_EQ(DecimalMark(), ',');
  EXPECT_EQ(ThousandsMark(), '.');
  setenv("LC_ALL", "fr_FR.UTF-8", 1);
  LoadNumberFormatSettings();
  EXPECT_EQ(DecimalMark(), ',');
  EXPECT_EQ(ThousandsMark(), ',');
  setenv("LC_ALL", "en_US.UTF-8", 1);
  LoadNumberFormatSettings();
  EXPECT_EQ(DecimalMark(), '.');
}

// The entry names the window class the platform sees and the name the program gives itself.
TEST(DesktopEntryTest, TheEntryMatchesTheProgramsDesktopNameAndWindowClass) {
  QFile entry(QStringLiteral(CORVANE_DATA_DIR "/%1.desktop").arg(kDesktopEntryName));
  ASSERT_TRUE(entry.open(QIODevice::ReadOnly | QIODevice::Text)) << entry.fileName().toStdString();
  const QString text = QString::fromUtf8(entry.readAll());
  EXPECT_TRUE(text.contains(QStringLiteral("\nStartupWMClass=%1\n").arg(kDesktopEntryName)));
  EXPECT_TRUE(text.contains(QStringLiteral("\nExec=%1\n").arg(kDesktopEntryName)))
      << "the executable's name is the window class";
  EXPECT_TRUE(text.contains(QStringLiteral("\nIcon=%1\n").arg(kDesktopEntryName)));
}

}  // namespace
}  // namespace corvane
