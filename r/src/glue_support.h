// What every entry point of the R package shares.
//
//   entry point --Guarded(work)--> work's value, or for a failure of ours a "corvane_failure" list
//        (class name, message, line) that the R side raises as a condition of its own class
//   RunInterruptible(control, work, progress) --> work on a thread of its own while the R thread
//        polls: Ctrl+C sets the work control's stop and waits for the work to end; the progress the
//        work reports goes to an R function, from the R thread alone
//
// The R API is used from the R thread only; the work never prints.
#pragma once

#include <Rcpp.h>

#include <functional>
#include <string>

#include "analysis/work_control.h"

namespace corvane::rglue {

// The failure list the R side turns into a condition.
SEXP Failure(const std::string& class_name, const std::string& message, std::size_t line);

// Runs work() and returns its value; our own exceptions become a failure list. Rcpp's exceptions
// and interrupts pass on to Rcpp's own handling.
SEXP Guarded(const std::function<SEXP()>& work);

// Runs work(control) on a worker thread of its own (which ParallelFor also uses as one of its
// workers), polling R for an interrupt every 50 ms. On an interrupt, or an error of the progress
// function, the stop is requested, the work is waited for and the interrupt or error goes on.
// `progress`: an R function of one number in [0, 1], or R_NilValue.
void RunInterruptible(TWorkControl control, const std::function<void(const TWorkControl&)>& work,
                      SEXP progress);

// Between blocks of work done on the R thread itself: an interrupt unwinds from here.
void CheckInterrupt();

// A number from R meant as a whole count or seed: NaN, negatives, fractions and values above `max`
// are refused with `name` in the message.
double WholeNumber(SEXP value, const char* name, double max);

}  // namespace corvane::rglue
