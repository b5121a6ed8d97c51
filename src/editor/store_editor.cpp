#include "editor/store_editor.h"

#include <exception>
#include <optional>
#include <string>
#include <utility>

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

// Why the image at `path` cannot be saved, or nothing when it can be
// opened for writing.
std::string WritabilityNote(const std::string& path) {
  try {
    RomFile::CheckWritable(path);
  } catch (const RomFileError& error) {
    return ReadOnlyNote(path, ReasonOf(error, path));
  }
  return {};
}

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

StoreEditor::StoreEditor(EditorView& view) : view_(view) {}

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
  listed_codes_.clear();
  unlisted_note_.clear();
  read_only_note_.clear();
  outside_problem_.clear();
  view_.ClearItems();
  const std::string previous =
      std::exchange(state_.RomPath, view_.DialogFileName());
  const std::string& path = state_.RomPath;
  if (path.empty()) {
    view_.SetStatus(NoImageStatus());
    return;
  }
  // A slot chosen in one image is never written into another, and its
  // saves are not undone there.
  if (path != previous) {
    state_.SlotAddress.clear();
    history_.Clear();
  }
  ShowEditActions();

  state_.RomTitle.clear();
  std::optional<RomFileError> unreadable;
  try {
    state_.RomTitle = RomFile::ReadRomTitle(path);
  } catch (const RomFileError& error) {
    // An unreadable file keeps the empty title and is refused below.
    unreadable = error;
  }

  if (!RomFile::IsAcceptedTitle(state_.RomTitle)) {
    view_.SetStatus(
        NotOpenedStatus(unreadable ? WithFileName(unreadable->what(), path)
                                   : WrongTitleReason(path, state_.RomTitle)));
    view_.SetCaption("Tivok");
    view_.ShowMessage(unreadable ? CannotOpenText(path, *unreadable)
                                 : "Not Dragon Warrior Monsters",
                      "Invalid ROM");
    view_.SetSaveEnabled(false);
    view_.WatchImage({});
    return;
  }
  for (const Store& store : StoreTable::All()) {
    view_.AddStore(store.selector_label);
  }
  view_.SetCaption("Tivok - " + Escaped(view_.DialogFileTitle()));
  view_.SetItemText(ItemTable::NameOf(state_.NewItem));
  const Store& first = *StoreTable::BySelectorPosition(0);
  ListStoreSlots(first);
  state_.MakeCurrent(first.flag);
  view_.SetSaveEnabled(true);
  FillItemList();
  // Says before any choice that saving will fail; Save still tries.
  read_only_note_ = WritabilityNote(path);
  view_.WatchImage(path);
  ShowChoiceStatus();
}

void StoreEditor::ListStoreSlots(const Store& store) {
  view_.ClearSlots();
  listed_ = nullptr;
  listed_codes_.clear();
  unlisted_note_.clear();
  const std::string& path = state_.RomPath;
  if (path.empty()) return;
  listed_ = &store;
  // Lists what the file holds: the slots before its end, or nothing.
  std::string unlisted;
  try {
    const RomFile::Available block =
        RomFile::ReadAvailable(path, store.read_position, store.slot_count + 1);
    if (!block.bytes.empty()) {
      listed_codes_.assign(block.bytes.begin() + 1, block.bytes.end());
    }
    unlisted = block.shortfall;
  } catch (const RomFileError& error) {
    unlisted = WithFileName(error.what(), path);
  }
  if (!unlisted.empty()) {
    unlisted_note_ = UnlistedNote(
        store, static_cast<int>(listed_codes_.size()) + 1, unlisted);
  }
  for (std::size_t i = 0; i < listed_codes_.size(); ++i) {
    const std::string entry =
        SlotEntry(static_cast<int>(i) + 1, listed_codes_[i]);
    const std::string item_name = ItemTable::Describe(listed_codes_[i]);
    view_.AddSlot(entry, item_name, entry + ": " + item_name);
  }
  ShowChosenSlot();
}

void StoreEditor::FillItemList() {
  for (std::string_view name : ItemTable::Names()) view_.AddItem(name);
}

