\name{dcorvane}
\alias{dcorvane}
\alias{pcorvane}
\alias{qcorvane}
\title{The Stationary Distribution of Reaction Times}
\description{
Density, distribution function and quantile function of one reaction time of the stationary
series, with \eqn{a_1 = 1}: an atom \eqn{e^{-b c_0 A}} at \eqn{A} (reactions without a
distraction) and a continuous part above \eqn{A}. \code{dcorvane} is the density of the
continuous part (0 at and below \eqn{A}), so it integrates to one less the atom;
\code{pcorvane} and \code{qcorvane} include the atom.
}
\usage{
dcorvane(x, A, b, k, c0, log = FALSE)
pcorvane(q, A, b, k, c0, lower.tail = TRUE, log.p = FALSE)
qcorvane(p, A, b, k, c0, lower.tail = TRUE, log.p = FALSE)
}
\arguments{
  \item{x, q}{reaction times.}
  \item{p}{probabilities.}
  \item{A, b, c0}{parameters, finite numbers greater than 0.}
  \item{k}{\eqn{c_1/a_1}, greater than 0; \code{Inf} is the limit of independent reactions.}
  \item{log, log.p}{densities or probabilities as their logarithms.}
  \item{lower.tail}{\code{TRUE}: \eqn{P(RT \le q)}; \code{FALSE}: \eqn{P(RT > q)}.}
}
\details{
Every argument is recycled to the length of the longest, as in R's own distribution functions;
\code{NA} stays \code{NA}; a parameter out of range gives \code{NaN} with a warning, and so
does a probability outside [0, 1]. The quantile is the smallest reaction time whose
distribution function reaches \code{p}: \eqn{A} for every \code{p} up to the atom.

The law of \eqn{c_0 (RT - A)} depends on \eqn{k} and \eqn{m = b c_0 A} alone; for finite
\eqn{k} it is computed numerically once per \eqn{(k, m)} and kept for the session, for
\eqn{k = \infty} it is in closed form. Its mean is \eqn{A (1 + b)}.
}
\value{Numeric vectors of the recycled length.}
\seealso{\code{\link{rcorvane}} for series from this law.}
\examples{
dcorvane(c(3.5, 4, 5), A = 3, b = 0.4, k = 1.5, c0 = 0.7)
pcorvane(3, A = 3, b = 0.4, k = 1.5, c0 = 0.7)   # the atom, exp(-0.84)
qcorvane(c(0.25, 0.5, 0.9), A = 3, b = 0.4, k = 1.5, c0 = 0.7)
}
