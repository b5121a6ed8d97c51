#include "editor/store_editor.h"

#include <utility>

#include "editor/status_text.h"
#include "editor/step_text.h"
#include "editor/write_status.h"
#include "rom/describe.h"
#include "rom/item_table.h"
#include "rom/rom_file.h"

namespace tivok {

StoreEditor::StoreEditor(EditorView& view) : view_(view), listing_(view) {}

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
  listing_.Reset();
  read_only_note_.clear();
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
    saves_.Clear();
  }

  state_.RomTitle.clear();
  std::optional<ImageStores> read;
  std::optional<RomFileError> unreadable;
  try {
    read = ReadImageStores(path);
    state_.RomTitle = read->title;
  } catch (const RomFileError& error) {
    // An unreadable file keeps the empty title and is refused below.
    unreadable = error;
  }

  if (!RomFile::IsAcceptedTitle(state_.RomTitle)) {
    ShowPlan();
    view_.SetStatus(
        NotOpenedStatus(unreadable ? WithFileName(unreadable->what(), path)
                                   : WrongTitleReason(path, state_.RomTitle)));
    view_.SetCaption("Tivok");
    view_.ShowMessage(unreadable ? CannotOpenText(path, *unreadable)
                                 : "Not Dragon Warrior Monsters",
                      "Invalid ROM");
    view_.SetSaveEnabled(false);
    view_.WatchImage({});
    checksums_.Forget();
    comparer_.End();
    return;
  }
  for (const Store& store : StoreTable::All()) {
    view_.AddStore(store.selector_label);
  }
  view_.SetCaption("Tivok - " + Escaped(view_.DialogFileTitle()));
  view_.SetItemText(ItemTable::NameOf(state_.NewItem));
  const std::string forgotten = comparer_.Resume();
  // The store is listed from the reading that checked the title.
  const Store& first = *StoreTable::BySelectorPosition(0);
  listing_.Start(std::move(*read), first, path);
  listing_.ShowChosen(state_.SlotAddress);
  state_.MakeCurrent(first.flag);
  view_.SetSaveEnabled(true);
  FillItemList();
  // Says before any choice that saving will fail; Save still tries.
  read_only_note_ = WritabilityNote(path);
  view_.WatchImage(path);
  checksums_.Read(path);
  // The comparison leads, so that its counts show in the status line.
  const std::string checksum = checksums_.Note();
  ShowChoiceStatus(comparer_.Note() + forgotten,
                   checksum.empty() ? "" : " " + checksum);
}

std::string StoreEditor::ListStoreSlots(const Store& store) {
  if (state_.RomPath.empty()) {
    view_.ClearSlots();
    return {};
  }
  const std::string news =
      listing_.List(store, state_.RomPath, /*watching=*/false);
  listing_.ShowChosen(state_.SlotAddress);
  return news;
}

void StoreEditor::FillItemList() {
  for (std::string_view name : ItemTable::Names()) view_.AddItem(name);
}

void StoreEditor::OnStoreChosen() {
  const Store* store = StoreTable::BySelectorPosition(view_.SelectedStore());
  if (store == nullptr) return;
  const std::string news = ListStoreSlots(*store);
  state_.MakeCurrent(store->flag);
  ShowChoiceStatus(news);
}

void StoreEditor::OnSlotChosen() {
  const int q = view_.SelectedSlot();
  const Store* store = state_.CurrentStore();
  if (store == nullptr || q < 0 || q >= store->slot_count) return;
  // Only a listed slot can be chosen: one the file holds.
  if (store == listing_.store() &&
      q >= static_cast<int>(listing_.codes().size())) {
    return;
  }
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
  if (listing_.store() == nullptr) return;
  const std::string typed = view_.ItemText();
  // Leaving the field as it was chooses nothing new.
  if (typed == ItemTable::NameOf(state_.NewItem)) return;
  const std::string_view text = Trimmed(typed);
  // A whole name, or the start of just one, chooses that item.
  const int code = ItemTable::CodeNamed(text) >= 0
                       ? ItemTable::CodeNamed(text)
                       : ItemTable::CodeBeginning(text);
  if (code >= 0) {
    state_.NewItem = static_cast<std::int16_t>(code);
    view_.SetItemText(ItemTable::NameOf(code));
    ShowChoiceStatus();
    return;
  }
  view_.SetItemText(ItemTable::NameOf(state_.NewItem));
  ShowChoiceStatus(NoSuchItemStatus(text, state_.NewItem));
}

void StoreEditor::OnCurrentSlotChanged() { ShowChoiceStatus(); }

void StoreEditor::ShowChoiceStatus(const std::string& lead,
                                   const std::string& tail) {
  if (listing_.store() == nullptr) return;
  ShowPlan();
  if (!listing_.problem().empty()) {
    view_.SetStatus(listing_.problem());
    return;
  }
  const int q = view_.CurrentSlot();
  const std::string entry =
      listing_.EntryText(q >= 0 ? q : view_.SelectedSlot());
  view_.SetStatus((lead.empty() ? "" : lead + " ") +
                  (entry.empty() ? "" : entry + " ") +
                  PlanStatus(state_, listing_.store()) + Notes() + tail);
}

std::string StoreEditor::Notes() const {
  std::string notes;
  for (const std::string* note :
       {&listing_.unlisted_note(), &read_only_note_}) {
    if (!note->empty()) notes += " " + *note;
  }
  return notes;
}

void StoreEditor::ShowPlan() {
  // Undo and Redo act only on an image that is open and usable.
  const Store* listed = listing_.store();
  const bool usable = listed != nullptr && listing_.problem().empty();
  const SavedStep* undo = usable ? saves_.NextUndo() : nullptr;
  const SavedStep* redo = usable ? saves_.NextRedo() : nullptr;
  view_.SetUndoText(undo != nullptr ? UndoActionText(*undo) : "");
  view_.SetRedoText(redo != nullptr ? RedoActionText(*redo) : "");
  if (listed != nullptr) view_.SetSaveDescription(PlanStatus(state_, listed));
  view_.SetFixChecksumEnabled(usable && checksums_.stale());
  view_.SetApplyLayoutEnabled(usable);
}

void StoreEditor::OnImageChanged() { ListAgain(false, false); }

void StoreEditor::OnReload() { ListAgain(true, true); }

void StoreEditor::OnCleanImageChanged() { ListAgain(false, true); }

void StoreEditor::ListAgain(bool by_hand, bool clean_changed) {
  if (listing_.store() == nullptr) return;
  // The clean image first, so that the list is marked against it as it is.
  const std::string clean_news = clean_changed ? comparer_.ReadAgain() : "";
  const std::string news = Joined(ReadAgain(), clean_news);
  const std::string& problem = listing_.problem();
  const std::string compared = comparer_.Note();
  const std::string counts = compared.empty() ? "" : " " + compared;
  if (!problem.empty()) {
    // A watcher may report one change many times: say each thing once.
    ShowPlan();
    if (!news.empty() || by_hand) view_.SetStatus(Joined(problem, clean_news));
  } else if (!news.empty()) {
    ShowChoiceStatus(news + counts);
  } else if (by_hand) {
    ShowChoiceStatus(ReloadedStatus(state_.RomPath) + counts);
  } else {
    ShowPlan();
  }
}

std::string StoreEditor::ReadAgain() {
  const std::string& path = state_.RomPath;
  const std::string news =
      listing_.List(*listing_.store(), path, /*watching=*/true);
  listing_.ShowChosen(state_.SlotAddress);
  read_only_note_ = listing_.problem().empty() ? WritabilityNote(path) : "";
  checksums_.Read(path);
  return news;
}

}  // namespace tivok
