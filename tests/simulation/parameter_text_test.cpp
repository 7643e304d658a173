#include "simulation/parameter_text.h"

#include <gtest/gtest.h>

#include "runtime/number_format_settings.h"

namespace corvane {
namespace {

TEST(ParameterTextTest, SixTextsGiveTheSetOrTheFirstRefusalByName) {
  const TScopedNumberFormat format('.', ',');
  const TParameterReading good = ReadParameterTexts({"5", "1", "1", "0.5", "0.5", " 5 "});
  ASSERT_TRUE(good.Set);
  EXPECT_EQ(good.Field, -1);
  EXPECT_EQ(good.Set->c1, 0.5);
  EXPECT_EQ(good.Set->y0, 5);

  struct TCase {
    std::array<std::string_view, 6> texts;
    int field;
    const char* error;
  };
  const TCase cases[] = {
      {{"5", "1", "x", "0.5", "0.5", "5"}, 2, "a0: 'x' is not a number"},
      {{"5", "1", "1", "0", "0.5", "-1"}, 3, "c1: '0' is not greater than 0"},
      {{"5", "1", "1", "0.5", "1e999", "5"}, 4, "c0: '1e999' is out of range"},
      {{"", "1", "1", "0.5", "0.5", "5"}, 0, "A: '' is not a number"},
      {{"5", "1", "1", "0.5", "0.5", "-2"}, 5, "y0: '-2' is not greater than 0"},
  };
  for (const TCase& c : cases) {
    const TParameterReading r = ReadParameterTexts(c.texts);
    EXPECT_FALSE(r.Set);
    EXPECT_EQ(r.Field, c.field);
    EXPECT_EQ(r.Error, c.error);
  }
}

TEST(ParameterTextTest, ReadsUnderTheProcesssDecimalMark) {
  const TScopedNumberFormat format(',', '.');
  std::string error;
  EXPECT_EQ(ReadParameterText("0,25", error), 0.25);
  EXPECT_FALSE(ReadParameterText("0.25", error));
  EXPECT_EQ(error, "'0.25' is not a number");
}

}  // namespace
}  // namespace corvane
