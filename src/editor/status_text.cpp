#include "editor/status_text.h"

#include <algorithm>
#include <optional>

#include "rom/checksum_text.h"
#include "rom/hex_text.h"
#include "rom/item_table.h"
#include "rom/rom_file.h"

namespace tivok {
namespace {

// The store and slot that a slot address text such as "&H2476C" names; no
// store for a text that names no slot.
SlotPlace PlaceOf(std::string_view slot_address) {
  const std::optional<FileOffset> offset = ParseSlotAddress(slot_address);
  return offset ? StoreTable::SlotAt(*offset) : SlotPlace{};
}

// " to slot 3 of Portal Shop, offset 0x2478E." and, when that store is not
// the one listed, a plain note.
std::string ShownNote(const SlotPlace& place, const Store* shown) {
  return place.store == shown ? "" : " That slot is not in the store shown.";
}

std::string Target(const SlotPlace& place, const Store* shown) {
  return " to " + SlotText(place) + "." + ShownNote(place, shown);
}

}  // namespace

std::string Joined(const std::string& first, const std::string& second) {
  if (first.empty() || second.empty()) return first + second;
  return first + " " + second;
}

std::string NoImageStatus() {
  return "No image is open. Open one with File, Open... (Ctrl+O).";
}

std::string NotOpenedStatus(std::string_view reason) {
  return "Not opened: " + std::string(reason) + ". " + NoImageStatus();
}

std::string WrongTitleReason(const std::string& path, std::string_view title) {
  return NotAnImageText(QuotedName(path), title);
}

SlotRow SlotRowOf(int k, int code, int clean) {
  const auto name_of = [](int item) {
    const std::string_view name = ItemTable::NameOf(item);
    return name.empty() ? std::string("unknown") : std::string(name);
  };
  SlotRow row;
  row.entry =
      std::to_string(k) + " (" + CodeText(code, CodeStyle::kWindow) + ")";
  row.item = name_of(code);
  row.tooltip = ItemTable::Describe(code);
  if (clean >= 0 && clean != code) {
    row.clean = name_of(clean);
    row.tooltip += "; the clean image holds " + ItemText(clean);
  }
  row.accessible_text = row.entry + ": " + row.tooltip;
  return row;
}

std::string EntryStatus(int k, int code) {
  return "Slot " + std::to_string(k) + " holds " + ItemText(code) + ".";
}

std::string PlanStatus(const EditorState& state, const Store* shown) {
  const SlotPlace place = PlaceOf(state.SlotAddress);
  if (place.store == nullptr) {
    return "Choose a slot first; then Save writes " + ItemText(state.NewItem) +
           " to it.";
  }
  return "Save writes " + ItemText(state.NewItem) + Target(place, shown);
}

std::string SavedStatus(const SavedStep& save, const Store* shown) {
  const SlotPlace place = StoreTable::SlotAt(save.offset);
  if (place.store == nullptr) return "Saved.";
  return "Saved " + ItemText(save.after) + " to " + SlotText(place) +
         " (it held " + ItemText(save.before) + ")." + ShownNote(place, shown);
}

std::string SavedSameStatus(const SavedStep& save, const Store* shown) {
  const SlotPlace place = StoreTable::SlotAt(save.offset);
  if (place.store == nullptr) return "Saved.";
  return "Saved " + ItemText(save.after) + " to " + SlotText(place) +
         ", which held it already; Undo has nothing new to take back." +
         ShownNote(place, shown);
}

std::string SlotsChangedStatus(const std::vector<SlotChange>& changes) {
  constexpr std::size_t kNamed = 3;
  std::string text = "Another program changed ";
  if (changes.size() > kNamed) {
    text += std::to_string(changes.size()) + " slots; the first three: ";
  }
  for (std::size_t i = 0; i < changes.size() && i < kNamed; ++i) {
    const SlotChange& change = changes[i];
    if (i > 0) text += "; ";
    text += SlotName(*change.store, change.slot) + ": " +
            ItemText(change.before) + " is now " + ItemText(change.after);
  }
  return text + ".";
}

std::string ChangedOutsideStatus(const std::string& path) {
  return "Another program changed " + QuotedName(path) +
         "; the list shows it as it is now.";
}

std::string NoLongerReadableStatus(const std::string& path,
                                   const RomFileError& error) {
  return QuotedName(path) +
         " can no longer be read: " + PlainReason(path, error) +
         ". Save, Undo and Redo refuse until it can be read again.";
}

std::string NoLongerAnImageStatus(const std::string& path,
                                  std::string_view title) {
  return "Another program changed " + QuotedName(path) + ": " +
         NotAnImageText("it", title, /*no_longer=*/true) +
         ". Save, Undo and Redo refuse while it is not.";
}

std::string ReloadedStatus(const std::string& path) {
  return "Reloaded " + QuotedName(path) + "; nothing had changed.";
}

std::string NotSavedStatus(std::string_view reason) {
  return "Not saved: " + std::string(reason) + ".";
}

std::string UnlistedNote(const Store& store, int first,
                         std::string_view reason) {
  std::string slots = SlotsFromText(store, first);
  slots[0] = 'S';
  return slots + " could not be read and " +
         (first == store.slot_count ? "is" : "are") +
         " not listed: " + std::string(reason) + ".";
}

std::string ReadOnlyNote(const std::string& path, std::string_view reason) {
  return QuotedName(path) +
         " can be viewed but not saved: " + std::string(reason) + ".";
}

std::string NoSuchItemStatus(std::string_view typed, int code) {
  if (typed.empty()) {
    return "New Item was left empty; " + ItemText(code) + " stays chosen.";
  }
  const std::vector<int> matches = ItemTable::Matching(typed);
  if (matches.empty()) {
    return "\"" + Escaped(typed) + "\" names no item; " + ItemText(code) +
           " stays chosen.";
  }
  constexpr std::size_t kNamed = 5;
  const std::size_t named = std::min(matches.size(), kNamed);
  std::string names;
  for (std::size_t i = 0; i < named; ++i) {
    if (i > 0) {
      names += i + 1 == named && named == matches.size() ? " or " : ", ";
    }
    names += ItemTable::NameOf(matches[i]);
  }
  if (matches.size() > named) {
    names += " or " + std::to_string(matches.size() - named) + " more";
  }
  return "\"" + Escaped(typed) + "\" could be " + names + "; " +
         ItemText(code) + " stays chosen.";
}

std::string CannotOpenText(const std::string& path, const RomFileError& error) {
  return "Cannot open " + QuotedName(path) + ": " + PlainReason(path, error) +
         ".";
}

std::string ChecksumNote(const Checksums& checksums) {
  std::string note;
  if (!checksums.header_right()) note = WrongHeaderChecksumText();
  if (!checksums.global_right()) {
    if (!note.empty()) note += " ";
    note +=
        StaleChecksumText() + " Edit, Fix Cartridge Checksum sets it right.";
  }
  return note;
}

std::string StaleAfterSaveNote() {
  return "The global checksum is stale now: hardware ignores it, some "
         "emulators warn. Edit, Fix Cartridge Checksum sets it right.";
}

}  // namespace tivok
