// The window program's options: help and version are found among Qt's own options and stray
// words, and nothing else keeps the window from starting.
#include "app/command_line.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct TCase {
  QStringList arguments;
  TCommandAction action;
};

TEST(CommandLineTest, HelpAndVersionAmongQtOptionsAndStrayWords) {
  const TCase cases[] = {
      {{"corvane"}, TCommandAction::kRunWindow},
      {{}, TCommandAction::kRunWindow},
      {{"corvane", "--help"}, TCommandAction::kPrintHelp},
      {{"corvane", "-h"}, TCommandAction::kPrintHelp},
      {{"corvane", "-help"}, TCommandAction::kPrintHelp},
      {{"corvane", "--version"}, TCommandAction::kPrintVersion},
      {{"corvane", "-v"}, TCommandAction::kPrintVersion},
      {{"corvane", "-platform", "offscreen", "--version"}, TCommandAction::kPrintVersion},
      {{"corvane", "--version", "--help"}, TCommandAction::kPrintVersion},  // the first decides
      {{"corvane", "--help", "--version"}, TCommandAction::kPrintHelp},
      // Qt's options are not letters of ours: -reverse holds a v, -qwindowgeometry neither.
      {{"corvane", "-reverse"}, TCommandAction::kRunWindow},
      {{"corvane", "-platform", "xcb", "-style", "fusion"}, TCommandAction::kRunWindow},
      {{"corvane", "--unknown", "data.txt"}, TCommandAction::kRunWindow},
      {{"corvane", "--", "--help"}, TCommandAction::kRunWindow},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(ParseCommandLine(c.arguments, "0.1").action, c.action) << c.arguments.join(' ').toStdString();
}

TEST(CommandLineTest, TextsNameTheProgramAsItWasCalled) {
  EXPECT_EQ(ParseCommandLine({"/usr/bin/corvane", "--version"}, "0.1").text, "corvane 0.1\n");
  const std::string help = ParseCommandLine({"/opt/bin/corvane", "-h"}, "0.1").text;
  EXPECT_EQ(help.rfind("Usage: corvane [options]\n", 0), 0u) << help;
  for (const char* part : {"--help", "--version", "-platform", "reaction times"})
    EXPECT_NE(help.find(part), std::string::npos) << part;
  EXPECT_TRUE(ParseCommandLine({"corvane"}, "0.1").text.empty());
}

TEST(CommandLineTest, ArgumentListKeepsEveryWordInOrder) {
  const char* argv[] = {"corvane", "-platform", "offscreen"};
  EXPECT_EQ(ArgumentList(3, argv), (QStringList{"corvane", "-platform", "offscreen"}));
}

}  // namespace
}  // namespace corvane
