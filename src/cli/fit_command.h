// corvane-cli fit: each file read (grouped where asked), every group fitted, one TSV row each.
//
//   options, FILE... --FitCommand--> ReadReactionTimeGroups (analysis/reaction_time_groups.h)
//                                    --> FitGroups (analysis/group_fit.h) --> rows, built whole
//                                    from GroupFitCells (analysis/group_fit_table.h)
//                                    and then written: file, then GroupFitHeader's columns
//                                    (the --by columns, counts, estimates and intervals, the
//                                    comparison columns, method, seed, status, message)
//
// Numbers are written shortest-round-trip (std::to_chars), NA where there is none. A file that
// cannot be read gives one row, not read; a group that cannot be read or fitted its own row; the
// exit code is kExitNotFitted when any row is not fitted, every row printed.
#pragma once

#include <cstdio>

#include "cli/cli_support.h"

namespace corvane {

int FitCommand(const TArguments& arguments, std::FILE* out, std::FILE* err);

}  // namespace corvane
