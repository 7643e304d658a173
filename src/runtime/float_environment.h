// The process's floating-point settings: extended precision, round to nearest with ties to even.
// Invalid operation, division by zero and overflow are errors, but they are raised by our own
// checks (float_checks.h), never by hardware traps, which stay masked for Qt and the C library.
#pragma once

namespace corvane {

void InitFloatingPointEnvironment() noexcept;

}  // namespace corvane
