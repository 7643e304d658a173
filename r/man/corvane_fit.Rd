\name{corvane_fit}
\alias{corvane_fit}
\title{Fit the Model to Reaction Times, by Group}
\description{
Fits the model to a numeric vector of reaction times, or to a data frame with one fit for each
group of \code{by}, with 95 \% parametric bootstrap intervals: the rows \command{corvane-cli fit}
prints, as a data frame.
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
  \item{method}{\code{"ml"}, maximum likelihood, is not in this build yet and is an error;
    \code{"moments"}, the closed form from the minimum, mean, variance and lag-1
    autocorrelation.}
  \item{contaminants}{a share of uniform stray trials, estimated by maximum likelihood only.}
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
(\code{A_low}, \code{A_high}, ...), \code{failed_replicates}, \code{status} (\code{"fitted"},
\code{"not fitted"} or \code{"not read"}) and \code{message}: the command line's columns from
\code{n} on, with spaces as underscores. Numbers are numbers; \code{NA} where the command line
prints NA.
}
\details{
Missing values (\code{NA}, \code{NaN}) are dropped and counted in \code{missing}; the remaining
values must be finite and greater than 0, at least 20 of them. Without \code{by}, data that break
these rules are an error of class \code{corvane_EReactionTimeFormat} (also \code{corvane_error})
naming the row, the column and the value; with \code{by}, only the group is rejected (status
\code{"not read"}) and a warning of class \code{corvane_warning} says how many groups were not
fitted or not read. A series the model cannot describe (for the moment fit, a lag-1
autocorrelation not in (-1/2, 0)) has status \code{"not fitted"} and the reason in
\code{message}.

In interactive sessions a progress bar shows the bootstrap; Ctrl+C stops the work and returns
control. With the same data, seed and replicates, the row equals the command line's, whatever
the threads.
}
\seealso{\code{\link{coef.corvane_fit}} for the methods of a one-group fit.}
\examples{
x <- rcorvane(300, A = 3, b = 0.4, k = 1.5, c0 = 0.7, seed = 7)
corvane_fit(x, method = "moments", bootstrap = 100, threads = 1)
}
