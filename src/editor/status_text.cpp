#include "editor/status_text.h"

#include <filesystem>
#include <optional>

#include "rom/hex_text.h"
#include "rom/item_table.h"
#include "rom/rom_file.h"

namespace tivok {
namespace {

// The store and slot number that a slot address text such as "&H2476C"
// names; no store for a text that names no slot.
struct SlotPlace {
  const Store* store = nullptr;
  int slot = 0;
};

SlotPlace PlaceOf(std::string_view slot_address) {
  const std::optional<FilePosition> position = ParseSlotAddress(slot_address);
  if (!position) return {};
  for (const Store& store : StoreTable::All()) {
    const int k = *position - store.read_position;
    if (k >= 1 && k <= store.slot_count) return {&store, k};
  }
  return {};
}

// " to slot 3 of Portal Shop, offset 0x2478E." and, when that store is not
// the one listed, a plain note.
std::string Target(const SlotPlace& place, const Store* shown) {
  std::string text = " to " + SlotText(*place.store, place.slot) + ".";
  if (place.store != shown) text += " That slot is not in the store shown.";
  return text;
}

// The title as a hex editor's text column shows it: printable ASCII as it
// is, every other byte as a dot.
std::string Printable(std::string_view title) {
  std::string text(title);
  for (char& c : text) {
    if (c < ' ' || c > '~') c = '.';
  }
  return text;
}

std::string FileName(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

}  // namespace

std::string ItemText(int code) {
  const std::string_view name = ItemTable::NameOf(code);
  const std::string hex = UpperHex(static_cast<std::uint64_t>(code));
  if (name.empty()) return "an unknown item (" + hex + ")";
  return std::string(name) + " (" + hex + ")";
}

std::string SlotText(const Store& store, int k) {
  return "slot " + std::to_string(k) + " of " +
         std::string(store.selector_label) + ", " +
         OffsetText(store.SlotPosition(k));
}

std::string WithFileName(std::string message, const std::string& path) {
  const std::string name = FileName(path);
  if (path.empty() || name == path) return message;
  for (std::size_t at = message.find(path); at != std::string::npos;
       at = message.find(path, at + name.size())) {
    message.replace(at, path.size(), name);
  }
  return message;
}

std::string NoImageStatus() {
  return "No image is open. Open one with File, Open... (Ctrl+O).";
}

std::string NotOpenedStatus(std::string_view reason) {
  return "Not opened: " + std::string(reason) + ". " + NoImageStatus();
}

std::string WrongTitleReason(const std::string& path, std::string_view title) {
  return "\"" + FileName(path) +
         "\" is not a Dragon Warrior Monsters image (its header title is \"" +
         Printable(title) + "\", not \"" +
         std::string(RomFile::kAcceptedTitle) + "\")";
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

std::string SavedStatus(const EditorState& state, const Store* shown) {
  const SlotPlace place = PlaceOf(state.SlotAddress);
  if (place.store == nullptr) return "Saved.";
  return "Saved " + ItemText(state.NewItem) + Target(place, shown);
}

std::string NotSavedStatus(std::string_view reason) {
  return "Not saved: " + std::string(reason) + ".";
}

std::string UnlistedNote(const Store& store, int first,
                         std::string_view reason) {
  const std::string label(store.selector_label);
  const std::string slots =
      first == store.slot_count
          ? "Slot " + std::to_string(first) + " of " + label + " could"
          : "Slots " + std::to_string(first) + " to " +
                std::to_string(store.slot_count) + " of " + label + " could";
  return slots + " not be read and " +
         (first == store.slot_count ? "is" : "are") +
         " not listed: " + std::string(reason) + ".";
}

std::string ReadOnlyNote(const std::string& path, std::string_view reason) {
  return "\"" + FileName(path) +
         "\" can be viewed but not saved: " + std::string(reason) + ".";
}

std::string NoSuchItemStatus(std::string_view typed, int code) {
  if (typed.empty()) {
    return "New Item was left empty; " + ItemText(code) + " stays chosen.";
  }
  return "\"" + std::string(typed) + "\" names no item; " + ItemText(code) +
         " stays chosen.";
}

std::string CannotOpenText(const std::string& path, const RomFileError& error) {
  std::string why;
  switch (error.kind()) {
    case RomFileError::Kind::kMissing:
      why = "there is no such file";
      break;
    case RomFileError::Kind::kFolder:
      why = "it is a folder";
      break;
    case RomFileError::Kind::kNoAccess:
      why = "you have no permission to read it";
      break;
    case RomFileError::Kind::kTooShort:
      why = "it is too short to be a cartridge image (" + error.reason() + ")";
      break;
    case RomFileError::Kind::kNotAFile:
    case RomFileError::Kind::kOther:
      why = error.reason().empty() ? WithFileName(error.what(), path)
                                   : error.reason();
      break;
  }
  return "Cannot open \"" + FileName(path) + "\": " + why + ".";
}

}  // namespace tivok
