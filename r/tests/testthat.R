# Each test solves its own shapes (the store of shapes has its own test).
Sys.setenv(CORVANE_SHAPE_CACHE = "off")
library(testthat)
library(corvane)
test_check("corvane")
