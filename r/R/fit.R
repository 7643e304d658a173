corvane_fit <- function(data, rt = "rt", by = NULL, order = NULL, method = c("ml", "moments"),
                        contaminants = FALSE, bootstrap = 1000, threads = NULL, seed = 0) {
  call <- match.call()
  method <- match.arg(method)
  fitter <- .corvane_fitters[[method]]
  if (is.null(fitter))
    .corvane_stop("unavailable", paste(
      "method = \"ml\" (maximum likelihood) is not in this build of corvane yet;",
      "method = \"moments\" fits the closed form"))
  if (!is.logical(contaminants) || length(contaminants) != 1 || is.na(contaminants))
    .corvane_stop("argument", "contaminants must be TRUE or FALSE")
  if (contaminants)
    .corvane_stop("argument", "contaminants are estimated by maximum likelihood only (method = \"ml\")")
  bootstrap <- .corvane_whole(bootstrap, "bootstrap", 2^31)
  seed <- .corvane_whole(seed, "seed", 2^53)
  if (is.null(threads)) {
    threads <- 0  # every core
  } else if (.corvane_whole(threads, "threads", 4096) < 1) {
    .corvane_stop("argument", "threads must be at least 1 (NULL: every core)")
  }

  groups <- .corvane_groups(data, rt, by, order)
  count <- length(groups$members)
  bar <- NULL
  if (interactive() && bootstrap > 0) {
    bar <- utils::txtProgressBar(min = 0, max = 1, style = 3)
    on.exit(close(bar), add = TRUE)
  }
  options <- c(a1 = 1, keep_a = 0, A = 0, replicates = bootstrap, seed = seed, threads = threads)
  rows <- vector("list", count)
  values_of_one <- NULL
  for (g in seq_len(count)) {
    progress <- if (is.null(bar)) NULL else
      function(share) utils::setTxtProgressBar(bar, (g - 1 + share) / count)
    member <- groups$members[[g]]
    values <- groups$values[member]
    missing <- sum(is.na(values))
    kept <- !is.na(values)
    result <- fitter(as.numeric(values[kept]), as.integer(member[kept]), groups$column, options, progress)
    if (inherits(result, "corvane_failure") && is.null(by))
      stop(.corvane_condition(result$class, result$message, call, result$line))
    rows[[g]] <- .corvane_fit_row(result, missing)
    if (count == 1)
      values_of_one <- as.numeric(values[kept])
  }
  # Column by column: a data frame a row would cost more than the fits themselves.
  columns <- names(rows[[1]])
  out <- lapply(stats::setNames(columns, columns), function(column) unlist(lapply(rows, `[[`, column)))
  out <- as.data.frame(out, stringsAsFactors = FALSE, optional = TRUE)
  if (!is.null(by))
    out <- cbind(groups$keys, out)
  rownames(out) <- NULL
  unsettled <- out$status != "fitted"
  if (any(unsettled)) {
    text <- if (count == 1) paste0(out$status[1], ": ", out$message[1]) else
      sprintf("%d of %d groups not fitted or not read: see the status and message columns",
              sum(unsettled), count)
    warning(structure(class = c("corvane_warning", "warning", "condition"),
                      list(message = text, call = call)))
  }
  structure(out, class = c("corvane_fit", "data.frame"), method = method, values = values_of_one,
            bootstrap = bootstrap, seed = seed)
}

# The fit of one series by each method: the values (no NA), their rows in the data and the
# column's name (for messages), the options, and the progress function or NULL. Each returns the
# C++ side's list (n, estimates, low, high, failed, status, message) or a "corvane_failure".
.corvane_fitters <- list(
  moments = function(values, rows, column, options, progress)
    .Call(corvane_fit_moments_, values, rows, column, options, progress))

# One row of the result, as a list: the command line's columns from n on, spaces as underscores: the
# missing values beside n, and no trial excluded (cut with R itself before the fit).
.corvane_fit_row <- function(result, missing) {
  names <- .corvane_parameter_names()
  if (inherits(result, "corvane_failure")) {
    none <- rep(NA_real_, length(names))
    result <- list(n = NA, estimates = none, low = none, high = none, failed = NA,
                   status = "not read", message = result$message)
  }
  columns <- list(n = as.integer(result$n), missing = missing, excluded = 0L)
  for (i in seq_along(names)) {
    columns[[names[i]]] <- result$estimates[i]
    columns[[paste0(names[i], "_low")]] <- result$low[i]
    columns[[paste0(names[i], "_high")]] <- result$high[i]
  }
  columns$failed_replicates <- as.integer(result$failed)
  columns$status <- result$status
  columns$message <- result$message
  columns
}

.corvane_parameter_names <- function() .Call(corvane_parameter_names_)

# The series to fit: one a group of `by` (in order of first appearance, a missing key its own
# group), rows kept in their order or sorted stably by the `order` column within each group. The
# grouping lives here alone: the C++ reader's grouped fit takes its place when it lands.
.corvane_groups <- function(data, rt, by, order) {
  if (is.numeric(data) && is.null(dim(data))) {
    if (!is.null(by) || !is.null(order))
      .corvane_stop("argument", "by and order need a data frame")
    return(list(values = data, members = list(seq_along(data)), keys = NULL, column = ""))
  }
  if (!is.data.frame(data))
    .corvane_stop("argument", "data must be a data frame or a numeric vector")
  for (name in c(rt, by, order))
    if (!is.character(name) || length(name) != 1 || !name %in% names(data))
      .corvane_stop("EReactionTimeFormat", paste0("no column named '", paste(name, collapse = ","), "'"))
  if (!is.numeric(data[[rt]]))
    .corvane_stop("EReactionTimeFormat", paste0("column '", rt, "' is not numeric"))
  rows <- seq_len(nrow(data))
  if (is.null(by)) {
    members <- list(rows)
    keys <- NULL
  } else {
    parts <- lapply(data[by], function(column) {
      text <- as.character(column)
      ifelse(is.na(column), "\001NA", text)
    })
    key <- do.call(paste, c(parts, sep = "\002"))
    first <- !duplicated(key)
    members <- split(rows, factor(key, levels = key[first]))
    names(members) <- NULL
    keys <- data[first, by, drop = FALSE]
  }
  if (!is.null(order)) {
    if (!is.numeric(data[[order]]))
      .corvane_stop("EReactionTimeFormat", paste0("column '", order, "' is not numeric"))
    position <- data[[order]]
    members <- lapply(members, function(m) m[base::order(position[m], method = "radix")])
  }
  list(values = data[[rt]], members = members, keys = keys, column = rt)
}
