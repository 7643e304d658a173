// What assistive technology sees of a chart: an object of the chart role, named by the chart's
// title (unless the widget has an accessible name of its own) and described by the widget's
// accessible description, which the chart's owner keeps saying what the chart shows. A new
// description is announced as a description change.
#pragma once

#include <string>
#include <vector>

namespace corvane {

// Installs the factory that gives every TChart its accessible interface (once per process).
void InstallChartAccessibility();

// The lines of a title as one name: "Reaction Time Plot".
std::string TitleAsName(const std::vector<std::string>& lines);

}  // namespace corvane
