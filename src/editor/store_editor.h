// src/editor: the store editor that the window drives, in standard C++ with
// no Qt. Its state and the window operations it uses (editor_state.h),
// StoreEditor (this header) and the parts it owns, its writes and their
// history, its readings of the image, and the status line's texts. It
// includes from src/rom, src/compare and src/layout.

#ifndef TIVOK_EDITOR_STORE_EDITOR_H_
#define TIVOK_EDITOR_STORE_EDITOR_H_

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "editor/checksum_watch.h"
#include "editor/comparer.h"
#include "editor/editor_host.h"
#include "editor/editor_state.h"
#include "editor/exporter.h"
#include "editor/image_saves.h"
#include "editor/layout_applier.h"
#include "editor/slot_listing.h"
#include "rom/store_table.h"

namespace tivok {

// A save that cannot go ahead; the message says why, for the user.
class SaveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The store editor: the procedures behind the window's events. It owns the
// editor state, changes the window only through `view`, reads the image
// through ReadImageStores and writes it only through ImageSaves, one call
// at a time. Applying layouts, comparing, exporting and the checksum fix
// are parts of their own, each with its state, that it owns and calls, and
// that reach it through EditorHost.
class StoreEditor : private EditorHost {
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
  // text that names an item, or begins the name of just one, chooses it;
  // other text gives way to the item chosen before.
  void OnItemTextEntered();
  void OnSave();
  // Edit, Undo and Edit, Redo: write back the bytes that the last step
  // replaced, or write them again, but only while the file still holds the
  // bytes that Tivok left there.
  void OnUndo();
  void OnRedo();
  // Another program changed the image (OnImageChanged), or the user asks
  // to read it again (File, Reload): lists the store shown from the file
  // and says what changed in any store.
  void OnImageChanged();
  void OnReload();
  // Another program changed the clean image compared with: reads it again,
  // marks and counts against it as it is now, and says what changed in it.
  void OnCleanImageChanged();
  // The slot list's current entry moved (keyboard focus, not a choice):
  // names its item in the status line and changes no state.
  void OnCurrentSlotChanged();

  // The events that its parts handle: ChecksumWatch, LayoutApplier (also
  // for a layout dropped on the window), Comparer and Exporter say what
  // each does.
  void OnFixChecksum() { checksums_.OnFixChecksum(); }
  void OnApplyLayout() { layouts_.OnApplyLayout(); }
  void ApplyLayoutFile(const std::string& path) { layouts_.ApplyFile(path); }
  void OnCompareWith() { comparer_.OnCompareWith(); }
  void OnStopComparing() { comparer_.OnStopComparing(); }
  void OnExportLayout() { exporter_.OnExportLayout(); }
  void OnExportPatch() { exporter_.OnExportPatch(); }

  // What Open does once the dialog has closed: loads the file that the
  // dialog names, if any, and selects the first store. Also for a file that
  // reaches the window another way, once it is the dialog's file name.
  void OpenChosenFile();
  // Loads and checks the file named by the open dialog and fills the window.
  void LoadRom();
  // Reads the image and lists those of `store`'s slots that it holds.
  // Returns what another program changed in any store since the image was
  // last read, in words, or nothing.
  std::string ListStoreSlots(const Store& store);
  // Writes NewItem at SlotAddress, then, when the image changed, lists the
  // store named by `save_key` and puts into `news` what other programs
  // changed. Throws SaveError when no slot or item can be written; the
  // result tells what the write did.
  SaveResult SaveSlot(std::string_view save_key, std::string* news = nullptr);
  // Adds the 44 item names, in code order, to the new-item selector.
  void FillItemList();

  const EditorState& state() const { return state_; }

 private:
  // EditorHost, for the parts.
  EditorView& view() override { return view_; }
  const std::string& image_path() const override { return state_.RomPath; }
  SlotListing& listing() override { return listing_; }
  ImageSaves& saves() override { return saves_; }
  void ShowStatus(const std::string& lead) override { ShowChoiceStatus(lead); }
  void ShowPlan() override;
  std::string ReadAgain() override;
  void ReportWrite(const SaveResult& result) override;

  // Sets the status line to `lead` (if any), then the current slot entry's
  // item, what Save would write now, and the notes on the image. Does
  // nothing while no store is listed, which keeps the text that says why.
  // `tail` (if any) ends it.
  void ShowChoiceStatus(const std::string& lead = {},
                        const std::string& tail = {});
  // " " and the notes on the listing and the image, or nothing.
  std::string Notes() const;
  // Takes note of what `result` wrote and, when the file may have changed,
  // lists `relist` again; returns what other programs changed meanwhile.
  std::string AfterWrite(const SaveResult& result, const Store* relist);
  // Undo (kUndo) or redo (kRedo) the next step of the history.
  void Rewrite(WriteKind kind);
  // Says what a save, an undo or a redo did, with `news` of other
  // programs' changes that its listing found.
  void Report(const SaveResult& result, const std::string& news);
  // Lists the store shown again from the file; `by_hand` for File, Reload,
  // which also reads the clean image again, as `clean_changed` does.
  void ListAgain(bool by_hand, bool clean_changed);

  EditorView& view_;
  EditorState state_;
  // The slot list and the reading of the image behind it.
  SlotListing listing_;
  // Why the open image cannot be saved; empty when it can.
  std::string read_only_note_;
  // The steps made in the open image.
  ImageSaves saves_;
  // The parts, each with its own state.
  ChecksumWatch checksums_{*this};
  Comparer comparer_{*this};
  LayoutApplier layouts_{*this, comparer_.comparison()};
  Exporter exporter_{*this, comparer_.comparison()};
};

}  // namespace tivok

#endif  // TIVOK_EDITOR_STORE_EDITOR_H_
