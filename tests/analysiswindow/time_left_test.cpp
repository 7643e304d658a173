#include "analysiswindow/time_left.h"

#include <gtest/gtest.h>

#include <cmath>

namespace corvane {
namespace {

TEST(TimeLeftTest, StretchesTheTimeSoFarByTheShareStillToDo) {
  EXPECT_EQ(TimeLeftText(10, 0.2), " (about 40 s left)");
  EXPECT_EQ(TimeLeftText(60, 0.1), " (about 9 min left)");
  EXPECT_EQ(TimeLeftText(300, 0.04), " (about 2 h left)");
  EXPECT_EQ(TimeLeftText(300, 0.05), " (about 1 h 35 min left)");
  // Rounded to 5 s under a minute, never "0 s"; to the minute above it.
  EXPECT_EQ(TimeLeftText(6, 0.99), " (about 5 s left)");
  EXPECT_EQ(TimeLeftText(58, 0.5), " (about 1 min left)");
  EXPECT_EQ(TimeLeftText(88, 0.5), " (about 1 min left)");
  EXPECT_EQ(TimeLeftText(92, 0.5), " (about 2 min left)");
}

TEST(TimeLeftTest, SaysNothingWhileTheWorkIsYoungOrTheFiguresAreNotUsable) {
  EXPECT_EQ(TimeLeftText(4.9, 0.5), "");   // short work needs no estimate
  EXPECT_EQ(TimeLeftText(30, 0.019), "");  // too little done to tell
  EXPECT_EQ(TimeLeftText(30, 1), "");      // done
  EXPECT_EQ(TimeLeftText(NAN, 0.5), "");
  EXPECT_EQ(TimeLeftText(30, NAN), "");
  EXPECT_EQ(TimeLeftText(INFINITY, 0.5), "");
}

}  // namespace
}  // namespace corvane
