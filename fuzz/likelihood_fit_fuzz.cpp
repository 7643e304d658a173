// FitByLikelihood on arbitrary positive series: readable data (at least 20 finite values above 0
// with variation) are always fitted, with estimates that are numbers (k may be inf, never NaN),
// everything else gets its condition; no exception escapes, nothing hangs.
//
// A fit that runs past a deadline is asked to stop and must then end at once (libFuzzer's timeout
// catches one that does not). The deadline is needed: a fit's first pass over a region of the lattice
// solves its nodes, seconds each under the sanitizers, and a degenerate series (29 ties and one value
// below them) sends the wide searches through hundreds (60 s cold without the sanitizers). Nothing
// else in a fit runs that long: its searches and climbs are bounded by their evaluation limits.
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

#include "analysis/likelihood_fit.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  fuzz::FuzzInput input(data, size);
  const std::uint8_t choice = input.Byte();
  const std::size_t n = 16 + input.Byte() % 120;
  std::vector<double> values;
  for (std::size_t i = 0; i < n; ++i) {
    if (choice & 1) {
      // Any double, its sign dropped; those that are not finite and above 0 kept as they are
      // one time in four, so refusals are reached as well.
      const double v = input.Raw<double>();
      if ((std::isfinite(v) && v != 0) || (choice & 6) == 6)
        values.push_back(std::fabs(v));
    } else {
      // Milliseconds, as real data come: 1 ms to 65 s.
      values.push_back(static_cast<double>(1 + input.Raw<std::uint16_t>()) / 1000);
    }
  }
  TLikelihoodFitOptions options;
  options.Replicates = (choice & 8) ? 4 : 0;
  options.Likelihood.Contaminants = (choice & 16) != 0;
  options.Likelihood.a1 = (choice & 32) ? 0.6 : 1;
  std::stop_source deadline;
  const std::jthread watch([&deadline](std::stop_token ended) {
    std::mutex mutex;
    std::condition_variable_any wake;
    std::unique_lock lock(mutex);
    wake.wait_for(lock, ended, std::chrono::seconds(60), [] { return false; });
    if (!ended.stop_requested())
      deadline.request_stop();
  });
  TWorkControl control;
  control.Stop = deadline.get_token();
  TLikelihoodFit fit;
  try {
    fit = FitByLikelihood(values, options, control);
  } catch (const EAnalysisCancelled&) {
    return 0;
  }
  if (fit.Fitted()) {
    for (const int p : {kFitA, kFitB, kFitK, kFitC0, kFitA0})
      if (std::isnan(fit.Estimates[static_cast<std::size_t>(p)]))
        __builtin_trap();
    if (!(fit.Estimates[kFitA] > 0) || !(fit.Estimates[kFitB] > 0) || !(fit.Estimates[kFitC0] > 0) ||
        !(fit.Estimates[kFitK] > 0) || std::isnan(fit.LogLik))
      __builtin_trap();
    if (options.Replicates > 0)
      for (std::size_t p = 0; p < kFitParameterCount; ++p)
        if (!fit.Intervals[p].Contains(fit.Estimates[p]) || fit.FailedReplicates != 0)
          __builtin_trap();
  } else if (fit.Message.empty()) {
    __builtin_trap();
  }
  return 0;
}
