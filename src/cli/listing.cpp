#include "cli/listing.h"

#include <algorithm>

#include "editor/status_text.h"
#include "rom/rom_file.h"

namespace tivok::cli {

void RequireGameTitle(const std::string& path, const std::string& title) {
  if (!RomFile::IsAcceptedTitle(title)) {
    throw ForeignImageError(WrongTitleReason(path, title));
  }
}

FilePosition FirstSlotPosition() {
  FilePosition first = StoreTable::All()[0].SlotPosition(1);
  for (const Store& store : StoreTable::All()) {
    first = std::min(first, store.SlotPosition(1));
  }
  return first;
}

FilePosition LastSlotPosition() {
  FilePosition last = 0;
  for (const Store& store : StoreTable::All()) {
    last = std::max(last, store.SlotPosition(store.slot_count));
  }
  return last;
}

std::vector<StoreCodes> ReadStores(const std::string& path, const Store* only) {
  RequireGameTitle(path, RomFile::ReadRomTitle(path));
  const FilePosition first = FirstSlotPosition();
  const std::vector<std::uint8_t> region =
      RomFile::ReadBlock(path, first, LastSlotPosition() - first + 1);
  std::vector<StoreCodes> stores;
  for (const Store& store : StoreTable::All()) {
    if (only != nullptr && &store != only) continue;
    const auto from = region.begin() + (store.SlotPosition(1) - first);
    stores.push_back({&store, {from, from + store.slot_count}});
  }
  return stores;
}

}  // namespace tivok::cli
