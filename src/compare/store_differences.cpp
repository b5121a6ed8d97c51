#include "compare/store_differences.h"

#include <algorithm>

namespace tivok {

std::vector<SlotDifference> DifferingSlots(const ImageStores& clean,
                                           const ImageStores& image,
                                           const Store* only) {
  std::vector<SlotDifference> differences;
  for (const Store& store : StoreTable::All()) {
    if (only != nullptr && &store != only) continue;
    const StoreCodes& before = clean.Of(store);
    const StoreCodes& after = image.Of(store);
    const auto both =
        static_cast<int>(std::min(before.codes.size(), after.codes.size()));
    for (int k = 1; k <= both; ++k) {
      if (before.CodeOf(k) != after.CodeOf(k)) {
        differences.push_back({&store, k, before.CodeOf(k), after.CodeOf(k)});
      }
    }
  }
  return differences;
}

}  // namespace tivok
