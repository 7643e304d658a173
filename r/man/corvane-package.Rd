\name{corvane-package}
\alias{corvane-package}
\alias{corvane}
\docType{package}
\title{Reaction Times under Mental Inhibition}
\description{
The stochastic model of reaction times under mental inhibition, compiled from the C++ library
of the Corvane program and its command line \command{corvane-cli}: the same simulator, the same
fit and the same bootstrap, so that a seed gives here what it gives there.

In the model a reaction alternates work and distraction periods until the work reaches
\eqn{A}; the inhibition \eqn{Y} falls at rate \eqn{a_1} with work, and each distraction
(beginning at rate \eqn{c_1/Y}, lasting an exponential time of rate \eqn{c_0}) raises it at rate
\eqn{a_0}. The inhibition carried from one reaction to the next makes the reactions of a series
dependent. Reaction times do not identify the inhibition's scale, so fits hold \eqn{a_1 = 1} and
estimate \eqn{A}, \eqn{b = a_1/a_0}, \eqn{k = c_1/a_1} and \eqn{c_0}.

\itemize{
  \item \code{\link{corvane_simulate}}: reactions from the six parameters and a seed, as
    \command{corvane-cli simulate} prints them.
  \item \code{\link{rcorvane}}: a series started in its stationary state;
    \code{\link{dcorvane}}, \code{\link{pcorvane}}, \code{\link{qcorvane}}: the stationary
    distribution of one reaction time.
  \item \code{\link{corvane_fit}}: the model fitted to a vector or a data frame, by group.
}
Examples of a whole study: \code{demo("study", package = "corvane")}.
}
\section{Shapes kept between sessions}{
The likelihood fit solves the shapes of the model's law it needs
(a first fit can take seconds) and keeps them in R's cache folder for the package,
\code{tools::R_user_dir("corvane", "cache")}, so that later sessions read them. The environment
variable \env{CORVANE_SHAPE_CACHE}, set before the package is loaded, names another folder, or
\code{off} for none. The folder may be deleted at any time; a fit gives the same figures with or
without it.
}
\keyword{package}
