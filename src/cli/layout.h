#ifndef TIVOK_CLI_LAYOUT_H_
#define TIVOK_CLI_LAYOUT_H_

#include <string>
#include <string_view>
#include <vector>

#include "cli/apply.h"

namespace tivok::cli {

// A wrong line of a layout, and why.
struct LayoutError {
  int line = 0;
  std::string reason;
};

// What a layout asks for: a wish per slot, or, when any line is wrong, the
// first 20 wrong lines and the count of all (and then the wishes are not
// to be written).
struct Layout {
  static constexpr std::size_t kMostErrorsKept = 20;

  std::vector<SlotWish> wishes;
  std::vector<LayoutError> errors;
  int error_count = 0;
};

// Reads a layout: CSV whose first line names its columns (store, slot,
// offset, code, item, in any order and case; store and slot, and item or
// code, are needed). Checks every row without the image: the store, the
// slot and the item exist, the item and the code agree, the offset is the
// slot's, and no two rows give one slot different items. A row may name a
// code that is no item ("unknown item (0xC8)", 0xC8); WriteWishes only lets
// it keep a slot as it is. Rows that repeat a wish are kept once, and
// lines of white space are left out.
Layout ReadLayout(std::string_view text);

}  // namespace tivok::cli

#endif  // TIVOK_CLI_LAYOUT_H_
