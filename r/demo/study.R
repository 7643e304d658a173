## A simulation study by seed: 20 series of 1,000 reactions from known parameters, each fitted
## with its bootstrap intervals; how often each interval holds the truth.
library(corvane)
truth <- c(A = 3, b = 0.6, k = 1.5, c0 = 0.7)  # a1 = 1: a0 = 1/b, c1 = k
fits <- do.call(rbind, lapply(1:20, function(seed) {
  x <- rcorvane(1000, truth[["A"]], truth[["b"]], truth[["k"]], truth[["c0"]], seed = seed)
  corvane_fit(x, method = "moments", bootstrap = 200, seed = seed, threads = 2)
}))
table(fits$status)
done <- fits[fits$status == "fitted", ]
recovery <- sapply(names(truth), function(p)
  c(truth = truth[[p]], median = median(done[[p]]),
    covered = mean(done[[paste0(p, "_low")]] <= truth[[p]] & truth[[p]] <= done[[paste0(p, "_high")]])))
print(round(recovery, 3))

## The same from the six parameters and the window's start (y0), as corvane-cli simulate gives it:
## two series from seed 42 and their means.
sim <- corvane_simulate(5, 1, 1, 0.5, 0.5, 5, reactions = 500, series = 2, seed = 42)
aggregate(rt ~ series, data = sim, FUN = mean)

## Real data where afex is installed: its stroop task, fitted by participant and condition.
if (requireNamespace("afex", quietly = TRUE)) {
  data("stroop", package = "afex", envir = environment())
  cells <- subset(stroop, pno %in% levels(stroop$pno)[1:20] & acc == 1)
  real <- suppressWarnings(corvane_fit(cells, by = c("pno", "condition"), order = "trialnum",
                                       method = "moments", bootstrap = 0))
  print(table(real$status))
  print(head(real[, c("pno", "condition", "n", "missing", "A", "b", "k", "c0", "status")]))
}
