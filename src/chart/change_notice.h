// Sub-objects (pens, brushes, fonts) tell their owner of a change through this notice; the owner
// turns it into a repaint request of its chart. An empty notice is allowed (a free-standing object).
//
// StoreChanged is the setter rule every chart property follows: a value equal to the stored one
// changes nothing and tells no one; a different one is stored and the caller then sends its own
// notice:   if (StoreChanged(pen_.Width, width)) Changed();
// The three-argument form is for a value stored through its own setter (a font's size, which also
// sets its height): `current` is compared, `store` applied only when the value differs.
#pragma once

#include <functional>
#include <utility>

namespace corvane {

using TChangeNotice = std::function<void()>;

template <class T, class V>
[[nodiscard]] bool StoreChanged(T& field, V&& value) {
  if (field == value)
    return false;
  field = std::forward<V>(value);
  return true;
}

template <class T, class Store>
[[nodiscard]] bool StoreChanged(const T& current, const T& value, Store&& store) {
  if (current == value)
    return false;
  std::forward<Store>(store)();
  return true;
}

// Calls a notice that may be empty.
inline void Notify(const TChangeNotice& notice) {
  if (notice)
    notice();
}

}  // namespace corvane
