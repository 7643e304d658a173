# The parameter sets of the density's own checks, the last shaped like real data (k = 20, m = 14.4).
law_sets <- list(
  c(A = 5, b = 1, k = 0.5, c0 = 0.5),
  c(A = 3, b = 0.4, k = 1.5, c0 = 0.7),
  c(A = 1, b = 2, k = 0.25, c0 = 1),
  c(A = 0.3, b = 1.2, k = 20, c0 = 40))

atom_of <- function(p) exp(-p[["b"]] * p[["c0"]] * p[["A"]])

test_that("the density integrates to 1 - atom and p(A) is the atom", {
  for (p in law_sets) {
    f <- function(x) dcorvane(x, p[["A"]], p[["b"]], p[["k"]], p[["c0"]])
    # Piece by piece between quantiles up to where 1e-10 of the mass is left: the adaptive rule
    # over an infinite range misses a law this concentrated.
    atom <- atom_of(p)
    ends <- c(p[["A"]], qcorvane(atom + (1 - atom) * c(0.25, 0.5, 0.75, 0.95, 0.999, 1 - 1e-10), p[["A"]],
                                 p[["b"]], p[["k"]], p[["c0"]]))
    mass <- sum(vapply(seq_len(length(ends) - 1), function(i)
      integrate(f, ends[i], ends[i + 1], rel.tol = 1e-8, subdivisions = 2000L, stop.on.error = FALSE)$value,
      numeric(1)))
    expect_equal(mass, 1 - atom, tolerance = 1e-6)
    expect_identical(f(c(p[["A"]] / 2, p[["A"]])), c(0, 0))
    P <- function(q) pcorvane(q, p[["A"]], p[["b"]], p[["k"]], p[["c0"]])
    expect_equal(P(p[["A"]]), atom_of(p), tolerance = 1e-9)
    expect_identical(P(c(-Inf, 0, p[["A"]] * 0.999)), c(0, 0, 0))
    expect_identical(P(Inf), 1)
  }
})

test_that("p rises, agrees with the density, and q inverts it", {
  for (p in law_sets) {
    args <- list(A = p[["A"]], b = p[["b"]], k = p[["k"]], c0 = p[["c0"]])
    mean <- p[["A"]] * (1 + p[["b"]])
    grid <- seq(p[["A"]], p[["A"]] + 12 * (mean - p[["A"]]), length.out = 200)
    P <- do.call(pcorvane, c(list(grid), args))
    expect_true(all(diff(P) >= 0))
    expect_gt(P[200], 0.99)
    # The distribution function's slope is the density.
    mid <- grid[100]
    h <- 1e-4 * (mean - p[["A"]])
    slope <- (do.call(pcorvane, c(list(mid + h), args)) - do.call(pcorvane, c(list(mid - h), args))) / (2 * h)
    expect_equal(slope, do.call(dcorvane, c(list(mid), args)), tolerance = 1e-3)
    u <- atom_of(p) + (1 - atom_of(p)) * c(0.1, 0.4, 0.7, 0.95)
    x <- do.call(qcorvane, c(list(u), args))
    expect_true(all(diff(x) > 0) && all(x > p[["A"]]))
    expect_equal(do.call(pcorvane, c(list(x), args)), u, tolerance = 1e-7)
    expect_equal(do.call(qcorvane, c(list(do.call(pcorvane, c(list(x), args))), args)), x, tolerance = 1e-6)
    # At and below the atom's probability the quantile is A.
    expect_identical(do.call(qcorvane, c(list(c(0, atom_of(p) / 2)), args)), rep(p[["A"]], 2))
    expect_identical(do.call(qcorvane, c(list(1), args)), Inf)
    far <- do.call(pcorvane, c(list(grid), args))
    expect_true(all(far >= 0 & far <= 1))
  }
})

