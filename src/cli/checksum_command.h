#ifndef TIVOK_CLI_CHECKSUM_COMMAND_H_
#define TIVOK_CLI_CHECKSUM_COMMAND_H_

#include <ostream>
#include <string>

#include "cli/command_line.h"
#include "cli/program.h"

namespace tivok::cli {

// tivok-cli checksum IMAGE: prints both header checksums of IMAGE, each as
// stored and as computed, and what a mismatch means; kOk when both match,
// kFailed when one does not, and as list does for a file that cannot be
// read or is no image of the game. Reads only.
Result RunChecksum(const Invocation& invocation, std::ostream& out,
                   std::ostream& err);

// checksum --help, after the usage line.
std::string ChecksumHelpText();

}  // namespace tivok::cli

#endif  // TIVOK_CLI_CHECKSUM_COMMAND_H_
