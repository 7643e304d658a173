// The small dialog that asks which column of a CSV or TSV table holds the reaction times, the
// reader's preselection (a header like "rt" or "reaction time", else the first numeric column)
// chosen when it opens.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "analysis/reaction_time_reader.h"

class QWidget;

namespace corvane {

// The column chosen (from 0), or none when the user cancels. `source` names the file or the
// clipboard in the dialog's text.
std::optional<std::size_t> ChooseReactionTimeColumn(QWidget* parent, const TTextShape& shape,
                                                    const std::string& source);

}  // namespace corvane
