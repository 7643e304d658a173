// The text of one run-log line: the memo shows one per logged period.
#pragma once

#include <string>

#include "simulation/period_record.h"

namespace corvane {

// "N=     1 K=     1 Y-Begin=5.000 Y-End=1.250 WTerm=3.750 Subtotal=3.750 YValue=1.250 asom=3.750"
// The counters are right-aligned to six places and written whole when longer; each real value has
// three decimals after DecimalMark (at most ten significant digits, scientific beyond that). A
// distraction record says "DTerm=" where a work record says "WTerm=". No line terminator.
std::string FormatPeriodLine(const TPeriodRecord& record);

}  // namespace corvane
