## A simulation study by seed: 10 series of 500 reactions from known parameters, each fitted by
## maximum likelihood with its bootstrap intervals (50 replicates here, to run in a minute; 1,000
## for a study); how often each interval holds the truth.
library(corvane)
truth <- c(A = 3, b = 0.6, k = 1.5, c0 = 0.7)  # a1 = 1: a0 = 1/b, c1 = k
fits <- do.call(rbind, lapply(1:10, function(seed) {
  x <- rcorvane(500, truth[["A"]], truth[["b"]], truth[["k"]], truth[["c0"]], seed = seed)
  corvane_fit(x, bootstrap = 50, seed = seed, threads = 2)
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

## Real data where afex is installed: its stroop task (correct trials) of the first 10 participants
## (all 685: drop the subset), fitted by participant and condition; how often the model's AIC beats the ex-Gaussian's, the dependence verdicts, and the
## QQ chart of one participant.
if (requireNamespace("afex", quietly = TRUE)) {
  data("stroop", package = "afex", envir = environment())
  cells <- subset(stroop, pno %in% levels(stroop$pno)[1:10])
  real <- corvane_fit(cells, by = c("pno", "condition"), order = "trialnum", where = list(acc = 1),
                      bootstrap = 0, threads = 2)
  print(table(real$status))
  print(head(real[, c("pno", "condition", "n", "missing", "A", "b", "k", "c0", "AIC", "exgauss_AIC")]))
  cat(sprintf("the model's AIC below the ex-Gaussian's in %d of %d cells (%.0f %%)\n",
              sum(real$AIC < real$exgauss_AIC), nrow(real), 100 * mean(real$AIC < real$exgauss_AIC)))
  cat(sprintf("a positive lag-1 beyond the model's in %d of %d cells\n",
              sum(grepl("above anything the model can produce", real$message)), nrow(real)))
  one <- subset(cells, pno == real$pno[1] & condition == real$condition[1] & acc == 1)
  fit <- corvane_fit(one$rt[order(one$trialnum)], bootstrap = 0)
  plot(fit)
}
