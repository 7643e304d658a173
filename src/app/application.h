// The application object and the program's entry. TApplication catches every error that an event
// handler lets out (QApplication::notify is the one door through which Qt calls our handlers,
// slots included) and reports it; it reloads the number format settings when Qt announces a locale
// change. RunApplication performs the start-up order, runs the event loop and returns the exit code.
#pragma once

#include <QApplication>
#include <functional>
#include <memory>

namespace corvane {

// The desktop entry (data/corvane.desktop) without its ".desktop": named to the platform so that
// docks and compositors match the window to the entry and its icon; its StartupWMClass is the same
// word, the window class that the executable's name gives.
inline constexpr char kDesktopEntryName[] = "corvane";

class TApplication : public QApplication {
 public:
  TApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;

 protected:
  bool event(QEvent* event) override;
};

// What the start-up needs of the main window: the window, and its creation handler.
struct TMainFormParts {
  std::unique_ptr<QWidget> window;
  std::function<void()> form_create;
};
using TMainFormFactory = std::function<TMainFormParts()>;

int RunApplication(int& argc, char** argv, const TMainFormFactory& create_main_form);

}  // namespace corvane
