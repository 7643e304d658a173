#include "chart/chart_errors.h"

namespace corvane {

void ThrowListIndexError(long long index) {
  throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

}  // namespace corvane
