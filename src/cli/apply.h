#ifndef TIVOK_CLI_APPLY_H_
#define TIVOK_CLI_APPLY_H_

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/program.h"
#include "layout/layout.h"

namespace tivok::cli {

// Where a layout's lines come from, for messages: "layout.csv" or
// "(standard input)"; empty for the command line. `patch` when they are a
// patch's slots, which have no lines.
struct WishSource {
  std::string name;
  bool patch = false;
};

// How a write goes: a dry run makes every open and check and writes
// nothing; fix_checksum writes the global checksum that the wishes leave
// too, in the same write and flush.
struct WriteMode {
  bool dry_run = false;
  bool fix_checksum = false;
};

// Writes `wishes` into the image at `path`, as `set`, `apply` and
// `checksum --fix` do, through the core's one write call (image_write.h):
// on one open file it checks the header title, refuses (writing nothing) a
// wish to write a code that is no item where the slot holds another,
// writes every byte that differs, flushes once and checks the file
// afterwards. Prints the changes to `out`, and to `err` a failure in the
// core's words (write_words.h), each refused wish on the line of its
// layout. Returns the exit status, 0 or 1, and whether the image was
// changed.
Result WriteWishes(const std::string& path, const std::vector<SlotWish>& wishes,
                   WriteMode mode, const WishSource& source, std::ostream& out,
                   std::ostream& err);

// "layout.csv:4: " for a wish from line 4 of a layout, "" for one from the
// command line.
std::string LinePrefix(const WishSource& source, int line);

}  // namespace tivok::cli

#endif  // TIVOK_CLI_APPLY_H_
