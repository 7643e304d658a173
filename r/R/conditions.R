# Failures of the C++ side come back as a "corvane_failure" list (its class name, message and the
# line or row to blame); .corvane_value raises them as conditions of their own classes, e.g.
# c("corvane_EReactionTimeFormat", "corvane_error", "error", "condition"), with the message
# unchanged and `line` (0 where no single row is to blame).

.corvane_condition <- function(class, message, call = NULL, line = 0) {
  structure(class = c(paste0("corvane_", class), "corvane_error", "error", "condition"),
            list(message = message, call = call, line = line))
}

.corvane_value <- function(value, call = sys.call(-1)) {
  if (inherits(value, "corvane_failure"))
    stop(.corvane_condition(value$class, value$message, call, value$line))
  value
}

.corvane_stop <- function(class, message, call = sys.call(-1)) {
  stop(.corvane_condition(class, message, call))
}

# A whole number in [0, max] given as one number: seeds and counts.
.corvane_whole <- function(x, name, max = 2^53) {
  if (!is.numeric(x) || length(x) != 1 || is.na(x) || x < 0 || x > max || x != floor(x))
    .corvane_stop("argument", sprintf("%s must be one whole number from 0 to %.0f", name, max),
                  sys.call(-1))
  as.numeric(x)
}

# A seed for the C++ side from R's generator, so that set.seed makes it repeatable.
.corvane_seed_from_r <- function() floor(stats::runif(1) * 4294967296)
