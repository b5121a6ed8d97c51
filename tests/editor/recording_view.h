#ifndef TIVOK_TESTS_EDITOR_RECORDING_VIEW_H_
#define TIVOK_TESTS_EDITOR_RECORDING_VIEW_H_

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "editor/editor_state.h"

namespace tivok::testing {

// A fake window: it records every call as a line of `log` (but for the
// status line, which only keeps its last text in `status`, and the Edit
// menu and the watcher, which keep theirs too), keeps the lists
// as a window would, and plays back the selections, the current slot entry
// and the dialog answers that a test scripts.
class RecordingView : public EditorView {
 public:
  struct Message {
    std::string text;
    std::string title;
  };

  // What the user picks in the next open dialogs: a path, or nullopt for a
  // cancel. With no answer left the dialog is cancelled.
  std::deque<std::optional<std::string>> dialog_answers;

  std::vector<std::string> log;
  std::vector<std::string> stores, slots, slot_items, slot_tips,
      slot_accessible, items;
  int store_selection = -1, slot_selection = -1, item_selection = -1;
  int slot_current = -1;
  std::string item_text;
  std::string status;
  std::string caption = "Tivok";
  bool save_enabled = false;
  // The Edit menu's entries (empty: disabled), the images watched and the
  // checksum mark and its explanation (empty: none); these are not logged.
  std::string undo_text, redo_text, watched, watched_clean;
  std::string checksum_mark, checksum_explanation;
  // What Save's description says it writes; not logged.
  std::string save_description;
  // Edit, Fix Cartridge Checksum's state and Edit, Keep Checksum Right's
  // check; not logged.
  bool fix_checksum_enabled = false;
  bool keep_checksum_right = false;
  std::vector<Message> messages;
  // File, Apply Layout...: whether it is offered (not logged), what the
  // user picks in the next layout dialogs (empty: cancels; none left:
  // cancels), and the previews shown, each answered by the next of
  // `preview_answers` (true: Apply; none left: Cancel).
  bool apply_layout_enabled = false;
  std::deque<std::string> layout_answers;
  std::vector<LayoutPreview> previews;
  std::deque<bool> preview_answers;

  // Comparing and exporting: the answers of the next clean-image and
  // export dialogs (nullopt: cancel) and question boxes (-1: Cancel), each
  // logged; whether the Clean column shows, the comparisons remembered and
  // the questions asked, not logged.
  std::deque<std::optional<std::string>> clean_answers, export_answers;
  std::deque<int> choice_answers;
  bool comparing = false;
  std::map<std::string, std::string> remembered;
  std::vector<std::string> slot_cleans;
  std::vector<Message> questions;

  void ClearStores() override;
  void AddStore(std::string_view label) override;
  void SetStoreText(std::string_view text) override;
  int SelectedStore() const override { return store_selection; }
  void ClearSlots() override;
  void AddSlot(const SlotRow& row) override;
  int SelectedSlot() const override { return slot_selection; }
  int CurrentSlot() const override { return slot_current; }
  void SelectSlot(int row) override;
  void ClearItems() override;
  void AddItem(std::string_view name) override;
  void SetItemText(std::string_view text) override;
  int SelectedItem() const override { return item_selection; }
  std::string ItemText() const override { return item_text; }
  void SetSaveEnabled(bool enabled) override;
  void SetSaveDescription(std::string_view text) override {
    save_description = text;
  }
  void SetUndoText(std::string_view text) override { undo_text = text; }
  void SetRedoText(std::string_view text) override { redo_text = text; }
  void SetFixChecksumEnabled(bool enabled) override {
    fix_checksum_enabled = enabled;
  }
  bool KeepsChecksumRight() const override { return keep_checksum_right; }
  void WatchImage(const std::string& path) override { watched = path; }
  void WatchCleanImage(const std::string& path) override {
    watched_clean = path;
  }
  void ShowChecksumMark(std::string_view text,
                        std::string_view explanation) override {
    checksum_mark = text;
    checksum_explanation = explanation;
  }
  void SetCaption(std::string_view caption) override;
  void SetStatus(std::string_view text) override { status = text; }
  void ShowOpenDialog() override;
  std::string DialogFileName() const override { return dialog_path_; }
  std::string DialogFileTitle() const override;
  void ShowMessage(std::string_view text, std::string_view title) override;
  void SetApplyLayoutEnabled(bool enabled) override {
    apply_layout_enabled = enabled;
  }
  std::string ChooseLayoutFile(const std::string& image_path) override;
  bool ShowLayoutPreview(const LayoutPreview& preview) override;
  std::string ChooseCleanImage() override;
  void SetComparing(bool on) override { comparing = on; }
  std::string RememberedCleanImage(const std::string& image) const override;
  void RememberCleanImage(const std::string& image,
                          const std::string& clean) override;
  std::string ChooseExportFile(const std::string& suggested) override;
  std::string ChoosePatchFile(const std::string& suggested) override;
  int AskChoice(std::string_view text, std::string_view title,
                const std::vector<std::string>& choices) override;

 private:
  std::string dialog_path_;
};

}  // namespace tivok::testing

#endif  // TIVOK_TESTS_EDITOR_RECORDING_VIEW_H_
