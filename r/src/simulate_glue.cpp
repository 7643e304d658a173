// corvane_simulate and rcorvane: the program's simulator on a generator of its own.
//
//   six parameters, seed --TReactionSimulator on TRandomGenerator(seed)--> series, reaction, RT,
//        carried inhibition: draw for draw what corvane-cli simulate --seed gives (which seeds the
//        process-wide generator: the same algorithm, so the same reactions)
//   A, b, k, c0, seed --TStationarySeries--> n reactions from the stationary state, the series a
//        bootstrap replicate with that seed draws
#include <Rcpp.h>

#include <cstdint>

#include "analysis/stationary_series.h"
#include "glue_support.h"
#include "runtime/float_environment.h"
#include "runtime/random_generator.h"
#include "simulation/reaction_simulator.h"

namespace corvane::rglue {
namespace {

class TDiscardingSink final : public TReactionSink {
 public:
  void AddPathPoint(double, double) override {}
  void AddPeriodRecord(const TPeriodRecord&) override {}
};

// Reactions between two looks for an interrupt: a few milliseconds of work.
constexpr std::size_t kInterruptEvery = 1 << 14;

}  // namespace
}  // namespace corvane::rglue

using namespace corvane;
using namespace corvane::rglue;

extern "C" SEXP corvane_simulate_(SEXP parameters, SEXP reactions, SEXP series, SEXP seed) {
  BEGIN_RCPP
  InitFloatingPointEnvironment();
  const Rcpp::NumericVector p(parameters);
  const TParameterSet P{p[0], p[1], p[2], p[3], p[4], p[5]};
  const auto count = static_cast<std::size_t>(WholeNumber(reactions, "reactions", 1e12));
  const auto series_count = static_cast<std::size_t>(WholeNumber(series, "series", 1e12));
  const auto seed_value = static_cast<std::uint32_t>(WholeNumber(seed, "seed", 4294967295.0));
  const double total = static_cast<double>(count) * static_cast<double>(series_count);
  if (total > 2147483647.0)
    Rcpp::stop("reactions * series must be below 2^31");
  return Guarded([&]() -> SEXP {
    const auto rows = static_cast<R_xlen_t>(total);
    Rcpp::IntegerVector s_out(rows), r_out(rows);
    Rcpp::NumericVector rt_out(rows), carried_out(rows);
    TRandomGenerator generator(seed_value);
    TReactionSimulator simulator(generator);
    TDiscardingSink sink;
    R_xlen_t row = 0;
    for (std::size_t s = 1; s <= series_count; ++s)
      for (std::size_t r = 1; r <= count; ++r, ++row) {
        if (row % kInterruptEvery == 0)
          CheckInterrupt();
        rt_out[row] = simulator.SimulateReaction(P, r == 1, sink);
        carried_out[row] = simulator.CarriedY();
        s_out[row] = static_cast<int>(s);
        r_out[row] = static_cast<int>(r);
      }
    return Rcpp::List::create(Rcpp::Named("series") = s_out, Rcpp::Named("reaction") = r_out,
                              Rcpp::Named("rt") = rt_out, Rcpp::Named("carried") = carried_out);
  });
  END_RCPP
}

extern "C" SEXP corvane_stationary_(SEXP n, SEXP parameters, SEXP seed) {
  BEGIN_RCPP
  InitFloatingPointEnvironment();
  const Rcpp::NumericVector p(parameters);  // A, b, k, c0
  // a1 = 1 holds the inhibition's scale: a0 = 1/b, c1 = k; y0 is not used (the start is drawn).
  const TParameterSet P{p[0], 1.0, 1.0 / p[1], p[2], p[3], 1.0};
  const auto count = static_cast<R_xlen_t>(WholeNumber(n, "n", 4503599627370496.0));
  const auto seed_value = static_cast<std::uint32_t>(WholeNumber(seed, "seed", 4294967295.0));
  return Guarded([&]() -> SEXP {
    Rcpp::NumericVector out(count);
    TStationarySeries series(P, seed_value);
    for (R_xlen_t i = 0; i < count; ++i) {
      if (i % static_cast<R_xlen_t>(kInterruptEvery) == 0)
        CheckInterrupt();
      out[i] = series.Next();
    }
    return out;
  });
  END_RCPP
}
