#include "editor/store_editor.h"

#include <exception>
#include <string>

#include "editor/status_text.h"
#include "rom/hex_text.h"
#include "rom/item_table.h"
#include "rom/rom_edit.h"
#include "rom/rom_file.h"

namespace tivok {
namespace {

// The slot list entry for slot k holding `code`: "3 (1F)".
std::string SlotEntry(int k, std::uint8_t code) {
  return std::to_string(k) + " (" + UpperHex(code) + ")";
}

// The file position that a slot address text such as "&H2476C" spells.
FilePosition PositionOf(const std::string& slot_address) {
  if (slot_address.empty()) {
    throw SaveError("no slot is chosen: choose a slot in the list first");
  }
  const std::optional<FilePosition> position = ParseSlotAddress(slot_address);
  if (!position) {
    throw SaveError("the chosen slot \"" + slot_address +
                    "\" is not a file position: choose a slot again");
  }
  return *position;
}

}  // namespace

StoreEditor::StoreEditor(EditorView& view) : view_(view) {
  for (const Store& store : StoreTable::All()) {
    KeptBlock(store).assign(static_cast<std::size_t>(store.slot_count) + 1, 0);
  }
}

std::vector<std::uint8_t>& StoreEditor::KeptBlock(const Store& store) {
  return blocks_[static_cast<std::size_t>(store.selector_position)];
}

void StoreEditor::OnLoad() { LoadRom(); }

void StoreEditor::OnOpen() {
  view_.ShowOpenDialog();
  // A cancelled dialog keeps its earlier file name, so after a first open a
  // cancel loads that same file again.
  OpenChosenFile();
}

void StoreEditor::OpenChosenFile() {
  if (view_.DialogFileName().empty()) return;
  LoadRom();
  // Selects the Beginner's store by its label: Save acts only for a selected
  // store.
  view_.SetStoreText(StoreTable::BySelectorPosition(0)->selector_label);
}

void StoreEditor::LoadRom() {
  view_.ClearStores();
  view_.ClearSlots();
  listed_ = nullptr;
  view_.ClearItems();
  state_.RomPath = view_.DialogFileName();
  if (state_.RomPath.empty()) {
    view_.SetStatus(NoImageStatus());
    return;
  }

  state_.RomTitle.clear();
  std::string unreadable;
  try {
    state_.RomTitle = RomFile::ReadRomTitle(state_.RomPath);
  } catch (const RomFileError& error) {
    // An unreadable file keeps the empty title and is rejected below.
    unreadable = WithFileName(error.what(), state_.RomPath);
  }

  if (!RomFile::IsAcceptedTitle(state_.RomTitle)) {
    view_.SetStatus(NotOpenedStatus(
        unreadable.empty() ? WrongTitleReason(state_.RomPath, state_.RomTitle)
                           : unreadable));
    view_.ShowMessage("Not Dragon Warrior Monsters", "Invalid ROM");
    view_.SetSaveEnabled(false);
    return;
  }
  for (const Store& store : StoreTable::All()) {
    view_.AddStore(store.selector_label);
  }
  view_.SetCaption("Tivok - " + view_.DialogFileTitle());
  view_.SetItemText(ItemTable::NameOf(0));
  const Store& first = *StoreTable::BySelectorPosition(0);
  ListStoreSlots(first);
  state_.MakeCurrent(first.flag);
  view_.SetSaveEnabled(true);
  FillItemList();
  ShowChoiceStatus();
}

void StoreEditor::ListStoreSlots(const Store& store) {
  view_.ClearSlots();
  listed_ = nullptr;
  if (state_.RomPath.empty()) return;
  listed_ = &store;
  listing_problem_.clear();
  std::vector<std::uint8_t>& block = KeptBlock(store);
  try {
    block = RomFile::ReadBlock(state_.RomPath, store.read_position,
                               store.slot_count + 1);
  } catch (const RomFileError& error) {
    // Lists the bytes of the last successful reading instead.
    listing_problem_ = WithFileName(error.what(), state_.RomPath);
  }
  for (int k = 1; k <= store.slot_count; ++k) {
    const std::uint8_t code = block[static_cast<std::size_t>(k)];
    const std::string entry = SlotEntry(k, code);
    const std::string item_name = ItemTable::Describe(code);
    view_.AddSlot(entry, item_name, entry + ": " + item_name);
  }
}

void StoreEditor::FillItemList() {
  for (std::string_view name : ItemTable::Names()) view_.AddItem(name);
}

void StoreEditor::OnStoreChosen() {
  const Store* store = StoreTable::BySelectorPosition(view_.SelectedStore());
  if (store == nullptr) return;
  ListStoreSlots(*store);
  state_.MakeCurrent(store->flag);
  ShowChoiceStatus();
}

void StoreEditor::OnSlotChosen() {
  const int q = view_.SelectedSlot();
  const Store* store = state_.CurrentStore();
  if (store == nullptr || q < 0 || q >= store->slot_count) return;
  state_.SlotAddress = store->SlotAddressText(q + 1);
  ShowChoiceStatus();
}

void StoreEditor::OnNewItemChosen() {
  const int r = view_.SelectedItem();
  if (r < 0 || r >= ItemTable::kItemCount) return;
  state_.NewItem = static_cast<std::int16_t>(r);
  ShowChoiceStatus();
}

void StoreEditor::OnCurrentSlotChanged() { ShowChoiceStatus(); }

void StoreEditor::ShowChoiceStatus() {
  if (listed_ == nullptr) return;
  std::string text;
  int q = view_.CurrentSlot();
  if (q < 0) q = view_.SelectedSlot();
  if (q >= 0 && q < listed_->slot_count) {
    text = EntryStatus(q + 1,
                       KeptBlock(*listed_)[static_cast<std::size_t>(q + 1)]) +
           " ";
  }
  view_.SetStatus(text + PlanStatus(state_, listed_) + ListingNoteSuffix());
}

std::string StoreEditor::ListingNoteSuffix() const {
  return listing_problem_.empty() ? "" : " " + ListingNote(listing_problem_);
}

void StoreEditor::OnSave() {
  const Store* store = StoreTable::BySelectorPosition(view_.SelectedStore());
  if (store == nullptr) return;
  try {
    SaveSlot(store->save_key);
  } catch (const std::exception& error) {
    view_.SetStatus(NotSavedStatus(WithFileName(error.what(), state_.RomPath)));
    view_.ShowMessage(std::string("Error saving: ") + error.what(),
                      "Error Saving");
    return;
  }
  view_.SetStatus(SavedStatus(state_, listed_) + ListingNoteSuffix());
}

void StoreEditor::SaveSlot(std::string_view save_key) {
  if (state_.NewItem < 0 || state_.NewItem > 255) {
    throw SaveError("the chosen item code " + std::to_string(state_.NewItem) +
                    " does not fit in a byte");
  }
  const auto value = static_cast<std::uint8_t>(state_.NewItem);
  const FilePosition position = PositionOf(state_.SlotAddress);

  // Another program may have replaced the file since it was loaded: write
  // only into a file that is still an image of the game. The title is
  // checked on the same open file that is written.
  RomEdit edit(state_.RomPath);
  if (!edit.TitleAccepted()) {
    throw SaveError("\"" + state_.RomPath +
                    "\" is no longer a Dragon Warrior Monsters image (its "
                    "header title has changed), so nothing was written; "
                    "open the file again");
  }
  edit.WriteByte(position, value);
  edit.Commit();

  if (const Store* store = StoreTable::BySaveKey(save_key)) {
    ListStoreSlots(*store);
  }
}

}  // namespace tivok
