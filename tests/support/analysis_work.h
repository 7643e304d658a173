// Waiting for the Series analysis window's background work in a test: header-only, for the test
// folders that link the window.
#pragma once

#include <QCoreApplication>

#include "analysiswindow/series_analysis_window.h"

namespace corvane {

// Waits for every background computation to end, takes its result as its queued call would, and
// repaints the window.
inline void FinishAnalysisWork(TSeriesAnalysisWindow& window) {
  TAnalysisSession& session = window.Session();
  while (session.WorkRunning()) {
    session.JoinWork();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
  }
  window.RefreshNow();
}

}  // namespace corvane
