#include "app/application.h"

#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <cstdio>

#include "app/locale_settings.h"
#include "dialogs/app_title.h"
#include "dialogs/error_report.h"
#include "runtime/float_environment.h"
#include "runtime/random.h"

namespace corvane {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  return DispatchReportingErrors([&] { return QApplication::notify(receiver, event); });
}

bool TApplication::event(QEvent* event) {
  if (event->type() == QEvent::LocaleChange)
    LoadNumberFormatSettings();
  return QApplication::event(event);
}

namespace {

void ShowApplicationError(const std::exception_ptr& error) {
  const std::string module = QFileInfo(QCoreApplication::applicationFilePath()).fileName().toStdString();
  const std::string text = ApplicationErrorText(error, module);
  std::fprintf(stderr, "%s\n", text.c_str());
  QMessageBox::critical(nullptr, "Application Error", QString::fromStdString(text));
}

}  // namespace

int RunApplication(int& argc, char** argv, const TMainFormFactory& create_main_form) {
  InitFloatingPointEnvironment();
  RandomSeed = 0;
  LoadNumberFormatSettings();

  TApplication app(argc, argv);
  try {
    SetApplicationTitle(ApplicationTitleFromPath(QCoreApplication::applicationFilePath().toStdString()));
    QGuiApplication::setDesktopFileName(kDesktopEntryName);
    app.setWindowIcon(QIcon(":/corvane/corvane.svg"));
    SeedRandomFromClock();  // the chart engine's initialisation

    TMainFormParts main_form = create_main_form();
    try {
      if (main_form.form_create)
        main_form.form_create();
    } catch (...) {
      ReportHandlerError(std::current_exception());
    }
    // There is no start-up show command here; the layout opens the window maximized.
    main_form.window->showMaximized();
    return app.exec();
  } catch (...) {
    ShowApplicationError(std::current_exception());
    return 1;
  }
}

}  // namespace corvane
