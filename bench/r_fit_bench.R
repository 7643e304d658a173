# The R package's grouped fit beside the command line's on the same cells, side by side: afex's
# stroop (correct trials) by participant and condition, ordered by trial, each fitted by maximum
# likelihood with `bootstrap` replicates; the glue should add nothing measurable (target: R within
# 1.2x of the command line). Run with the package installed:
#   Rscript bench/r_fit_bench.R path/to/corvane-cli [participants (all)] [bootstrap (0)] [threads (2)]
# afex's data: the installed package, else the unpacked .deb of tools/install-deps. Each side runs
# in a fresh process each round (both solve their lattice shapes cold). Measured: all 1,370 cells,
# B = 0, 2 threads: command line 33.7 s, R 33.5 s, a ratio of 0.995.
args <- commandArgs(trailingOnly = TRUE)
cli <- args[1]
participants <- if (length(args) >= 2) as.integer(args[2]) else NA
bootstrap <- if (length(args) >= 3) as.integer(args[3]) else 0L
threads <- if (length(args) >= 4) as.integer(args[4]) else 2L
suppressPackageStartupMessages(library(corvane))

stroop <- if (requireNamespace("afex", quietly = TRUE)) {
  e <- new.env()
  data("stroop", package = "afex", envir = e)
  e$stroop
} else {
  e <- new.env()
  lazyLoad("/var/cache/corvane/afex/usr/lib/R/site-library/afex/data/Rdata", envir = e)
  e$stroop
}
if (!is.na(participants))
  stroop <- stroop[stroop$pno %in% levels(stroop$pno)[seq_len(participants)], ]
path <- tempfile(fileext = ".csv")
write.csv(stroop, path, row.names = FALSE)

seconds <- function(expr) {
  started <- proc.time()[["elapsed"]]
  force(expr)
  proc.time()[["elapsed"]] - started
}
cli_args <- c("fit", "--by", "pno,condition", "--order", "trialnum", "--where", "acc=1", "--bootstrap",
              bootstrap, "--threads", threads, path)
# The R side in a fresh R process each round, as the command line is: the lattice's shapes stay
# cached for a session, so a second fit in one R session would be timed warm against a cold
# command line. The child times corvane_fit alone and saves its result.
data_path <- tempfile(fileext = ".rds")
fit_path <- tempfile(fileext = ".rds")
saveRDS(stroop, data_path)
child <- tempfile(fileext = ".R")
writeLines(sprintf(paste(
  "suppressPackageStartupMessages(library(corvane)); stroop <- readRDS('%s')",
  "started <- proc.time()[['elapsed']]",
  "fit <- suppressWarnings(corvane_fit(stroop, by = c('pno', 'condition'), order = 'trialnum',",
  "  where = list(acc = 1), bootstrap = %d, threads = %d))",
  "cat(proc.time()[['elapsed']] - started); saveRDS(fit, '%s')", sep = "\n"),
  data_path, bootstrap, threads, fit_path), child)
rscript <- file.path(R.home("bin"), "Rscript")
# Interleaved, twice each: the machine's drift falls on both.
times <- list(cli = numeric(0), r = numeric(0))
for (round in 1:2) {
  times$cli <- c(times$cli, seconds(out <- system2(cli, cli_args, stdout = TRUE, stderr = FALSE)))
  times$r <- c(times$r, as.numeric(system2(rscript, child, stdout = TRUE)))
}
fit <- readRDS(fit_path)
rows <- read.delim(text = out, check.names = FALSE, colClasses = c(message = "character"))
stopifnot(nrow(rows) == nrow(fit), isTRUE(all.equal(rows$b, fit$b)))
cat(sprintf("%d cells, bootstrap %d, %d threads: command line %.2f s, R %.2f s (best of 2): R / command line %.3f\n",
            nrow(fit), bootstrap, threads, min(times$cli), min(times$r), min(times$r) / min(times$cli)))
unlink(c(path, data_path, fit_path, child))
