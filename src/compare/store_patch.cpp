#include "compare/store_patch.h"

#include <optional>
#include <utility>

#include "rom/checksum.h"
#include "rom/describe.h"
#include "rom/patch.h"
#include "rom/store_read.h"

namespace tivok {
namespace {

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

// The slots of the compared stores that the image at `path` lacks, in
// `errors`.
void CheckSlots(const std::string& path, const ImageStores& image,
                const Store* only, std::vector<std::string>& errors) {
  for (const StoreCodes& codes : image.stores) {
    if (Compared(*codes.store, only) && !codes.complete()) {
      errors.push_back(Unread(*codes.store,
                              static_cast<int>(codes.codes.size()) + 1, path,
                              codes.shortfall));
    }
  }
}

}  // namespace

StorePatch MakeStorePatch(const std::string& clean_path,
                          const std::string& image_path, PatchFormat format,
                          const Store* only) {
  StorePatch patch;
  std::string why;
  const std::optional<CleanImage> clean = ReadGameImage(clean_path, why);
  if (!clean) {
    patch.errors.push_back(why);
    return patch;
  }
  const std::optional<ImageStores> image = ReadImage(image_path, patch.errors);
  if (!image) return patch;
  return MakeStorePatch(*clean, clean_path, *image, image_path, format, only);
}

StorePatch MakeStorePatch(const CleanImage& clean,
                          const std::string& clean_path,
                          const ImageStores& image,
                          const std::string& image_path, PatchFormat format,
                          const Store* only) {
  StorePatch patch;
  const std::vector<std::uint8_t>& bytes = clean.bytes;
  CheckSlots(clean_path, clean.stores, only, patch.errors);
  CheckSlots(image_path, image, only, patch.errors);
  if (!patch.ok()) return patch;

  std::vector<ByteChange> changes;
  for (const StoreCodes& codes : image.stores) {
    if (!Compared(*codes.store, only)) continue;
    for (int k = 1; k <= codes.store->slot_count; ++k) {
      const FileOffset offset = codes.store->SlotOffset(k);
      const std::uint8_t before = bytes[static_cast<std::size_t>(offset)];
      const auto after = static_cast<std::uint8_t>(codes.CodeOf(k));
      if (before == after) continue;
      changes.push_back({offset, before, after});
      ++patch.slot_count;
    }
  }
  changes = WithGlobalChecksum(std::move(changes), ChecksumsOf(bytes));
  patch.bytes = format == PatchFormat::kIps ? IpsPatch(bytes, changes)
                                            : BpsPatch(bytes, changes);
  const auto clean_size = static_cast<std::int64_t>(bytes.size());
  if (image.size != clean_size) {
    patch.note = Quoted(image_path) + " has " + std::to_string(image.size) +
                 " bytes and " + Quoted(clean_path) + " " +
                 std::to_string(clean_size) +
                 ": the patch keeps the length of " + Quoted(clean_path) +
                 " and carries only the store slots";
  }
  return patch;
}

std::string PatchText(const StorePatch& patch, PatchFormat format) {
  const std::string slots =
      patch.slot_count == 0 ? "no slot" : Counted(patch.slot_count, "slot");
  return std::string(format == PatchFormat::kIps ? "an IPS" : "a BPS") +
         " patch of " + slots + " and the global checksum (" +
         std::to_string(patch.bytes.size()) + " bytes)";
}

}  // namespace tivok
