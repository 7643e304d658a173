// The error classes of the system. Every failure is an exception that carries a message text and
// can name its class; the application's error report shows both (see mainwindow/error_report.h).
#pragma once

#include <exception>
#include <string>

namespace corvane {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }
  virtual const char* ClassName() const noexcept { return "Exception"; }

 private:
  std::string message_;
};

// Declares an exception class with its class name and, optionally, a fixed default message.
#define CORVANE_EXCEPTION(Name, Base)                                 \
  class Name : public Base {                                          \
   public:                                                            \
    using Base::Base;                                                 \
    const char* ClassName() const noexcept override { return #Name; } \
  }
#define CORVANE_FIXED_EXCEPTION(Name, Base, Text)                     \
  class Name : public Base {                                          \
   public:                                                            \
    Name() : Base(Text) {}                                            \
    using Base::Base;                                                 \
    const char* ClassName() const noexcept override { return #Name; } \
  }

CORVANE_EXCEPTION(EConvertError, Exception);
CORVANE_EXCEPTION(EMathError, Exception);
CORVANE_FIXED_EXCEPTION(EZeroDivide, EMathError, "Floating point division by zero");
CORVANE_FIXED_EXCEPTION(EOverflow, EMathError, "Floating point overflow");
CORVANE_FIXED_EXCEPTION(EUnderflow, EMathError, "Floating point underflow");
CORVANE_FIXED_EXCEPTION(EInvalidOp, EMathError, "Invalid floating point operation");
CORVANE_FIXED_EXCEPTION(EOutOfResources, Exception, "RichEdit line insertion error");

}  // namespace corvane
