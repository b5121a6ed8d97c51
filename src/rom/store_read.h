#ifndef TIVOK_ROM_STORE_READ_H_
#define TIVOK_ROM_STORE_READ_H_

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "rom/store_table.h"

namespace tivok {

// What one store's slots hold in an image: the codes of the slots before
// the end of the file, slot 1 first, and, when the file ends before the
// last slot or the stores cannot be read, why the others are missing ("the
// file has only 149392 bytes", or the read's error message).
struct StoreCodes {
  const Store* store = nullptr;
  std::vector<std::uint8_t> codes;
  std::string shortfall;

  bool complete() const {
    return static_cast<int>(codes.size()) == store->slot_count;
  }
  // The code of slot k (1 to slot count), or -1 when it was not read.
  int CodeOf(int k) const;
};

// An image's header title and every store's slots, in the window's order,
// read on one open file.
struct ImageStores {
  std::string title;
  std::int64_t size = 0;  // the file's length in bytes when it was read
  std::array<StoreCodes, StoreTable::kStoreCount> stores;

  const StoreCodes& Of(const Store& store) const {
    return stores[static_cast<std::size_t>(store.selector_position)];
  }
};

// Opens `path` once and reads its header title and its stores: each store
// lists the slots that the file holds, so a file that ends inside one store
// still gives the stores before it in full, and a failing read of the
// stores leaves them empty with the error as their shortfall. Throws
// RomFileError when the file cannot be opened or its header title read.
ImageStores ReadImageStores(const std::string& path);

// The stores of an image read whole into `bytes`, whose header title is
// `title`, as ReadImageStores reads them from a file of those bytes.
ImageStores StoresIn(std::span<const std::uint8_t> bytes, std::string title);

}  // namespace tivok

#endif  // TIVOK_ROM_STORE_READ_H_
