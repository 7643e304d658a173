#include "glue_support.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <stop_token>
#include <thread>

#include "analysis/reaction_time_reader.h"
#include "runtime/float_environment.h"

namespace corvane::rglue {

SEXP Failure(const std::string& class_name, const std::string& message, std::size_t line) {
  Rcpp::List failure = Rcpp::List::create(Rcpp::Named("class") = class_name, Rcpp::Named("message") = message,
                                          Rcpp::Named("line") = static_cast<double>(line));
  failure.attr("class") = "corvane_failure";
  return failure;
}

SEXP Guarded(const std::function<SEXP()>& work) {
  try {
    return work();
  } catch (const EReactionTimeFormat& e) {
    return Failure(e.ClassName(), e.Message(), e.Line());
  } catch (const Exception& e) {
    return Failure(e.ClassName(), e.Message(), 0);
  }
}

void CheckInterrupt() {
  Rcpp::checkUserInterrupt();
}

void RunInterruptible(TWorkControl control, const std::function<void(const TWorkControl&)>& work,
                      SEXP progress) {
  std::stop_source stop;
  control.Stop = stop.get_token();
  std::atomic<double> share{0};
  control.Progress = [&share](double s) { share.store(s, std::memory_order_relaxed); };

  std::mutex mutex;
  std::condition_variable ended;
  bool done = false;
  std::exception_ptr error;
  std::thread worker([&] {
    InitFloatingPointEnvironment();
    try {
      work(control);
    } catch (...) {
      error = std::current_exception();
    }
    const std::lock_guard lock(mutex);
    done = true;
    ended.notify_one();
  });

  const bool reports = !Rf_isNull(progress);
  const Rcpp::Function report(reports ? progress : Rf_findFun(Rf_install("identity"), R_BaseEnv));
  double shown = -1;
  try {
    for (;;) {
      {
        std::unique_lock lock(mutex);
        if (ended.wait_for(lock, std::chrono::milliseconds(50), [&] { return done; }))
          break;
      }
      Rcpp::checkUserInterrupt();
      const double now = share.load(std::memory_order_relaxed);
      if (reports && now != shown) {
        shown = now;
        report(now);
      }
    }
  } catch (...) {
    // An interrupt or the progress function's error: the work stops at its next piece.
    stop.request_stop();
    worker.join();
    throw;
  }
  worker.join();
  if (reports && share.load() != shown)
    report(share.load());
  if (error)
    std::rethrow_exception(error);
}

double WholeNumber(SEXP value, const char* name, double max) {
  if (Rf_length(value) != 1 || !(Rf_isReal(value) || Rf_isInteger(value)))
    Rcpp::stop(std::string(name) + " must be one number");
  const double x = Rf_asReal(value);
  if (!(x >= 0) || x > max || std::floor(x) != x)
    Rcpp::stop(std::string(name) + " must be a whole number from 0");
  return x;
}

}  // namespace corvane::rglue
