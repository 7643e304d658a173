# The check runs the package's demo, as a user would.
demo("study", package = "corvane", ask = FALSE, echo = TRUE)
