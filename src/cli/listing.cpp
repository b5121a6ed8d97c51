#include "cli/listing.h"

#include "rom/describe.h"
#include "rom/rom_file.h"

namespace tivok::cli {

std::string ForeignImageText(const std::string& path, std::string_view title) {
  return Quoted(path) +
         " is not a Dragon Warrior Monsters image (its header title is \"" +
         Escaped(title) + "\", not \"" + std::string(RomFile::kAcceptedTitle) +
         "\")";
}

ImageStores ReadGameStores(const std::string& path) {
  ImageStores image = ReadImageStores(path);
  if (!RomFile::IsAcceptedTitle(image.title)) {
    throw ForeignImageError(ForeignImageText(path, image.title));
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
