// Undo and redo of saves, and the image as other programs change it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "editor/store_editor_fixture.h"
#include "rom/file_faults.h"
#include "rom/rom_file.h"
#include "sample_image.h"

namespace tivok::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

// Portal slot 3: offset 0x2478E, which holds Comedy BK (24) in the sample.
constexpr std::size_t kOffset = 0x2478E;
constexpr char kSlot[] = "slot 3 of Portal Shop, offset 0x2478E";
constexpr char kUndoHerb[] = "Undo Save Herb to Slot 3 of Portal Shop";
constexpr char kRedoHerb[] = "Redo Save Herb to Slot 3 of Portal Shop";

// Writes `value` at `offset` as another program would.
void WriteAsAnotherProgram(const std::string& path, std::size_t offset,
                           std::uint8_t value) {
  std::fstream file(FsPath(path),
                    std::ios::in | std::ios::out | std::ios::binary);
  file.seekp(static_cast<std::streamoff>(offset));
  file.put(static_cast<char>(value));
}

// The sample image with Herb saved into Portal slot 3.
class UndoTest : public StoreEditorTest {
 protected:
  void SetUp() override {
    path = dir.WriteSample("sample.gbc");
    EXPECT_EQ(view.undo_text, "");
    Open(path);
    ChooseStore(kPortal);
    ChooseSlot(2);
    ChooseItem(kHerb);
    editor.OnSave();
    saved = Sample();
    saved[kOffset] = kHerb;
    ASSERT_EQ(ReadAll(path), saved);
  }

  static std::vector<std::uint8_t> Sample() { return MakeSampleImage(); }

  std::string path;
  std::vector<std::uint8_t> saved;
};

TEST_F(UndoTest, UndoAndRedoPutBackAndWriteAgainTheSavedByte) {
  EXPECT_EQ(view.status, "Saved Herb (1) to " + std::string(kSlot) +
                             " (it held Comedy BK (24)).");
  EXPECT_EQ(view.undo_text, kUndoHerb);
  EXPECT_EQ(view.redo_text, "");

  editor.OnUndo();
  EXPECT_EQ(ReadAll(path), Sample());
  EXPECT_EQ(view.status, "Undid the save: " + std::string(kSlot) +
                             ", holds Comedy BK (24) "
                             "again.");
  EXPECT_EQ(view.slots[2], "3 (24)");
  EXPECT_EQ(view.undo_text, "");
  EXPECT_EQ(view.redo_text, kRedoHerb);
  // What Save writes next stays, and the list still shows the chosen slot.
  EXPECT_EQ(editor.state().SlotAddress, "&H2478F");
  EXPECT_EQ(editor.state().NewItem, kHerb);
  EXPECT_EQ(view.slot_selection, 2);

  editor.OnRedo();
  EXPECT_EQ(ReadAll(path), saved);
  EXPECT_EQ(view.status, "Redid the save: " + std::string(kSlot) +
                             ", holds Herb (1) again.");
  EXPECT_EQ(view.undo_text, kUndoHerb);
  EXPECT_EQ(view.redo_text, "");
  EXPECT_TRUE(view.messages.empty());
}

// Later saves are undone first; a new save drops what was undone; store
// changes and opening the same file keep the history, another file ends it.
TEST_F(UndoTest, TheHistoryCoversTheOpenImage) {
  ChooseStore(kBeginner);
  ChooseSlot(0);
  ChooseItem(2);
  editor.OnSave();  // Lovewater over Herb (1)
  ChooseStore(kBook);
  Open(std::nullopt);  // a cancelled dialog opens the same file again
  EXPECT_EQ(view.undo_text,
            "Undo Save Lovewater to Slot 1 of "
            "Beginner's (Top Left) Shop");
  editor.OnUndo();
  EXPECT_EQ(ReadAll(path), saved);
  EXPECT_EQ(view.undo_text, kUndoHerb);
  editor.OnSave();  // Lovewater again: Redo has nothing left
  EXPECT_EQ(view.redo_text, "");
  editor.OnUndo();
  editor.OnUndo();
  EXPECT_EQ(ReadAll(path), Sample());
  EXPECT_EQ(view.undo_text, "");
  editor.OnUndo();  // nothing left: nothing happens
  EXPECT_EQ(ReadAll(path), Sample());

  editor.OnRedo();
  Open(dir.WriteSample("other.gbc"));
  EXPECT_EQ(view.undo_text, "");
  EXPECT_EQ(view.redo_text, "");
  EXPECT_TRUE(view.messages.empty());
}

