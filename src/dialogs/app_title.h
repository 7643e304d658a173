// The application title: the caption of the notices and of the error reports.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// The executable's file name without its directory, cut at its first ".", every character after
// the first in lower case: "/usr/bin/Corvane.Bin" -> "Corvane", "corvane" -> "corvane".
std::string ApplicationTitleFromPath(std::string_view executable_path);

// The title in force; set once by the application at start-up.
const std::string& ApplicationTitle();
void SetApplicationTitle(std::string title);

}  // namespace corvane
