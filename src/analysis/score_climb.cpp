#include "analysis/score_climb.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace corvane {
namespace {

constexpr double kImpossible = -std::numeric_limits<double>::infinity();
// Halvings of a step before the climb gives up on its direction.
constexpr int kBacktracks = 30;
// Below the bar after this many steps, a climb whose predicted gain, times kBarReach, would not
// reach it stops.
constexpr int kStepsBeforeBar = 2;
constexpr double kBarReach = 10;
// Next to a known maximum: within this share of each variable's reach, and this close in logLik.
constexpr double kJoinedReach = 0.1;
constexpr double kJoinedLogLik = 0.01;
constexpr double kNoCell = std::numeric_limits<double>::quiet_NaN();
// Exact scores are taken this share of a cell inside it.
constexpr double kInsideFace = 1e-9;

class TClimber {
 public:
  TClimber(const TClimbProblem& problem, std::span<const double> start)
      : p_(problem),
        d_(start.size()),
        n_(problem.Counts.size()),
        x_(start.begin(), start.end()),
        terms_(n_),
        trial_(n_),
        scores_(d_ * n_),
        cell_(d_, 0),
        previous_cell_(d_, kNoCell),
        confined_(d_, false),
        lo_(d_),
        hi_(d_),
        cell_lo_(d_),
        cell_hi_(d_) {
    for (std::size_t j = 0; j < d_; ++j) {
      x_[j] = std::clamp(x_[j], p_.Lower[j], p_.Upper[j]);
      if (Kink(j) > 0)
        cell_[j] = CellOf(j, x_[j]);
    }
  }

  TClimb Run() {
    TClimb result;
    Box();
    log_lik_ = EvaluateWithScores(x_, terms_);
    bool converged = false;
    if (log_lik_ > kImpossible)
      for (int step = 0; step < p_.MaxSteps && !converged; ++step) {
        const TStepOutcome outcome = Step();
        if (outcome == TStepOutcome::Converged)
          converged = true;
        else if (outcome == TStepOutcome::Stuck)
          break;
      }
    result.Point = x_;
    result.LogLik = log_lik_;
    result.Converged = converged;
    result.Joined = joined_;
    result.Evaluations = evaluations_;
    return result;
  }

 private:
  enum class TStepOutcome { Moved, Converged, Stuck };

  double Kink(std::size_t j) const { return j < p_.Kinks.size() ? p_.Kinks[j] : 0.0; }

  double Evaluate(std::span<const double> x, std::vector<double>& terms) {
    ++evaluations_;
    return p_.Terms(x, terms) ? Sum(terms) : kImpossible;
  }

  // In double: the climb compares sums of a few thousand terms at most, and rounding's 1e-13 is
  // far below the criterion (extended precision had cost an eighth of a refit).
  double Sum(const std::vector<double>& terms) const {
    double value = 0;
    for (std::size_t i = 0; i < n_; ++i) value += p_.Counts[i] * terms[i];
    return std::isfinite(value) ? value : kImpossible;
  }

  // The terms at x, with the exact scores in the same pass (scores_) where the caller gives them
  // and x lies inside its cells: the next step's scores are then at hand (scores_ready_).
  double EvaluateWithScores(std::span<const double> x, std::vector<double>& terms) {
    scores_ready_ = false;
    if (p_.TermsAndScores && StrictlyInside(x)) {
      ++evaluations_;
      const double value = p_.TermsAndScores(x, terms, scores_) ? Sum(terms) : kImpossible;
      scores_ready_ = value > kImpossible;
      if (scores_ready_)
        return value;
    }
    return Evaluate(x, terms);
  }

  // Whether x lies inside its cell in every kinked variable by more than the share at which exact
  // scores are taken: there the scores at x are the ones the next step would take.
  bool StrictlyInside(std::span<const double> x) const {
    for (std::size_t j = 0; j < d_; ++j) {
      if (!(Kink(j) > 0))
        continue;
      const double cell = CellOf(j, x[j]);
      const double lo = std::max(p_.Lower[j], cell * Kink(j)),
                   hi = std::min(p_.Upper[j], (cell + 1) * Kink(j));
      const double margin = kInsideFace * Kink(j);
      if (!(hi - lo > 2 * margin && x[j] >= lo + margin && x[j] <= hi - margin))
        return false;
    }
    return true;
  }

