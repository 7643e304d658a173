#include "runtime/format_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "runtime/errors.h"
#include "runtime/number_format_settings.h"
#include "support/expect_throw_msg.h"

namespace corvane {
namespace {

void ExpectError(std::string_view format, std::initializer_list<TFormatArg> args,
                 const std::string& message) {
  SCOPED_TRACE(format);
  EXPECT_THROW_MSG(FormatText(format, args), EConvertError, message);
}

std::string Invalid(const std::string& directive) {
  return "Format '" + directive + "' invalid or incompatible with argument";
}

TEST(FormatTextTest, RunLogCounters) {
  EXPECT_EQ(FormatText("N=%6d", {7}), "N=     7");
  EXPECT_EQ(FormatText("N=%6d", {-42}), "N=   -42");
  EXPECT_EQ(FormatText("N=%6d", {1234567}), "N=1234567");  // never cut
  EXPECT_EQ(FormatText("%-6d|", {7}), "7     |");
}

TEST(FormatTextTest, IntegerPrecisionTypesAndCase) {
  EXPECT_EQ(FormatText("%.3d", {-5}), "-005");
  EXPECT_EQ(FormatText("%.3d", {12345}), "12345");
  EXPECT_EQ(FormatText("%.16d|%.15d", {5, 5}), "5|000000000000005");  // 16 or more: no effect
  EXPECT_EQ(FormatText("%8.3D", {-5}), "    -005");
  EXPECT_EQ(FormatText("%x %X %.4x", {255, 255, 10}), "FF FF 000A");
  EXPECT_EQ(FormatText("%u %x", {-1, -1}), "4294967295 FFFFFFFF");
  EXPECT_EQ(FormatText("%u %x", {std::int64_t{-1}, std::int64_t{-2}}),
            "18446744073709551615 FFFFFFFFFFFFFFFE");
  EXPECT_EQ(FormatText("%d", {std::int64_t{INT64_MIN}}), "-9223372036854775808");
}

TEST(FormatTextTest, TextsCharactersAndPointers) {
  EXPECT_EQ(FormatText("[%s] [%5s] [%-5s] [%.2s]", {"abc", "ab", 'c', "xyz"}), "[abc] [   ab] [c    ] [xy]");
  EXPECT_EQ(FormatText("%s", {std::string("with\0nul", 8)}), std::string("with\0nul", 8));
  EXPECT_EQ(FormatText("%p", {static_cast<const void*>(nullptr)}), "00000000");
  EXPECT_EQ(FormatText("%p", {reinterpret_cast<const void*>(std::uintptr_t{0xABC})}), "00000ABC");
  EXPECT_EQ(FormatText("%p", {reinterpret_cast<const void*>(std::uintptr_t{0x123456789A})}),
            "000000123456789A");
}

TEST(FormatTextTest, PercentIndexAndStar) {
  EXPECT_EQ(FormatText("100%%", {}), "100%");
  EXPECT_EQ(FormatText("%1:s %0:s %s", {"a", "b"}), "b a b");
  EXPECT_EQ(FormatText("%*d|%-*d|", {4, 7, 3, 8}), "   7|8  |");
  EXPECT_EQ(FormatText("%.*s", {2, "abcdef"}), "ab");
  EXPECT_EQ(FormatText("%*d", {"not an integer", 5}), "5");  // a non-integer star counts as 0
  EXPECT_EQ(FormatText("%*:s", {1, "x", "y"}), "x");         // star index: argument 1 next
  EXPECT_EQ(FormatText("%*d", {-3, 5}), "5");                // a negative width pads nothing
}

TEST(FormatTextTest, TemplateEndingInsideADirectiveEndsTheOutput) {
  EXPECT_EQ(FormatText("abc%", {}), "abc");
  EXPECT_EQ(FormatText("abc%-12.", {1}), "abc");
  EXPECT_EQ(FormatText("x%3", {}), "x");
}

TEST(FormatTextTest, FloatingTypes) {
  TScopedNumberFormat format('.', ',');
  EXPECT_EQ(FormatText("%f|%.3f|%g", {1.5, 2.0, 0.25}), "1.50|2.000|0.25");
  EXPECT_EQ(FormatText("%n", {1234567.5}), "1,234,567.50");
  EXPECT_EQ(FormatText("%e", {1234.5}), "1.23450000000000E+003");
  EXPECT_EQ(FormatText("%.3e", {-0.00012}), "-1.20E-004");
}

TEST(FormatTextTest, ErrorsNameTheDirective) {
  ExpectError("%s", {1}, Invalid("%s"));
  ExpectError("%d", {"text"}, Invalid("%d"));
  ExpectError("%f", {1}, Invalid("%f"));
  ExpectError("a %-5.2k", {1}, Invalid("%-5.2k"));
  ExpectError("%d %d", {1}, "No argument for format '%d'");
  ExpectError("%5:d", {1}, "No argument for format '%5:d'");
  ExpectError("%k", {}, Invalid("%k"));  // an unknown letter is invalid before it needs an argument
  ExpectError("%1234567890123456789012345678901234567890d", {1}, Invalid("%123456789012345678901234567890"));
  ExpectError("%5000d", {1}, Invalid("%5000d"));
  EXPECT_EQ(FormatText("%4096d", {1}).size(), 4096u);
}

}  // namespace
}  // namespace corvane
