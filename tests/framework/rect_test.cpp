#include "framework/rect.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(RectTest, NormalizedOrdersEachPairOfEdges) {
  EXPECT_EQ((TRect{8, 8, 2, 2}.Normalized()), (TRect{2, 2, 8, 8}));
  EXPECT_EQ((TRect{2, 8, 8, 2}.Normalized()), (TRect{2, 2, 8, 8}));
  EXPECT_EQ((TRect{2, 2, 8, 8}.Normalized()), (TRect{2, 2, 8, 8}));
  EXPECT_EQ((TRect{-5, 3, -9, 3}.Normalized()), (TRect{-9, 3, -5, 3}));
}

TEST(RectTest, IntersectedIsTheOverlapAndEmptyWhereTheBoxesDoNotMeet) {
  const TRect box{0, 0, 10, 10};
  EXPECT_EQ(box.Intersected({5, 5, 20, 20}), (TRect{5, 5, 10, 10}));
  EXPECT_EQ(box.Intersected({2, 3, 4, 5}), (TRect{2, 3, 4, 5}));
  EXPECT_EQ((TRect{2, 3, 4, 5}.Intersected(box)), (TRect{2, 3, 4, 5}));
  // Boxes that share only an edge line share no pixel: the right column lies outside.
  EXPECT_TRUE(box.Intersected({10, 0, 20, 10}).IsEmpty());
  EXPECT_TRUE(box.Intersected({0, 10, 10, 20}).IsEmpty());
  EXPECT_TRUE(box.Intersected({30, 30, 40, 40}).IsEmpty());
}

}  // namespace
}  // namespace corvane