  // The cell holding x in variable j: at the upper bound, the cell below it.
  double CellOf(std::size_t j, double x) const {
    double cell = std::floor(x / Kink(j));
    if (cell * Kink(j) >= p_.Upper[j] && x > p_.Lower[j])
      cell -= 1;
    return cell;
  }

  // The boxes: the differences keep to the current cell; a step keeps to the bounds, and to the cell
  // in a variable whose steps have crossed one face back and forth (a kink at its maximum).
  void Box() {
    for (std::size_t j = 0; j < d_; ++j) {
      cell_lo_[j] = lo_[j] = p_.Lower[j];
      cell_hi_[j] = hi_[j] = p_.Upper[j];
      if (Kink(j) > 0) {
        cell_lo_[j] = std::max(cell_lo_[j], cell_[j] * Kink(j));
        cell_hi_[j] = std::min(cell_hi_[j], (cell_[j] + 1) * Kink(j));
        if (confined_[j]) {
          lo_[j] = cell_lo_[j];
          hi_[j] = cell_hi_[j];
        }
      }
      x_[j] = std::clamp(x_[j], lo_[j], hi_[j]);
    }
  }

  // After a step to y: each kinked variable's cell, and whether its steps now cross back.
  void FollowCells(std::span<const double> y) {
    for (std::size_t j = 0; j < d_; ++j) {
      if (!(Kink(j) > 0) || confined_[j] || (y[j] >= cell_lo_[j] && y[j] <= cell_hi_[j]))
        continue;
      const double cell = CellOf(j, y[j]);
      if (cell == previous_cell_[j])
        confined_[j] = true;
      previous_cell_[j] = cell_[j];
      cell_[j] = cell;
      cell_changed_ = true;
    }
  }

  // Each value's score in variable j by a forward difference inside the box; false where neither
  // side can be evaluated.
  bool Scores(std::size_t j) {
    const double h = p_.Differences[j];
    const bool room_above = x_[j] + h <= cell_hi_[j];
    for (const double direction : {room_above ? 1.0 : -1.0, room_above ? -1.0 : 1.0}) {
      std::vector<double> y = x_;
      y[j] += direction * h;
      if (y[j] < cell_lo_[j] || y[j] > cell_hi_[j])
        continue;
      if (Evaluate(y, trial_) > kImpossible) {
        for (std::size_t i = 0; i < n_; ++i) scores_[j * n_ + i] = (trial_[i] - terms_[i]) / (direction * h);
        return true;
      }
    }
    return false;
  }

  // At a cell's face, with the function rising towards it: whether it still rises beyond.
  bool RisesBeyond(std::size_t j, double direction) {
    std::vector<double> y = x_;
    y[j] += direction * p_.Differences[j];
    if (y[j] < p_.Lower[j] || y[j] > p_.Upper[j])
      return false;
    return Evaluate(y, trial_) > log_lik_;
  }

  TStepOutcome Step() {
    Box();
    std::vector<bool> free(d_, true);
    std::vector<double> gradient(d_, 0);
    bool exact_scores = scores_ready_;
    scores_ready_ = false;
    if (p_.TermsAndScores && !exact_scores) {
      // Taken a hair inside the current cell: on a face the caller's slopes are the next cell's.
      std::vector<double> y = x_;
      for (std::size_t j = 0; j < d_; ++j)
        if (Kink(j) > 0 && cell_hi_[j] - cell_lo_[j] > 2 * kInsideFace * Kink(j))
          y[j] = std::clamp(y[j], cell_lo_[j] + kInsideFace * Kink(j), cell_hi_[j] - kInsideFace * Kink(j));
      ++evaluations_;
      exact_scores = p_.TermsAndScores(y, trial_, scores_);
    }
    for (std::size_t j = 0; j < d_; ++j) {
      const bool exact = exact_scores && j < p_.Exact.size() && p_.Exact[j];
      if (!(cell_hi_[j] > cell_lo_[j]) || (!exact && !Scores(j))) {
        free[j] = false;
        continue;
      }
      double g = 0;
      for (std::size_t i = 0; i < n_; ++i) g += p_.Counts[i] * scores_[j * n_ + i];
      gradient[j] = g;
    }
    // Variables at a face the function rises towards are held, unless it is a cell's face and the
    // function rises beyond it: then the climb moves to the next cell and looks again.
    for (std::size_t j = 0; j < d_; ++j) {
      if (!free[j])
        continue;
      const bool at_low = x_[j] <= lo_[j] && gradient[j] <= 0;
      const bool at_high = x_[j] >= hi_[j] && gradient[j] >= 0;
      if (!at_low && !at_high)
        continue;
      free[j] = false;
      if (confined_[j] && at_low && lo_[j] > p_.Lower[j] && RisesBeyond(j, -1)) {
        cell_[j] -= 1;
        cell_changed_ = true;
        return TStepOutcome::Moved;
      }
      if (confined_[j] && at_high && hi_[j] < p_.Upper[j] && RisesBeyond(j, 1)) {
        cell_[j] += 1;
        cell_changed_ = true;
        return TStepOutcome::Moved;
      }
    }
    std::vector<std::size_t> index;
    for (std::size_t j = 0; j < d_; ++j)
      if (free[j])
        index.push_back(j);
    if (index.empty())
      return TStepOutcome::Converged;
    Curvature(free, gradient);
    const std::vector<double> direction = NewtonDirection(index, gradient);
    double predicted = 0;
    for (std::size_t a = 0; a < index.size(); ++a) predicted += gradient[index[a]] * direction[a] / 2;
    if (!(predicted > p_.GainTolerance))
      return TStepOutcome::Converged;
    if (++steps_ > kStepsBeforeBar && log_lik_ + kBarReach * predicted < p_.Bar)
      return TStepOutcome::Stuck;
    if (NextToKnown()) {
      joined_ = true;
      return TStepOutcome::Stuck;
    }
    return LineSearch(index, direction, predicted);
  }

