// Parameter entry: the six fields across the top of the window are read, converted and checked
// once per press of the start button. ReadParameters updates the parameter set in place and tells
// the user about every unreadable or non-positive entry through the notice sink, in field order.
#pragma once

#include "dialogs/notice_sink.h"
#include "simulation/parameter_set.h"

class QLineEdit;

namespace corvane {

// The window's six parameter fields, in the order in which they are read.
struct TParameterFields {
  QLineEdit* EditAcrit = nullptr;
  QLineEdit* EditA1 = nullptr;
  QLineEdit* EditA0 = nullptr;
  QLineEdit* EditC1 = nullptr;
  QLineEdit* EditC0 = nullptr;
  QLineEdit* EditY0 = nullptr;
};

// True when all six values are greater than 0. A field whose text does not convert gets the notice
// "Ongeldige waarde: <text>" and the focus, and its parameter keeps its last value; a value of 0 or
// below gets the field's range notice and the focus, and rejects the set. A converted value beyond
// the double range throws EOverflow, leaving that parameter as it was and the later fields unread.
bool ReadParameters(const TParameterFields& fields, TParameterSet& parameters, TNoticeSink& notices);

}  // namespace corvane
