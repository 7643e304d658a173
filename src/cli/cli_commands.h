// The commands of corvane-cli, on C streams so that tests run them in the test's own process.
//
//   argv --RunCli--> "fit FILE..."        one TSV row per file and group (fit_command.h)
//                    "simulate --params"  reaction times by the program's own simulator and
//                                         process-wide generator (simulation/reaction_simulator.h)
//                    "--help", "--version"
//
// Exit codes: 0 done; 1 a file could not be read or fitted (its message on stderr, its row says
// so); 2 a usage error (the usage on stderr).
#pragma once

#include <cstdio>
#include <span>
#include <string_view>

namespace corvane {

inline constexpr int kExitDone = 0;
inline constexpr int kExitNotFitted = 1;
inline constexpr int kExitUsage = 2;

// `args` without the program's name.
int RunCli(std::span<const std::string_view> args, std::FILE* out, std::FILE* err);

}  // namespace corvane
