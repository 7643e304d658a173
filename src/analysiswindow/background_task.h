// One computation at a time off the user-interface thread, for the analysis window's simulation,
// bootstrap and file reading.
//
//   Start(work) --std::thread--> work(control) --returns--> a continuation, queued to the UI thread
//                                               \--throws--> the error's message, queued likewise
//   Cancel / Start again / destruction --> stop requested; what the stopped work returns or throws
//                                          is dropped, so a stale result never shows
//
// The work sees a TWorkControl whose Stop is this run's and whose Progress feeds Progress(); the
// UI thread reads that share when it likes (the window's progress bar polls it), so progress never
// floods the event queue. The destructor stops and joins every thread it started.
#pragma once

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "analysis/work_control.h"

namespace corvane {

class TBackgroundTask : public QObject {
 public:
  // Runs on the worker; returns what the UI thread does with the result (may be empty).
  using TWork = std::function<std::function<void()>(const TWorkControl& control)>;
  using TFailure = std::function<void(const std::string& message)>;

  explicit TBackgroundTask(QObject* parent = nullptr);
  ~TBackgroundTask() override;
  TBackgroundTask(const TBackgroundTask&) = delete;
  TBackgroundTask& operator=(const TBackgroundTask&) = delete;

  // Stops the run in progress (if any) and starts `work`. `failed` hears every error but a
  // cancellation. `threads` caps the worker threads of the work (0: every core).
  void Start(TWork work, TFailure failed = {}, unsigned threads = 0);
  // Stops the run in progress; nothing of it reaches the UI thread afterwards.
  void Cancel();

  bool Running() const noexcept { return running_ != nullptr; }
  // The running work's share done, in [0, 1]; 0 when idle.
  double Progress() const noexcept;
  // Waits for every started thread to end (tests; the window's destruction).
  void Join();

 private:
  struct TRun;
  void Finish(const std::shared_ptr<TRun>& run, const std::function<void()>& then);
  void JoinEnded();

  std::shared_ptr<TRun> running_;
  std::vector<std::pair<std::shared_ptr<TRun>, std::thread>> threads_;
};

}  // namespace corvane
