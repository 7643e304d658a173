// The window program's own command-line options, read from the plain arguments before the GUI
// starts, so that --help and --version answer on a terminal with no display at all. Everything
// else (Qt's own options such as -platform or -style, and any stray word) is left to Qt as before.
#pragma once

#include <QStringList>
#include <string>

namespace corvane {

enum class TCommandAction { kRunWindow, kPrintHelp, kPrintVersion };

struct TCommandLine {
  TCommandAction action = TCommandAction::kRunWindow;
  std::string text;  // what to print for help and version; empty for the window
};

// `arguments` start with the program's path, as argv does. The first of --help/-h and
// --version/-v decides; a lone "--" ends the options.
TCommandLine ParseCommandLine(const QStringList& arguments, const std::string& version);

QStringList ArgumentList(int argc, const char* const* argv);

}  // namespace corvane
