#ifndef TIVOK_COMPARE_STORE_DIFFERENCES_H_
#define TIVOK_COMPARE_STORE_DIFFERENCES_H_

#include <vector>

#include "rom/store_read.h"
#include "rom/store_table.h"

namespace tivok {

// A slot whose item code differs between two images, or two readings of
// one: a clean image and another, or an image before and after another
// program changed it.
struct SlotDifference {
  const Store* store = nullptr;
  int slot = 0;
  int before = 0;  // the code in the clean image, or the earlier reading
  int after = 0;   // the code in the other image, or the later reading
};

// The slots that both `before` and `after` hold and whose codes differ, in
// the stores' window order and slot by slot: every store's, or only
// `only`'s. Slots that one image cuts short are not compared (their
// StoreCodes say why).
std::vector<SlotDifference> DifferingSlots(const ImageStores& before,
                                           const ImageStores& after,
                                           const Store* only = nullptr);

}  // namespace tivok

#endif  // TIVOK_COMPARE_STORE_DIFFERENCES_H_
