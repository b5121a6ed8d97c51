#ifndef TIVOK_CLI_HELP_TEXT_H_
#define TIVOK_CLI_HELP_TEXT_H_

#include <string>
#include <string_view>

#include "cli/command_line.h"

namespace tivok::cli {

// The help that --help prints: the program's, or the command's.
std::string HelpText(Command command);

// A usage error for standard error: "tivok-cli set: " and `error`, the
// command's usage line and where to find more.
std::string UsageErrorText(Command command, std::string_view error);

// The version line.
std::string VersionText();

}  // namespace tivok::cli

#endif  // TIVOK_CLI_HELP_TEXT_H_
