#include "editor/image_changes.h"

namespace tivok {

bool SlotsCameOrWent(const ImageStores& before, const ImageStores& after) {
  for (std::size_t s = 0; s < before.stores.size(); ++s) {
    if (before.stores[s].codes.size() != after.stores[s].codes.size()) {
      return true;
    }
  }
  return false;
}

void Apply(ImageStores& image, FileOffset offset, std::uint8_t value) {
  const SlotPlace place = StoreTable::SlotAt(offset);
  if (place.store == nullptr) return;
  std::vector<std::uint8_t>& codes =
      image.stores[static_cast<std::size_t>(place.store->selector_position)]
          .codes;
  if (place.slot <= static_cast<int>(codes.size())) {
    codes[static_cast<std::size_t>(place.slot - 1)] = value;
  }
}

}  // namespace tivok
