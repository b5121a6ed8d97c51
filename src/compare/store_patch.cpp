#include "compare/store_patch.h"

#include <optional>
#include <utility>

#include "rom/checksum.h"
#include "rom/describe.h"
#include "rom/image_file.h"
#include "rom/patch.h"
#include "rom/store_read.h"

namespace tivok {
namespace {

// The clean image's bytes, read whole on one open file once its header
// title is checked; nothing when the file is refused, and why in `errors`.
std::optional<std::vector<std::uint8_t>> ReadClean(
    const std::string& path, std::vector<std::string>& errors) {
  try {
    ImageFile file(path, ImageFile::Access::kRead);
    const std::string title = TitleOf(file);
    if (!RomFile::IsAcceptedTitle(title)) {
      errors.push_back(NotAnImageText(Quoted(path), title));
      return std::nullopt;
    }
    if (file.size() > kLargestPatchedImage) {
      errors.push_back(Quoted(path) + " has " + std::to_string(file.size()) +
                       " bytes, more than any cartridge image");
      return std::nullopt;
    }
    return ReadFrom(file, 0, static_cast<int>(file.size()));
  } catch (const RomFileError& error) {
    errors.push_back(error.what());
  }
  return std::nullopt;
}

// The image's stores; nothing when it is refused, and why in `errors`.
std::optional<ImageStores> ReadImage(const std::string& path,
                                     std::vector<std::string>& errors) {
  try {
    ImageStores image = ReadImageStores(path);
    if (RomFile::IsAcceptedTitle(image.title)) return image;
    errors.push_back(NotAnImageText(Quoted(path), image.title));
  } catch (const RomFileError& error) {
    errors.push_back(error.what());
  }
  return std::nullopt;
}

// "slots 5 to 8 of Portal Shop in "a.gbc" cannot be read: the file has
// only 149392 bytes".
std::string Unread(const Store& store, int first, const std::string& path,
                   const std::string& reason) {
  return SlotsFromText(store, first) + " in " + Quoted(path) +
         " cannot be read: " + reason;
}

bool Compared(const Store& store, const Store* only) {
  return only == nullptr || &store == only;
}

// The slots of the compared stores that either file lacks, in `errors`.
void CheckSlots(const std::string& clean_path,
                const std::vector<std::uint8_t>& clean,
                const std::string& image_path, const ImageStores& image,
                const Store* only, std::vector<std::string>& errors) {
  const auto clean_size = static_cast<std::int64_t>(clean.size());
  for (const Store& store : StoreTable::All()) {
    if (!Compared(store, only)) continue;
    for (int k = 1; k <= store.slot_count; ++k) {
      if (store.SlotOffset(k) >= clean_size) {
        errors.push_back(Unread(store, k, clean_path, SizeReason(clean_size)));
        break;
      }
    }
  }
  for (const StoreCodes& codes : image.stores) {
    if (Compared(*codes.store, only) && !codes.complete()) {
      errors.push_back(Unread(*codes.store,
                              static_cast<int>(codes.codes.size()) + 1,
                              image_path, codes.shortfall));
    }
  }
}

}  // namespace

StorePatch MakeStorePatch(const std::string& clean_path,
                          const std::string& image_path, PatchFormat format,
                          const Store* only) {
  StorePatch patch;
  const std::optional<std::vector<std::uint8_t>> clean =
      ReadClean(clean_path, patch.errors);
  if (!clean) return patch;
  const std::optional<ImageStores> image = ReadImage(image_path, patch.errors);
  if (!image) return patch;
  CheckSlots(clean_path, *clean, image_path, *image, only, patch.errors);
  if (!patch.ok()) return patch;

  std::vector<ByteChange> changes;
  for (const StoreCodes& codes : image->stores) {
    if (!Compared(*codes.store, only)) continue;
    for (int k = 1; k <= codes.store->slot_count; ++k) {
      const FileOffset offset = codes.store->SlotOffset(k);
      const std::uint8_t before = (*clean)[static_cast<std::size_t>(offset)];
      const auto after = static_cast<std::uint8_t>(codes.CodeOf(k));
      if (before == after) continue;
      changes.push_back({offset, before, after});
      ++patch.slot_count;
    }
  }
  changes = WithGlobalChecksum(std::move(changes), ChecksumsOf(*clean));
  patch.bytes = format == PatchFormat::kIps ? IpsPatch(*clean, changes)
                                            : BpsPatch(*clean, changes);
  const auto clean_size = static_cast<std::int64_t>(clean->size());
  if (image->size != clean_size) {
    patch.note = Quoted(image_path) + " has " + std::to_string(image->size) +
                 " bytes and " + Quoted(clean_path) + " " +
                 std::to_string(clean_size) +
                 ": the patch keeps the length of " + Quoted(clean_path) +
                 " and carries only the store slots";
  }
  return patch;
}

std::string PatchText(const StorePatch& patch, PatchFormat format) {
  const std::string slots = patch.slot_count == 0 ? "no slot"
                            : patch.slot_count == 1
                                ? "1 slot"
                                : std::to_string(patch.slot_count) + " slots";
  return std::string(format == PatchFormat::kIps ? "an IPS" : "a BPS") +
         " patch of " + slots + " and the global checksum (" +
         std::to_string(patch.bytes.size()) + " bytes)";
}

}  // namespace tivok
