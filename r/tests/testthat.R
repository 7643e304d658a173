library(testthat)
library(corvane)
test_check("corvane")
