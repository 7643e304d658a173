#include "runtime/parse_float.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "runtime/errors.h"
#include "runtime/float_checks.h"
#include "runtime/number_format_settings.h"
#include "support/expect_throw_msg.h"

namespace corvane {
namespace {

using namespace std::string_literals;

long double Parsed(std::string_view text) {
  return ParseFloat(text);
}

// The rejection must be an EConvertError naming the whole text as passed.
void ExpectRejected(std::string_view text) {
  long double value = 0;
  EXPECT_FALSE(TryParseFloat(text, value)) << "'" << text << "'";
  try {
    ParseFloat(text);
    ADD_FAILURE() << "accepted '" << text << "'";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'" + std::string(text) + "' is not a valid floating point value");
    EXPECT_STREQ(e.ClassName(), "EConvertError");
  }
}

TEST(ParseFloatTest, AcceptsPlainSignedAndBlankPaddedNumbers) {
  TScopedNumberFormat format('.', ',');
  EXPECT_EQ(Parsed("  12.5  "), 12.5L);
  EXPECT_EQ(Parsed("-0.25"), -0.25L);
  EXPECT_EQ(Parsed("+3"), 3.0L);
  EXPECT_EQ(Parsed("0"), 0.0L);
  EXPECT_EQ(Parsed("007"), 7.0L);
  EXPECT_EQ(Parsed("18446744073709551615"), 18446744073709551615.0L);  // 2^64 - 1, still exact
}

TEST(ParseFloatTest, ExponentFormsAndMissingExponentDigits) {
  TScopedNumberFormat format('.', ',');
  const struct {
    const char* text;
    long double value;
  } cases[] =
      {
          {"1e3", 1000.0L},    {"1E+3", 1000.0L},
          {"1000e0", 1000.0L}, {"2.5e-3", 2.5L / 1000},  // one rounded division, as the scaling does
          {"1e", 1.0L},        {"1e+", 1.0L},
          {"1e-", 1.0L},       {"1e0499", 1e499L},
          {" 5e2 ", 500.0L},
      };
  for (const auto& c : cases) EXPECT_EQ(Parsed(c.text), c.value) << '"' << c.text << '"';
}

TEST(ParseFloatTest, DecimalMarkWithoutDigitsOnOneSide) {
  TScopedNumberFormat format('.', ',');
  EXPECT_EQ(Parsed("."), 0.0L);
  const long double negative_zero = Parsed("-.");
  EXPECT_EQ(negative_zero, 0.0L);
  EXPECT_TRUE(std::signbit(negative_zero));
  EXPECT_EQ(Parsed(".5"), 0.5L);
  EXPECT_EQ(Parsed("5."), 5.0L);
  EXPECT_EQ(Parsed(".e5"), 0.0L);
}

TEST(ParseFloatTest, RejectsMisshapenTextNamingTheWholeText) {
  TScopedNumberFormat format('.', ',');
  for (const char* text :
       {"",    "   ", "+",   "-",      "- 5",  "+-5",   "1,5", "1.2.3", "1e5x",  "0x10", "E5",
        "1 2", "\t1", "1\t", "1e5000", "1e 5", "5e+-1", "inf", "nan",   "1e2.5", "١"}) {
    ExpectRejected(text);
  }
}

TEST(ParseFloatTest, TextEndsAtTheFirstNulButTheMessageKeepsItAll) {
  TScopedNumberFormat format('.', ',');
  EXPECT_EQ(Parsed("12\0junk"s), 12.0L);
  EXPECT_EQ(Parsed("1.5 \0 9"s), 1.5L);
  ExpectRejected("\0001"s);
  EXPECT_THROW_MSG(ParseFloat("x\0y"s), EConvertError, "'x\0y' is not a valid floating point value"s);
}

TEST(ParseFloatTest, CommaDecimalMarkReplacesThePoint) {
  TScopedNumberFormat format(',', '.');
  EXPECT_EQ(Parsed("1,5"), 1.5L);
  EXPECT_EQ(Parsed("-,25e1"), -2.5L);
  ExpectRejected("1.5");
  ExpectRejected("1.000,5");  // the grouping mark is never accepted
}

TEST(ParseFloatTest, MarkIsReadAtEachCall) {
  {
    TScopedNumberFormat format(',', '.');
    EXPECT_EQ(Parsed("0,5"), 0.5L);
  }
  EXPECT_EQ(Parsed("0.5"), 0.5L);
}

TEST(ParseFloatTest, ANulDecimalMarkNeverMatchesTheEndOfText) {
  TScopedNumberFormat format('\0', ',');
  EXPECT_EQ(Parsed("15"), 15.0L);
  ExpectRejected("");
  ExpectRejected("1.5");
}

TEST(ParseFloatTest, OverflowRejectsButUnderflowGivesZeroOrDenormal) {
  TScopedNumberFormat format('.', ',');
  ExpectRejected("1e4999");
  ExpectRejected("-1e4933");
  ExpectRejected(std::string(4933, '9'));  // the digits alone exceed the extended range
  EXPECT_EQ(Parsed("1e-4999"), 0.0L);
  EXPECT_EQ(Parsed("1e4932"), 1e4932L);
  const long double denormal = Parsed("1e-4940");
  EXPECT_GT(denormal, 0.0L);
  EXPECT_EQ(std::fpclassify(denormal), FP_SUBNORMAL);
}

TEST(ParseFloatTest, LongFractionsScaleToTheirValueInsteadOfCollapsing) {
  TScopedNumberFormat format('.', ',');
  // 5102 fraction digits and "e-100": a scale of 10^-5202, beyond the last table entry.
  const std::string text = "0." + std::string(199, '0') + "125" + std::string(4900, '0') + "e-100";
  EXPECT_NEAR(static_cast<double>(Parsed(text) / 1e-300L), 1.25, 1e-15);
  EXPECT_EQ(Parsed("0." + std::string(5300, '0') + "1"), 0.0L);
}

TEST(ParseFloatTest, DigitsBeyondNineteenAreRoundedOneByOne) {
  TScopedNumberFormat format('.', ',');
  // 2^64 + 1 does not fit: the last step rounds 1844674407370955161 * 10 + 7 to even (2^64).
  EXPECT_EQ(Parsed("18446744073709551617"), 0x1p64L);
  EXPECT_EQ(Parsed("184467440737095516170"), 0x1p64L * 10);
  // 0.1 as 1 / 10 rounded once agrees with the correctly rounded value.
  EXPECT_EQ(Parsed("0.1"), 0.1L);
  EXPECT_EQ(Parsed("12345.678"), 12345678.0L / 1000);
}

TEST(ParseFloatTest, AgreesWithTheCorrectlyRoundedConversionOnTypicalTexts) {
  TScopedNumberFormat format('.', ',');
  for (const char* text : {"5", "0.5", "-2.5e-3", "12345.678", "3.14159", "1e308", "2.2250738585072014e-308",
                           "123456789012345678", "6.02214076e23", "1e-10", "0.3"}) {
    EXPECT_EQ(Parsed(text), std::strtold(text, nullptr)) << text;
  }
}

TEST(ParseFloatTest, LeavesTheCallersFloatingPointStateAsItWas) {
  TScopedNumberFormat format('.', ',');
  std::feclearexcept(FE_ALL_EXCEPT);
  long double value = 0;
  EXPECT_FALSE(TryParseFloat("1e4999", value));  // overflows internally
  EXPECT_TRUE(TryParseFloat("1e-4999", value));  // underflows internally
  EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), 0);

