#ifndef TIVOK_EDITOR_STORE_EDITOR_H_
#define TIVOK_EDITOR_STORE_EDITOR_H_

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "editor/editor_state.h"
#include "rom/store_table.h"

namespace tivok {

// A save that cannot go ahead; the message says why, for the user.
class SaveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The procedures behind the window's events. It owns the editor state,
// changes the window only through `view`, and touches the image only
// through RomFile, one call at a time.
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
  void OnSave();
  // The slot list's current entry moved (keyboard focus, not a choice):
  // names its item in the status line and changes no state.
  void OnCurrentSlotChanged();

  // What Open does once the dialog has closed: loads the file that the
  // dialog names, if any, and selects the first store. Also for a file that
  // reaches the window another way, once it is the dialog's file name.
  void OpenChosenFile();
  // Loads and checks the file named by the open dialog and fills the window.
  void LoadRom();
  // Reads `store`'s block from the image and lists its slots.
  void ListStoreSlots(const Store& store);
  // Writes NewItem at SlotAddress, then lists the store named by `save_key`.
  // Throws SaveError (or RomFileError) on any failure; changes no state.
  void SaveSlot(std::string_view save_key);
  // Adds the 44 item names, in code order, to the new-item selector.
  void FillItemList();

  const EditorState& state() const { return state_; }

 private:
  std::vector<std::uint8_t>& KeptBlock(const Store& store);
  // Sets the status line to the current slot entry's item, what Save would
  // write now, and any note on the listing. Does nothing while no store is
  // listed, which keeps the text that says why.
  void ShowChoiceStatus();
  // " " and the listing note, when the listed codes are not from the file.
  std::string ListingNoteSuffix() const;

  EditorView& view_;
  EditorState state_;
  // Each store's bytes from its last successful reading, all zero at first.
  std::array<std::vector<std::uint8_t>, StoreTable::kStoreCount> blocks_;
  // The store whose slots the slot list shows, or nullptr when it is empty.
  const Store* listed_ = nullptr;
  // Why the listed store could not be read from the file; empty when it was.
  std::string listing_problem_;
};

}  // namespace tivok

#endif  // TIVOK_EDITOR_STORE_EDITOR_H_
