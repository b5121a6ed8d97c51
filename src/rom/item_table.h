#ifndef TIVOK_ROM_ITEM_TABLE_H_
#define TIVOK_ROM_ITEM_TABLE_H_

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tivok {

// The 44 items a store slot may hold. An item's code is its position in the
// table, the byte value a slot holds in the image, and its position in the
// new-item selector.
class ItemTable {
 public:
  static constexpr int kItemCount = 44;

  // The names in code order, from "Null" (0) to "Bookmark" (43).
  static std::span<const std::string_view, kItemCount> Names();
  // The name of the item with `code`, or an empty view for an unknown code.
  static std::string_view NameOf(int code);
  // The item name for a slot's tooltip, or a plain note that the code is no
  // known item.
  static std::string Describe(int code);
  // The code of the item called `name`, ignoring the case of ASCII letters;
  // -1 when no item is called so.
  static int CodeNamed(std::string_view name);
  // The codes of the items whose names hold `text`, ignoring the case of
  // ASCII letters: the names that begin with it first, then those that
  // hold it further on, each group in alphabetical order. Every item for
  // an empty text.
  static std::vector<int> Matching(std::string_view text);
  // The code of the one item whose name begins with `text` (case ignored);
  // -1 when no name or several do, or `text` is empty.
  static int CodeBeginning(std::string_view text);
};

}  // namespace tivok

#endif  // TIVOK_ROM_ITEM_TABLE_H_
