// What the Series analysis window needs of the program's main window, so that it can live below
// it: the series it follows, the six fields (read for "keep A" and the held a1, written by "Apply
// to fields"), where messages for the user go and the seed the series began at.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "simulation/parameter_set.h"

namespace corvane {

class TChart;
class TSeriesRecord;

class TAnalysisHost {
 public:
  virtual ~TAnalysisHost() = default;

  // The main window's series; the window listens to it while it lives.
  virtual TSeriesRecord& Series() = 0;
  // The six fields as numbers, when every one converts and is greater than 0; read quietly (the
  // press tells the user about a bad field, not the analysis).
  virtual std::optional<TParameterSet> FieldParameters() const = 0;
  // Writes the six parameters into the fields in the program's number form.
  virtual void ApplyToFields(const TParameterSet& parameters) = 0;
  // A message the user must see (a rejected file), in the program's message box.
  virtual void ShowNotice(const std::string& text) = 0;
  // "Save image as..." and "Save data as..." of the window's charts, through the program's own
  // save path (its file dialog and formats); nothing where the host has none.
  virtual void SaveChartImage(TChart& /*chart*/) {}
  virtual void SaveChartData(TChart& /*chart*/) {}
  // The seed the series began at (corvane-cli simulate --seed gives it again); none where the
  // series has no reaction or its draws are not the process-wide generator's.
  virtual std::optional<std::uint32_t> SeriesSeed() const { return std::nullopt; }
};

}  // namespace corvane