  // Faults of the caller's own stay pending, whether raised by an extended or a double operation.
  volatile long double zero = 0;
  volatile long double quotient = 1 / zero;
  (void)quotient;
  std::feraiseexcept(FE_UNDERFLOW);
  EXPECT_TRUE(TryParseFloat("0.1", value));  // inexact: the conversion's own flag must not leak
  EXPECT_FALSE(TryParseFloat("1e99999", value));
  EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), FE_DIVBYZERO | FE_UNDERFLOW);
  std::feclearexcept(FE_ALL_EXCEPT);

  ASSERT_EQ(std::fesetround(FE_UPWARD), 0);  // rounds to nearest regardless, then restores
  EXPECT_EQ(Parsed("0.1"), 0.1L);
  EXPECT_EQ(std::fegetround(), FE_UPWARD);
  std::fesetround(FE_TONEAREST);
}

TEST(ParseFloatTest, StoringAnAcceptedValueIntoADoubleMayOverflow) {
  TScopedNumberFormat format('.', ',');
  const long double big = Parsed("1e400");  // accepted in extended
  EXPECT_THROW_MSG(StoreDouble(big), EOverflow, "Floating point overflow");
  EXPECT_EQ(StoreDouble(Parsed("1e-400")), 0.0);
}

}  // namespace
}  // namespace corvane
