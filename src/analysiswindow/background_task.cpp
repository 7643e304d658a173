#include "analysiswindow/background_task.h"

#include <QMetaObject>
#include <exception>

#include "runtime/float_environment.h"

namespace corvane {

struct TBackgroundTask::TRun {
  std::stop_source stop;
  std::atomic<double> progress{0};
  std::atomic<bool> ended{false};
};

TBackgroundTask::TBackgroundTask(QObject* parent) : QObject(parent) {}

TBackgroundTask::~TBackgroundTask() {
  Cancel();
  Join();
}

void TBackgroundTask::Start(TWork work, TFailure failed, unsigned threads) {
  Cancel();
  JoinEnded();
  auto run = std::make_shared<TRun>();
  running_ = run;
  std::thread thread([this, run, work = std::move(work), failed = std::move(failed), threads] {
    InitFloatingPointEnvironment();
    TWorkControl control;
    control.Threads = threads;
    control.Stop = run->stop.get_token();
    control.Progress = [run](double share) { run->progress.store(share, std::memory_order_relaxed); };
    std::function<void()> then;
    try {
      then = work(control);
    } catch (const EAnalysisCancelled&) {
      then = {};
    } catch (const std::exception& error) {
      if (failed && !run->stop.stop_requested())
        then = [failed, message = std::string(error.what())] { failed(message); };
    } catch (...) {
      if (failed && !run->stop.stop_requested())
        then = [failed] { failed("The computation failed"); };
    }
    run->ended.store(true);
    // The task outlives this thread (its destructor joins it); a call still queued when the task
    // is destroyed is dropped with it.
    QMetaObject::invokeMethod(
        this, [this, run, then] { Finish(run, then); }, Qt::QueuedConnection);
  });
  threads_.emplace_back(run, std::move(thread));
}

void TBackgroundTask::Finish(const std::shared_ptr<TRun>& run, const std::function<void()>& then) {
  JoinEnded();
  if (run != running_ || run->stop.stop_requested())
    return;
  running_ = nullptr;
  if (then)
    then();
}

void TBackgroundTask::Cancel() {
  if (running_) {
    running_->stop.request_stop();
    running_ = nullptr;
  }
}

double TBackgroundTask::Progress() const noexcept {
  return running_ ? running_->progress.load(std::memory_order_relaxed) : 0.0;
}

void TBackgroundTask::Join() {
  for (auto& [run, thread] : threads_) thread.join();
  threads_.clear();
}

void TBackgroundTask::JoinEnded() {
  std::erase_if(threads_, [](auto& entry) {
    if (!entry.first->ended.load())
      return false;
    entry.second.join();
    return true;
  });
}

}  // namespace corvane
