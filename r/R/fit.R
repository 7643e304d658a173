corvane_fit <- function(data, rt = "rt", by = NULL, order = NULL, method = c("ml", "moments"),
                        contaminants = FALSE, bootstrap = 1000, threads = NULL, seed = 0, where = NULL) {
  call <- match.call()
  method <- match.arg(method)
  if (!method %in% .corvane_methods)
    .corvane_stop("unavailable", paste(
      "method = \"ml\" (maximum likelihood) is not in this build of corvane yet;",
      "method = \"moments\" fits the closed form"))
  if (!is.logical(contaminants) || length(contaminants) != 1 || is.na(contaminants))
    .corvane_stop("argument", "contaminants must be TRUE or FALSE")
  if (contaminants && method != "ml")
    .corvane_stop("argument", "contaminants are estimated by maximum likelihood only (method = \"ml\")")
  bootstrap <- .corvane_whole(bootstrap, "bootstrap", 2^31)
  seed <- .corvane_whole(seed, "seed", 2^53)
  if (is.null(threads)) {
    threads <- 0  # every core
  } else if (.corvane_whole(threads, "threads", 4096) < 1) {
    .corvane_stop("argument", "threads must be at least 1 (NULL: every core)")
  }

  groups <- .corvane_groups(data, rt, by, order, where)
  bar <- NULL
  progress <- NULL
  if (interactive() && bootstrap > 0) {
    bar <- utils::txtProgressBar(min = 0, max = 1, style = 3)
    on.exit(close(bar), add = TRUE)
    progress <- function(share) utils::setTxtProgressBar(bar, share)
  }
  options <- c(a1 = 1, keep_a = 0, A = 0, replicates = bootstrap, seed = seed, threads = threads,
               method = match(method, c("ml", "moments")) - 1, contaminants = contaminants)
  result <- .corvane_value(.Call(corvane_fit_groups_, groups$series, options, progress))
  out <- .corvane_columns(result)
  if (is.null(by) && out$status == "not read")
    stop(.corvane_condition("EReactionTimeFormat", out$message, call, result$lines[1]))
  if (!is.null(by))
    out <- cbind(groups$keys, out)
  rownames(out) <- NULL
  unsettled <- out$status != "fitted"
  if (any(unsettled)) {
    text <- if (nrow(out) == 1) paste0(out$status[1], ": ", out$message[1]) else
      sprintf("%d of %d groups not fitted or not read: see the status and message columns",
              sum(unsettled), nrow(out))
    warning(structure(class = c("corvane_warning", "warning", "condition"),
                      list(message = text, call = call)))
  }
  one <- if (nrow(out) == 1) groups$one else NULL
  structure(out, class = c("corvane_fit", "data.frame"), method = method, values = one,
            bootstrap = bootstrap, seed = seed)
}

# The methods this build fits.
.corvane_methods <- c("ml", "moments")

# The command line's columns from n on (the library's own names, spaces as underscores) as a data
# frame: the texts stay texts, the counts integers, every other column a number (NA, Inf).
.corvane_columns <- function(result) {
  names <- gsub(" ", "_", result$header)
  texts <- c("status", "message", "method")
  counts <- c("n", "missing", "excluded", "failed_replicates")
  columns <- lapply(seq_along(names), function(i) {
    cells <- result$cells[[i]]
    if (names[i] %in% texts)
      return(cells)
    cells[cells == "NA"] <- NA
    if (names[i] %in% counts) as.integer(cells) else as.numeric(cells)
  })
  names(columns) <- names
  as.data.frame(columns, stringsAsFactors = FALSE, optional = TRUE)
}

.corvane_parameter_names <- function() .Call(corvane_parameter_names_)

