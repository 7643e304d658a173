// Sinks that record what the program would show the user, for the window's tests:
//   RecordingNotices   a TNoticeSink keeping every notice text in order (no modal box);
//   RecordingReportsTest   a fixture that routes the error report (error_report.h) into `reports`,
//                      (caption, text) pairs, for the length of one test, under the title "corvane".
// Header-only, so only the test folders that include it need the window's library.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "dialogs/app_title.h"
#include "dialogs/error_report.h"
#include "dialogs/notice_sink.h"

namespace corvane {

class RecordingNotices : public TNoticeSink {
 public:
  void ShowNotice(const std::string& text) override { texts.push_back(text); }
  std::vector<std::string> texts;
};

class RecordingReportsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetApplicationTitle("corvane");
    SetErrorReportSink(
        [this](const std::string& caption, const std::string& text) { reports.emplace_back(caption, text); });
  }
  void TearDown() override { SetErrorReportSink(nullptr); }

  std::vector<std::pair<std::string, std::string>> reports;
};

}  // namespace corvane
