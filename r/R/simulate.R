corvane_simulate <- function(A, a1, a0, c1, c0, y0, reactions, series = 1, seed = NULL) {
  parameters <- c(A, a1, a0, c1, c0, y0)
  if (!is.numeric(parameters) || length(parameters) != 6 || anyNA(parameters) ||
      any(!is.finite(parameters)) || any(parameters <= 0))
    .corvane_stop("argument", "A, a1, a0, c1, c0 and y0 must each be one finite number greater than 0")
  reactions <- .corvane_whole(reactions, "reactions")
  series <- .corvane_whole(series, "series")
  seed <- if (is.null(seed)) .corvane_seed_from_r() else .corvane_whole(seed, "seed", 2^32 - 1)
  out <- .corvane_value(.Call(corvane_simulate_, as.numeric(parameters), reactions, series, seed))
  as.data.frame(out)
}

rcorvane <- function(n, A, b, k, c0, seed = NULL) {
  parameters <- c(A, b, k, c0)
  if (!is.numeric(parameters) || length(parameters) != 4 || anyNA(parameters) ||
      any(!is.finite(parameters)) || any(parameters <= 0))
    .corvane_stop("argument", "A, b, k and c0 must each be one finite number greater than 0")
  n <- .corvane_whole(n, "n")
  seed <- if (is.null(seed)) .corvane_seed_from_r() else .corvane_whole(seed, "seed", 2^32 - 1)
  .corvane_value(.Call(corvane_stationary_, n, as.numeric(parameters), seed))
}
