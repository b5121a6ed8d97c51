#ifndef TIVOK_CLI_PATCH_COMMAND_H_
#define TIVOK_CLI_PATCH_COMMAND_H_

#include <ostream>
#include <string>

#include "cli/command_line.h"
#include "cli/diff.h"
#include "cli/program.h"

namespace tivok::cli {

// tivok-cli diff CLEAN IMAGE [STORE] --format=ips|bps [-o FILE]: the patch
// of the `compared` store slots (store_patch.h), to `out` unless
// `out_is_terminal`, which is refused with a hint, or to FILE through a new
// file renamed over it (export_file.h), never over a cartridge image of any
// game or a file that is not empty and no patch of the format. Errors and the
// note on lengths go to `err`; kFailed for a patch that is not made or not
// written, and with --exit-code for slots that differ.
Result RunDiffPatch(const Invocation& invocation, const Compared& compared,
                    bool out_is_terminal, std::ostream& out, std::ostream& err);

// What diff --help says of patches.
std::string PatchHelpText();

}  // namespace tivok::cli

#endif  // TIVOK_CLI_PATCH_COMMAND_H_
