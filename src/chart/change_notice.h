// Sub-objects (pens, brushes, fonts) tell their owner of a change through this notice; the owner
// turns it into a repaint request of its chart. An empty notice is allowed (a free-standing object).
#pragma once

#include <functional>

namespace corvane {

using TChangeNotice = std::function<void()>;

}  // namespace corvane
