// A chart as assistive technology sees it: a chart object named by its title unless named
// otherwise, described by what its owner says it shows, every new description announced.
#include "chart/chart_accessible.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <algorithm>
#include <vector>

#include "chart/chart.h"

namespace corvane {
namespace {

TEST(ChartAccessibleTest, TitleLinesBecomeOneName) {
  const struct {
    std::vector<std::string> lines;
    std::string name;
  } cases[] = {
      {{"Reaction Time Plot"}, "Reaction Time Plot"},
      {{"Inhibition", "Plot"}, "Inhibition Plot"},
      {{"", "Plot", ""}, "Plot"},
      {{}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(TitleAsName(c.lines), c.name);
}

TEST(ChartAccessibleTest, NamedByTheTitleUnlessNamedOtherwise) {
  TChart chart;
  chart.Title().SetText({"Inhibition Plot"});
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&chart);
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->role(), QAccessible::Chart);
  EXPECT_EQ(accessible->text(QAccessible::Name), "Inhibition Plot");
  chart.Title().SetText({"Another"});
  EXPECT_EQ(accessible->text(QAccessible::Name), "Another") << "the title as it is now";
  chart.setAccessibleName("Own name");
  EXPECT_EQ(accessible->text(QAccessible::Name), "Own name");
}

std::vector<QAccessible::Event>* seen = nullptr;
void Note(QAccessibleEvent* event) {
  if (seen)
    seen->push_back(event->type());
}

TEST(ChartAccessibleTest, ANewDescriptionIsAnnounced) {
  TChart chart;
  std::vector<QAccessible::Event> events;
  const QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler(Note);
  QAccessible::setActive(true);
  seen = &events;
  chart.setAccessibleDescription("3 reactions");
  seen = nullptr;
  QAccessible::setActive(false);
  QAccessible::installUpdateHandler(previous);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(&chart)->text(QAccessible::Description), "3 reactions");
  EXPECT_NE(std::find(events.begin(), events.end(), QAccessible::DescriptionChanged), events.end());
}

}  // namespace
}  // namespace corvane