// Undo and redo write only onto the byte that Tivok left: once another
// program has changed it, they write nothing, say why, and keep the entry.
TEST_F(UndoTest, RefusesWhenAnotherProgramChangedTheByte) {
  WriteAsAnotherProgram(path, kOffset, 0x05);
  editor.OnUndo();
  const std::string reason =
      "the byte at offset 0x2478E is now 05, not the 01 that Tivok wrote, so "
      "another program has changed it; nothing was written";
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].title, "Error Undoing");
  EXPECT_EQ(view.messages[0].text, "Error undoing: " + reason);
  EXPECT_EQ(view.status, "Not undone: " + reason + ".");
  EXPECT_EQ(ReadAll(path)[kOffset], 0x05);
  EXPECT_EQ(view.undo_text, kUndoHerb);

  WriteAsAnotherProgram(path, kOffset, kHerb);
  editor.OnUndo();
  WriteAsAnotherProgram(path, kOffset, 0x2B);
  editor.OnRedo();
  ASSERT_EQ(view.messages.size(), 2u);
  EXPECT_EQ(view.messages[1].title, "Error Redoing");
  EXPECT_EQ(view.status,
            "Not redone: the byte at offset 0x2478E is now 2B, not the 24 "
            "that the undo wrote back, so another program has changed it; "
            "nothing was written.");
  EXPECT_EQ(ReadAll(path)[kOffset], 0x2B);
  EXPECT_EQ(view.redo_text, kRedoHerb);
}

// Every failure of the file: a plain reason, one box, no byte changed, and
// the entry kept for a later try. Redo shares the code, and its own texts
// are checked above.
TEST_F(UndoTest, FileFaultsChangeNothingAndKeepTheEntry) {
  struct Case {
    const char* what;
    void (*make)(const std::string& path);
    std::string reason;
  };
  const std::vector<Case> cases = {
      {"missing",
       [](const std::string& p) { std::filesystem::remove(FsPath(p)); },
       MissingFileReason()},
      {"a folder",
       [](const std::string& p) {
         std::filesystem::remove(FsPath(p));
         std::filesystem::create_directory(FsPath(p));
       },
       DirectoryReason()},
      {"read-only",
       [](const std::string&) { ArmFileFault(FileStep::kOpenForWriting); },
       NoAccessReason()},
      {"cut short",
       [](const std::string& p) {
         std::filesystem::resize_file(FsPath(p), kOffset);
       },
       "the file has only 149390 bytes"},
      {"a failing disk",
       [](const std::string&) { ArmFileFault(FileStep::kWrite); },
       IoErrorReason()},
      {"another title",
       [](const std::string& p) { WriteAsAnotherProgram(p, 0x134, 'X'); },
       "no longer a Dragon Warrior Monsters image"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(FsPath(path));
    WriteNewFile(path, saved);
    c.make(path);
    const bool exists = std::filesystem::is_regular_file(FsPath(path));
    const std::vector<std::uint8_t> before =
        exists ? ReadAll(path) : std::vector<std::uint8_t>{};
    view.messages.clear();
    editor.OnUndo();
    DisarmFileFaults();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_THAT(view.messages[0].text, HasSubstr(c.reason));
    EXPECT_THAT(view.status, StartsWith("Not undone: "));
    EXPECT_THAT(view.status, HasSubstr(c.reason));
    if (exists) {
      EXPECT_EQ(ReadAll(path), before);
    }
    EXPECT_EQ(view.undo_text, kUndoHerb);
  }
}

// A byte written whose flush failed is in the file: the window says so,
// lists it, and can undo it.
TEST_F(UndoTest, AnUnconfirmedWriteIsShownAsWritten) {
  ChooseItem(2);
  ArmFileFault(FileStep::kFlush);
  editor.OnSave();
  DisarmFileFaults();
  const std::string text =
      "Lovewater (2) was written to " + std::string(kSlot) +
      ", but the disk did not confirm it: " + IoErrorReason() +
      ". Check the disk, then save again.";
  EXPECT_EQ(view.status, text);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].title, "Error Saving");
  EXPECT_EQ(view.messages[0].text, text);
  EXPECT_EQ(view.slots[2], "3 (2)");
  EXPECT_EQ(ReadAll(path)[kOffset], 2);
  EXPECT_EQ(view.undo_text, "Undo Save Lovewater to Slot 3 of Portal Shop");

  ArmFileFault(FileStep::kFlush);
  editor.OnUndo();
  DisarmFileFaults();
  EXPECT_EQ(view.status, "Herb (1) was written back to " + std::string(kSlot) +
                             ", but the disk did not confirm it: " +
                             IoErrorReason() + ". Check the disk.");
  EXPECT_EQ(view.messages.back().title, "Error Undoing");
  EXPECT_EQ(view.slots[2], "3 (1)");
  EXPECT_EQ(view.redo_text, "Redo Save Lovewater to Slot 3 of Portal Shop");
}

