// A chart as assistive technology sees it: a chart object named by its title unless named
// otherwise, described by what its owner says it shows, every new description announced.
#include "chart/chart_accessible.h"

#include <gtest/gtest.h>

#include <QAccessible>
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

// Its description is the widget's; Qt announces each new one (seen from outside by
// tools/check-accessibility).
TEST(ChartAccessibleTest, DescribedByTheWidgetsDescription) {
  TChart chart;
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&chart);
  EXPECT_EQ(accessible->text(QAccessible::Description), "");
  chart.setAccessibleDescription("3 reactions");
  EXPECT_EQ(accessible->text(QAccessible::Description), "3 reactions");
}

}  // namespace
}  // namespace corvane
