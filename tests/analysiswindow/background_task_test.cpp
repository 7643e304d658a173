#include "analysiswindow/background_task.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace corvane {
namespace {

void Settle(TBackgroundTask& task) {
  task.Join();
  QCoreApplication::sendPostedEvents();
}

// Work that runs until it is stopped, then throws as the analysis does.
std::function<void()> UntilStopped(const TWorkControl& control, std::atomic<bool>& started) {
  started = true;
  while (!control.Stop.stop_requested()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ThrowIfStopped(control);
  return [] { ADD_FAILURE() << "a stopped run delivered its result"; };
}

TEST(BackgroundTaskTest, DeliversTheResultOnTheCallersThread) {
  TBackgroundTask task;
  const auto ui_thread = std::this_thread::get_id();
  std::thread::id worker;
  int result = 0;
  task.Start([&](const TWorkControl& control) -> std::function<void()> {
    worker = std::this_thread::get_id();
    control.Progress(0.5);
    return [&] {
      EXPECT_EQ(std::this_thread::get_id(), ui_thread);
      result = 42;
    };
  });
  EXPECT_TRUE(task.Running());
  Settle(task);
  EXPECT_EQ(result, 42);
  EXPECT_NE(worker, ui_thread);
  EXPECT_FALSE(task.Running());
}

TEST(BackgroundTaskTest, ANewStartStopsTheRunBeforeAndDropsItsResult) {
  TBackgroundTask task;
  std::atomic<bool> started{false};
  task.Start([&](const TWorkControl& control) { return UntilStopped(control, started); });
  while (!started) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  int second = 0;
  task.Start([&](const TWorkControl&) -> std::function<void()> { return [&] { second = 2; }; });
  Settle(task);
  EXPECT_EQ(second, 2);
}

TEST(BackgroundTaskTest, CancelledWorkDeliversNothingNotEvenItsError) {
  TBackgroundTask task;
  std::atomic<bool> started{false};
  int failures = 0;
  task.Start([&](const TWorkControl& control) { return UntilStopped(control, started); },
             [&](const std::string&) { ++failures; });
  while (!started) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  task.Cancel();
  EXPECT_FALSE(task.Running());
  Settle(task);
  EXPECT_EQ(failures, 0);
}

TEST(BackgroundTaskTest, AnErrorReachesTheFailureWithItsMessage) {
  TBackgroundTask task;
  std::string message;
  task.Start([](const TWorkControl&) -> std::function<void()> { throw EAnalysisCancelled(); });
  Settle(task);
  task.Start(
      [](const TWorkControl&) -> std::function<void()> {
        throw std::runtime_error("Floating point overflow");
      },
      [&](const std::string& text) { message = text; });
  Settle(task);
  EXPECT_EQ(message, "Floating point overflow");
}

TEST(BackgroundTaskTest, DestructionStopsAndJoinsARunningComputation) {
  std::atomic<bool> started{false};
  {
    TBackgroundTask task;
    task.Start([&](const TWorkControl& control) { return UntilStopped(control, started); });
    while (!started) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  QCoreApplication::sendPostedEvents();  // nothing queued for the task remains to run
  SUCCEED();
}

}  // namespace
}  // namespace corvane
