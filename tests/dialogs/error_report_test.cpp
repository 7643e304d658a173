#include "dialogs/error_report.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <string>

#include "dialogs/app_title.h"
#include "framework/cancel_mode.h"
#include "runtime/errors.h"
#include "support/recording_sinks.h"

namespace corvane {
namespace {

TEST(ApplicationTitleTest, TakesTheFileNameUpToTheFirstDotAndLowersAllButTheFirst) {
  EXPECT_EQ(ApplicationTitleFromPath("/usr/local/bin/corvane"), "corvane");
  EXPECT_EQ(ApplicationTitleFromPath("/opt/CorVane.Bin.x"), "Corvane");
  EXPECT_EQ(ApplicationTitleFromPath("PROJECT1"), "Project1");
  EXPECT_EQ(ApplicationTitleFromPath("/a.b/tool"), "tool");  // a dot in a directory does not count
  EXPECT_EQ(ApplicationTitleFromPath(".hidden"), "");
}

TEST(ErrorReportTest, AppendsAPeriodOnlyAfterCharactersThatSortAfterIt) {
  EXPECT_EQ(WithClosingPeriod("Floating point division by zero"), "Floating point division by zero.");
  EXPECT_EQ(WithClosingPeriod("Done."), "Done.");
  EXPECT_EQ(WithClosingPeriod("(x)"), "(x)");
  EXPECT_EQ(WithClosingPeriod("Why?"), "Why?.");
  EXPECT_EQ(WithClosingPeriod("code 7"), "code 7.");
  EXPECT_EQ(WithClosingPeriod("wow!"), "wow!");
  EXPECT_EQ(WithClosingPeriod("trailing "), "trailing ");
  EXPECT_EQ(WithClosingPeriod(""), "");
}

TEST(ErrorReportTest, ApplicationErrorTextNamesClassModuleAndMessage) {
  const auto error = std::make_exception_ptr(EOverflow());
  EXPECT_EQ(ApplicationErrorText(error, "corvane"),
            "Exception EOverflow in module corvane at 00000000.\nFloating point overflow.");
  const auto dotted = std::make_exception_ptr(EConvertError("Bad."));
  EXPECT_EQ(ApplicationErrorText(dotted, "corvane"),
            "Exception EConvertError in module corvane at 00000000.\nBad.");
}

// A widget whose click handler fails, and which notes when its drag mode is cancelled.
class FailingWidget : public QWidget {
 public:
  bool cancelled = false;
  bool event(QEvent* e) override {  // public: the test calls it as a handler would
    if (e->type() == kCancelModeEvent)
      cancelled = true;
    if (e->type() == QEvent::User)
      throw EZeroDivide();
    return QWidget::event(e);
  }
};

TEST_F(RecordingReportsTest, AnErrorLeavingAHandlerIsReportedAndTheLoopGoesOn) {
  FailingWidget widget;
  const bool handled = DispatchReportingErrors([&] {
    QEvent failing(QEvent::User);
    return widget.event(&failing);
  });
  EXPECT_TRUE(handled);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].first, "corvane");
  EXPECT_EQ(reports[0].second, "Floating point division by zero.");
  EXPECT_TRUE(widget.cancelled);  // a drag in progress is ended before the report

  EXPECT_FALSE(DispatchReportingErrors([] { return false; }));  // no error: the result passes through
  EXPECT_EQ(reports.size(), 1u);
}

}  // namespace
}  // namespace corvane
