\name{corvane_fit}
\alias{corvane_fit}
\title{Fit the Model to Reaction Times, by Group}
\description{
Fits the model to a numeric vector of reaction times, or to a data frame with one fit for each
group of \code{by}, by maximum likelihood on the stationary distribution of the reaction times
(or by the closed-form moments), with 95 \% intervals from a parametric bootstrap that simulates
the fitted model's dependent series, the ex-Gaussian and the shifted lognormal fitted beside it,
a goodness-of-fit p-value and a verdict on the data's lag-1 autocorrelation: the rows
\command{corvane-cli fit} prints, as a data frame.
}
\usage{
corvane_fit(data, rt = "rt", by = NULL, order = NULL, method = c("ml", "moments"),
            contaminants = FALSE, bootstrap = 1000, threads = NULL, seed = 0, where = NULL)
}
\arguments{
  \item{data}{a numeric vector in trial order, or a data frame with one row a trial (choose the
    rows with R itself: \code{subset}, \code{order}).}
  \item{rt}{the data frame's column of reaction times.}
  \item{by}{columns whose values make the groups, one fit a group, in the order of their first
    appearance; a missing value makes a group of its own.}
  \item{order}{a numeric column of trial numbers that orders the trials within each group (sorted
    stably); two trials not numbered n, n + 1 (a missing, filtered or dropped trial between them)
    are not paired in the lag-1 autocorrelation and the fit's dependence. \code{NULL}: the rows'
    order, adjacent kept rows paired.}
  \item{method}{\code{"ml"}, maximum likelihood (A, b, k and c0; k may be \code{Inf}, the
    boundary of independent reactions, reported in \code{message}); \code{"moments"}, the closed
    form from the minimum, mean, variance and lag-1 autocorrelation (which refuses a lag-1 outside
    (-1/2, 0)).}
  \item{contaminants}{\code{TRUE}: a share of stray trials, uniform over the data's range, mixed in
    and estimated (maximum likelihood only).}
  \item{bootstrap}{replicate series for the intervals; 0 for none.}
  \item{threads}{the most threads the bootstrap runs on; \code{NULL}: every core. The results do
    not depend on it.}
  \item{seed}{the replicates' base seed, as the command line's \option{--seed}.}
  \item{where}{\code{NULL}, or a named list of the values a column may hold for its rows to be
    fitted, as the command line's \option{--where}: \code{list(acc = 1, block = c(2, 3))} keeps the
    rows with \code{acc} 1 and \code{block} 2 or 3. Numbers compare as numbers (\code{1} keeps
    \code{1.0}), anything else as text (\code{TRUE} is not \code{1}); a value that keeps no row is an
    error naming it.}
}
\value{
A data frame of class \code{corvane_fit}, one row a group: the \code{by} columns, then \code{n}
(the values fitted), \code{missing} (the \code{NA} dropped), \code{excluded} (always 0: cut with R itself before the fit), the estimates of \code{A}, \code{b},
\code{k}, \code{c0}, \code{a0}, \code{c1}, \code{y0} each followed by its interval
(\code{A_low}, \code{A_high}, ...), \code{failed_replicates} (0 under maximum likelihood: no
replicate is left out), \code{logLik}, \code{AIC}, \code{BIC}, \code{exgauss_AIC},
\code{exgauss_mu}, \code{exgauss_sigma}, \code{exgauss_tau}, \code{lognormal_AIC},
\code{contaminants} (the share, \code{NA} when not estimated), \code{lag1} (the data's, over
neighbouring trials), \code{lag1_model}, \code{lag1_se}, \code{gof_p}, \code{method},
\code{seed}, \code{status} (\code{"fitted"}, \code{"not fitted"} or \code{"not read"}) and
\code{message}: the command line's columns from \code{n} on, with spaces as underscores. Numbers
are numbers (\code{Inf} at the boundary k = Inf); \code{NA} where the command line prints NA.
Under the moments the comparison columns are computed at the moment estimates.
}
\details{
Missing values (\code{NA}, \code{NaN}) are dropped and counted in \code{missing}; the remaining
values must be finite and greater than 0. Without \code{by}, data that break these rules are an
error of class \code{corvane_EReactionTimeFormat} (also \code{corvane_error})
naming the row, the column and the value; with \code{by}, only the group is rejected (status
\code{"not read"}) and a warning of class \code{corvane_warning} says how many groups were not
fitted or not read. Fewer than 20 values, or values without variation, give status
\code{"not fitted"} with the reason in \code{message}; so does, for the moment fit alone, a lag-1
autocorrelation not in (-1/2, 0). Maximum likelihood fits every other series; its
\code{message} joins the missing values skipped, the boundary and the dependence verdict.

In interactive sessions a progress bar shows the bootstrap; Ctrl+C stops the work and returns
control. With the same data, seed and replicates, the row equals the command line's, whatever
the threads.
}
\seealso{\code{\link{coef.corvane_fit}} for the methods of a one-group fit.}
\examples{
x <- rcorvane(300, A = 3, b = 0.4, k = 1.5, c0 = 0.7, seed = 7)
corvane_fit(x, method = "moments", bootstrap = 100, threads = 1)
fit <- corvane_fit(x, bootstrap = 0, threads = 1)
fit[, c("A", "b", "k", "c0", "AIC", "exgauss_AIC", "message")]
}
