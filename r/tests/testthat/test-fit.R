# The series the command line's rows in fixtures/ were fitted on (tools/make-r-fixtures).
fit_series <- function() corvane_simulate(3, 1, 2.5, 1.5, 0.7, 6, reactions = 300, seed = 7)$rt

# The command line's row for `values` (fit --method M --bootstrap B --seed 3), live or from the
# fixture.
cli_fit_row <- function(values, fixture_name, method, bootstrap = 200) {
  path <- tempfile(fileext = ".txt")
  on.exit(unlink(path))
  write_series(values, path)
  text <- cli_output(c("fit", "--method", method, "--bootstrap", bootstrap, "--seed", "3", path),
                     fixture_name)
  read.delim(text = text, check.names = FALSE, na.strings = "NA", colClasses = c(message = "character"))
}

expect_row_equal <- function(row, cli) {
  columns <- names(cli)[-1]  # without `file`
  expect_identical(names(row), gsub(" ", "_", columns))
  for (column in columns) {
    mine <- row[[gsub(" ", "_", column)]]
    theirs <- cli[[column]]
    if (is.character(mine) || column %in% c("status", "message", "method")) {
      expect_identical(as.character(mine), as.character(theirs), label = column)
    } else {
      # Both print the shortest text that reads back as the same double.
      expect_equal(as.numeric(mine), as.numeric(theirs), tolerance = 0, label = column)
    }
  }
}

test_that("corvane_fit gives the command line's row on the same series", {
  x <- fit_series()
  fit <- corvane_fit(x, method = "moments", bootstrap = 200, seed = 3)
  expect_s3_class(fit, "corvane_fit")
  expect_identical(fit$status, "fitted")
  expect_identical(fit$missing, 0L)
  expect_row_equal(fit, cli_fit_row(x, "fit-7.tsv", "moments"))
  # Not fitted: the same status and message, NA where the command line prints NA.
  expect_warning(sorted <- corvane_fit(sort(x), method = "moments", bootstrap = 200, seed = 3),
                 class = "corvane_warning")
  expect_identical(sorted$status, "not fitted")
  expect_row_equal(sorted, cli_fit_row(sort(x), "fit-7-sorted.tsv", "moments"))
})

test_that("by maximum likelihood the row is the command line's too, with its comparison columns", {
  x <- fit_series()
  fit <- corvane_fit(x, bootstrap = 20, seed = 3)
  expect_identical(fit$method, "ml")
  expect_identical(fit$status, "fitted")
  expect_row_equal(fit, cli_fit_row(x, "fit-7-ml.tsv", "ml", bootstrap = 20))
  for (column in c("logLik", "AIC", "BIC", "exgauss_AIC", "exgauss_tau", "lognormal_AIC", "lag1",
                   "lag1_model", "lag1_se", "gof_p"))
    expect_true(is.finite(fit[[column]]), label = column)
  expect_true(is.na(fit$contaminants))
  expect_identical(fit$failed_replicates, 0L)
  # Every interval holds its estimate.
  for (p in c("A", "b", "k", "c0"))
    expect_true(fit[[paste0(p, "_low")]] <= fit[[p]] && fit[[p]] <= fit[[paste0(p, "_high")]], label = p)
  ll <- logLik(fit)
  expect_identical(as.numeric(ll), fit$logLik)
  expect_identical(attr(ll, "df"), 4L)
  expect_equal(AIC(fit), fit$AIC, tolerance = 1e-12)
  # Contaminants: one parameter more, its share a number in [0, 1).
  mixed <- corvane_fit(x, bootstrap = 0, contaminants = TRUE)
  expect_true(mixed$contaminants >= 0 && mixed$contaminants < 1)
  expect_identical(attr(logLik(mixed), "df"), 5L)
})

test_that("independent reactions are the boundary k = Inf, fitted, not refused", {
  # Nothing but the independent limit's own quantiles (m = 1), to the millisecond.
  x <- round(qcorvane((seq_len(300) - 0.5) / 300, A = 2, b = 0.5, k = Inf, c0 = 1), 3)
  fit <- corvane_fit(x, bootstrap = 0)
  expect_identical(fit$status, "fitted")
  expect_identical(fit$A, 2)
  expect_identical(fit$k, Inf)
  expect_identical(fit$c1, Inf)
  expect_match(fit$message, "k = inf: independent reactions", fixed = TRUE)
})

