// A program for tools/check-box-placement: under a real X server and window manager it shows, one
// after another, two notices and the error report of a division by zero, each waiting for its OK,
// and prints for each how often it had to be moved after it was mapped ("box 1 corrections 0").
// The first box is placed with the extents the manager gives on request, the others with those
// learnt from the boxes before.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <exception>

#include "dialogs/app_title.h"
#include "dialogs/error_box.h"
#include "dialogs/error_report.h"
#include "dialogs/message_dialog.h"
#include "runtime/errors.h"

namespace {

void Notice(int number, const QString& text) {
  const auto form =
      corvane::CreateMessageDialog(text, corvane::TMsgDlgType::mtCustom, {corvane::TMsgDlgBtn::mbOK});
  form->exec();
  std::printf("box %d corrections %d\n", number, form->Centring().Corrections());
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  corvane::SetApplicationTitle("corvane");
  QTimer::singleShot(0, [] {
    Notice(1, "Y0 less then or equal to 0");
    Notice(2, "A less then or equal to 0");
    const std::string message = corvane::MessageOf(std::make_exception_ptr(corvane::EZeroDivide()));
    corvane::TErrorBox report(QString::fromStdString(corvane::ApplicationTitle()),
                              QString::fromStdString(corvane::WithClosingPeriod(message)), nullptr);
    report.exec();
    std::printf("box 3 corrections %d\n", report.Centring().Corrections());
    std::fflush(stdout);
    QApplication::quit();
  });
  return QApplication::exec();
}
