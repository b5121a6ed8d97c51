#ifndef TIVOK_TESTS_SUPPORT_NULL_VIEW_H_
#define TIVOK_TESTS_SUPPORT_NULL_VIEW_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "editor/editor_state.h"

namespace tivok::testing {

// A window that shows nothing: the dialog always answers `path` and the
// lists answer the selections set here. For benchmarks and fuzzing, where
// recording every call would cost more than the editor itself.
class NullView : public EditorView {
 public:
  std::string path;
  int store = -1;
  int slot = -1;
  int item = -1;
  std::size_t slot_entries = 0;

  void ClearStores() override {}
  void AddStore(std::string_view) override {}
  void SetStoreText(std::string_view) override { store = 0; }
  int SelectedStore() const override { return store; }
  void ClearSlots() override { slot_entries = 0; }
  void AddSlot(const SlotRow&) override { ++slot_entries; }
  int SelectedSlot() const override { return slot; }
  int CurrentSlot() const override { return slot; }
  void SelectSlot(int) override {}
  void ClearItems() override {}
  void AddItem(std::string_view) override {}
  void SetItemText(std::string_view) override {}
  int SelectedItem() const override { return item; }
  std::string ItemText() const override { return {}; }
  void SetSaveEnabled(bool) override {}
  void SetSaveDescription(std::string_view) override {}
  void SetUndoText(std::string_view) override {}
  void SetRedoText(std::string_view) override {}
  void SetFixChecksumEnabled(bool) override {}
  bool KeepsChecksumRight() const override { return false; }
  void WatchImage(const std::string&) override {}
  void WatchCleanImage(const std::string&) override {}
  void ShowChecksumMark(std::string_view, std::string_view) override {}
  void SetCaption(std::string_view) override {}
  void SetStatus(std::string_view) override {}
  void ShowOpenDialog() override {}
  std::string DialogFileName() const override { return path; }
  std::string DialogFileTitle() const override { return "image.gbc"; }
  void ShowMessage(std::string_view, std::string_view) override {}
  void SetApplyLayoutEnabled(bool) override {}
  std::string ChooseLayoutFile(const std::string&) override { return {}; }
  bool ShowLayoutPreview(const LayoutPreview&) override { return false; }
  std::string ChooseCleanImage() override { return {}; }
  void SetComparing(bool) override {}
  std::string RememberedCleanImage(const std::string&) const override {
    return {};
  }
  void RememberCleanImage(const std::string&, const std::string&) override {}
  std::string ChooseExportFile(const std::string&) override { return {}; }
  std::string ChoosePatchFile(const std::string&) override { return {}; }
  int AskChoice(std::string_view, std::string_view,
                const std::vector<std::string>&) override {
    return -1;
  }
};

}  // namespace tivok::testing

#endif  // TIVOK_TESTS_SUPPORT_NULL_VIEW_H_
