#ifndef TIVOK_LAYOUT_PATCH_LAYOUT_H_
#define TIVOK_LAYOUT_PATCH_LAYOUT_H_

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "compare/store_differences.h"
#include "compare/store_patch.h"
#include "layout/layout.h"

namespace tivok {

// An IPS or BPS patch read as a layout: the slots it changes in its
// source, or why it is refused. Tivok takes in only what it can show, so a
// patch may change store slots and the global checksum, nothing else.

// The slots that a patch changes, or why none are taken: the patch cannot
// be read, is not meant for the source, or changes something other than
// store slots and the global checksum (`error`, a message without its full
// stop).
struct PatchSlots {
  // Slot by slot in the stores' window order, each with the source's code
  // as `before` and the patched image's as `after`: the slots that `diff`
  // lists for the source and the patched image.
  std::vector<SlotDifference> slots;
  std::string error;

  bool ok() const { return error.empty(); }
};

// Applies `patch` in memory to `source`, the bytes of the image at
// `source_path`, and compares the result with it. The global checksum's
// bytes are left out: a write sets the checksum itself, when asked.
PatchSlots SlotsOfPatch(std::span<const std::uint8_t> patch,
                        std::span<const std::uint8_t> source,
                        const std::string& source_path);

// The same for the source image at `source_path`, read whole on one open
// file (ReadCleanImage); it must be an image of the game.
PatchSlots ReadPatchSlots(std::span<const std::uint8_t> patch,
                          const std::string& source_path);

// The rows of `slots` as a layout's wishes: each slot gets the patched
// image's code, and expects the source's as its `was`.
std::vector<SlotWish> WishesOf(const std::vector<SlotDifference>& slots);

// What the preview adds of a patch of `format`: "It is an IPS patch, read
// against "clean.gbc", the clean image compared with." or, read against
// the open image, "… read against "mine.gbc" itself."
std::string PatchSourceNote(PatchFormat format, const std::string& source_path,
                            bool against_clean);

}  // namespace tivok

#endif  // TIVOK_LAYOUT_PATCH_LAYOUT_H_
