#include "simulation/series_record.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

const TParameterSet kDefaults{5, 1, 1, 0.5, 0.5, 5};

TEST(SeriesRecordTest, KeepsTheTimesInOrderAndARunPerModel) {
  TParameterSet other = kDefaults;
  other.c0 = 0.7;
  TParameterSet new_start = kDefaults;
  new_start.y0 = 9;  // y0 only starts a series: the same model

  TSeriesRecord record;
  EXPECT_EQ(record.Latest(), nullptr);
  record.Append(7, kDefaults);
  record.Append(8, new_start);
  EXPECT_FALSE(record.Mixed());
  record.Append(9, other);
  record.Append(10, kDefaults);

  EXPECT_EQ(record.Times(), (std::vector<double>{7, 8, 9, 10}));
  ASSERT_EQ(record.Runs().size(), 3u);
  EXPECT_EQ(record.Runs()[0].First, 0u);
  EXPECT_EQ(record.Runs()[1].First, 2u);
  EXPECT_EQ(record.Runs()[2].First, 3u);
  EXPECT_TRUE(record.Mixed());
  EXPECT_TRUE(SameModel(*record.Latest(), kDefaults));

  record.Clear();
  EXPECT_EQ(record.Count(), 0u);
  EXPECT_FALSE(record.Mixed());
  EXPECT_EQ(record.Latest(), nullptr);
}

class TCountingListener final : public TSeriesListener {
 public:
  explicit TCountingListener(const TSeriesRecord& record) : record_(record) {}
  void SeriesRecorded(std::size_t count) override {
    // The record already holds the reaction when the listener hears of it.
    EXPECT_EQ(record_.Count(), count);
    counts.push_back(count);
  }
  void SeriesCleared() override { ++cleared; }

  std::vector<std::size_t> counts;
  int cleared = 0;

 private:
  const TSeriesRecord& record_;
};

TEST(SeriesRecordTest, TellsItsListenerOfEveryRecordAndClear) {
  TSeriesRecord record;
  TCountingListener listener(record);
  record.Append(6, kDefaults);  // no listener yet: nothing to tell
  record.SetListener(&listener);
  record.Append(7, kDefaults);
  record.Append(8, kDefaults);
  record.Clear();
  record.SetListener(nullptr);
  record.Append(9, kDefaults);
  EXPECT_EQ(listener.counts, (std::vector<std::size_t>{2, 3}));
  EXPECT_EQ(listener.cleared, 1);
  EXPECT_EQ(record.Count(), 1u);
}

}  // namespace
}  // namespace corvane
