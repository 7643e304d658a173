#include "analysis/work_control.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "runtime/float_environment.h"

namespace corvane {

unsigned WorkerCount(const TWorkControl& control, std::size_t pieces) {
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  unsigned count = control.Threads == 0 ? cores : std::min(control.Threads, cores);
  if (pieces < count)
    count = static_cast<unsigned>(std::max<std::size_t>(pieces, 1));
  return count;
}

void ThrowIfStopped(const TWorkControl& control) {
  if (control.Stop.stop_requested())
    throw EAnalysisCancelled();
}

namespace {

// The pieces' shared state: the next piece to take, the first failure, and progress reporting.
class TPieceQueue {
 public:
  TPieceQueue(std::size_t pieces, const TWorkControl& control) : pieces_(pieces), control_(control) {}

  void Work(const std::function<void(std::size_t)>& work) {
    for (;;) {
      if (failed_.load(std::memory_order_relaxed) || control_.Stop.stop_requested())
        return;
      const std::size_t piece = next_.fetch_add(1, std::memory_order_relaxed);
      if (piece >= pieces_)
        return;
      try {
        work(piece);
      } catch (...) {
        Fail(std::current_exception());
        return;
      }
      Report(done_.fetch_add(1, std::memory_order_relaxed) + 1);
    }
  }

  void Finish() const {
    if (error_)
      std::rethrow_exception(error_);
    ThrowIfStopped(control_);
  }

 private:
  void Fail(std::exception_ptr error) {
    const std::lock_guard lock(mutex_);
    if (!error_)
      error_ = error;
    failed_.store(true);
  }

  // About a hundred reports over the work, one at a time, never falling.
  void Report(std::size_t done) {
    if (!control_.Progress)
      return;
    const std::size_t step = std::max<std::size_t>(1, pieces_ / 100);
    if (done % step != 0 && done != pieces_)
      return;
    const std::lock_guard lock(mutex_);
    if (done <= reported_)
      return;
    reported_ = done;
    control_.Progress(static_cast<double>(done) / static_cast<double>(pieces_));
  }

  const std::size_t pieces_;
  const TWorkControl& control_;
  std::atomic<std::size_t> next_{0};
  std::atomic<std::size_t> done_{0};
  std::atomic<bool> failed_{false};
  std::mutex mutex_;
  std::exception_ptr error_;
  std::size_t reported_ = 0;
};

}  // namespace

void ParallelFor(std::size_t pieces, const TWorkControl& control,
                 const std::function<void(std::size_t)>& work) {
  ThrowIfStopped(control);
  TPieceQueue queue(pieces, control);
  const unsigned workers = WorkerCount(control, pieces);
  {
    std::vector<std::jthread> threads;
    threads.reserve(workers - 1);
    for (unsigned i = 1; i < workers; ++i)
      threads.emplace_back([&queue, &work] {
        InitFloatingPointEnvironment();
        queue.Work(work);
      });
    queue.Work(work);
  }  // joined
  queue.Finish();
}

}  // namespace corvane
