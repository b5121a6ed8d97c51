#include "layout/patch_layout.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "compare/clean_image.h"
#include "rom/checksum.h"
#include "rom/describe.h"
#include "rom/hex_text.h"
#include "rom/patch_read.h"
#include "rom/store_table.h"

namespace tivok {
namespace {

// Whether the byte at `offset` may differ: a store slot's or the global
// checksum's.
bool Editable(FileOffset offset) {
  return InGlobalChecksum(offset) ||
         StoreTable::SlotAt(offset).store != nullptr;
}

// Why `target` differs from `source` elsewhere than in the slots and the
// checksum, or nothing: the first such offset and how many bytes in all,
// counting those that a change of length adds or takes away.
std::string ChangedElsewhere(std::span<const std::uint8_t> source,
                             std::span<const std::uint8_t> target) {
  const std::size_t common = std::min(source.size(), target.size());
  const std::size_t longest = std::max(source.size(), target.size());
  std::int64_t count = 0;
  std::int64_t first = -1;
  for (std::size_t i = 0; i < longest; ++i) {
    const auto offset = static_cast<std::int64_t>(i);
    if (i < common && (source[i] == target[i] || Editable(offset))) continue;
    if (first < 0) first = offset;
    ++count;
  }
  if (count == 0) return {};
  std::string text = "it changes " + Counted(count, "byte") +
                     " outside the store slots, the first at " +
                     OffsetText(first);
  if (source.size() != target.size()) {
    text += ", and the image's length, from " + std::to_string(source.size()) +
            " to " + std::to_string(target.size()) + " bytes";
  }
  return text + "; Tivok edits only the stores, and applies none of it";
}

}  // namespace

PatchSlots SlotsOfPatch(std::span<const std::uint8_t> patch,
                        std::span<const std::uint8_t> source,
                        const std::string& source_path) {
  PatchSlots read;
  std::vector<std::uint8_t> target;
  try {
    target = ApplyPatch(patch, source, Quoted(source_path));
  } catch (const PatchError& error) {
    read.error = error.what();
    return read;
  }
  read.error = ChangedElsewhere(source, target);
  if (!read.ok()) return read;
  for (const Store& store : StoreTable::All()) {
    for (int k = 1; k <= store.slot_count; ++k) {
      const auto offset = static_cast<std::size_t>(store.SlotOffset(k));
      if (offset >= source.size() || source[offset] == target[offset]) {
        continue;
      }
      read.slots.push_back({&store, k, source[offset], target[offset]});
    }
  }
  return read;
}

PatchSlots ReadPatchSlots(std::span<const std::uint8_t> patch,
                          const std::string& source_path) {
  std::string why;
  const std::optional<CleanImage> source = ReadGameImage(source_path, why);
  if (!source) return {{}, why};
  return SlotsOfPatch(patch, source->bytes, source_path);
}

std::vector<SlotWish> WishesOf(const std::vector<SlotDifference>& slots) {
  std::vector<SlotWish> wishes;
  for (const SlotDifference& slot : slots) {
    wishes.push_back({slot.store, slot.slot, slot.after, slot.before, 0});
  }
  return wishes;
}

std::string PatchSourceNote(PatchFormat format, const std::string& source_path,
                            bool against_clean) {
  return std::string(format == PatchFormat::kIps ? "It is an IPS patch"
                                                 : "It is a BPS patch") +
         ", read against " + QuotedName(source_path) +
         (against_clean ? ", the clean image compared with." : " itself.");
}

}  // namespace tivok
