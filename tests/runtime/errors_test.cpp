#include "runtime/errors.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// The error report shows the class name beside the message, so both are part of the contract.
TEST(ErrorsTest, FloatingPointErrorsCarryTheirClassAndFixedMessage) {
  const EZeroDivide zero_divide;
  const EOverflow overflow;
  const EUnderflow underflow;
  const EInvalidOp invalid;
  const std::pair<const Exception*, const char*> cases[] = {
      {&zero_divide, "Floating point division by zero"},
      {&overflow, "Floating point overflow"},
      {&underflow, "Floating point underflow"},
      {&invalid, "Invalid floating point operation"},
  };
  const char* names[] = {"EZeroDivide", "EOverflow", "EUnderflow", "EInvalidOp"};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(cases[i].first->Message(), cases[i].second);
    EXPECT_STREQ(cases[i].first->what(), cases[i].second);
    EXPECT_STREQ(cases[i].first->ClassName(), names[i]);
    EXPECT_NE(dynamic_cast<const EMathError*>(cases[i].first), nullptr);
  }
}

TEST(ErrorsTest, ConvertErrorKeepsItsMessageThroughTheBaseClass) {
  try {
    throw EConvertError("'x' is not a valid floating point value");
  } catch (const Exception& e) {
    EXPECT_STREQ(e.ClassName(), "EConvertError");
    EXPECT_EQ(e.Message(), "'x' is not a valid floating point value");
  }
}

}  // namespace
}  // namespace corvane
