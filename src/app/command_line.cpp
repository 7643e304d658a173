#include "app/command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace corvane {
namespace {

constexpr char kDescription[] = "Explore a stochastic model of reaction times under mental inhibition.";
constexpr char kQtOptions[] =
    "\nQt's own options (-platform, -display, -style, -reverse, -qwindowgeometry and the rest)\n"
    "are passed on to Qt.\n";

QString ProgramName(const QStringList& arguments) {
  return arguments.isEmpty() ? QStringLiteral("corvane") : QFileInfo(arguments.first()).fileName();
}

}  // namespace

TCommandLine ParseCommandLine(const QStringList& arguments, const std::string& version) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QString::fromLatin1(kDescription));
  // One dash and a word is a long option: Qt's -platform and -reverse are not read as letters
  // (-reverse would otherwise hold a -v).
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help({"h", "help"}, "Displays this help and exits.");
  const QCommandLineOption show_version({"v", "version"}, "Displays the version and exits.");
  parser.addOption(help);
  parser.addOption(show_version);
  // Unknown options are Qt's or nobody's; either way the window starts as it always did.
  (void)parser.parse(arguments);

  const QString name = ProgramName(arguments);
  const QStringList given = parser.optionNames();
  for (const QString& option : given) {
    if (help.names().contains(option)) {
      // Qt's usage line names the running application's path, or a placeholder before there is
      // one: ours names the program as it was called.
      QString text = parser.helpText();
      text = QStringLiteral("Usage: %1 [options]").arg(name) + text.mid(text.indexOf(QLatin1Char('\n')));
      return {TCommandAction::kPrintHelp, (text + QString::fromLatin1(kQtOptions)).toStdString()};
    }
    if (show_version.names().contains(option))
      return {TCommandAction::kPrintVersion, name.toStdString() + " " + version + "\n"};
  }
  return {};
}

QStringList ArgumentList(int argc, const char* const* argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return arguments;
}

}  // namespace corvane
