#ifndef TIVOK_CLI_APPLY_H_
#define TIVOK_CLI_APPLY_H_

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/program.h"
#include "editor/layout.h"

namespace tivok::cli {

// Where a layout's lines come from, for messages: "layout.csv" or
// "(standard input)"; empty for the command line.
struct WishSource {
  std::string name;
};

// Writes `wishes` into the image at `path`, as `set` and `apply` do,
// through the core's one write call (image_write.h): on one open file it
// checks the header title, refuses (writing nothing) a wish to write a code
// that is no item where the slot holds another, writes every byte that
// differs, flushes once and checks the file afterwards. A dry run makes the
// same opens and checks, for writing too, and writes nothing. Prints the
// changes to `out`, and to `err` a failure in the core's words
// (write_words.h), each refused wish on the line of its layout. Returns the
// exit status, 0 or 1, and whether the image was changed.
Result WriteWishes(const std::string& path, const std::vector<SlotWish>& wishes,
                   bool dry_run, const WishSource& source, std::ostream& out,
                   std::ostream& err);

// "layout.csv:4: " for a wish from line 4 of a layout, "" for one from the
// command line.
std::string LinePrefix(const WishSource& source, int line);

}  // namespace tivok::cli

#endif  // TIVOK_CLI_APPLY_H_
