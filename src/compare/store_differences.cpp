#include "compare/store_differences.h"

#include <algorithm>

namespace tivok {

std::vector<SlotDifference> DifferingSlots(const ImageStores& before,
                                           const ImageStores& after,
                                           const Store* only) {
  std::vector<SlotDifference> differences;
  for (const Store& store : StoreTable::All()) {
    if (only != nullptr && &store != only) continue;
    const StoreCodes& old_codes = before.Of(store);
    const StoreCodes& new_codes = after.Of(store);
    const auto both = static_cast<int>(
        std::min(old_codes.codes.size(), new_codes.codes.size()));
    for (int k = 1; k <= both; ++k) {
      if (old_codes.CodeOf(k) != new_codes.CodeOf(k)) {
        differences.push_back(
            {&store, k, old_codes.CodeOf(k), new_codes.CodeOf(k)});
      }
    }
  }
  return differences;
}

}  // namespace tivok
