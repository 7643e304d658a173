#include "chart/change_notice.h"

#include <gtest/gtest.h>

#include <string>

#include "chart/chart_font.h"

namespace corvane {
namespace {

TEST(StoreChangedTest, StoresOnlyADifferentValueAndSaysSo) {
  std::string field = "a";
  EXPECT_FALSE(StoreChanged(field, std::string("a")));
  EXPECT_EQ(field, "a");
  EXPECT_TRUE(StoreChanged(field, std::string("b")));
  EXPECT_EQ(field, "b");
}

TEST(StoreChangedTest, ThroughASetterComparesTheValueAndAppliesOnlyOnChange) {
  int applied = 0;
  EXPECT_FALSE(StoreChanged(8, 8, [&] { ++applied; }));
  EXPECT_EQ(applied, 0);
  EXPECT_TRUE(StoreChanged(8, 10, [&] { ++applied; }));
  EXPECT_EQ(applied, 1);
}

// A font's size and height are one property: a size equal to the stored one tells no one, a new
// size sets the height with it and tells once.
TEST(StoreChangedTest, ChartFontSizeNotifiesOncePerRealChange) {
  int notices = 0;
  TChartFont font([&] { ++notices; }, DefaultChartFont());
  const int size = font.Font().Size;
  font.SetSize(size);
  EXPECT_EQ(notices, 0);
  font.SetSize(size + 4);
  EXPECT_EQ(notices, 1);
  EXPECT_EQ(font.Font().Height, -(((size + 4) * 96 + 36) / 72));
  font.SetHeight(font.Font().Height);
  EXPECT_EQ(notices, 1);
}

TEST(StoreChangedTest, NotifyAcceptsAnEmptyNotice) {
  Notify(TChangeNotice{});
  int notices = 0;
  Notify([&] { ++notices; });
  EXPECT_EQ(notices, 1);
}

}  // namespace
}  // namespace corvane
