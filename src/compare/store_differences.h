#ifndef TIVOK_COMPARE_STORE_DIFFERENCES_H_
#define TIVOK_COMPARE_STORE_DIFFERENCES_H_

#include <vector>

#include "rom/store_read.h"
#include "rom/store_table.h"

namespace tivok {

// A slot whose item code differs between a clean image and another.
struct SlotDifference {
  const Store* store = nullptr;
  int slot = 0;
  int clean = 0;  // the code in the clean image
  int code = 0;   // the code in the other image
};

// The slots that both `clean` and `image` hold and whose codes differ, in
// the stores' window order and slot by slot: every store's, or only
// `only`'s. Slots that one image cuts short are not compared (their
// StoreCodes say why).
std::vector<SlotDifference> DifferingSlots(const ImageStores& clean,
                                           const ImageStores& image,
                                           const Store* only = nullptr);

}  // namespace tivok

#endif  // TIVOK_COMPARE_STORE_DIFFERENCES_H_
