#include "analysis/bounded_minimizer.h"

#include <nlopt.h>

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>

namespace corvane {
namespace {

// A value NLopt can compare: the objective's failures become a huge finite number, as BOBYQA's
// quadratic models cannot take infinities.
constexpr double kWorst = 1e300;

struct TSearch {
  const std::function<double(std::span<const double>)>* f = nullptr;
  std::size_t dimension = 0;
  std::vector<double> best;
  double best_value = std::numeric_limits<double>::infinity();
  int evaluations = 0;
  std::exception_ptr failure;
  nlopt_opt opt = nullptr;
};

double Objective(unsigned n, const double* x, double*, void* data) {
  auto& search = *static_cast<TSearch*>(data);
  ++search.evaluations;
  double value = kWorst;
  try {
    value = (*search.f)(std::span<const double>(x, n));
  } catch (...) {
    search.failure = std::current_exception();
    nlopt_force_stop(search.opt);
    return kWorst;
  }
  if (!(value < kWorst))  // NaN and +inf alike
    value = kWorst;
  if (value < search.best_value) {
    search.best_value = value;
    search.best.assign(x, x + n);
  }
  return value;
}

class TOptimiser {
 public:
  TOptimiser(nlopt_algorithm algorithm, unsigned n) : opt_(nlopt_create(algorithm, n)) {}
  ~TOptimiser() {
    if (opt_ != nullptr)
      nlopt_destroy(opt_);
  }
  TOptimiser(const TOptimiser&) = delete;
  TOptimiser& operator=(const TOptimiser&) = delete;
  nlopt_opt get() const noexcept { return opt_; }

 private:
  nlopt_opt opt_;
};

// One run of one method from `x`; true when its criterion ended it.
bool Run(nlopt_algorithm algorithm, TSearch& search, std::vector<double> x, std::span<const double> lower,
         std::span<const double> upper, const TMinimizeOptions& options) {
  const auto n = static_cast<unsigned>(search.dimension);
  TOptimiser optimiser(algorithm, n);
  if (optimiser.get() == nullptr)
    return false;
  nlopt_opt opt = optimiser.get();
  search.opt = opt;
  nlopt_set_lower_bounds(opt, lower.data());
  nlopt_set_upper_bounds(opt, upper.data());
  nlopt_set_min_objective(opt, Objective, &search);
  nlopt_set_xtol_rel(opt, options.RelativeStep);
  nlopt_set_ftol_abs(opt, options.ValueChange);
  nlopt_set_maxeval(opt, std::max(1, options.MaxEvaluations - search.evaluations));
  // Initial steps a tenth of each range (bounded to keep inside it).
  std::vector<double> step(n);
  for (unsigned i = 0; i < n; ++i) {
    const double range = upper[i] - lower[i];
    step[i] = std::isfinite(range) && range > 0 ? range / 10 : std::max(1e-3, std::fabs(x[i]) / 10);
    if (i < options.InitialSteps.size() && options.InitialSteps[i] > 0)
      step[i] = std::isfinite(range) && range > 0 ? std::min(options.InitialSteps[i], range / 2)
                                                  : options.InitialSteps[i];
  }
  nlopt_set_initial_step(opt, step.data());
  double value = 0;
  const nlopt_result result = nlopt_optimize(opt, x.data(), &value);
  search.opt = nullptr;
  if (search.failure)
    std::rethrow_exception(search.failure);
  return result == NLOPT_FTOL_REACHED || result == NLOPT_XTOL_REACHED || result == NLOPT_SUCCESS ||
         result == NLOPT_STOPVAL_REACHED;
}

}  // namespace

TMinimum MinimizeBounded(const std::function<double(std::span<const double>)>& f,
                         std::span<const double> start, std::span<const double> lower,
                         std::span<const double> upper, const TMinimizeOptions& options) {
  TSearch search;
  search.f = &f;
  search.dimension = start.size();
  std::vector<double> x(start.begin(), start.end());
  for (std::size_t i = 0; i < x.size(); ++i) x[i] = std::clamp(x[i], lower[i], upper[i]);
  search.best = x;
  bool converged = false;
  if (x.size() >= 2)
    converged = Run(NLOPT_LN_BOBYQA, search, x, lower, upper, options);
  if (!converged && search.evaluations < options.MaxEvaluations) {
    // From the best point so far: Sbplx restarts cheaply and copes with what BOBYQA could not.
    converged = Run(NLOPT_LN_SBPLX, search, search.best, lower, upper, options);
  }
  TMinimum minimum;
  minimum.Point = search.best;
  minimum.Value = search.best_value;
  minimum.Converged = converged && std::isfinite(search.best_value) && search.best_value < kWorst;
  minimum.Evaluations = search.evaluations;
  return minimum;
}

}  // namespace corvane