// The image as another program leaves it: the list follows the file, and
// the status line says so only when what is listed changed.
TEST_F(UndoTest, ListsTheImageAsOtherProgramsLeaveIt) {
  const std::string changed =
      "Another program changed \"sample.gbc\"; the list shows it as it is "
      "now.";
  const std::string status = view.status;
  editor.OnImageChanged();                  // Tivok's own save
  WriteAsAnotherProgram(path, 0x2476B, 9);  // a store not shown
  editor.OnImageChanged();
  EXPECT_EQ(view.status, status);

  WriteAsAnotherProgram(path, kOffset, 0x17);
  editor.OnImageChanged();
  EXPECT_EQ(view.slots[2], "3 (17)");
  EXPECT_THAT(view.status, StartsWith(changed + " Slot 3 holds Sirloin (17)."));
  EXPECT_EQ(editor.state().NewItem, kHerb);
  EXPECT_EQ(view.slot_selection, 2);

  std::filesystem::remove(FsPath(path));
  editor.OnImageChanged();
  EXPECT_THAT(view.slots, IsEmpty());
  EXPECT_EQ(view.status,
            "\"sample.gbc\" can no longer be read: there is no such file. "
            "Save, Undo and Redo refuse until it can be read again.");
  view.status.clear();
  editor.OnImageChanged();  // told once
  EXPECT_EQ(view.status, "");
  editor.OnSave();
  EXPECT_THAT(view.status, StartsWith("Not saved: "));

  std::vector<std::uint8_t> foreign = Sample();
  foreign[0x134] = 'X';
  WriteNewFile(path, foreign);
  editor.OnImageChanged();
  EXPECT_THAT(view.status, StartsWith("Another program changed \"sample.gbc\": "
                                      "it is no longer a Dragon Warrior "
                                      "Monsters image"));
  editor.OnUndo();
  EXPECT_THAT(view.status, HasSubstr("no longer a Dragon Warrior Monsters"));

  std::filesystem::remove(FsPath(path));
  WriteNewFile(path, Sample());
  editor.OnImageChanged();
  EXPECT_THAT(view.status, StartsWith(changed));
  editor.OnReload();
  EXPECT_THAT(view.status,
              StartsWith("Reloaded \"sample.gbc\"; nothing had changed."));
  EXPECT_EQ(view.watched, path);
}

}  // namespace
}  // namespace tivok::testing
