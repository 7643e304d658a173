# Methods for a one-group fit: the estimates, their bootstrap intervals and the log-likelihood.

.corvane_one_group <- function(object) {
  if (nrow(object) != 1)
    .corvane_stop("argument", "a fit of one group is needed: take its row, e.g. fit[1, ]", sys.call(-1))
  if (object$status != "fitted")
    .corvane_stop("argument", paste0("the group was not fitted: ", object$message), sys.call(-1))
  object
}

# The estimated parameters: A, b, k, c0 (a1 is held at 1; a0, c1 and y0 follow from them).
.corvane_estimated <- c("A", "b", "k", "c0")

coef.corvane_fit <- function(object, ...) {
  object <- .corvane_one_group(object)
  unlist(object[1, .corvane_estimated])
}

confint.corvane_fit <- function(object, parm, level = 0.95, ...) {
  object <- .corvane_one_group(object)
  if (!isTRUE(all.equal(level, 0.95)))
    .corvane_stop("argument", "the fit's intervals are 95 % intervals")
  if (missing(parm))
    parm <- .corvane_estimated
  unknown <- setdiff(parm, .corvane_parameter_names())
  if (length(unknown) > 0)
    .corvane_stop("argument", paste0("no parameter named '", unknown[1], "'"))
  out <- cbind(unlist(object[1, paste0(parm, "_low")]), unlist(object[1, paste0(parm, "_high")]))
  dimnames(out) <- list(parm, c("2.5 %", "97.5 %"))
  out
}

# The maximum of the likelihood (method "ml"), with its degrees of freedom: A, b, k, c0, less A
# when held, plus the contaminants' share when estimated. The moment fit maximises nothing: NA.
logLik.corvane_fit <- function(object, ...) {
  object <- .corvane_one_group(object)
  ml <- identical(object$method, "ml")
  value <- if (ml) object$logLik else NA_real_
  df <- length(.corvane_estimated) - isTRUE(attr(object, "keep_a")) + (ml && !is.na(object$contaminants))
  structure(value, df = as.integer(df), nobs = object$n, class = "logLik")
}

# The fit against its data: the QQ chart (data quantiles against the fitted model's, identity
# line) and the data's histogram with the model's density over it; the atom at A, which the
# density leaves out, in the chart's title.
plot.corvane_fit <- function(x, ...) {
  fit <- .corvane_one_group(x)
  values <- attr(x, "values")
  if (is.null(values))
    .corvane_stop("argument", "plot needs the fit of one series as corvane_fit returned it")
  p <- coef(fit)
  n <- length(values)
  model <- qcorvane(stats::ppoints(n), p[["A"]], p[["b"]], p[["k"]], p[["c0"]])
  old <- graphics::par(mfrow = c(1, 2))
  on.exit(graphics::par(old))
  graphics::plot(model, sort(values), xlab = "model quantile", ylab = "data quantile",
                 main = "QQ: data against the fitted model", ...)
  graphics::abline(0, 1, col = "grey40")
  atom <- pcorvane(p[["A"]], p[["A"]], p[["b"]], p[["k"]], p[["c0"]])
  graphics::hist(values, breaks = "FD", freq = FALSE, xlab = "reaction time",
                 main = sprintf("Density (atom at A: %.3f)", atom))
  grid <- seq(min(values), max(values), length.out = 400)
  graphics::lines(grid, dcorvane(grid, p[["A"]], p[["b"]], p[["k"]], p[["c0"]]), col = "red", lwd = 2)
  invisible(x)
}