# The series to fit, for the C++ side: the rows `where` keeps, the RT column (NA kept: the library
# counts them), each row's group (one a distinct `by` key in order of first appearance, a missing
# key its own group), the trial numbers of the `order` column and each row's number in `data`.
.corvane_groups <- function(data, rt, by, order, where) {
  if (is.numeric(data) && is.null(dim(data))) {
    if (!is.null(by) || !is.null(order) || !is.null(where))
      .corvane_stop("argument", "by, order and where need a data frame", sys.call(-1))
    series <- list(as.numeric(data), rep(1L, length(data)), 1, NULL, seq_along(data), "", "")
    return(list(series = series, keys = NULL, one = as.numeric(data[!is.na(data)])))
  }
  if (!is.data.frame(data))
    .corvane_stop("argument", "data must be a data frame or a numeric vector", sys.call(-1))
  for (name in c(rt, by, order))
    if (!is.character(name) || length(name) != 1 || !name %in% names(data))
      .corvane_stop("EReactionTimeFormat", paste0("no column named '", paste(name, collapse = ","), "'"),
                    sys.call(-1))
  if (!is.numeric(data[[rt]]))
    .corvane_stop("EReactionTimeFormat", paste0("column '", rt, "' is not numeric"), sys.call(-1))
  if (!is.null(order) && !is.numeric(data[[order]]))
    .corvane_stop("EReactionTimeFormat", paste0("column '", order, "' is not numeric"), sys.call(-1))
  rows <- which(.corvane_where(data, where))
  data <- data[rows, , drop = FALSE]
  if (is.null(by)) {
    group <- rep(1L, nrow(data))
    keys <- NULL
  } else {
    parts <- lapply(data[by], function(column) ifelse(is.na(column), "\001NA", as.character(column)))
    key <- do.call(paste, c(parts, sep = "\002"))
    first <- !duplicated(key)
    group <- match(key, key[first])
    keys <- data[first, by, drop = FALSE]
  }
  trials <- if (is.null(order)) NULL else as.numeric(data[[order]])
  values <- as.numeric(data[[rt]])
  series <- list(values, group, max(c(group, 1L)), trials, rows, rt, if (is.null(order)) "" else order)
  one <- NULL
  if (is.null(by)) {
    sorted <- if (is.null(order)) values else values[base::order(trials, method = "radix")]
    one <- sorted[!is.na(sorted)]
  }
  list(series = series, keys = keys, one = one)
}

# Which rows `where` keeps: a named list of the values each column may hold, e.g.
# list(acc = 1, outlier = FALSE, block = c(2, 3)). Columns all hold, several values of one column
# keep any of them; numbers compare as numbers (acc = 1 keeps 1.0), anything else as text
# (TRUE is not 1); a value that keeps no row is an error naming it, as the reader's filters are.
.corvane_where <- function(data, where) {
  keep <- rep(TRUE, nrow(data))
  if (is.null(where))
    return(keep)
  if (!is.list(where) || is.null(names(where)) || any(!nzchar(names(where))))
    .corvane_stop("argument", "where must be a named list, e.g. list(acc = 1)", sys.call(-2))
  for (name in unique(names(where))) {
    if (!name %in% names(data))
      .corvane_stop("EReactionTimeFormat", paste0("no column named '", name, "'"), sys.call(-2))
    column <- data[[name]]
    any_of <- rep(FALSE, nrow(data))
    for (value in unlist(where[names(where) == name], use.names = FALSE)) {
      number <- suppressWarnings(as.numeric(value))
      hit <- if (is.numeric(column) && !is.logical(value) && !is.na(number)) column == number else
        as.character(column) == as.character(value)
      hit <- !is.na(hit) & hit
      if (!any(hit))
        .corvane_stop("EReactionTimeFormat", paste0("the filter ", name, "=", value, " keeps no row"),
                      sys.call(-2))
      any_of <- any_of | hit
    }
    keep <- keep & any_of
  }
  if (!any(keep))
    .corvane_stop("EReactionTimeFormat", "the filters together keep no row", sys.call(-2))
  keep
}
