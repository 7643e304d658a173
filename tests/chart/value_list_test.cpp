#include "chart/value_list.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "chart/chart_errors.h"
#include "support/expect_throw_msg.h"

namespace corvane {
namespace {

std::vector<double> Values(const TChartValueList& list) {
  std::vector<double> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list.ValueAt(i));
  return out;
}

TEST(ValueListOrderTest, AscendingInsertsAfterEqualValues) {
  TChartValueList list(nullptr, "X");
  list.SetOrder(loAscending);
  EXPECT_EQ(list.InsertSorted(1), 0);
  EXPECT_EQ(list.InsertSorted(3), 1);
  EXPECT_EQ(list.InsertSorted(2), 1);
  EXPECT_EQ(list.InsertSorted(2), 2);  // after the 2 already stored
  EXPECT_EQ(list.InsertSorted(0), 0);  // before everything
  EXPECT_EQ(Values(list), (std::vector<double>{0, 1, 2, 2, 3}));
}

TEST(ValueListOrderTest, NoneAlwaysAppendsAndDescendingMirrorsAscending) {
  TChartValueList none(nullptr, "Y");
  none.InsertSorted(3);
  EXPECT_EQ(none.InsertSorted(1), 1);
  EXPECT_EQ(none.InsertSorted(2), 2);

  TChartValueList desc(nullptr, "X");
  desc.SetOrder(loDescending);
  for (double v : {3.0, 2.0, 1.0}) desc.InsertSorted(v);
  EXPECT_EQ(desc.InsertSorted(2), 2);
  EXPECT_EQ(desc.InsertSorted(5), 0);
  EXPECT_EQ(desc.InsertSorted(0), 5);
  EXPECT_EQ(Values(desc), (std::vector<double>{5, 3, 2, 2, 1, 0}));
}

TEST(ValueListOrderTest, ChangingOrderDoesNotResort) {
  TChartValueList list(nullptr, "Y");
  for (double v : {3.0, 1.0}) list.InsertSorted(v);
  list.SetOrder(loAscending);
  EXPECT_EQ(Values(list), (std::vector<double>{3, 1}));
  EXPECT_EQ(list.InsertSorted(2), 2);  // only the last value is compared: 1 is not greater
  EXPECT_EQ(list.InsertSorted(0), 0);
}

TEST(ValueListCachesTest, FollowAddDeleteAndClear) {
  TChartValueList list(nullptr, "Y");
  EXPECT_EQ(list.LowestValue(), 0);
  EXPECT_EQ(list.HighestValue(), 0);
  list.InsertSorted(-4);
  EXPECT_EQ(list.LowestValue(), -4);
  EXPECT_EQ(list.HighestValue(), -4);  // the first value sets both
  list.InsertSorted(6);
  EXPECT_EQ(list.LowestValue(), -4);
  EXPECT_EQ(list.HighestValue(), 6);
  EXPECT_EQ(list.ValueSum(), 2);
  EXPECT_EQ(list.AbsValueSum(), 10);

  list.DeleteAt(1);
  EXPECT_EQ(list.LowestValue(), -4);
  EXPECT_EQ(list.HighestValue(), -4);
  EXPECT_EQ(list.ValueSum(), -4);
  EXPECT_EQ(list.AbsValueSum(), 4);

  list.ClearAll();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.LowestValue(), 0);
  EXPECT_EQ(list.HighestValue(), 0);
  EXPECT_EQ(list.ValueSum(), 0);
  EXPECT_EQ(list.AbsValueSum(), 0);
  // A list emptied by deleting its last value reads 0 again as well.
  list.InsertSorted(7);
  list.DeleteAt(0);
  EXPECT_EQ(list.HighestValue(), 0);
}

TEST(ValueListCachesTest, InsertAtUpdatesCachesAndChecksIndex) {
  TChartValueList list(nullptr, "Y");
  list.InsertAt(0, 5);
  list.InsertAt(0, 9);
  list.InsertAt(2, -1);
  EXPECT_EQ(Values(list), (std::vector<double>{9, 5, -1}));
  EXPECT_EQ(list.HighestValue(), 9);
  EXPECT_EQ(list.LowestValue(), -1);
  EXPECT_THROW(list.InsertAt(4, 0), EListError);
  EXPECT_THROW(list.InsertAt(-1, 0), EListError);
  EXPECT_EQ(list.Count(), 3);
}

TEST(ValueListMultiplierTest, ScalesReadsAndExtremesButNotSums) {
  TChartValueList list(nullptr, "Y");
  list.InsertSorted(5);
  list.InsertSorted(-1);
  list.SetMultiplier(2);
  EXPECT_EQ(list.ValueAt(0), 10);
  EXPECT_EQ(list.StoredValues()[0], 5);
  EXPECT_EQ(list.HighestValue(), 10);
  EXPECT_EQ(list.LowestValue(), -2);
  EXPECT_EQ(list.ValueSum(), 4);  // left as it was

  list.InsertSorted(1);  // new values enter the caches scaled
  EXPECT_EQ(list.ValueSum(), 6);
  EXPECT_EQ(list.AbsValueSum(), 8);

  list.SetMultiplier(-1);  // a negative scale swaps which stored value is lowest
  EXPECT_EQ(list.HighestValue(), 1);
  EXPECT_EQ(list.LowestValue(), -5);
}

TEST(ValueListErrorsTest, ReadsAndDeletesOutsideTheListRaiseTheListIndexError) {
  TChartValueList list(nullptr, "Y");
  list.InsertSorted(1);
  EXPECT_THROW_MSG(list.ValueAt(3), EListError, "List index out of bounds (3)");
  EXPECT_THROW(list.ValueAt(-1), EListError);
  EXPECT_THROW(list.DeleteAt(1), EListError);
  EXPECT_EQ(list.Count(), 1);
}

TEST(ValueListValuesTest, NanAndInfinityAreStoredUnchanged) {
  const double inf = std::numeric_limits<double>::infinity();
  TChartValueList list(nullptr, "X");
  list.SetOrder(loAscending);
  list.InsertSorted(1);
  EXPECT_EQ(list.InsertSorted(std::nan("")), 1);  // compares as not before anything: appended
  EXPECT_EQ(list.InsertSorted(inf), 2);
  EXPECT_TRUE(std::isnan(list.ValueAt(1)));
  EXPECT_EQ(list.HighestValue(), inf);
  EXPECT_EQ(list.LowestValue(), 1);
}

TEST(ValueListCopyTest, CopiesSettingsButNotNameOrValues) {
  TChartValueList source(nullptr, "Source");
  source.SetOrder(loDescending);
  source.SetDateTime(true);
  source.SetMultiplier(3);
  source.SetValueSource("Other");
  source.InsertSorted(1);
  TChartValueList target(nullptr, "Y");
  target.InsertSorted(2);
  target.Assign(source);
  EXPECT_EQ(target.Order(), loDescending);
  EXPECT_TRUE(target.DateTime());
  EXPECT_EQ(target.Multiplier(), 3);
  EXPECT_EQ(target.ValueSource(), "Other");
  EXPECT_EQ(target.Name(), "Y");
  EXPECT_EQ(Values(target), (std::vector<double>{6}));
  EXPECT_EQ(target.HighestValue(), 6);
}

}  // namespace
}  // namespace corvane
