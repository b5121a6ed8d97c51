// src/cli: tivok-cli, a thin program over the core without Qt. Its
// commands (this header), its grammar and completion, and its output
// formats. It includes from src/rom, src/compare and src/layout, never
// from src/editor or src/ui.

#ifndef TIVOK_CLI_COMMANDS_H_
#define TIVOK_CLI_COMMANDS_H_

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace tivok::cli {

// Runs tivok-cli with `args`, the arguments after the program's name:
// reads a layout given as "-" from `in`, prints results to `out` and
// errors to `err`, and returns the exit status (program.h).
// `out_is_terminal` tells that `out` shows in a terminal, where no patch
// goes.
int RunCli(const std::vector<std::string>& args, std::istream& in,
           std::ostream& out, std::ostream& err, bool out_is_terminal = false);

}  // namespace tivok::cli

#endif  // TIVOK_CLI_COMMANDS_H_