void StoreEditor::ShowChosenSlot() {
  const std::optional<FilePosition> position =
      ParseSlotAddress(state_.SlotAddress);
  if (!position || listed_ == nullptr) return;
  const int k = *position - listed_->read_position;
  if (k >= 1 && k <= static_cast<int>(listed_codes_.size())) {
    view_.SelectSlot(k - 1);
  }
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
  // Only a listed slot can be chosen: one the file holds.
  if (store == listed_ && q >= static_cast<int>(listed_codes_.size())) return;
  state_.SlotAddress = store->SlotAddressText(q + 1);
  ShowChoiceStatus();
}

void StoreEditor::OnNewItemChosen() {
  const int r = view_.SelectedItem();
  if (r < 0 || r >= ItemTable::kItemCount) return;
  state_.NewItem = static_cast<std::int16_t>(r);
  ShowChoiceStatus();
}

void StoreEditor::OnItemTextEntered() {
  // Nothing can be chosen while no image is shown.
  if (listed_ == nullptr) return;
  const std::string typed = view_.ItemText();
  // Leaving the field as it was chooses nothing new.
  if (typed == ItemTable::NameOf(state_.NewItem)) return;
  const int code = ItemTable::CodeNamed(Trimmed(typed));
  if (code >= 0) {
    state_.NewItem = static_cast<std::int16_t>(code);
    view_.SetItemText(ItemTable::NameOf(code));
    ShowChoiceStatus();
    return;
  }
  view_.SetItemText(ItemTable::NameOf(state_.NewItem));
  ShowChoiceStatus(NoSuchItemStatus(Trimmed(typed), state_.NewItem));
}

void StoreEditor::OnCurrentSlotChanged() { ShowChoiceStatus(); }

void StoreEditor::ShowChoiceStatus(const std::string& lead) {
  if (listed_ == nullptr) return;
  std::string text = lead.empty() ? "" : lead + " ";
  int q = view_.CurrentSlot();
  if (q < 0) q = view_.SelectedSlot();
  if (q >= 0 && q < static_cast<int>(listed_codes_.size())) {
    text +=
        EntryStatus(q + 1, listed_codes_[static_cast<std::size_t>(q)]) + " ";
  }
  view_.SetStatus(text + PlanStatus(state_, listed_) + Notes());
}

std::string StoreEditor::Notes() const {
  std::string notes;
  for (const std::string* note : {&unlisted_note_, &read_only_note_}) {
    if (!note->empty()) notes += " " + *note;
  }
  return notes;
}

void StoreEditor::OnSave() {
  const Store* store = StoreTable::BySelectorPosition(view_.SelectedStore());
  if (store == nullptr) return;
  SaveOutcome outcome;
  try {
    outcome = SaveSlot(store->save_key);
  } catch (const std::exception& error) {
    view_.SetStatus(NotSavedStatus(WithFileName(error.what(), state_.RomPath)));
    view_.ShowMessage(std::string("Error saving: ") + error.what(),
                      "Error Saving");
    return;
  }
  // The byte changed even when the disk did not confirm it.
  history_.Record(outcome.saved);
  ShowEditActions();
  if (!outcome.unconfirmed.empty()) {
    const std::string text =
        UnconfirmedStatus(WriteKind::kSave, outcome.saved, outcome.unconfirmed);
    view_.SetStatus(text + Notes());
    view_.ShowMessage(text, "Error Saving");
    return;
  }
  view_.SetStatus(SavedStatus(outcome.saved, listed_) + Notes());
}

SaveOutcome StoreEditor::SaveSlot(std::string_view save_key) {
  if (state_.NewItem < 0 || state_.NewItem > 255) {
    throw SaveError("the chosen item code " + std::to_string(state_.NewItem) +
                    " does not fit in a byte");
  }
  const auto value = static_cast<std::uint8_t>(state_.NewItem);
  const FilePosition position = PositionOf(state_.SlotAddress);

  // Another program may have replaced the file since it was loaded: write
  // only into a file that is still an image of the game. The title is
  // checked, and the byte before read, on the same open file that is
  // written.
  const std::string& path = state_.RomPath;
  RomEdit edit(path);
  if (!edit.TitleAccepted()) throw SaveError(TitleChangedReason(path));
  SaveOutcome outcome;
  outcome.saved = {path, position, edit.Replace(position, value), value};
  try {
    edit.Commit();
  } catch (const UnconfirmedWriteError& error) {
    outcome.unconfirmed = ReasonOf(error, path);
  }
  read_only_note_.clear();

  if (const Store* store = StoreTable::BySaveKey(save_key)) {
    ListStoreSlots(*store);
  }
  return outcome;
}

