test_that("an interrupted fit stops its workers and returns control", {
  skip_if_not_installed("callr")
  session <- callr::r_session$new()
  on.exit(session$close())
  session$call(function() {
    library(corvane)
    x <- rcorvane(2000, 3, 0.6, 1.5, 0.7, seed = 1)
    started <- Sys.time()
    outcome <- tryCatch(corvane_fit(x, method = "moments", bootstrap = 1e6, threads = 2),
                        interrupt = function(e) "interrupted")
    list(outcome = outcome, seconds = as.numeric(Sys.time() - started, units = "secs"))
  })
  Sys.sleep(2)
  session$interrupt()
  expect_identical(session$poll_process(10000), "ready")
  answer <- session$read()
  expect_null(answer$error)
  expect_identical(answer$result$outcome, "interrupted")
  # A bootstrap of 10^6 replicates of 2,000 reactions takes minutes: it was stopped, not finished.
  expect_lt(answer$result$seconds, 10)
  # The session goes on.
  expect_identical(session$run(function() 1 + 1), 2)
})
