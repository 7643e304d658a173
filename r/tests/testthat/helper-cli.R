# The command line to compare with: CORVANE_CLI names the built corvane-cli (make r-check sets it).
# Without it, the tests compare with its output saved in fixtures/ (made by tools/make-r-fixtures
# from the command line of the same sources).
cli_path <- function() {
  path <- Sys.getenv("CORVANE_CLI")
  if (nzchar(path) && file.exists(path)) path else ""
}

fixture <- function(name) test_path("fixtures", name)

# The command line's output for `args`, run live or read from the fixture of that name.
cli_output <- function(args, fixture_name) {
  cli <- cli_path()
  if (!nzchar(cli))
    return(readLines(fixture(fixture_name)))
  suppressWarnings(system2(cli, args, stdout = TRUE, stderr = FALSE))
}

# A series the command line reads back to the same doubles: 17 significant digits.
write_series <- function(values, path) writeLines(sprintf("%.17g", values), path)

# Batch means: the standard error of a statistic of a long dependent series, from the spread of
# that statistic over `batches` consecutive blocks.
batch_error <- function(x, statistic, batches = 50) {
  block <- split(x, rep(seq_len(batches), each = length(x) %/% batches)[seq_along(x)])
  values <- vapply(block, statistic, numeric(1))
  sd(values) / sqrt(batches)
}
