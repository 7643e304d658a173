// The report of an error that a handler let out: any chart drag is cancelled, the message gets a
// closing "." where it needs one, and it is shown in a critical message box captioned with the
// application title. The program then goes on.
#pragma once

#include <exception>
#include <functional>
#include <string>

namespace corvane {

// The message with "." appended when its last character sorts after "." ("...zero" ->
// "...zero."; "done." and "(x)" stay as they are; an empty message stays empty).
std::string WithClosingPeriod(std::string message);

// The message of any exception: our own, a standard one, or a fixed text for anything else.
std::string MessageOf(const std::exception_ptr& error);
std::string ClassNameOf(const std::exception_ptr& error);

// Shows the report for the error; what a box shows goes through the report sink.
void ReportHandlerError(const std::exception_ptr& error);

// Runs a dispatch and reports any error it lets out; true then stands for "handled".
bool DispatchReportingErrors(const std::function<bool()>& dispatch);

// The text of the "Application Error" box for an error before the message loop.
std::string ApplicationErrorText(const std::exception_ptr& error, const std::string& module_name);

// Where reports go: the default shows a modal critical box; tests record (caption, text).
using TErrorReportSink = std::function<void(const std::string& caption, const std::string& text)>;
void SetErrorReportSink(TErrorReportSink sink);  // empty restores the default

}  // namespace corvane
