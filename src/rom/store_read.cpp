#include "rom/store_read.h"

#include <algorithm>

#include "rom/describe.h"
#include "rom/image_file.h"

namespace tivok {
namespace {

// The offsets of the first and the last slot of all the stores, which one
// read covers.
FileOffset FirstSlot() {
  FileOffset first = StoreTable::All()[0].SlotOffset(1);
  for (const Store& store : StoreTable::All()) {
    first = std::min(first, store.SlotOffset(1));
  }
  return first;
}

FileOffset LastSlot() {
  FileOffset last = 0;
  for (const Store& store : StoreTable::All()) {
    last = std::max(last, store.SlotOffset(store.slot_count));
  }
  return last;
}

}  // namespace

int StoreCodes::CodeOf(int k) const {
  if (k < 1 || k > static_cast<int>(codes.size())) return -1;
  return codes[static_cast<std::size_t>(k - 1)];
}

ImageStores ReadImageStores(const std::string& path) {
  ImageFile file(path, ImageFile::Access::kRead);
  ImageStores image;
  image.title = TitleOf(file);
  image.size = file.size();
  const FileOffset first = FirstSlot();
  // The slots up to the end of the file; none when it ends before them.
  const std::int64_t there =
      std::clamp<std::int64_t>(file.size() - first, 0, LastSlot() - first + 1);
  std::vector<std::uint8_t> region;
  std::string shortfall = SizeReason(file.size());
  try {
    if (there > 0) region = ReadFrom(file, first, static_cast<int>(there));
  } catch (const RomFileError& error) {
    // The title was read: the stores are missing, not the image.
    shortfall = error.what();
  }
  for (const Store& store : StoreTable::All()) {
    StoreCodes& read =
        image.stores[static_cast<std::size_t>(store.selector_position)];
    read.store = &store;
    for (int k = 1; k <= store.slot_count; ++k) {
      const auto at = static_cast<std::size_t>(store.SlotOffset(k) - first);
      if (at >= region.size()) {
        read.shortfall = shortfall;
        break;
      }
      read.codes.push_back(region[at]);
    }
  }
  return image;
}

}  // namespace tivok