test_that("a long series of rcorvane follows pcorvane within its batch-means error", {
  p <- law_sets[[2]]
  x <- rcorvane(2e5, p[["A"]], p[["b"]], p[["k"]], p[["c0"]], seed = 21)
  # A itself (the atom) and nine points of the continuous part.
  atom <- atom_of(p)
  points <- c(p[["A"]], qcorvane(atom + (0.99 - atom) * (1:9) / 9, p[["A"]], p[["b"]], p[["k"]], p[["c0"]]))
  for (q in points) {
    share <- function(v) mean(v <= q)
    expect_lt(abs(share(x) - pcorvane(q, p[["A"]], p[["b"]], p[["k"]], p[["c0"]])), 4 * batch_error(x, share))
  }
})

test_that("the functions recycle as R's own, keep NA and warn on parameters out of range", {
  one <- function(x, A) dcorvane(x, A, 0.4, 1.5, 0.7)
  expect_identical(dcorvane(c(4, 5, 6, 7), c(3, 3.5), 0.4, 1.5, 0.7),
                   c(one(4, 3), one(5, 3.5), one(6, 3), one(7, 3.5)))
  expect_identical(pcorvane(5, 3, c(0.4, 0.5, 0.6), 1.5, 0.7),
                   c(pcorvane(5, 3, 0.4, 1.5, 0.7), pcorvane(5, 3, 0.5, 1.5, 0.7), pcorvane(5, 3, 0.6, 1.5, 0.7)))
  expect_identical(dcorvane(numeric(0), 3, 0.4, 1.5, 0.7), numeric(0))
  expect_identical(dcorvane(4, 3, numeric(0), 1.5, 0.7), numeric(0))
  expect_identical(dcorvane(c(NA, 4), 3, 0.4, 1.5, 0.7)[1], NA_real_)
  expect_true(is.na(pcorvane(4, NA, 0.4, 1.5, 0.7)))
  cases <- list(quote(dcorvane(4, 3, -0.4, 1.5, 0.7)), quote(pcorvane(4, 0, 0.4, 1.5, 0.7)),
                quote(qcorvane(0.5, 3, 0.4, -1, 0.7)), quote(qcorvane(1.5, 3, 0.4, 1.5, 0.7)),
                quote(dcorvane(4, 3, 0.4, 1.5, Inf)))
  for (call in cases) {
    expect_warning(value <- eval(call), "NaNs produced")
    expect_true(is.nan(value))
  }
  expect_identical(suppressWarnings(dcorvane(4, c(3, -1), 0.4, 1.5, 0.7))[1], dcorvane(4, 3, 0.4, 1.5, 0.7))
  expect_error(dcorvane("4", 3, 0.4, 1.5, 0.7), class = "corvane_argument")
})

test_that("log, lower.tail and log.p are the usual transforms, and k = Inf is the independent limit", {
  x <- c(3.2, 4, 6)
  expect_equal(dcorvane(x, 3, 0.4, 1.5, 0.7, log = TRUE), log(dcorvane(x, 3, 0.4, 1.5, 0.7)))
  expect_equal(pcorvane(x, 3, 0.4, 1.5, 0.7, lower.tail = FALSE), 1 - pcorvane(x, 3, 0.4, 1.5, 0.7))
  expect_equal(pcorvane(x, 3, 0.4, 1.5, 0.7, log.p = TRUE), log(pcorvane(x, 3, 0.4, 1.5, 0.7)))
  expect_equal(qcorvane(log(0.7), 3, 0.4, 1.5, 0.7, log.p = TRUE), qcorvane(0.7, 3, 0.4, 1.5, 0.7))
  expect_equal(qcorvane(0.3, 3, 0.4, 1.5, 0.7, lower.tail = FALSE), qcorvane(0.7, 3, 0.4, 1.5, 0.7))
  # Independent reactions: RT = A + a Poisson(m) number of Exp(c0) times, m = b c0 A.
  m <- 0.4 * 0.7 * 3
  expect_equal(pcorvane(3, 3, 0.4, Inf, 0.7), exp(-m))
  s <- 0.7 * (4 - 3)
  expect_equal(dcorvane(4, 3, 0.4, Inf, 0.7), 0.7 * exp(-m - s) * sqrt(m / s) * besselI(2 * sqrt(m * s), 1),
               tolerance = 1e-10)
})
