#include "compare/clean_image.h"

#include <utility>

#include "rom/describe.h"
#include "rom/image_file.h"
#include "rom/rom_file.h"

namespace tivok {

CleanImage ReadCleanImage(const std::string& path) {
  ImageFile file(path, ImageFile::Access::kRead);
  std::string title = TitleOf(file);
  if (file.size() > kLargestPatchedImage) {
    FailWith("cannot read", path, RomFileError::Kind::kOther,
             "it has " + std::to_string(file.size()) +
                 " bytes, more than any cartridge image");
  }
  CleanImage clean;
  clean.bytes.resize(static_cast<std::size_t>(file.size()));
  file.ReadAt(0, clean.bytes.data(), clean.bytes.size());
  clean.stores = StoresIn(clean.bytes, std::move(title));
  return clean;
}

std::optional<CleanImage> ReadGameImage(const std::string& path,
                                        std::string& why) {
  try {
    CleanImage clean = ReadCleanImage(path);
    if (RomFile::IsAcceptedTitle(clean.stores.title)) return clean;
    why = NotAnImageText(Quoted(path), clean.stores.title);
  } catch (const RomFileError& error) {
    why = error.what();
  }
  return std::nullopt;
}

}  // namespace tivok
