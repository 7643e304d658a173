// A program for tools/check-box-placement: under a real X server and window manager it shows, one
// after another, two notices and the error report of a division by zero, each waiting for its OK.
// The second notice is placed with the frame extents learnt from the first.
#include <QApplication>
#include <QTimer>
#include <exception>

#include "mainwindow/app_title.h"
#include "mainwindow/error_report.h"
#include "mainwindow/message_dialog.h"
#include "runtime/errors.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  corvane::SetApplicationTitle("corvane");
  QTimer::singleShot(0, [] {
    corvane::ShowNotice("Y0 less then or equal to 0");
    corvane::ShowNotice("A less then or equal to 0");
    corvane::ReportHandlerError(std::make_exception_ptr(corvane::EZeroDivide()));
    QApplication::quit();
  });
  return QApplication::exec();
}
