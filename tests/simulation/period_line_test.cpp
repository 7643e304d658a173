#include "simulation/period_line.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "reaction_support.h"
#include "runtime/format_float.h"
#include "runtime/format_text.h"
#include "runtime/number_format_settings.h"
#include "runtime/random.h"
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
  TScopedNumberFormat format('.', ',');
  const std::vector<std::string> expected = {
      "N=     1 K=     1 Y-Begin=5.000 Y-End=1.250 WTerm=3.750 Subtotal=3.750 YValue=1.250 asom=3.750",
      "N=     1 K=     2 Y-Begin=1.250 Y-End=4.023 DTerm=2.773 Subtotal=6.523 YValue=4.023 asom=3.750",
      "N=     2 K=     1 Y-Begin=4.023 Y-End=2.773 WTerm=1.250 Subtotal=7.773 YValue=2.773 asom=5.198"};
  EXPECT_EQ(WorkedExampleLines(), expected);
}

TEST(PeriodLineTest, CommaDecimalMarkChangesOnlyTheNumbers) {
  TScopedNumberFormat format(',', '.');
  const std::vector<std::string> expected = {
      "N=     1 K=     1 Y-Begin=5,000 Y-End=1,250 WTerm=3,750 Subtotal=3,750 YValue=1,250 asom=3,750",
      "N=     1 K=     2 Y-Begin=1,250 Y-End=4,023 DTerm=2,773 Subtotal=6,523 YValue=4,023 asom=3,750",
      "N=     2 K=     1 Y-Begin=4,023 Y-End=2,773 WTerm=1,250 Subtotal=7,773 YValue=2,773 asom=5,198"};
  EXPECT_EQ(WorkedExampleLines(), expected);
}

TEST(PeriodLineTest, WideCountersAndLargeValuesAreWrittenWhole) {
  TScopedNumberFormat format('.', ',');
  // Seven-digit counter, ten integer digits (all ten significant digits used up), eleven (scientific
  // form), and a thousand that must not be grouped.
  const TPeriodRecord record{1234567, 2, 0.0005, 0.0004, 9999999999.4, 12345678901, 1000, 5};
  EXPECT_EQ(FormatPeriodLine(record),
            "N=1234567 K=     2 Y-Begin=0.001 Y-End=0.000 DTerm=9999999999.000 "
            "Subtotal=1.23456789E10 YValue=1000.000 asom=5.000");
}

// The line as the general formatters build it, piece by piece.
std::string GeneralLine(const TPeriodRecord& r) {
  std::string line = FormatText("N=%6d", {r.N}) + FormatText(" K=%6d", {r.K});
  const auto number = [&line](const char* label, double value) {
    line += label;
    line += FormatFloatKind(value, TFloatFormatKind::Fixed, 10, 3);
  };
  number(" Y-Begin=", r.YBegin);
  number(" Y-End=", r.YEnd);
  number(r.K == kWorkPeriod ? " WTerm=" : " DTerm=", r.Term);
  number(" Subtotal=", r.Subtotal);
  number(" YValue=", r.YValue);
  number(" asom=", r.asom);
  return line;
}

TEST(PeriodLineTest, IsTheGeneralFormattersLineForRandomRecordsAndBothMarks) {
  std::mt19937_64 random(42);
  // Any bit pattern (every exponent, infinities, NaN), or a value of the size a reaction logs.
  const auto value = [&random] {
    const std::uint64_t bits = random();
    if (bits % 3 == 0)
      return std::bit_cast<double>(random());
    const double magnitude =
        std::ldexp(static_cast<double>(random() >> 11), -53 + static_cast<int>(bits % 40) - 12);
    return bits % 7 == 0 ? -magnitude : magnitude;
  };
  for (char mark : {'.', ','}) {
    TScopedNumberFormat format(mark, mark == '.' ? ',' : '.');
    for (int i = 0; i < 30000; ++i) {
      const std::uint64_t counters = random();
      const std::int32_t N =
          i % 4 == 0 ? static_cast<std::int32_t>(counters) : static_cast<std::int32_t>(counters % 2000);
      const std::int32_t K =
          i % 8 == 0 ? static_cast<std::int32_t>(counters >> 32) : 1 + static_cast<std::int32_t>(i % 2);
      const TPeriodRecord record{N, K, value(), value(), value(), value(), value(), value()};
      ASSERT_EQ(FormatPeriodLine(record), GeneralLine(record)) << "record " << i;
    }
  }
}

TEST(PeriodLineTest, IsTheGeneralFormattersLineForSimulatedReactions) {
  TScopedNumberFormat format(',', '.');
  const std::uint32_t saved = RandomSeed;
  RandomSeed = 99;
  TReactionSimulator simulator;
  RecordingSink sink;
  for (int reaction = 0; reaction < 2000; ++reaction)
    simulator.SimulateReaction(DefaultParameters(), reaction == 0, sink);
  RandomSeed = saved;
  for (const TPeriodRecord& record : sink.records) ASSERT_EQ(FormatPeriodLine(record), GeneralLine(record));
}

}  // namespace
}  // namespace corvane
