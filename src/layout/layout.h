// src/layout: the layout language that the window and tivok-cli share. CSV
// records (csv.h), a word read as a store, a slot or an item, with
// suggestions for a misspelt one (words.h, suggest.h), the layout file
// reader (layout_file.h) and this reader of layouts, a patch read as a
// layout (patch_layout.h), a layout planned
// against an image (layout_plan.h), and the layouts and texts of exports
// (layout_csv.h, export_text.h). It includes from src/rom and, for the
// layout of differing slots, src/compare.

#ifndef TIVOK_LAYOUT_LAYOUT_H_
#define TIVOK_LAYOUT_LAYOUT_H_

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "rom/describe.h"
#include "rom/export_file.h"
#include "rom/store_table.h"

namespace tivok {

// An item code that a slot is to hold, with the layout line that asks for
// it (0 for the command line). A code that is no item may only be kept.
// With `was`, the slot is changed only where it holds that byte (or `code`
// already), so that a layout never overwrites another's change.
struct SlotWish {
  const Store* store = nullptr;
  int slot = 0;
  int code = 0;
  std::optional<int> was;
  int line = 0;
};

// A wrong line of a layout, and why.
struct LayoutError {
  int line = 0;
  std::string reason;
};

// What a layout asks for: a wish per slot, or, when any line is wrong, the
// first 20 wrong lines and the count of all (and then the wishes are not
// to be written).
struct Layout {
  static constexpr std::size_t kMostErrorsKept = 20;

  std::vector<SlotWish> wishes;
  std::vector<LayoutError> errors;
  int error_count = 0;
  // What the wishes come from, as refusals name it: "layout", or "patch"
  // for the slots that a patch changes.
  std::string_view source = "layout";
};

// Counts the wrong `line` in `count`, and keeps it with its reason in `kept`
// while fewer than Layout::kMostErrorsKept are kept: a layout's errors and
// a plan's refusals alike.
void Refuse(std::vector<LayoutError>& kept, int& count, int line,
            std::string reason);

// Reads a layout: CSV whose first line names its columns (store, slot,
// offset, code, item, was, in any order and case; store and slot, and item
// or code, are needed; was is the byte the slot holds before, as a code in
// hex or as the item column writes it, and may be left empty). Checks
// every row without the image: the store, the slot and the items exist,
// the item and the code agree, the offset is the slot's, and no two rows
// give one slot different items or different was. A row may name a
// code that is no item ("unknown item (0xC8)", 0xC8); a writer only lets it
// keep a slot as it is. Rows that repeat a wish are kept once, and lines of
// white space are left out. A layout file is read with ReadLayoutFile
// (layout_file.h), then given here.
Layout ReadLayout(std::string_view text);

// Whether `bytes` are a layout, for an export that is to replace them:
// text whose first line that is not blank names columns as ReadLayout
// takes them. Its rows are not looked at: a layout being edited is still a
// layout, the user's own to replace.
bool IsLayout(std::span<const std::uint8_t> bytes);
inline constexpr ExportKind kLayoutKind = {"a layout", IsLayout};

// Whether `wish` only keeps a code that is no item: it is never written.
bool KeepsOnly(const SlotWish& wish);
// How a refusal ends after "slot 3 of Portal Shop, ..., holds X, not Y"
// where the slot does not hold what `wish` expects there: ", which can be
// kept where a slot holds it, but never written", or ", which the layout
// expects there before writing Sirloin (17)", naming the wish's `source`.
std::string UnexpectedEnding(const SlotWish& wish, CodeStyle style,
                             std::string_view source = "layout");

}  // namespace tivok

#endif  // TIVOK_LAYOUT_LAYOUT_H_
