// Undo and redo of saves, and the image as other programs change it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
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
using ::testing::Not;
using ::testing::SizeIs;
using ::testing::StartsWith;

// Portal slot 3: offset 0x2478E, which holds Comedy BK (24) in the sample.
constexpr std::size_t kOffset = 0x2478E;
constexpr char kSlot[] = "slot 3 of Portal Shop, offset 0x2478E";
constexpr char kUndoHerb[] = "Undo Save Herb to Slot 3 of Portal Shop";
constexpr char kRedoHerb[] = "Redo Save Herb to Slot 3 of Portal Shop";

// `text` with every `mark` replaced by `by`.
std::string Replaced(std::string text, const std::string& mark,
                     const std::string& by) {
  for (std::size_t at = text.find(mark); at != std::string::npos;
       at = text.find(mark, at + by.size())) {
    text.replace(at, mark.size(), by);
  }
  return text;
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
// program has changed it, they write nothing, say in items what the slot
// holds and held, and drop that save, so that the others can still be
// undone.
TEST_F(UndoTest, AByteChangedByAnotherProgramDropsOnlyItsSave) {
  ChooseSlot(0);
  ChooseItem(0x1E);
  editor.OnSave();  // Tiny Medal over Cheater BK, after Herb
  WriteAsAnotherProgram(path, 0x2478C, 0x05);
  editor.OnUndo();
  const std::string reason =
      "slot 1 of Portal Shop, offset 0x2478C, holds Potion (5), not Tiny "
      "Medal (1E), which Tivok wrote; another program changed it; nothing "
      "was written to \"@\". Before the save it held Cheater BK (22). Tivok "
      "drops that save from its history.";
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].title, "Error Undoing");
  EXPECT_EQ(view.messages[0].text,
            "Error undoing: " + Replaced(reason, "@", path));
  EXPECT_EQ(view.status, "Not undone: " + Replaced(reason, "@", "sample.gbc"));
  EXPECT_EQ(view.undo_text, kUndoHerb);
  editor.OnUndo();  // the save before it
  editor.OnUndo();  // nothing left
  std::vector<std::uint8_t> expected = Sample();
  expected[0x2478C] = 0x05;
  EXPECT_EQ(ReadAll(path), expected);
  EXPECT_EQ(view.undo_text, "");
  EXPECT_EQ(view.redo_text, kRedoHerb);

  WriteAsAnotherProgram(path, kOffset, 0x2B);
  editor.OnRedo();
  ASSERT_EQ(view.messages.size(), 2u);
  EXPECT_EQ(view.messages[1].title, "Error Redoing");
  EXPECT_EQ(view.status,
            "Not redone: slot 3 of Portal Shop, offset 0x2478E, holds Bookmark "
            "(2B), not Comedy BK (24), which the undo wrote back; another "
            "program changed it; nothing was written to \"sample.gbc\". The "
            "save wrote Herb (1). Tivok drops that save from its history.");
  EXPECT_EQ(ReadAll(path)[kOffset], 0x2B);
  EXPECT_EQ(view.redo_text, "");
}

// An image opened again and refused offers no Undo, even once its title is
// back, until it is opened again.
TEST_F(UndoTest, ARefusedImageIsNotUndoneInto) {
  WriteAsAnotherProgram(path, 0x134, 'X');
  Open(std::nullopt);  // a cancelled dialog opens the same file again
  EXPECT_EQ(view.messages.back().title, "Invalid ROM");
  EXPECT_EQ(view.undo_text, "");
  WriteAsAnotherProgram(path, 0x134, 'D');
  editor.OnUndo();
  EXPECT_EQ(ReadAll(path), saved);
  Open(std::nullopt);
  EXPECT_EQ(view.undo_text, kUndoHerb);
}

// Saving the item a slot holds writes it again, but gives Undo nothing
// new to take back.
TEST_F(UndoTest, SavingTheSameItemAddsNothingToUndo) {
  editor.OnSave();
  EXPECT_EQ(view.status,
            "Saved Herb (1) to " + std::string(kSlot) +
                ", which held it already; Undo has nothing new to take "
                "back.");
  editor.OnUndo();
  EXPECT_EQ(ReadAll(path), Sample());
  EXPECT_EQ(view.undo_text, "");
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
       "is not a Dragon Warrior Monsters image"},
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