void StoreEditor::OnUndo() { Rewrite(WriteKind::kUndo); }

void StoreEditor::OnRedo() { Rewrite(WriteKind::kRedo); }

void StoreEditor::Rewrite(WriteKind kind) {
  const bool undo = kind == WriteKind::kUndo;
  const SavedByte* next = undo ? history_.NextUndo() : history_.NextRedo();
  if (next == nullptr) return;
  const SavedByte save = *next;
  const std::uint8_t expected = undo ? save.after : save.before;
  std::string unconfirmed;
  try {
    // The same checks as a save's, and one more: the byte must still be
    // the one that Tivok left there.
    RomEdit edit(save.path);
    if (!edit.TitleAccepted()) throw SaveError(TitleChangedReason(save.path));
    const std::uint8_t now = edit.ReadByte(save.position);
    if (now != expected) {
      throw SaveError(ChangedByOtherReason(kind, save.position, now, expected));
    }
    edit.WriteByte(save.position, undo ? save.before : save.after);
    try {
      edit.Commit();
    } catch (const UnconfirmedWriteError& error) {
      unconfirmed = ReasonOf(error, save.path);
    }
  } catch (const std::exception& error) {
    const std::string reason = WithFileName(error.what(), save.path);
    view_.SetStatus(undo ? NotUndoneStatus(reason) : NotRedoneStatus(reason));
    view_.ShowMessage((undo ? "Error undoing: " : "Error redoing: ") +
                          std::string(error.what()),
                      undo ? "Error Undoing" : "Error Redoing");
    return;
  }
  if (undo) {
    history_.MarkUndone();
  } else {
    history_.MarkRedone();
  }
  ShowEditActions();
  read_only_note_.clear();
  if (listed_ != nullptr) ListStoreSlots(*listed_);
  if (!unconfirmed.empty()) {
    const std::string text = UnconfirmedStatus(kind, save, unconfirmed);
    view_.SetStatus(text + Notes());
    view_.ShowMessage(text, undo ? "Error Undoing" : "Error Redoing");
    return;
  }
  view_.SetStatus((undo ? UndoneStatus(save) : RedoneStatus(save)) + Notes());
}

void StoreEditor::ShowEditActions() {
  const SavedByte* undo = history_.NextUndo();
  const SavedByte* redo = history_.NextRedo();
  view_.SetUndoText(undo != nullptr ? UndoActionText(*undo) : "");
  view_.SetRedoText(redo != nullptr ? RedoActionText(*redo) : "");
}

void StoreEditor::OnImageChanged() { ListAgain(/*by_hand=*/false); }

void StoreEditor::OnReload() { ListAgain(/*by_hand=*/true); }

void StoreEditor::ListAgain(bool by_hand) {
  if (listed_ == nullptr) return;
  const std::string& path = state_.RomPath;
  const std::vector<std::uint8_t> shown = listed_codes_;
  std::string problem;
  try {
    const std::string title = RomFile::ReadRomTitle(path);
    if (!RomFile::IsAcceptedTitle(title)) {
      problem = NoLongerAnImageStatus(path, title);
    }
  } catch (const RomFileError& error) {
    problem = NoLongerReadableStatus(path, error);
  }
  ListStoreSlots(*listed_);
  read_only_note_ = problem.empty() ? WritabilityNote(path) : "";
  // A watcher may report one change many times: say each thing once.
  const bool was_fine = outside_problem_.empty();
  const bool problem_news = problem != outside_problem_;
  outside_problem_ = problem;
  if (!problem.empty()) {
    if (problem_news || by_hand) view_.SetStatus(problem);
    return;
  }
  if (listed_codes_ != shown || !was_fine) {
    ShowChoiceStatus(ChangedOutsideStatus(path));
  } else if (by_hand) {
    ShowChoiceStatus(ReloadedStatus(path));
  }
}

}  // namespace tivok
