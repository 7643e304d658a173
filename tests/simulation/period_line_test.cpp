#include "simulation/period_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reaction_support.h"
#include "runtime/number_format_settings.h"
#include "simulation/reaction_simulator.h"

namespace corvane {
namespace {

std::vector<std::string> WorkedExampleLines() {
  ScriptedDraws draws{0.5, 0.25, 0.8, 0.9};
  TReactionSimulator simulator(draws.Source());
  RecordingSink sink;
  simulator.SimulateReaction(DefaultParameters(), true, sink);
  std::vector<std::string> lines;
  for (const TPeriodRecord& record : sink.records) lines.push_back(FormatPeriodLine(record));
  return lines;
}

TEST(PeriodLineTest, WorkedExampleLinesCharacterForCharacter) {
  ScopedNumberFormat format('.', ',');
  const std::vector<std::string> expected = {
      "N=     1 K=     1 Y-Begin=5.000 Y-End=1.250 WTerm=3.750 Subtotal=3.750 YValue=1.250 asom=3.750",
      "N=     1 K=     2 Y-Begin=1.250 Y-End=4.023 DTerm=2.773 Subtotal=6.523 YValue=4.023 asom=3.750",
      "N=     2 K=     1 Y-Begin=4.023 Y-End=2.773 WTerm=1.250 Subtotal=7.773 YValue=2.773 asom=5.198"};
  EXPECT_EQ(WorkedExampleLines(), expected);
}

TEST(PeriodLineTest, CommaDecimalMarkChangesOnlyTheNumbers) {
  ScopedNumberFormat format(',', '.');
  const std::vector<std::string> expected = {
      "N=     1 K=     1 Y-Begin=5,000 Y-End=1,250 WTerm=3,750 Subtotal=3,750 YValue=1,250 asom=3,750",
      "N=     1 K=     2 Y-Begin=1,250 Y-End=4,023 DTerm=2,773 Subtotal=6,523 YValue=4,023 asom=3,750",
      "N=     2 K=     1 Y-Begin=4,023 Y-End=2,773 WTerm=1,250 Subtotal=7,773 YValue=2,773 asom=5,198"};
  EXPECT_EQ(WorkedExampleLines(), expected);
}

TEST(PeriodLineTest, WideCountersAndLargeValuesAreWrittenWhole) {
  ScopedNumberFormat format('.', ',');
  // Seven-digit counter, ten integer digits (all ten significant digits used up), eleven (scientific
  // form), and a thousand that must not be grouped.
  const TPeriodRecord record{1234567, 2, 0.0005, 0.0004, 9999999999.4, 12345678901, 1000, 5};
  EXPECT_EQ(FormatPeriodLine(record),
            "N=1234567 K=     2 Y-Begin=0.001 Y-End=0.000 DTerm=9999999999.000 "
            "Subtotal=1.23456789E10 YValue=1000.000 asom=5.000");
}

}  // namespace
}  // namespace corvane
