#ifndef TIVOK_EDITOR_EDITOR_STATE_H_
#define TIVOK_EDITOR_EDITOR_STATE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "layout/layout_preview.h"
#include "rom/store_table.h"

namespace tivok {

// What the editor remembers between events, for the window's lifetime.
struct EditorState {
  // Full path from the open dialog; set by every load, also a rejected one.
  std::string RomPath;
  // The header title that the last load read.
  std::string RomTitle;
  // The current store; exactly one is set after any successful load.
  bool FlagBeginner = false;
  bool FlagSecond = false;
  bool FlagThird = false;
  bool FlagBook = false;
  bool FlagPortal = false;
  // The chosen slot as slot address text ("&H2476C"); kept across store
  // changes and loads of the same file, forgotten when another file is
  // loaded.
  std::string SlotAddress;
  // The chosen item code; kept across store changes and every load.
  std::int16_t NewItem = 0;

  // The flag of one store, by its table entry.
  bool& Flag(StoreFlag flag);
  bool Flag(StoreFlag flag) const;
  // Sets `flag` and clears the other four.
  void MakeCurrent(StoreFlag flag);
  // The store whose flag is set, or nullptr before the first good load.
  const Store* CurrentStore() const;

 private:
  static bool EditorState::*FlagMember(StoreFlag flag);
};

// One entry of the slot list: its text ("3 (24)"), the name of the item it
// holds for the column beside it ("Comedy BK", or "unknown"), while
// comparing the clean image's item where that differs (else empty), its
// tooltip and what a screen reader says for it.
struct SlotRow {
  std::string entry;
  std::string item;
  std::string clean;
  std::string tooltip;
  std::string accessible_text;
};

// The window operations that the editor uses. Positions in the lists count
// from 0; a selected position of -1 means no entry is selected.
class EditorView {
 public:
  virtual ~EditorView() = default;

  // Store selector (a drop-down list without free text). Setting the shown
  // text selects the entry of exactly that text; other text changes nothing.
  virtual void ClearStores() = 0;
  virtual void AddStore(std::string_view label) = 0;
  virtual void SetStoreText(std::string_view text) = 0;
  virtual int SelectedStore() const = 0;

  // Slot list.
  virtual void ClearSlots() = 0;
  virtual void AddSlot(const SlotRow& row) = 0;
  virtual int SelectedSlot() const = 0;
  // The entry that has the keyboard focus, selected or not; -1 for none.
  virtual int CurrentSlot() const = 0;
  // Selects the entry at `row` (-1: none) to show which slot is chosen; it
  // is not reported back as a choice.
  virtual void SelectSlot(int row) = 0;

  // New-item selector (a drop-down with an editable text). Clearing also
  // empties the text; setting the shown text selects no entry.
  virtual void ClearItems() = 0;
  virtual void AddItem(std::string_view name) = 0;
  virtual void SetItemText(std::string_view text) = 0;
  virtual int SelectedItem() const = 0;
  // The text in the field, as the user typed it.
  virtual std::string ItemText() const = 0;

  virtual void SetSaveEnabled(bool enabled) = 0;
  // What Save would write now, for screen readers to say with the button.
  virtual void SetSaveDescription(std::string_view text) = 0;
  // Edit, Undo and Edit, Redo: what each would do, such as "Undo Save Herb
  // to Slot 3 of Portal Shop"; an empty text disables it.
  virtual void SetUndoText(std::string_view text) = 0;
  virtual void SetRedoText(std::string_view text) = 0;
  // Edit, Fix Cartridge Checksum, offered while the global checksum is
  // stale; Edit, Keep Checksum Right, the user's choice that every write
  // also sets the checksum right.
  virtual void SetFixChecksumEnabled(bool enabled) = 0;
  virtual bool KeepsChecksumRight() const = 0;
  // Watches the image at `path` for changes that other programs make, and
  // offers File, Reload; an empty path ends both.
  virtual void WatchImage(const std::string& path) = 0;
  // Watches the clean image compared with, at `path`, in the same way; an
  // empty path ends it.
  virtual void WatchCleanImage(const std::string& path) = 0;
  virtual void SetCaption(std::string_view caption) = 0;
  // The status line: what is going on, such as what Save would write now.
  virtual void SetStatus(std::string_view text) = 0;
  // A short mark beside the status line that stays while the image is as
  // it says, such as "Checksum stale", with `explanation` for its tooltip
  // and for screen readers; an empty text withdraws it.
  virtual void ShowChecksumMark(std::string_view text,
                                std::string_view explanation) = 0;

  // Shows the open dialog and returns once it has closed. Afterwards
  // DialogFileName() is the chosen file's full path: empty until a file was
  // first chosen, unchanged when the user cancels. DialogFileTitle() is the
  // file's name for the caption.
  virtual void ShowOpenDialog() = 0;
  virtual std::string DialogFileName() const = 0;
  virtual std::string DialogFileTitle() const = 0;

  // File, Apply Layout..., offered while an image is open and usable. The
  // layout dialog starts in the folder of the image at `image_path` and
  // returns the chosen file's path (bytes, absolute and normal), or empty
  // when cancelled. The preview is modal; true when the user chose Apply.
  virtual void SetApplyLayoutEnabled(bool enabled) = 0;
  virtual std::string ChooseLayoutFile(const std::string& image_path) = 0;
  virtual bool ShowLayoutPreview(const LayoutPreview& preview) = 0;

  // A modal box with a text, a title and one OK button; returns once closed.
  virtual void ShowMessage(std::string_view text, std::string_view title) = 0;

  // Comparing with a clean image, and exporting layouts. Paths are bytes,
  // made absolute and normal (NormalPath).
  // Shows the open dialog for the clean image (File, Compare With...) and
  // returns the chosen file, or nothing when the user cancels.
  virtual std::string ChooseCleanImage() = 0;
  // Shows the slot list's Clean column and offers File, Stop Comparing;
  // false hides and withdraws both.
  virtual void SetComparing(bool comparing) = 0;
  // The clean image remembered across runs for the image at `image`, or
  // nothing; remembering an empty `clean` forgets it.
  virtual std::string RememberedCleanImage(const std::string& image) const = 0;
  virtual void RememberCleanImage(const std::string& image,
                                  const std::string& clean) = 0;
  // Shows the save dialog for a layout, offering `suggested`, and returns
  // the chosen file, or nothing when the user cancels.
  virtual std::string ChooseExportFile(const std::string& suggested) = 0;
  // The same for a patch, with the IPS and BPS formats on offer; the chosen
  // file ends in ".ips" or ".bps" by the format chosen.
  virtual std::string ChoosePatchFile(const std::string& suggested) = 0;
  // A modal question with a button for each of `choices` (with access
  // keys, "&All Slots") and Cancel; returns the position of the choice, or
  // -1 for Cancel.
  virtual int AskChoice(std::string_view text, std::string_view title,
                        const std::vector<std::string>& choices) = 0;
};

}  // namespace tivok

#endif  // TIVOK_EDITOR_EDITOR_STATE_H_
