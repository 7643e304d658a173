// TBusyCursor: the busy pointer over the application for as long as the object lives, restored
// when it goes, by an exception too. Nested objects stack, so a run of presses that each show it
// keeps it until the run ends.
#pragma once

#include <QApplication>
#include <QCursor>

namespace corvane {

class TBusyCursor {
 public:
  TBusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
  ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;
};

}  // namespace corvane
