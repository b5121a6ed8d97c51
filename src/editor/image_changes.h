#ifndef TIVOK_EDITOR_IMAGE_CHANGES_H_
#define TIVOK_EDITOR_IMAGE_CHANGES_H_

#include <cstdint>
#include <vector>

#include "rom/rom_file.h"
#include "rom/store_read.h"

namespace tivok {

// True when some store holds more or fewer slots in `after` than in
// `before`: the file grew or shrank across the stores.
bool SlotsCameOrWent(const ImageStores& before, const ImageStores& after);

// `image` as Tivok's own write of `value` at `offset` leaves it.
void Apply(ImageStores& image, FileOffset offset, std::uint8_t value);

}  // namespace tivok

#endif  // TIVOK_EDITOR_IMAGE_CHANGES_H_