test_that("the intervals do not depend on the threads, and a seed changes them", {
  x <- fit_series()
  one <- corvane_fit(x, method = "moments", bootstrap = 100, seed = 9, threads = 1)
  two <- corvane_fit(x, method = "moments", bootstrap = 100, seed = 9, threads = 2)
  expect_identical(one, two)
  other <- corvane_fit(x, method = "moments", bootstrap = 100, seed = 10, threads = 2)
  expect_false(identical(one$b_low, other$b_low))
  none <- corvane_fit(x, method = "moments", bootstrap = 0)
  expect_identical(none$b, one$b)
  expect_true(is.na(none$b_low) && is.na(none$failed_replicates))
})

test_that("a data frame is fitted by group, NA dropped and counted, rows ordered within groups", {
  x <- fit_series()
  # Two participants interleaved and shuffled, a missing participant, NA among the RTs.
  data <- data.frame(pno = rep(c("p2", "p1", NA), each = 100), trial = rep(100:1, 3), rt = x)
  data$rt[c(3, 150, 151)] <- NA
  data <- data[c(seq(1, 300, 2), seq(2, 300, 2)), ]
  # Whether each group's moments fit is beside the point here: the rows must equal the groups' own.
  fit <- suppressWarnings(corvane_fit(data, by = "pno", order = "trial", method = "moments", bootstrap = 50,
                                      seed = 1))
  expect_identical(fit$pno, c("p2", "p1", NA))
  expect_identical(names(fit)[1:3], c("pno", "n", "missing"))
  expect_identical(fit$missing, c(1L, 2L, 0L))
  expect_identical(fit$n, c(99L, 98L, 100L))
  # Each group is its series fitted alone, ordered by trial; a missing trial breaks its pairs, so
  # only the group without NA is the plain series' fit.
  for (g in 1:3) {
    member <- if (is.na(fit$pno[g])) is.na(data$pno) else data$pno %in% fit$pno[g]
    series <- data[member, ]
    series <- series$rt[order(series$trial)]
    alone <- suppressWarnings(corvane_fit(series[!is.na(series)], method = "moments", bootstrap = 50, seed = 1))
    if (fit$missing[g] == 0) {
      for (column in names(alone)) expect_identical(fit[[column]][g], alone[[column]], label = column)
    } else {
      expect_match(fit$message[g], paste0("^", fit$missing[g], " missing values? skipped"))
      if (fit$status[g] == "fitted") expect_false(identical(fit$k[g], alone$k))
    }
  }
  # Two grouping columns; a numeric vector with NA.
  data$cond <- rep(c("a", "b"), 150)
  two <- suppressWarnings(corvane_fit(data, by = c("pno", "cond"), method = "moments", bootstrap = 0))
  expect_identical(nrow(two), 6L)
  expect_identical(names(two)[1:2], c("pno", "cond"))
  vector_fit <- corvane_fit(c(NA, x, NaN), method = "moments", bootstrap = 0)
  expect_identical(vector_fit$missing, 2L)
  expect_identical(vector_fit$n, 300L)
})

test_that("a long file's groups are the command line's rows: by, order, where and NA", {
  path <- fixture("long.csv")
  data <- read.csv(path)
  for (method in c("moments", "ml")) {
    fit <- suppressWarnings(corvane_fit(data, by = "pno", order = "trial", where = list(acc = 1),
                                        method = method, bootstrap = 50, seed = 2))
    args <- c("fit", "--method", method, "--by", "pno", "--order", "trial", "--where", "acc=1",
              "--bootstrap", "50", "--seed", "2", path)
    cli <- read.delim(text = cli_output(args, paste0("fit-long-", method, ".tsv")), check.names = FALSE,
                      colClasses = c(message = "character", pno = "character"))
    expect_identical(fit$pno, c("p2", "p1", NA))
    expect_identical(nrow(cli), 3L)
    for (g in 1:3) expect_row_equal(fit[g, ], cli[g, ])
  }
  expect_identical(fit$status, rep("fitted", 3))
  # Only the rows acc = 1 keeps, the NA among them counted.
  kept <- data[data$acc == 1 & data$pno %in% "p1", ]
  expect_identical(fit$n[2] + fit$missing[2], nrow(kept))
})

