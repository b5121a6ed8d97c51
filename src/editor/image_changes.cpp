#include "editor/image_changes.h"

#include <algorithm>

namespace tivok {

std::vector<SlotChange> ChangedSlots(const ImageStores& before,
                                     const ImageStores& after) {
  std::vector<SlotChange> changes;
  for (std::size_t s = 0; s < before.stores.size(); ++s) {
    const std::vector<std::uint8_t>& old_codes = before.stores[s].codes;
    const std::vector<std::uint8_t>& new_codes = after.stores[s].codes;
    const std::size_t both = std::min(old_codes.size(), new_codes.size());
    for (std::size_t i = 0; i < both; ++i) {
      if (old_codes[i] == new_codes[i]) continue;
      changes.push_back({before.stores[s].store, static_cast<int>(i) + 1,
                         old_codes[i], new_codes[i]});
    }
  }
  return changes;
}

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
