#include "cli/columns.h"

#include "rom/hex_text.h"
#include "rom/item_table.h"

namespace tivok::cli {

std::string OffsetColumn(FilePosition position) {
  return "0x" + UpperHex(static_cast<std::uint64_t>(position - 1));
}

std::string CodeColumn(int code) {
  return "0x" + ByteHex(static_cast<std::uint8_t>(code));
}

std::string ItemColumn(int code) {
  const std::string_view name = ItemTable::NameOf(code);
  if (!name.empty()) return std::string(name);
  return "unknown item (" + UpperHex(static_cast<std::uint64_t>(code)) + ")";
}

}  // namespace tivok::cli
