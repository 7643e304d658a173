// The run log's fast number path against the general formatter it stands in for.
#include "runtime/fixed_three_decimals.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "runtime/format_float.h"
#include "runtime/number_format_settings.h"

namespace corvane {
namespace {

// Compares the fast path with the general formatter where it takes the value; counts the values
// it takes.
class FastPathCheck {
 public:
  void Check(double value, char mark = '.') {
    char text[kFixedThreeDecimalsMaxLength];
    const char* end = WriteFixedThreeDecimals(value, mark, text);
    ++seen_;
    if (end == nullptr)
      return;
    ++taken_;
    ASSERT_LE(static_cast<std::size_t>(end - text), kFixedThreeDecimalsMaxLength);
    const TScopedNumberFormat format(mark, mark == ',' ? '.' : ',');
    ASSERT_EQ(std::string(static_cast<const char*>(text), end),
              FormatFloatKind(value, TFloatFormatKind::Fixed, 10, 3))
        << std::hexfloat << value;
  }
  int seen() const { return seen_; }
  int taken() const { return taken_; }

 private:
  int seen_ = 0;
  int taken_ = 0;
};

TEST(FixedThreeDecimalsTest, WritesTheLogsNumbersAndLeavesTheRest) {
  const auto text = [](double value, char mark) {
    char buffer[kFixedThreeDecimalsMaxLength];
    const char* end = WriteFixedThreeDecimals(value, mark, buffer);
    return end ? std::string(static_cast<const char*>(buffer), end) : std::string("(general)");
  };
  EXPECT_EQ(text(0.0, '.'), "0.000");
  EXPECT_EQ(text(-0.0, '.'), "0.000");
  EXPECT_EQ(text(2.7725887222397816, '.'), "2.773");
  EXPECT_EQ(text(-2.25, ','), "-2,250");
  EXPECT_EQ(text(1234567.8914, '.'), "1234567.891");
  EXPECT_EQ(text(0.001, '.'), "0.001");
  EXPECT_EQ(text(9999999.9996, '.'), "10000000.000");
  // Outside its range or next to a tie: the general formatter's.
  EXPECT_EQ(text(0.0005, '.'), "(general)");
  EXPECT_EQ(text(1e7, '.'), "(general)");
  EXPECT_EQ(text(0.0625, '.'), "(general)");        // 62.5 thousandths exactly
  EXPECT_EQ(text(1234567.8915, '.'), "(general)");  // 9e-8 thousandths below the tie
  EXPECT_EQ(text(std::numeric_limits<double>::infinity(), '.'), "(general)");
  EXPECT_EQ(text(std::numeric_limits<double>::quiet_NaN(), '.'), "(general)");
}

TEST(FixedThreeDecimalsTest, AgreesWithTheGeneralFormatterOverTheWholeDoubleRange) {
  std::mt19937_64 random(20261208);
  FastPathCheck check;
  for (int i = 0; i < 200000; ++i) {
    const double any = std::bit_cast<double>(random());  // every exponent, NaN and infinity too
    ASSERT_NO_FATAL_FAILURE(check.Check(any));
    // Values in and around the fast range, uniformly in their logarithm.
    const double scale = std::ldexp(1.0, static_cast<int>(random() % 40) - 14);
    const double near = std::ldexp(static_cast<double>(random() >> 11), -53) * scale;
    ASSERT_NO_FATAL_FAILURE(check.Check((i & 1) ? -near : near, (i & 2) ? ',' : '.'));
  }
  EXPECT_GT(check.taken(), check.seen() / 3);
}

TEST(FixedThreeDecimalsTest, AgreesNextToEveryKindOfRoundingTie) {
  std::mt19937_64 random(7);
  FastPathCheck check;
  for (int i = 0; i < 20000; ++i) {
    // k + 0.5 thousandths and its neighbours a few units of the last place away, for integer
    // parts of every length the fast path takes.
    const double thousandths = static_cast<double>(random() % 10000000000u) + 0.5;
    double value = thousandths / 1000.0;
    for (int step = 0; step < 4; ++step) value = std::nextafter(value, 0.0);
    for (int step = 0; step < 9; ++step) {
      ASSERT_NO_FATAL_FAILURE(check.Check(value));
      value = std::nextafter(value, 1e300);
    }
  }
  // And at the ends of the range.
  for (double edge : {0.001, 0.0015, 0.0009999999999999998, 9999999.999, 9999999.9995, 9999999.999999998}) {
    for (double value : {edge, std::nextafter(edge, 0.0), std::nextafter(edge, 1e300)}) {
      ASSERT_NO_FATAL_FAILURE(check.Check(value));
      ASSERT_NO_FATAL_FAILURE(check.Check(-value));
    }
  }
  EXPECT_GT(check.taken(), check.seen() / 2);
}

}  // namespace
}  // namespace corvane
