#ifndef TIVOK_CLI_DIFF_H_
#define TIVOK_CLI_DIFF_H_

#include <string>
#include <vector>

#include "cli/command_line.h"
#include "compare/store_differences.h"

namespace tivok::cli {

// What diff compared: the clean image's path and the other's, and the one
// store compared, or none for all.
struct Compared {
  std::string clean;
  std::string image;
  const Store* only = nullptr;
};

// The differing slots in the three forms of `diff`, each with the offset,
// the clean image's code and item and the other's; a code that is no item
// reads "unknown item (0xC8)".
//   table: a heading per store and an aligned table of its slots, for
//     people; with no differences, one line that says so;
//   csv: a layout with the clean items as was (DifferencesCsv,
//     layout_csv.h), which apply carries over to a third image;
//   json: {"slots": [{"store", "word", "number", "slot", "offset",
//     "offset_hex", "code", "code_hex", "item", "known", "was_code",
//     "was_code_hex", "was_item", "was_known"}]}, the other image's code
//     and item, and the clean one's after "was_".
std::string DifferencesText(const std::vector<SlotDifference>& differences,
                            Format format, const Compared& compared);

}  // namespace tivok::cli

#endif  // TIVOK_CLI_DIFF_H_