test_that("where compares numbers as numbers and anything else as text", {
  x <- fit_series()
  data <- data.frame(rt = x, acc = rep(c(1, 0, 1.0), 100), ok = rep(c(TRUE, FALSE), 150),
                     block = rep(c("a", "b", "c"), each = 100))
  n <- function(...) corvane_fit(data, method = "moments", bootstrap = 0, where = list(...))$n
  expect_identical(suppressWarnings(n(acc = 1)), 200L)
  expect_identical(suppressWarnings(n(acc = "1")), 200L)
  expect_identical(suppressWarnings(n(ok = TRUE)), 150L)
  expect_error(n(ok = 1), "the filter ok=1 keeps no row", class = "corvane_EReactionTimeFormat")
  expect_identical(suppressWarnings(n(block = c("a", "c"))), 200L)
  expect_identical(suppressWarnings(n(block = "a", block = "b")), 200L)
  expect_identical(suppressWarnings(n(block = "a", acc = 0)), 33L)
  expect_error(n(block = "a", ok = TRUE, acc = 7), "acc=7", class = "corvane_EReactionTimeFormat")
})

test_that("too few values give a row the command line gives, not an error", {
  x <- fit_series()[1:12]
  expect_warning(fit <- corvane_fit(x, method = "moments"), "not fitted", class = "corvane_warning")
  expect_identical(fit$message, "the fit needs at least 20 reaction times; these data have 12")
  expect_identical(fit$n, 12L)
})

test_that("a group with a bad value is rejected alone, naming its row and column", {
  data <- data.frame(id = rep(1:3, each = 200), rt = rcorvane(600, 3, 0.6, 1.5, 0.7, seed = 1))
  data$rt[205] <- -0.5
  expect_warning(fit <- corvane_fit(data, by = "id", method = "moments", bootstrap = 0),
                 "1 of 3 groups", class = "corvane_warning")
  expect_identical(fit$status, c("fitted", "not read", "fitted"))
  expect_identical(fit$message[2], "row 205, column 'rt': '-0.5' is not greater than 0")
  expect_true(all(is.na(unlist(fit[2, c("n", "A", "b_low", "failed_replicates")]))))
})

test_that("failures are conditions with the reader's messages", {
  x <- fit_series()
  cases <- list(
    list(call = quote(corvane_fit(x, contaminants = NA)), class = "corvane_argument",
         message = "contaminants must be TRUE or FALSE"),
    list(call = quote(corvane_fit(x, method = "moments", contaminants = TRUE)), class = "corvane_argument",
         message = "maximum likelihood only"),
    list(call = quote(corvane_fit(data.frame(RT = x), method = "moments")), class = "corvane_EReactionTimeFormat",
         message = "no column named 'rt'"),
    list(call = quote(corvane_fit(data.frame(rt = as.character(x)), method = "moments")),
         class = "corvane_EReactionTimeFormat", message = "column 'rt' is not numeric"),
    list(call = quote(corvane_fit(c(x[1:30], Inf), method = "moments")), class = "corvane_EReactionTimeFormat",
         message = "row 31: 'Inf' is not a finite number"),
    list(call = quote(corvane_fit(data.frame(rt = c(x[1:30], 0)), method = "moments")),
         class = "corvane_EReactionTimeFormat", message = "row 31, column 'rt': '0' is not greater than 0"),
    list(call = quote(corvane_fit(x, method = "moments", seed = -1)), class = "corvane_argument",
         message = "seed"),
    list(call = quote(corvane_fit(x, method = "moments", threads = 0)), class = "corvane_argument",
         message = "threads"),
    list(call = quote(corvane_fit(x, by = "id", method = "moments")), class = "corvane_argument",
         message = "need a data frame"),
    list(call = quote(corvane_fit(data.frame(rt = x, acc = 1), where = list(acc = 2), method = "moments")),
         class = "corvane_EReactionTimeFormat", message = "the filter acc=2 keeps no row"),
    list(call = quote(corvane_fit(data.frame(rt = x, acc = 1), where = list(2), method = "moments")),
         class = "corvane_argument", message = "where must be a named list"))
  for (case in cases) {
    condition <- tryCatch(eval(case$call), corvane_error = function(e) e)
    expect_s3_class(condition, case$class)
    expect_s3_class(condition, "error")
    expect_true(grepl(case$message, conditionMessage(condition), fixed = TRUE), label = conditionMessage(condition))
  }
  row <- tryCatch(corvane_fit(c(x[1:30], -2), method = "moments"), corvane_error = function(e) e)
  expect_identical(row$line, 31)
})

