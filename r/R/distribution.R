# The stationary distribution of one reaction time: the atom exp(-b c0 A) at A and a continuous
# part above A. dcorvane is the continuous part's density (0 at and below A); pcorvane and
# qcorvane include the atom. Vectorised as R's own d/p/q functions: every argument recycled to the
# longest, NaN with a warning for parameters out of range.

.corvane_dpq <- function(kind, x, A, b, k, c0) {
  arguments <- list(x, A, b, k, c0)
  if (!all(vapply(arguments, function(a) is.numeric(a) || is.logical(a) && all(is.na(a)), logical(1))))
    .corvane_stop("argument", "the points and the parameters must be numeric", sys.call(-1))
  out <- .corvane_value(.Call(corvane_dpq_, kind, as.double(x), as.double(A), as.double(b), as.double(k),
                              as.double(c0)), sys.call(-1))
  if (attr(out, "nans") > 0)
    warning("NaNs produced", call. = FALSE)
  attr(out, "nans") <- NULL
  # R's own functions keep the attributes of the first argument that has the result's length.
  if (length(out) == length(x) && !is.null(attributes(x)))
    attributes(out) <- attributes(x)
  out
}

dcorvane <- function(x, A, b, k, c0, log = FALSE) {
  d <- .corvane_dpq(0L, x, A, b, k, c0)
  if (log) log(d) else d
}

pcorvane <- function(q, A, b, k, c0, lower.tail = TRUE, log.p = FALSE) {
  p <- .corvane_dpq(1L, q, A, b, k, c0)
  if (!lower.tail)
    p <- 1 - p
  if (log.p) log(p) else p
}

qcorvane <- function(p, A, b, k, c0, lower.tail = TRUE, log.p = FALSE) {
  if (log.p)
    p <- exp(p)
  if (!lower.tail)
    p <- 1 - p
  .corvane_dpq(2L, p, A, b, k, c0)
}
