# The check runs the package's demo, as a user would (its shapes kept in the check's own folder).
Sys.setenv(CORVANE_SHAPE_CACHE = file.path(tempdir(), "shapes"))
demo("study", package = "corvane", ask = FALSE, echo = TRUE)