  bool NextToKnown() const {
    if (p_.Known.size() != d_ || !(log_lik_ >= p_.KnownLogLik - kJoinedLogLik))
      return false;
    for (std::size_t j = 0; j < d_; ++j) {
      const double reach = j < p_.Reach.size() ? p_.Reach[j] : 0.0;
      if (!(std::fabs(x_[j] - p_.Known[j]) <= reach * kJoinedReach))
        return false;
    }
    return true;
  }

  // The curvature B (minus the Hessian): after a step that stayed in its cells with the same free
  // variables, the secant (BFGS) update of the last one; else the outer product of the scores. The
  // outer product alone zig-zagged along the ridge of m and c0 (its curvature there off by about
  // two), gaining a few per cent of the rest a step.
  void Curvature(const std::vector<bool>& free, const std::vector<double>& gradient) {
    bool secant = have_previous_ && !cell_changed_ && free == previous_free_;
    if (secant) {
      std::vector<double> step(d_), change(d_), Bs(d_, 0);
      double sy = 0, sBs = 0;
      for (std::size_t j = 0; j < d_; ++j) {
        step[j] = free[j] ? x_[j] - previous_x_[j] : 0.0;
        change[j] = free[j] ? previous_gradient_[j] - gradient[j] : 0.0;
        sy += step[j] * change[j];
      }
      for (std::size_t a = 0; a < d_; ++a)
        for (std::size_t b = 0; b < d_; ++b) Bs[a] += B_[a * d_ + b] * step[b];
      for (std::size_t a = 0; a < d_; ++a) sBs += step[a] * Bs[a];
      secant = sy > 0 && sBs > 0 && std::isfinite(sy) && std::isfinite(sBs);
      if (secant)
        for (std::size_t a = 0; a < d_; ++a)
          for (std::size_t b = 0; b < d_; ++b)
            B_[a * d_ + b] += change[a] * change[b] / sy - Bs[a] * Bs[b] / sBs;
    }
    if (!secant) {
      B_.assign(d_ * d_, 0);
      for (std::size_t a = 0; a < d_; ++a)
        for (std::size_t b = 0; b <= a; ++b) {
          if (!free[a] || !free[b])
            continue;
          double sum = 0;
          const double* sa = &scores_[a * n_];
          const double* sb = &scores_[b * n_];
          for (std::size_t i = 0; i < n_; ++i) sum += p_.Counts[i] * sa[i] * sb[i];
          B_[a * d_ + b] = B_[b * d_ + a] = sum;
        }
    }
    have_previous_ = true;
    cell_changed_ = false;
    previous_free_ = free;
    previous_x_ = x_;
    previous_gradient_ = gradient;
  }

