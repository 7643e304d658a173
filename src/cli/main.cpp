// corvane-cli: batch fits and simulation studies, no display needed (cli_commands.h).
#include <string_view>
#include <vector>

#include "cli/cli_commands.h"
#include "runtime/float_environment.h"

int main(int argc, char** argv) {
  corvane::InitFloatingPointEnvironment();
  std::vector<std::string_view> args(argv + 1, argv + argc);
  return corvane::RunCli(args, stdout, stderr);
}
