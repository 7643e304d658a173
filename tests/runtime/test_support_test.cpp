// The shared test support must fail where it should: an assertion that cannot fail guards nothing.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>

#include "runtime/errors.h"
#include "support/expect_throw_msg.h"
#include "support/scripted_draws.h"

namespace corvane {
namespace {

using namespace std::string_literals;

void ThrowOverflow() {
  throw EOverflow();
}

TEST(ExpectThrowMsgTest, PassesOnTheClassOrADerivedOneWithTheMessage) {
  EXPECT_THROW_MSG(ThrowOverflow(), EOverflow, "Floating point overflow");
  EXPECT_THROW_MSG(ThrowOverflow(), Exception, "Floating point overflow");
  // The runtime message is compared whole, past an embedded NUL that what() would stop at.
  EXPECT_THROW_MSG(throw EConvertError("x\0y"s), EConvertError, "x\0y"s);
}

TEST(ExpectThrowMsgTest, FailsOnNoThrowAnotherClassOrAnotherMessage) {
  EXPECT_NONFATAL_FAILURE(EXPECT_THROW_MSG((void)0, EOverflow, "Floating point overflow"), "threw nothing");
  EXPECT_NONFATAL_FAILURE(EXPECT_THROW_MSG(ThrowOverflow(), EZeroDivide, "Floating point overflow"),
                          "threw another class");
  EXPECT_NONFATAL_FAILURE(EXPECT_THROW_MSG(ThrowOverflow(), EOverflow, "Floating point overflo"),
                          "Floating point overflo");
  EXPECT_NONFATAL_FAILURE(EXPECT_THROW_MSG(throw EConvertError("x\0y"s), EConvertError, "x\0z"s),
                          "MessageOf");
}

TEST(ScriptedDrawsTest, ReplaysInOrderAndFailsPastTheEnd) {
  ScriptedDraws draws{0.25L, 0.75L};
  auto source = draws.Source();
  EXPECT_EQ(source(), 0.25L);
  EXPECT_EQ(draws.Consumed(), 1u);
  EXPECT_EQ(source(), 0.75L);
  long double past = 0;
  EXPECT_NONFATAL_FAILURE(past = source(), "more than the 2 scripted draws");
  EXPECT_EQ(past, 0.5L);
  EXPECT_EQ(draws.Consumed(), 2u);
}

}  // namespace
}  // namespace corvane
