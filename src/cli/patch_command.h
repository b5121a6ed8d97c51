#ifndef TIVOK_CLI_PATCH_COMMAND_H_
#define TIVOK_CLI_PATCH_COMMAND_H_

#include <ostream>
#include <string>

#include "cli/command_line.h"
#include "cli/diff.h"
#include "cli/program.h"
#include "layout/layout_file.h"

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

// tivok-cli apply IMAGE PATCH [--clean CLEAN]: the IPS or BPS patch whose
// bytes `text` holds, applied in memory to CLEAN, or else to IMAGE, and
// read as a layout of the slots it changes there (patch_layout.h), each
// expecting CLEAN's item; written to IMAGE as apply writes a layout. A
// patch that changes anything but slots and the global checksum is
// refused. --dry-run prints the rows, as diff --format=csv prints them,
// and checks them against IMAGE without writing.
Result RunApplyPatch(const Invocation& invocation, const LayoutText& text,
                     std::ostream& out, std::ostream& err);

// What diff --help says of patches.
std::string PatchHelpText();

}  // namespace tivok::cli

#endif  // TIVOK_CLI_PATCH_COMMAND_H_
