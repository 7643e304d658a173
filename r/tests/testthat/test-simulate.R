test_that("corvane_simulate equals the command line's reactions from the same seed", {
  cases <- list(
    list(p = c(5, 1, 1, 0.5, 0.5, 5), n = 50, series = 2, seed = 42, fixture = "simulate-42.tsv"),
    list(p = c(3, 0.6, 1.5, 0.9, 0.7, 6), n = 200, series = 1, seed = 4000000000, fixture = "simulate-4e9.tsv"))
  for (case in cases) {
    args <- c("simulate", "--params", paste(case$p, collapse = ","), "--reactions", case$n,
              "--series", case$series, "--seed", format(case$seed, scientific = FALSE), "--tsv")
    cli <- read.delim(text = cli_output(args, case$fixture), check.names = FALSE)
    x <- do.call(corvane_simulate, c(as.list(case$p), reactions = case$n, series = case$series, seed = case$seed))
    expect_equal(names(x), c("series", "reaction", "rt", "carried"))
    expect_identical(nrow(x), as.integer(case$n * case$series))
    expect_identical(x$series, cli$series)
    expect_identical(x$reaction, cli$reaction)
    # The command line prints the shortest text that reads back as the same double.
    expect_identical(x$rt, cli$RT)
    expect_identical(x$carried, cli[["carried inhibition"]])
  }
})

test_that("a seed from R's generator repeats under set.seed", {
  set.seed(11)
  a <- corvane_simulate(5, 1, 1, 0.5, 0.5, 5, reactions = 20)
  set.seed(11)
  b <- corvane_simulate(5, 1, 1, 0.5, 0.5, 5, reactions = 20)
  expect_identical(a, b)
  expect_false(identical(a$rt, corvane_simulate(5, 1, 1, 0.5, 0.5, 5, reactions = 20)$rt))
})

test_that("rcorvane repeats from a seed and follows the stationary law's moments", {
  set.seed(3)
  a <- rcorvane(100, 3, 0.6, 1.5, 0.7)
  set.seed(3)
  expect_identical(rcorvane(100, 3, 0.6, 1.5, 0.7), a)
  expect_identical(rcorvane(100, 3, 0.6, 1.5, 0.7, seed = 5), rcorvane(100, 3, 0.6, 1.5, 0.7, seed = 5))
  # Mean A (1 + b); variance 2 (k + 1)(1 - r) / c0^2 and lag 1 (r - 1) / 2, r = exp(-b c0 A / (k + 1)):
  # each within four batch-means errors of a long series. A wrong a0, c1 or c0 moves them all.
  sets <- list(c(3, 0.6, 1.5, 0.7), c(1, 2, 0.25, 1), c(0.3, 0.8333, 20, 40))
  for (p in sets) {
    A <- p[1]; b <- p[2]; k <- p[3]; c0 <- p[4]
    x <- rcorvane(1e5, A, b, k, c0, seed = 17)
    r <- exp(-b * c0 * A / (k + 1))
    lag1 <- function(v) cor(v[-1], v[-length(v)])
    expect_lt(abs(mean(x) - A * (1 + b)), 4 * batch_error(x, mean))
    expect_lt(abs(var(x) - 2 * (k + 1) * (1 - r) / c0^2), 4 * batch_error(x, var))
    expect_lt(abs(lag1(x) - (r - 1) / 2), 4 * batch_error(x, lag1))
    expect_gte(min(x), A)
  }
})

test_that("bad arguments are conditions of class corvane_error", {
  calls <- list(
    quote(corvane_simulate(0, 1, 1, 1, 1, 1, reactions = 5, seed = 1)),
    quote(corvane_simulate(1, 1, 1, Inf, 1, 1, reactions = 5, seed = 1)),
    quote(corvane_simulate(1, 1, 1, 1, 1, 1, reactions = 5, seed = 2^32)),
    quote(corvane_simulate(1, 1, 1, 1, 1, 1, reactions = 2.5, seed = 1)),
    quote(rcorvane(10, 1, -1, 1, 1)),
    quote(rcorvane(-1, 1, 1, 1, 1)),
    quote(rcorvane(10, 1, 1, 1, 1, seed = NA)))
  for (call in calls)
    expect_error(eval(call), class = "corvane_argument")
})