// A byte written whose flush failed, or whose file could not be looked at
// again by its name, is in the file: the window says so, lists it as
// Tivok's, and can undo it.
TEST_F(UndoTest, AnUnconfirmedWriteIsShownAsWritten) {
  ChooseItem(2);
  ArmFileFault(FileStep::kFlush);
  editor.OnSave();
  DisarmFileFaults();
  const std::string text =
      "Saved, but cannot flush \"@\": " + IoErrorReason() +
      ". Written: Lovewater (2) to " + std::string(kSlot) +
      ", which held Herb (1). The 1 byte written is in the file, but the disk "
      "did not confirm it; it may be lost if the system fails.";
  EXPECT_EQ(view.status, Replaced(text, "@", "sample.gbc"));
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].title, "Error Saving");
  EXPECT_EQ(view.messages[0].text, Replaced(text, "@", path));
  EXPECT_EQ(view.slots[2], "3 (2)");
  EXPECT_EQ(ReadAll(path)[kOffset], 2);
  EXPECT_EQ(view.undo_text, "Undo Save Lovewater to Slot 3 of Portal Shop");

  ArmFileFault(FileStep::kFlush);
  editor.OnUndo();
  DisarmFileFaults();
  EXPECT_THAT(view.status, StartsWith("Undone, but cannot flush "));
  EXPECT_EQ(view.messages.back().title, "Error Undoing");
  EXPECT_EQ(view.slots[2], "3 (1)");
  EXPECT_EQ(view.redo_text, "Redo Save Lovewater to Slot 3 of Portal Shop");

  ChooseItem(0x17);
  ArmFileFault(FileStep::kLook);
  editor.OnSave();
  DisarmFileFaults();
  EXPECT_EQ(view.status,
            "Saved, but cannot examine \"sample.gbc\": " + IoErrorReason() +
                ". Written: Sirloin (17) to " + kSlot +
                ", which held Herb (1). The 1 byte written is in the file "
                "that was opened as \"sample.gbc\", flushed to the disk. It "
                "could not be checked that \"sample.gbc\" still names that "
                "file: if another program replaced it meanwhile, the image at "
                "\"sample.gbc\" was not changed.");
  EXPECT_EQ(view.slots[2], "3 (17)");
  EXPECT_EQ(view.undo_text, "Undo Save Sirloin to Slot 3 of Portal Shop");
}

// A save that finds another program's change before the watcher tells of
// it says so with what it saved.
TEST_F(UndoTest, ASaveTellsWhatAnotherProgramChanged) {
  WriteAsAnotherProgram(path, 0x2476B, 9);
  editor.OnSave();
  EXPECT_THAT(view.status,
              HasSubstr("Another program changed slot 1 of Beginner's (Top "
                        "Left) Shop: Herb (1) is now Sky Bell (9)."));
}

// The image as another program leaves it: the list follows the file, and
// the status line says so only when what is listed changed.
TEST_F(UndoTest, ListsTheImageAsOtherProgramsLeaveIt) {
  const std::string status = view.status;
  editor.OnImageChanged();                // Tivok's own save
  WriteAsAnotherProgram(path, 0x100, 9);  // outside the stores
  editor.OnImageChanged();
  EXPECT_EQ(view.status, status);
  WriteAsAnotherProgram(path, 0x2476B, 9);  // a store not shown
  editor.OnImageChanged();
  EXPECT_THAT(view.status,
              StartsWith("Another program changed slot 1 of Beginner's (Top "
                         "Left) Shop: Herb (1) is now Sky Bell (9). Slot 3"));

  WriteAsAnotherProgram(path, kOffset, 0x17);
  editor.OnReload();  // found at once, also by hand
  EXPECT_EQ(view.slots[2], "3 (17)");
  EXPECT_THAT(
      view.status,
      StartsWith("Another program changed slot 3 of Portal Shop: Herb "
                 "(1) is now Sirloin (17). Slot 3 holds Sirloin (17)."));
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
  EXPECT_THAT(view.slots, IsEmpty());  // no foreign bytes as slots
  EXPECT_EQ(view.undo_text, "");
  editor.OnUndo();
  EXPECT_THAT(view.status, HasSubstr("no longer a Dragon Warrior Monsters"));

  // Back again: what changed while it was away is told, slot by slot, more
  // than three by their count.
  std::vector<std::uint8_t> back = Sample();
  for (std::size_t offset = 0x24775; offset < 0x24779; ++offset) {
    back[offset] = 0;
  }
  std::filesystem::remove(FsPath(path));
  WriteNewFile(path, back);
  editor.OnImageChanged();
  EXPECT_THAT(
      view.status,
      StartsWith("Another program changed 6 slots; the first three: "
                 "slot 1 of Beginner's (Top Left) Shop: Sky Bell (9) "
                 "is now Herb (1); slot 2 of Second (Far Right) Shop: "
                 "Awake Sand (B) is now Null (0); slot 3 of Second (Far "
                 "Right) Shop: World Leaf (C) is now Null (0). Slot 3 "));
  EXPECT_THAT(view.slots, Not(IsEmpty()));
  EXPECT_EQ(view.undo_text, kUndoHerb);
  editor.OnReload();
  EXPECT_THAT(view.status,
              StartsWith("Reloaded \"sample.gbc\"; nothing had changed."));
  EXPECT_EQ(view.watched, path);

  // Cut short, the image lists the slots it still holds; gone and back as
  // it was, it is usable again. Both are told.
  const std::string outside =
      "Another program changed \"sample.gbc\"; the list shows it as it is "
      "now.";
  std::filesystem::resize_file(FsPath(path), kOffset);
  editor.OnImageChanged();
  EXPECT_THAT(view.slots, SizeIs(2));
  EXPECT_THAT(view.status, StartsWith(outside));
  const std::vector<std::uint8_t> cut = ReadAll(path);
  std::filesystem::remove(FsPath(path));
  editor.OnImageChanged();
  WriteNewFile(path, cut);
  editor.OnImageChanged();
  EXPECT_THAT(view.status, StartsWith(outside));
  EXPECT_THAT(view.slots, SizeIs(2));
}

}  // namespace
}  // namespace tivok::testing