  // The step B^-1 g over the free variables, solved in units of B's diagonal (the variables' scales
  // differ by orders) with a ridge where it is singular.
  std::vector<double> NewtonDirection(const std::vector<std::size_t>& index,
                                      const std::vector<double>& gradient) const {
    const std::size_t f = index.size();
    std::vector<double> H(f * f, 0);
    for (std::size_t a = 0; a < f; ++a)
      for (std::size_t b = 0; b < f; ++b) H[a * f + b] = B_[index[a] * d_ + index[b]];
    std::vector<double> scale(f);
    for (std::size_t a = 0; a < f; ++a) scale[a] = H[a * f + a] > 0 ? 1 / std::sqrt(H[a * f + a]) : 0.0;
    for (double ridge = 1e-10; ridge <= 1; ridge *= 100) {
      // Cholesky of the scaled matrix plus the ridge.
      std::vector<double> L(f * f, 0);
      bool positive = true;
      for (std::size_t a = 0; a < f && positive; ++a)
        for (std::size_t b = 0; b <= a; ++b) {
          double sum = H[a * f + b] * scale[a] * scale[b] + (a == b ? ridge + (scale[a] > 0 ? 0 : 1) : 0);
          for (std::size_t c = 0; c < b; ++c) sum -= L[a * f + c] * L[b * f + c];
          if (a == b) {
            if (!(sum > 0)) {
              positive = false;
              break;
            }
            L[a * f + a] = std::sqrt(sum);
          } else {
            L[a * f + b] = sum / L[b * f + b];
          }
        }
      if (!positive)
        continue;
      std::vector<double> y(f);
      for (std::size_t a = 0; a < f; ++a) {
        double sum = gradient[index[a]] * scale[a];
        for (std::size_t c = 0; c < a; ++c) sum -= L[a * f + c] * y[c];
        y[a] = sum / L[a * f + a];
      }
      for (std::size_t a = f; a-- > 0;) {
        double sum = y[a];
        for (std::size_t c = a + 1; c < f; ++c) sum -= L[c * f + a] * y[c];
        y[a] = sum / L[a * f + a];
      }
      for (std::size_t a = 0; a < f; ++a) y[a] *= scale[a];
      return y;
    }
    // No factor at any ridge (scores not finite): a short gradient step.
    std::vector<double> step(f);
    for (std::size_t a = 0; a < f; ++a) step[a] = gradient[index[a]] * scale[a] * scale[a];
    return step;
  }

  // Backtracking along the step, each trial kept inside the cell's box, until the function rises.
  TStepOutcome LineSearch(const std::vector<std::size_t>& index, const std::vector<double>& direction,
                          double predicted) {
    std::vector<double> y = x_;
    double t = 1;
    for (std::size_t a = 0; a < index.size(); ++a) {
      const std::size_t j = index[a];
      if (j < p_.Reach.size() && p_.Reach[j] > 0 && std::fabs(direction[a]) > p_.Reach[j] / t)
        t = p_.Reach[j] / std::fabs(direction[a]);
    }
    for (int trial = 0; trial < kBacktracks; ++trial, t /= 2) {
      bool moved = false;
      for (std::size_t a = 0; a < index.size(); ++a) {
        const std::size_t j = index[a];
        y[j] = std::clamp(x_[j] + t * direction[a], lo_[j], hi_[j]);
        moved = moved || y[j] != x_[j];
      }
      if (!moved)
        break;
      // The full step is usually taken: its scores come with it, in the pass the next step needs.
      const double value = trial == 0 ? EvaluateWithScores(y, trial_) : Evaluate(y, trial_);
      if (!(value > log_lik_))
        scores_ready_ = false;  // they were y's
      if (value > log_lik_) {
        FollowCells(y);
        x_ = y;
        std::swap(terms_, trial_);
        log_lik_ = value;
        return TStepOutcome::Moved;
      }
    }
    // No rise along the step: at the maximum to within rounding, or a direction the outer product
    // got wrong (the caller searches on).
    return predicted < 1e-3 ? TStepOutcome::Converged : TStepOutcome::Stuck;
  }

  const TClimbProblem& p_;
  std::size_t d_, n_;
  std::vector<double> x_, terms_, trial_, scores_;
  std::vector<double> cell_, previous_cell_;
  std::vector<bool> confined_;
  std::vector<double> lo_, hi_, cell_lo_, cell_hi_;
  double log_lik_ = kImpossible;
  int evaluations_ = 0;
  int steps_ = 0;
  bool joined_ = false;
  std::vector<double> B_, previous_x_, previous_gradient_;
  std::vector<bool> previous_free_;
  bool have_previous_ = false, cell_changed_ = false;
  bool scores_ready_ = false;  // scores_ hold x_'s exact scores
};

}  // namespace

TClimb ClimbLikelihood(const TClimbProblem& problem, std::span<const double> start) {
  return TClimber(problem, start).Run();
}

}  // namespace corvane
