test_that("a session keeps its shapes in R's cache folder and a later session reads them", {
  skip_if_not_installed("callr")
  cache <- file.path(tempdir(), "user-cache")
  on.exit(unlink(cache, recursive = TRUE))
  fit_once <- function() {
    Sys.unsetenv("CORVANE_SHAPE_CACHE")  # the package's default, as with no setting
    library(corvane)
    fit <- corvane_fit(rcorvane(150, 0.3, 1.2, 20, 40, seed = 7), bootstrap = 0)
    c(fit$A, fit$b, fit$k, fit$c0)
  }
  # Under R_USER_CACHE_DIR: R's rule for package caches.
  env <- c(callr::rcmd_safe_env(), R_USER_CACHE_DIR = cache)
  first <- callr::r(fit_once, env = env)
  stored <- list.files(file.path(cache, "R", "corvane", "shapes"), pattern = "[.]shape$", recursive = TRUE)
  expect_gt(length(stored), 0)
  expect_identical(callr::r(fit_once, env = env), first)
  expect_identical(length(list.files(file.path(cache, "R", "corvane", "shapes"), pattern = "[.]shape$",
                                     recursive = TRUE)), length(stored))
})
