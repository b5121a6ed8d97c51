#include "cli/listing.h"

#include "rom/describe.h"
#include "rom/rom_file.h"

namespace tivok::cli {

ImageStores ReadGameStores(const std::string& path) {
  ImageStores image = ReadImageStores(path);
  if (!RomFile::IsAcceptedTitle(image.title)) {
    throw ForeignImageError(NotAnImageText(Quoted(path), image.title));
  }
  return image;
}

std::string UnlistedText(const std::string& path, const StoreCodes& store) {
  const int first = static_cast<int>(store.codes.size()) + 1;
  return SlotsFromText(*store.store, first) + " in " + Quoted(path) +
         (first == store.store->slot_count ? " is" : " are") +
         " not listed: " + store.shortfall;
}

}  // namespace tivok::cli
