#include "layout/columns.h"

#include "rom/describe.h"
#include "rom/hex_text.h"
#include "rom/item_table.h"

namespace tivok {

std::string OffsetColumn(FileOffset offset) {
  return "0x" + UpperHex(static_cast<std::uint64_t>(offset));
}

std::string CodeColumn(int code) { return CodeText(code, CodeStyle::kCli); }

std::string ItemColumn(int code) {
  const std::string_view name = ItemTable::NameOf(code);
  if (!name.empty()) return std::string(name);
  return UnknownItemText(code, CodeStyle::kCli);
}

}  // namespace tivok
