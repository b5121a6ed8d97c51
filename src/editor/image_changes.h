#ifndef TIVOK_EDITOR_IMAGE_CHANGES_H_
#define TIVOK_EDITOR_IMAGE_CHANGES_H_

#include <cstdint>
#include <vector>

#include "rom/rom_file.h"
#include "rom/store_read.h"

namespace tivok {

// A slot whose code changed between two readings of an image.
struct SlotChange {
  const Store* store = nullptr;
  int slot = 0;
  std::uint8_t before = 0;
  std::uint8_t after = 0;
};

// The slots of every store whose codes differ between `before` and
// `after`, in the window's order of the stores; a slot that only one of
// them holds is not compared.
std::vector<SlotChange> ChangedSlots(const ImageStores& before,
                                     const ImageStores& after);

// True when some store holds more or fewer slots in `after` than in
// `before`: the file grew or shrank across the stores.
bool SlotsCameOrWent(const ImageStores& before, const ImageStores& after);

// `image` as Tivok's own write of `value` at `offset` leaves it.
void Apply(ImageStores& image, FileOffset offset, std::uint8_t value);

}  // namespace tivok

#endif  // TIVOK_EDITOR_IMAGE_CHANGES_H_
