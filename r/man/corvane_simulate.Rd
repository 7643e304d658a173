\name{corvane_simulate}
\alias{corvane_simulate}
\title{Simulate Series of Reactions from a Seed}
\description{
Simulates \code{series} series of \code{reactions} reactions with the program's own simulator.
Each series starts from the inhibition \code{y0}; later reactions start from the inhibition the
one before carried. From a given seed the result equals, number for number,
\command{corvane-cli simulate --params A,a1,a0,c1,c0,y0 --reactions N --series M --seed S --tsv}.
}
\usage{
corvane_simulate(A, a1, a0, c1, c0, y0, reactions, series = 1, seed = NULL)
}
\arguments{
  \item{A, a1, a0, c1, c0, y0}{the six model parameters, each one finite number greater than 0.}
  \item{reactions}{reactions in each series, a whole number.}
  \item{series}{number of series.}
  \item{seed}{the generator's seed, a whole number from 0 to \eqn{2^{32} - 1}; \code{NULL} takes
    one from R's generator, so that \code{set.seed} makes the call repeatable.}
}
\value{
A data frame with one row a reaction: \code{series} and \code{reaction} (integers from 1),
\code{rt} (the reaction time) and \code{carried} (the inhibition the reaction hands to the next).
}
\details{
An error of the simulation (a value leaving the range of doubles) is a condition of class
\code{corvane_error}. The simulation can be interrupted (Ctrl+C).
}
\examples{
x <- corvane_simulate(5, 1, 1, 0.5, 0.5, 5, reactions = 100, seed = 42)
head(x)
}
