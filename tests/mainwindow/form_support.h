// Test doubles for the main window: a notice sink that records, generators of the tests' own, and
// a fixture that records error reports and builds a created window.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/notice_sink.h"
#include "mainwindow/main_form.h"
#include "simulation/reaction_simulator.h"
#include "support/recording_sinks.h"

namespace corvane {

using Notices = RecordingNotices;

// Draws from a generator of its own, so the process-wide seed and the clock play no part.
TRandomSource SeededSource(std::uint32_t seed);

// Yields the given draws, then repeats the last.
TRandomSource Draws(std::vector<long double> draws);

// Error reports are recorded into `reports` (caption, text) by the shared fixture.
class FormFixture : public RecordingReportsTest {
 protected:
  // A window after its creation handler, its notices recorded.
  std::unique_ptr<TForm1> MakeForm(TRandomSource random = SeededSource(7));

  Notices notices;
};

}  // namespace corvane
