#include "runtime/format_float.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "runtime/errors.h"
#include "runtime/number_format_settings.h"
#include "support/expect_throw_msg.h"

namespace corvane {
namespace {

std::string Fixed(long double v, int precision = 10, int digits = 3) {
  return FormatFloatKind(v, TFloatFormatKind::Fixed, precision, digits);
}
std::string General(long double v, int precision = 15) {
  return FormatFloatKind(v, TFloatFormatKind::General, precision, 0);
}

class FormatFloatTest : public ::testing::Test {
 protected:
  TScopedNumberFormat format_{'.', ','};
};

TEST_F(FormatFloatTest, FixedAsTheRunLogWritesIt) {
  EXPECT_EQ(Fixed(0), "0.000");
  EXPECT_EQ(Fixed(1.5), "1.500");
  EXPECT_EQ(Fixed(-2.25), "-2.250");
  EXPECT_EQ(Fixed(1234567.8915), "1234567.891");  // the double lies just below ...8915
  EXPECT_EQ(Fixed(12345678.9876), "12345678.990");
  EXPECT_EQ(Fixed(0.0123), "0.012");
}

TEST_F(FormatFloatTest, FixedRoundingAtBothSidesOfTheLastDecimal) {
  EXPECT_EQ(Fixed(0.0005), "0.001");
  EXPECT_EQ(Fixed(0.00049), "0.000");
  EXPECT_EQ(Fixed(0.0004), "0.000");
  EXPECT_EQ(Fixed(-0.0004), "-0.000");  // rounded at the first digit: the sign stays
  EXPECT_EQ(Fixed(-0.00004), "0.000");  // rounded below it: the sign goes
  EXPECT_EQ(Fixed(9.9996), "10.000");
}

TEST_F(FormatFloatTest, FixedSwitchesToScientificBeyondThePrecision) {
  EXPECT_EQ(Fixed(12345678901.0), "1.23456789E10");
  EXPECT_EQ(Fixed(9999999999.9996), "1E10");
  EXPECT_EQ(Fixed(9999999999.0), "9999999999.000");
  EXPECT_EQ(Fixed(-1e300), "-1E300");
}

TEST_F(FormatFloatTest, FixedDigitsArgument) {
  EXPECT_EQ(Fixed(2.5, 10, 0), "3");
  EXPECT_EQ(Fixed(1.25, 18, 40), "1.250000000000000000");  // decimals above 18 count as 18
  EXPECT_EQ(Fixed(12345, 10, -2), "12300");
  EXPECT_EQ(Fixed(123, 1, 3), "1.2E2");  // precision clamps to 2, and 3 integer digits exceed it
}

TEST_F(FormatFloatTest, GeneralStyle) {
  const struct {
    long double value;
    int precision;
    const char* text;
  } cases[] = {
      {0.0001, 15, "0.0001"},
      {0.00001, 15, "1E-5"},
      {1.5e20, 15, "1.5E20"},
      {123456789012345.0, 15, "123456789012345"},
      {1234567890123456.0, 15, "1.23456789012346E15"},
      {100, 15, "100"},
      {-0.5, 15, "-0.5"},
      {0, 15, "0"},
      {1.0L / 3, 1, "0.33"},  // precision clamps to 2
      {1.0L / 3, 40, "0.333333333333333333"},
  };
  for (const auto& c : cases) EXPECT_EQ(General(c.value, c.precision), c.text) << c.text;
}

TEST_F(FormatFloatTest, NonFiniteValuesHaveNoSign) {
  const long double inf = std::numeric_limits<long double>::infinity();
  for (TFloatFormatKind kind : {TFloatFormatKind::General, TFloatFormatKind::Fixed}) {
    EXPECT_EQ(FormatFloatKind(inf, kind, 10, 3), "INF");
    EXPECT_EQ(FormatFloatKind(-inf, kind, 10, 3), "INF");
    EXPECT_EQ(FormatFloatKind(std::numeric_limits<long double>::quiet_NaN(), kind, 10, 3), "NAN");
  }
}

TEST_F(FormatFloatTest, MarksAreReadAtEachCall) {
  {
    TScopedNumberFormat comma(',', '.');
    EXPECT_EQ(Fixed(1.5), "1,500");
    EXPECT_EQ(General(1.5e-7), "1,5E-7");
    EXPECT_EQ(FormatFloatMask("#,##0.###", 1234.5), "1.234,5");
  }
  EXPECT_EQ(Fixed(1.5), "1.500");
}

TEST_F(FormatFloatTest, MaskWithGroupingAndOptionalDecimals) {
  const char* mask = "#,##0.###";
  EXPECT_EQ(FormatFloatMask(mask, 1234.5), "1,234.5");
  EXPECT_EQ(FormatFloatMask(mask, 0), "0");
  EXPECT_EQ(FormatFloatMask(mask, -1234567.891), "-1,234,567.891");
  EXPECT_EQ(FormatFloatMask(mask, 0.0004), "0");
  EXPECT_EQ(FormatFloatMask(mask, 0.0005), "0.001");
  EXPECT_EQ(FormatFloatMask(mask, 1e20), "1E20");  // beyond 18 integer digits: general style
  EXPECT_EQ(FormatFloatMask(mask, 999), "999");
  EXPECT_EQ(FormatFloatMask(mask, 1000), "1,000");
}

TEST_F(FormatFloatTest, MaskLiteralsQuotesAndPercent) {
  // Rounding is half away from zero on the digits of the value as stored: the double nearest 12.345
  // lies just above it, its neighbour below just under it.
  EXPECT_EQ(FormatFloatMask("##0.## %", 12.345), "12.35 %");
  EXPECT_EQ(FormatFloatMask("##0.## %", std::nextafter(12.345, 0.0)), "12.34 %");
  EXPECT_EQ(FormatFloatMask("##0.## %", 0), "0 %");
  EXPECT_EQ(FormatFloatMask("'#'0\"; x\"", 7), "#7; x");
  EXPECT_EQ(FormatFloatMask("0 'unclosed", 7), "7 unclosed");
  EXPECT_EQ(FormatFloatMask("0 Ex", 7), "7 Ex");  // an E without a sign is literal
}

TEST_F(FormatFloatTest, MaskPlaceholderPadding) {
  EXPECT_EQ(FormatFloatMask("000.00", 1.5), "001.50");
  EXPECT_EQ(FormatFloatMask("#.##", 0.5), ".5");
  EXPECT_EQ(FormatFloatMask("0.####", 0.00123), "0.0012");
  EXPECT_EQ(FormatFloatMask("0.00##", 1.5), "1.50");
  EXPECT_EQ(FormatFloatMask("#", 0), "");
  EXPECT_EQ(FormatFloatMask(".00", 12.345), "12.35");  // surplus integer digits at the first placeholder
  EXPECT_EQ(FormatFloatMask("0,000", 5), "0,005");
}

TEST_F(FormatFloatTest, MaskSections) {
  const struct {
    const char* mask;
    long double value;
    const char* text;
  } cases[] = {
      {"0.00;(0.00)", -1.5, "(1.50)"},
      {"0.00;(0.00)", 1.5, "1.50"},
      {"0.00;(0.00);zero", 0, "zero"},
      {"0.00;(0.00);zero", -0.001, "zero"},  // rounds to zero: third section
      {"0.00;;zero", -1.5, "-1.50"},         // empty negative section
      {"0;-0';'", -2, "-2;"},                // quoted ";" does not split
      {"0;a;b;c", 0, "b"},
      {"", 1.5, "1.5"},
      {";0.00", -1.5, "-1.5"},  // empty first section: general style
  };
  for (const auto& c : cases) EXPECT_EQ(FormatFloatMask(c.mask, c.value), c.text) << '"' << c.mask << '"';
}

TEST_F(FormatFloatTest, MaskScientific) {
  EXPECT_EQ(FormatFloatMask("0.00E+00", 1234.5), "1.23E+03");
  EXPECT_EQ(FormatFloatMask("0.00E+00", 0.000123), "1.23E-04");
  EXPECT_EQ(FormatFloatMask("0.00e-0", 1234.5), "1.23e3");
  EXPECT_EQ(FormatFloatMask("0.00E+00", 0), "0.00E+00");
  EXPECT_EQ(FormatFloatMask("##0.0E+0", 12345), "123.5E+2");  // as many integer digits as placeholders
  EXPECT_EQ(FormatFloatMask("0E+00000", 5), "5E+0000");       // exponent digits cap at 4
  EXPECT_EQ(FormatFloatMask("0.0E+0", 1e300), "1.0E+300");
}

TEST_F(FormatFloatTest, MaskNonFiniteAndTooLong) {
  EXPECT_EQ(FormatFloatMask("0.00", std::numeric_limits<long double>::infinity()), "INF");
  EXPECT_EQ(FormatFloatMask("0.00", std::numeric_limits<long double>::quiet_NaN()), "NAN");
  EXPECT_EQ(FormatFloatMask(std::string(224, '#'), 5), "5");
  EXPECT_THROW_MSG(FormatFloatMask(std::string(225, '#'), 5), EConvertError, "Format string too long");
}

}  // namespace
}  // namespace corvane
