#ifndef TIVOK_EDITOR_STORE_EDITOR_H_
#define TIVOK_EDITOR_STORE_EDITOR_H_

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "editor/editor_state.h"
#include "editor/save_history.h"
#include "editor/status_text.h"
#include "rom/store_table.h"

namespace tivok {

// A save that cannot go ahead; the message says why, for the user.
class SaveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What a save wrote. `unconfirmed` is empty when the disk confirmed the
// byte, and otherwise says why it did not: the byte is in the file, but the
// flush after the write failed.
struct SaveOutcome {
  SavedByte saved;
  std::string unconfirmed;
};

// The procedures behind the window's events. It owns the editor state,
// changes the window only through `view`, and touches the image only
// through RomFile and RomEdit, one call at a time.
class StoreEditor {
 public:
  explicit StoreEditor(EditorView& view);
  StoreEditor(const StoreEditor&) = delete;
  StoreEditor& operator=(const StoreEditor&) = delete;

  // Events delivered by the window.
  void OnLoad();
  void OnOpen();
  void OnStoreChosen();
  void OnSlotChosen();
  void OnNewItemChosen();
  // Editing of New Item's text ended (Enter, or focus leaving the field):
  // text that names an item chooses it; other text gives way to the item
  // chosen before.
  void OnItemTextEntered();
  void OnSave();
  // Edit, Undo and Edit, Redo: write back the byte that the last save
  // replaced, or write it again, but only while the file still holds the
  // byte that Tivok left there.
  void OnUndo();
  void OnRedo();
  // Another program changed the image (OnImageChanged), or the user asks
  // to read it again (File, Reload): lists the store shown from the file
  // and says what changed.
  void OnImageChanged();
  void OnReload();
  // The slot list's current entry moved (keyboard focus, not a choice):
  // names its item in the status line and changes no state.
  void OnCurrentSlotChanged();

  // What Open does once the dialog has closed: loads the file that the
  // dialog names, if any, and selects the first store. Also for a file that
  // reaches the window another way, once it is the dialog's file name.
  void OpenChosenFile();
  // Loads and checks the file named by the open dialog and fills the window.
  void LoadRom();
  // Reads `store`'s slots from the image and lists those that were read.
  void ListStoreSlots(const Store& store);
  // Writes NewItem at SlotAddress, then lists the store named by `save_key`.
  // Throws SaveError (or RomFileError) when nothing was written; changes no
  // state.
  SaveOutcome SaveSlot(std::string_view save_key);
  // Adds the 44 item names, in code order, to the new-item selector.
  void FillItemList();

  const EditorState& state() const { return state_; }

 private:
  // Selects the chosen slot's entry when the list shows it.
  void ShowChosenSlot();
  // Sets the status line to `lead` (if any), then the current slot entry's
  // item, what Save would write now, and the notes on the image. Does
  // nothing while no store is listed, which keeps the text that says why.
  void ShowChoiceStatus(const std::string& lead = {});
  // " " and the notes on the listing and the image, or nothing.
  std::string Notes() const;
  // Undo (kUndo) or redo (kRedo) the next save of the history.
  void Rewrite(WriteKind kind);
  // Lists the store shown again from the file; `by_hand` for File, Reload.
  void ListAgain(bool by_hand);
  // Offers Undo and Redo as the history allows.
  void ShowEditActions();

  EditorView& view_;
  EditorState state_;
  // The store whose slots the slot list shows, or nullptr when it is empty.
  const Store* listed_ = nullptr;
  // The codes of the slots listed, slot 1 first; a store cut short by the
  // end of the file lists fewer than its slots.
  std::vector<std::uint8_t> listed_codes_;
  // Why some of the listed store's slots are not listed; empty when all are.
  std::string unlisted_note_;
  // Why the open image cannot be saved; empty when it can.
  std::string read_only_note_;
  // What made the open image unusable when it was last read again: gone,
  // unreadable, or no longer an image of the game; empty when it is fine.
  std::string outside_problem_;
  // The saves in the open image.
  SaveHistory history_;
};

}  // namespace tivok

#endif  // TIVOK_EDITOR_STORE_EDITOR_H_