test_that("coef, confint and logLik read a one-group fit", {
  fit <- corvane_fit(fit_series(), method = "moments", bootstrap = 100, seed = 2)
  expect_identical(coef(fit), c(A = fit$A, b = fit$b, k = fit$k, c0 = fit$c0))
  ci <- confint(fit)
  expect_identical(rownames(ci), c("A", "b", "k", "c0"))
  expect_identical(unname(ci[, 1]), c(fit$A_low, fit$b_low, fit$k_low, fit$c0_low))
  expect_identical(unname(ci[, 2]), c(fit$A_high, fit$b_high, fit$k_high, fit$c0_high))
  expect_identical(unname(confint(fit, "y0")[1, ]), c(fit$y0_low, fit$y0_high))
  expect_error(confint(fit, level = 0.9), class = "corvane_argument")
  # The moments are not a likelihood's maximum: no logLik to compare models by.
  ll <- logLik(fit)
  expect_true(is.na(ll))
  expect_identical(attr(ll, "df"), 4L)
  expect_true(is.na(AIC(fit)))
  data <- data.frame(id = rep(1:2, each = 150), rt = fit_series())
  two <- corvane_fit(data, by = "id", method = "moments", bootstrap = 0)
  expect_error(coef(two), class = "corvane_argument")
  expect_identical(coef(two[2, ])[["b"]], two$b[2])
})

test_that("plot draws the QQ chart and the density of a one-series fit", {
  fit <- corvane_fit(rcorvane(500, 3, 0.6, 1.5, 0.7, seed = 4), method = "moments", bootstrap = 0)
  path <- tempfile(fileext = ".pdf")
  grDevices::pdf(path)
  expect_identical(plot(fit), fit)
  grDevices::dev.off()
  expect_gt(file.size(path), 1000)
  unlink(path)
  # A row of a grouped fit keeps no values to draw.
  data <- data.frame(id = rep(1:2, each = 250), rt = rcorvane(500, 3, 0.6, 1.5, 0.7, seed = 4))
  expect_error(plot(corvane_fit(data, by = "id", method = "moments", bootstrap = 0)[1, ]),
               class = "corvane_argument")
})

test_that("the bootstrap reports rising progress to R, and a failing progress function stops it", {
  x <- rcorvane(1000, 3, 0.6, 1.5, 0.7, seed = 1)
  series <- corvane:::.corvane_groups(x, "rt", NULL, NULL, NULL)$series
  fitter <- function(options, progress)
    .Call(corvane:::corvane_fit_groups_, series, options, progress)
  # Long enough for many of the 50 ms polls on a fast machine.
  options <- c(a1 = 1, keep_a = 0, A = 0, replicates = 20000, seed = 0, threads = 2, method = 1,
               contaminants = 0)
  seen <- numeric(0)
  result <- fitter(options, function(share) seen <<- c(seen, share))
  expect_identical(result$cells[[which(result$header == "status")]], "fitted")
  expect_gt(length(seen), 5)
  expect_true(all(diff(seen) >= 0))
  expect_identical(tail(seen, 1), 1)
  options[["replicates"]] <- 1e6  # most of a minute of work, stopped at the first report
  started <- Sys.time()
  expect_error(fitter(options, function(share) stop("the bar broke")), "the bar broke")
  expect_lt(as.numeric(Sys.time() - started, units = "secs"), 10)
})
