#include "analysiswindow/series_feed.h"

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

TEST(SeriesFeedTest, SignalsEveryRecordClearAndFieldChange) {
  TSeriesFeed feed;
  std::vector<std::size_t> counts;
  int cleared = 0;
  int fields = 0;
  QObject::connect(&feed, &TSeriesFeed::Recorded, [&](std::size_t count) {
    // The record already holds the reaction when the signal arrives.
    EXPECT_EQ(feed.Record().Count(), count);
    counts.push_back(count);
  });
  QObject::connect(&feed, &TSeriesFeed::Cleared, [&] { ++cleared; });
  QObject::connect(&feed, &TSeriesFeed::FieldsChanged, [&] { ++fields; });
  feed.Record(7, kDefaults);
  feed.Record(8, kDefaults);
  feed.NotifyFieldsChanged();
  feed.Clear();
  EXPECT_EQ(counts, (std::vector<std::size_t>{1, 2}));
  EXPECT_EQ(cleared, 1);
  EXPECT_EQ(fields, 1);
  EXPECT_EQ(feed.Record().Count(), 0u);
}

}  // namespace
}  // namespace corvane
