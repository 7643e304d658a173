// The chart engine's exceptions: rejected property values (AxisException, ChartException) and the
// list index error raised when a value, colour or label list is read outside its bounds.
#pragma once

#include <string>

#include "runtime/errors.h"

namespace corvane {

CORVANE_EXCEPTION(ChartException, Exception);
CORVANE_EXCEPTION(AxisException, Exception);
CORVANE_EXCEPTION(EListError, Exception);

// "List index out of bounds (7)"
[[noreturn]] void ThrowListIndexError(long long index);

}  // namespace corvane
