\name{coef.corvane_fit}
\alias{coef.corvane_fit}
\alias{confint.corvane_fit}
\alias{logLik.corvane_fit}
\alias{plot.corvane_fit}
\title{Estimates, Intervals, Likelihood and Charts of a One-Group Fit}
\description{
Methods for one row of \code{\link{corvane_fit}}: the estimates of \eqn{A}, \eqn{b}, \eqn{k} and
\eqn{c_0}, their 95 \% bootstrap intervals and the log-likelihood.
}
\usage{
\method{coef}{corvane_fit}(object, ...)
\method{confint}{corvane_fit}(object, parm, level = 0.95, ...)
\method{logLik}{corvane_fit}(object, ...)
\method{plot}{corvane_fit}(x, ...)
}
\arguments{
  \item{object, x}{a fit of one group, status \code{"fitted"}; for \code{plot}, of one series
    as \code{corvane_fit} returned it (a row taken from a grouped fit keeps no data).}
  \item{parm}{parameter names among \code{A}, \code{b}, \code{k}, \code{c0}, \code{a0}, \code{c1},
    \code{y0}; default the four estimated.}
  \item{level}{0.95, the level the intervals were made at.}
  \item{\dots}{not used.}
}
\value{
\code{coef}: a named vector. \code{confint}: a matrix with columns \code{2.5 \%} and
\code{97.5 \%}. \code{plot}: two charts side by side, the data's quantiles against the fitted model's
(\code{\link{qcorvane}}) with the identity line, and the data's histogram with the model's
density (\code{\link{dcorvane}}), the atom at \eqn{A} in its title; \code{x} invisibly.
\code{logLik}: the maximum of the likelihood, an object of class \code{logLik} with 4 degrees of
freedom (5 with contaminants), on the same density scale as the \code{exgauss_AIC} and
\code{lognormal_AIC} columns, so \code{AIC(fit)} compares with them; the moment fit maximises no
likelihood, so it is \code{NA} there (and so is \code{AIC}).
}
\examples{
x <- rcorvane(300, A = 3, b = 0.4, k = 1.5, c0 = 0.7, seed = 7)
fit <- corvane_fit(x, bootstrap = 50, threads = 1)
coef(fit)
confint(fit)
logLik(fit)
AIC(fit)
plot(fit)
}
