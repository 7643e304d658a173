\name{rcorvane}
\alias{rcorvane}
\title{A Stationary Series of Reactions}
\description{
A dependent series of \code{n} reactions from the model's own simulator, with \eqn{a_1 = 1},
\eqn{a_0 = 1/b}, \eqn{c_1 = k}, started in the stationary state: the first reaction's inhibition
is drawn from its stationary law, Gamma(\eqn{k + 1}, rate \eqn{c_0/a_0}), so every reaction of the
series follows the stationary distribution of reaction times, and neighbouring reactions are
correlated.
}
\usage{
rcorvane(n, A, b, k, c0, seed = NULL)
}
\arguments{
  \item{n}{length of the series.}
  \item{A, b, k, c0}{the parameters, each one finite number greater than 0.}
  \item{seed}{a whole number from 0 to \eqn{2^{32} - 1}; \code{NULL} takes one from R's
    generator, so that \code{set.seed} makes the call repeatable.}
}
\value{A numeric vector of \code{n} reaction times.}
\details{
The command line has no stationary simulation: from a given seed, the series equals the one the
library's stationary series (\code{TStationarySeries}) draws from that seed, which is the series
the fit's parametric bootstrap draws for a replicate given that seed.
}
\examples{
set.seed(1)
x <- rcorvane(1000, A = 3, b = 0.4, k = 1.5, c0 = 0.7)
acf(x, lag.max = 3, plot = FALSE)
}
