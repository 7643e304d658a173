#include "dialogs/error_report.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include "dialogs/app_title.h"
#include "dialogs/error_box.h"
#include "framework/cancel_mode.h"
#include "runtime/errors.h"
#include "runtime/format_text.h"

namespace corvane {
namespace {

void ShowCriticalBox(const std::string& caption, const std::string& text) {
  QPointer<QWidget> previously_active = QApplication::activeWindow();
  TErrorBox box(QString::fromStdString(caption), QString::fromStdString(text), previously_active);
  box.exec();
  if (previously_active)
    previously_active->activateWindow();
}

TErrorReportSink& Sink() {
  static TErrorReportSink sink = ShowCriticalBox;
  return sink;
}

}  // namespace

std::string WithClosingPeriod(std::string message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.')) {
    message += '.';
  }
  return message;
}

std::string MessageOf(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const Exception& e) {
    return e.Message();
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "Unknown error";
  }
}

std::string ClassNameOf(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const Exception& e) {
    return e.ClassName();
  } catch (const std::bad_alloc&) {
    return "EOutOfMemory";
  } catch (...) {
    return "Exception";
  }
}

void ReportHandlerError(const std::exception_ptr& error) {
  CancelMouseModes();
  Sink()(ApplicationTitle(), WithClosingPeriod(MessageOf(error)));
}

bool DispatchReportingErrors(const std::function<bool()>& dispatch) {
  try {
    return dispatch();
  } catch (...) {
    ReportHandlerError(std::current_exception());
    return true;
  }
}

std::string ApplicationErrorText(const std::exception_ptr& error, const std::string& module_name) {
  const std::string message = MessageOf(error);
  const char* period = !message.empty() && message.back() != '.' ? "." : "";
  // No fault address is known for a C++ exception: the address reads 00000000.
  return FormatText("Exception %s in module %s at %p.\n%s%s",
                    {ClassNameOf(error), module_name, static_cast<const void*>(nullptr), message, period});
}

void SetErrorReportSink(TErrorReportSink sink) {
  Sink() = sink ? std::move(sink) : TErrorReportSink(ShowCriticalBox);
}

}  // namespace corvane
