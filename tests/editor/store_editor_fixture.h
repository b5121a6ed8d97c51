#ifndef TIVOK_TESTS_EDITOR_STORE_EDITOR_FIXTURE_H_
#define TIVOK_TESTS_EDITOR_STORE_EDITOR_FIXTURE_H_

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <utility>

#include "editor/recording_view.h"
#include "editor/store_editor.h"
#include "rom/store_table.h"
#include "support/file_seam_test.h"
#include "support/sample_stores.h"
#include "support/temp_dir.h"

namespace tivok::testing {

inline constexpr int kHerb = 1;
// What the status line adds after a save that leaves the sample image's
// global checksum stale.
inline constexpr char kStaleNote[] =
    " The global checksum is stale now: hardware ignores it, some emulators "
    "warn. Edit, Fix Cartridge Checksum sets it right.";

// Writes `value` at `offset` as another program would.
inline void WriteAsAnotherProgram(const std::string& path, std::size_t offset,
                                  std::uint8_t value) {
  std::fstream file(FsPath(path),
                    std::ios::in | std::ios::out | std::ios::binary);
  file.seekp(static_cast<std::streamoff>(offset));
  file.put(static_cast<char>(value));
}

// A store editor over a recording window, driven as the user would; what a
// test arms in the file layer is disarmed when it ends.
class StoreEditorTest : public FileSeamTest {
 protected:
  // The user picks `path` in the open dialog (nullopt: cancels it).
  void Open(std::optional<std::string> path) {
    view.dialog_answers.push_back(std::move(path));
    editor.OnOpen();
  }
  void ChooseStore(int p) {
    view.store_selection = p;
    editor.OnStoreChosen();
  }
  void ChooseSlot(int q) {
    view.slot_selection = q;
    editor.OnSlotChosen();
  }
  void ChooseItem(int r) {
    view.item_selection = r;
    editor.OnNewItemChosen();
  }
  // The offset of slot k of the store at selector position p.
  static FileOffset SlotAt(int p, int k) {
    return StoreTable::BySelectorPosition(p)->SlotOffset(k);
  }

  TempDir dir;
  RecordingView view;
  StoreEditor editor{view};
};

}  // namespace tivok::testing

#endif  // TIVOK_TESTS_EDITOR_STORE_EDITOR_FIXTURE_H_
