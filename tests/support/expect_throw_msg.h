// EXPECT_THROW_MSG(statement, ExceptionClass, message): the statement must throw ExceptionClass
// (or a class derived from it) whose message equals `message`. The message is the runtime
// exception's Message() where the class has one (it may hold a NUL, which what() would cut short),
// else what(). A statement that throws nothing, or something else, fails the test.
//
//   EXPECT_THROW_MSG(Power(0.0L, -2.0L), EZeroDivide, "Floating point division by zero");
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace corvane::test_support {

template <class E>
std::string MessageOf(const E& error) {
  if constexpr (requires { error.Message(); })
    return std::string(error.Message());
  else
    return std::string(error.what());
}

}  // namespace corvane::test_support

#define EXPECT_THROW_MSG(statement, ExceptionClass, message)                                            \
  do {                                                                                                  \
    try {                                                                                               \
      statement;                                                                                        \
      ADD_FAILURE() << #statement " threw nothing; " #ExceptionClass " expected";                       \
    } catch (const ExceptionClass& thrown_error_) {                                                     \
      EXPECT_EQ(::corvane::test_support::MessageOf(thrown_error_), std::string(message)) << #statement; \
    } catch (...) {                                                                                     \
      ADD_FAILURE() << #statement " threw another class than " #ExceptionClass;                         \
    }                                                                                                   \
  } while (false)
