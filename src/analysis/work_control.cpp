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
  unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  if (control.Threads > 0)
    cores = std::min(cores, control.Threads);
  return static_cast<unsigned>(std::max<std::size_t>(1, std::min<std::size_t>(cores, pieces)));
}

void ThrowIfStopped(const TWorkControl& control) {
  if (control.Stop.stop_requested())
    throw EAnalysisCancelled();
}

void ParallelFor(std::size_t pieces, const TWorkControl& control,
                 const std::function<void(std::size_t)>& work) {
  std::atomic<std::size_t> next{0};
  std::atomic<std::size_t> done{0};
  std::atomic<bool> failed{false};
  std::exception_ptr error;
  std::mutex mutex;  // the first error, and one progress call at a time
  const std::size_t report_every = std::max<std::size_t>(1, pieces / 100);
  auto worker = [&] {
    for (;;) {
      if (failed.load() || control.Stop.stop_requested())
        return;
      const std::size_t piece = next.fetch_add(1);
      if (piece >= pieces)
        return;
      try {
        work(piece);
      } catch (...) {
        const std::lock_guard lock(mutex);
        if (!failed.exchange(true))
          error = std::current_exception();
        return;
      }
      const std::size_t finished = done.fetch_add(1) + 1;
      if (control.Progress && (finished % report_every == 0 || finished == pieces)) {
        const std::lock_guard lock(mutex);
        control.Progress(static_cast<double>(finished) / static_cast<double>(pieces));
      }
    }
  };
  std::vector<std::thread> threads;
  const unsigned count = WorkerCount(control, pieces);
  for (unsigned i = 1; i < count; ++i)
    threads.emplace_back([&] {
      InitFloatingPointEnvironment();
      worker();
    });
  worker();
  for (std::thread& thread : threads) thread.join();
  if (error)
    std::rethrow_exception(error);
  ThrowIfStopped(control);
}

}  // namespace corvane
