// How a long computation of the analysis is steered from outside: how many threads it may use, a
// stop request that ends it early, and a report of its progress.
//
//   TWorkControl{Threads, Stop, Progress} --> SimulateModel, BootstrapFit, ReadReactionTimes
//        Stop requested --> EAnalysisCancelled thrown from the call; nothing partial is returned
//
// Results never depend on the thread count: work is cut into pieces numbered in advance, each
// with its own generator seeded from its number (runtime/random_generator.h).
#pragma once

#include <cstddef>
#include <functional>
#include <stop_token>

#include "runtime/errors.h"

namespace corvane {

CORVANE_FIXED_EXCEPTION(EAnalysisCancelled, Exception, "The computation was cancelled");

struct TWorkControl {
  // 0: one thread per core; otherwise at most this many, and never more than the cores.
  unsigned Threads = 0;
  // A stop request ends the work at the next piece with EAnalysisCancelled.
  std::stop_token Stop;
  // The share done, in [0, 1], rising; called from worker threads, one call at a time, about a
  // hundred times over the work. May be empty.
  std::function<void(double)> Progress;
};

// The threads a computation of `pieces` pieces runs on under `control`: at least 1, at most the
// cores (std::thread::hardware_concurrency), the pieces and control.Threads where that is set.
unsigned WorkerCount(const TWorkControl& control, std::size_t pieces);

// Runs work(i) for every i in [0, pieces) on WorkerCount threads (the calling thread among them),
// taking the pieces in order from a shared counter. Reports progress as pieces end. The first
// exception thrown by a piece stops the rest and is rethrown here; a stop request throws
// EAnalysisCancelled once the running pieces end. Each worker starts with the process's
// floating-point settings (runtime/float_environment.h).
void ParallelFor(std::size_t pieces, const TWorkControl& control,
                 const std::function<void(std::size_t)>& work);

// Throws EAnalysisCancelled when a stop is requested.
void ThrowIfStopped(const TWorkControl& control);

}  // namespace corvane
