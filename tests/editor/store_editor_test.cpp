#include "editor/store_editor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/recording_view.h"
#include "editor/status_text.h"
#include "editor/store_editor_fixture.h"
#include "rom/file_faults.h"
#include "sample_image.h"
#include "support/temp_dir.h"

namespace tivok {
namespace {

using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;
using ::tivok::testing::DirectoryReason;
using ::tivok::testing::Exists;
using ::tivok::testing::FsPath;
using ::tivok::testing::kBeginner;
using ::tivok::testing::kBook;
using ::tivok::testing::kHerb;
using ::tivok::testing::kPortal;
using ::tivok::testing::kSecond;
using ::tivok::testing::kStaleNote;
using ::tivok::testing::kThird;
using ::tivok::testing::MissingFileReason;
using ::tivok::testing::NoAccessReason;
using ::tivok::testing::ReadAll;
using ::tivok::testing::RecordingView;
using ::tivok::testing::StoreEditorTest;
using ::tivok::testing::TempDir;

constexpr char kNoImage[] =
    "No image is open. Open one with File, Open... (Ctrl+O).";

TEST_F(StoreEditorTest, StartsEmptyAndQuiet) {
  editor.OnLoad();
  EXPECT_THAT(view.log, ElementsAre("ClearStores", "ClearSlots", "ClearItems"));
  EXPECT_FALSE(view.save_enabled);
  EXPECT_EQ(view.caption, "Tivok");
  EXPECT_EQ(editor.state().CurrentStore(), nullptr);
  EXPECT_EQ(view.status, kNoImage);
  // Before a load nothing can be chosen or saved.
  ChooseSlot(0);
  ChooseItem(5);
  view.store_selection = -1;
  editor.OnSave();
  EXPECT_EQ(editor.state().SlotAddress, "");
  EXPECT_TRUE(view.messages.empty());
  EXPECT_EQ(view.status, kNoImage);
}

TEST_F(StoreEditorTest, OneEditFromOpenToTheByteInTheFile) {
  const std::string path = dir.WriteSample("sample.gbc");
  std::vector<std::uint8_t> expected = ReadAll(path);

  Open(path);
  EXPECT_EQ(view.caption, "Tivok - sample.gbc");
  EXPECT_THAT(
      view.stores,
      ElementsAre("Beginner's (Top Left) Shop", "Second (Far Right) Shop",
                  "Third (Bottom Middle) Shop", "Book (Bottom Left) Shop",
                  "Portal Shop"));
  EXPECT_EQ(view.store_selection, kBeginner);
  EXPECT_THAT(view.slots, ElementsAre("1 (1)", "2 (2)", "3 (3)", "4 (4)",
                                      "5 (5)", "6 (6)", "7 (7)", "8 (8)"));
  ASSERT_EQ(view.items.size(), 44u);
  EXPECT_EQ(view.items.front(), "Null");
  EXPECT_EQ(view.items[24], "Bolt Staff");
  EXPECT_EQ(view.item_text, "Null");
  EXPECT_TRUE(view.save_enabled);
  EXPECT_TRUE(editor.state().FlagBeginner);
  EXPECT_TRUE(view.messages.empty());
  EXPECT_EQ(view.status,
            "Choose a slot first; then Save writes Null (0) to it.");

  ChooseStore(kPortal);
  EXPECT_EQ(view.slots.front(), "1 (22)");
  ChooseSlot(0);
  EXPECT_EQ(editor.state().SlotAddress, "&H2478D");
  ChooseItem(kHerb);
  EXPECT_EQ(view.status,
            "Slot 1 holds Cheater BK (22). Save writes Herb (1) to slot 1 of "
            "Portal Shop, offset 0x2478C.");
  editor.OnSave();

  expected[0x2478C] = 0x01;
  EXPECT_EQ(ReadAll(path), expected);
  EXPECT_EQ(view.slots.front(), "1 (1)");
  EXPECT_EQ(view.slot_tips.front(), "Herb");
  // The list shows which slot is chosen.
  EXPECT_EQ(view.slot_selection, 0);
  EXPECT_TRUE(view.messages.empty());
  EXPECT_EQ(view.status,
            "Saved Herb (1) to slot 1 of Portal Shop, offset 0x2478C (it held "
            "Cheater BK (22))." +
                std::string(kStaleNote));
}

TEST_F(StoreEditorTest, ListsEveryStoreInItsFormat) {
  Open(dir.WriteSample("sample.gbc"));
  ChooseStore(kSecond);
  EXPECT_THAT(view.slots, ElementsAre("1 (A)", "2 (B)", "3 (C)", "4 (D)",
                                      "5 (E)", "6 (F)", "7 (10)", "8 (11)"));
  ChooseStore(kThird);
  EXPECT_THAT(view.slots, ElementsAre("1 (1A)", "2 (1B)", "3 (1C)", "4 (1D)",
                                      "5 (1E)", "6 (1F)", "7 (20)"));
  EXPECT_TRUE(editor.state().FlagThird);
  EXPECT_FALSE(editor.state().FlagBeginner);
  ChooseStore(kBook);
  EXPECT_THAT(view.slots, ElementsAre("1 (13)", "2 (14)", "3 (15)", "4 (16)",
                                      "5 (17)", "6 (18)"));
  ChooseSlot(5);
  EXPECT_EQ(editor.state().SlotAddress, "&H24783");
  // Positions past the store's slots, or no selection, keep the slot.
  ChooseSlot(6);
  ChooseSlot(-1);
  EXPECT_EQ(editor.state().SlotAddress, "&H24783");
  ChooseStore(-1);
  EXPECT_TRUE(editor.state().FlagBook);
}

// The column beside the entries, tooltip, accessible text and, for the
// entry with the keyboard focus, the status line name the item or say it
// is unknown.
TEST_F(StoreEditorTest, EachSlotNamesItsItemWithoutAMouse) {
  std::vector<std::uint8_t> image = MakeSampleImage();
  image[SlotAt(kBeginner, 2)] = 0xC8;
  Open(dir.Write("odd.gbc", image));
  EXPECT_EQ(view.slots[1], "2 (C8)");
  EXPECT_EQ(view.slot_items[0], "Herb");
  EXPECT_EQ(view.slot_items[1], "unknown");
  EXPECT_EQ(view.slot_tips[0], "Herb");
  EXPECT_EQ(view.slot_tips[1], "Code C8 is no known item");
  EXPECT_EQ(view.slot_accessible[0], "1 (1): Herb");
  EXPECT_EQ(view.slot_accessible[1], "2 (C8): Code C8 is no known item");

  // Focus moving through the list chooses nothing.
  view.slot_current = 1;
  editor.OnCurrentSlotChanged();
  EXPECT_EQ(view.status,
            "Slot 2 holds an unknown item (C8). Choose a slot first; then "
            "Save writes Null (0) to it.");
  EXPECT_EQ(editor.state().SlotAddress, "");
  // The focused entry is named even when another one is selected.
  ChooseSlot(0);
  EXPECT_EQ(view.status,
            "Slot 2 holds an unknown item (C8). Save writes Null (0) to slot 1 "
            "of Beginner's (Top Left) Shop, offset 0x2476B.");
  // Save itself tells screen readers where it writes.
  EXPECT_EQ(view.save_description,
            "Save writes Null (0) to slot 1 of Beginner's (Top Left) Shop, "
            "offset 0x2476B.");
  view.slot_current = -1;
  editor.OnCurrentSlotChanged();
  EXPECT_THAT(view.status, StartsWith("Slot 1 holds Herb (1). Save writes"));
  // The first entry too, while another one is selected.
  view.slot_current = 0;
  ChooseSlot(1);
  EXPECT_THAT(view.status,
              StartsWith("Slot 1 holds Herb (1). Save writes Null (0) to slot "
                         "2 of"));
}

TEST_F(StoreEditorTest, RefusesForeignFiles) {
  std::vector<std::uint8_t> foreign = MakeSampleImage();
  foreign[0x134] = 'X';
  // The title reads as a hex editor shows it: ' ' to '~' as they are, the
  // bytes on either side of that range as dots.
  foreign[0x135] = 0x1F;
  foreign[0x136] = '~';
  foreign[0x137] = 0x7F;
  foreign[0x138] = 0x80;
  foreign[0x142] = 0;
  const std::string good = dir.WriteSample("good.gbc");
  const std::string bad = dir.Write("bad.gbc", foreign);

  Open(good);
  ChooseStore(kThird);
  Open(bad);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].text, "Not Dragon Warrior Monsters");
  EXPECT_EQ(view.messages[0].title, "Invalid ROM");
  EXPECT_TRUE(view.stores.empty());
  EXPECT_TRUE(view.slots.empty());
  EXPECT_TRUE(view.items.empty());
  EXPECT_FALSE(view.save_enabled);
  EXPECT_EQ(view.caption, "Tivok");
  EXPECT_EQ(editor.state().RomPath, bad);
  EXPECT_TRUE(editor.state().FlagThird);
  EXPECT_EQ(view.status,
            "Not opened: \"bad.gbc\" is not a Dragon Warrior Monsters image "
            "(its header title is \"X.~..N WMONAWQ.\", not \"DRAGON "
            "WMONAWQE\"). " +
                std::string(kNoImage));

  // Files that cannot be read are refused with the reason in plain words.
  std::vector<std::uint8_t> short_image = MakeSampleImage();
  short_image.resize(322);
  std::filesystem::create_directory(FsPath(dir.File("folder.gbc")));
  const std::vector<std::pair<std::string, std::string>> unreadable = {
      {dir.File("missing.gbc"),
       "Cannot open \"missing.gbc\": there is no such file."},
      {dir.File("folder.gbc"), "Cannot open \"folder.gbc\": it is a folder."},
      {dir.Write("empty.gbc", {}),
       "Cannot open \"empty.gbc\": it is too short to be a cartridge image "
       "(the file has only 0 bytes)."},
      {dir.Write("short.gbc", short_image),
       "Cannot open \"short.gbc\": it is too short to be a cartridge image "
       "(the file has only 322 bytes)."},
  };
  for (const auto& [path, box] : unreadable) {
    Open(good);
    view.messages.clear();
    Open(path);
    ASSERT_EQ(view.messages.size(), 1u) << path;
    EXPECT_EQ(view.messages[0].title, "Invalid ROM");
    EXPECT_EQ(view.messages[0].text, box);
    EXPECT_EQ(view.caption, "Tivok");
    EXPECT_TRUE(view.stores.empty());
    // The reason names the file, not its folder.
    EXPECT_THAT(view.status, StartsWith("Not opened: "));
    EXPECT_THAT(view.status, HasSubstr(path.substr(dir.path().size() + 1)));
    EXPECT_THAT(view.status, Not(HasSubstr(dir.path())));
  }
  EXPECT_FALSE(Exists(dir.File("missing.gbc")));
  EXPECT_EQ(ReadAll(good), MakeSampleImage());
}

TEST_F(StoreEditorTest, ACancelledDialogLoadsTheLastFileAgain) {
  Open(std::nullopt);
  EXPECT_THAT(view.log, ElementsAre("ShowOpenDialog"));

  const std::string path = dir.WriteSample("sample.gbc");
  Open(path);
  ChooseStore(kPortal);
  ChooseSlot(2);
  ChooseStore(kBeginner);
  ChooseSlot(3);
  ChooseItem(kHerb);
  ChooseStore(kPortal);
  Open(std::nullopt);
  EXPECT_EQ(editor.state().RomPath, path);
  EXPECT_TRUE(editor.state().FlagBeginner);
  EXPECT_EQ(view.store_selection, kBeginner);
  EXPECT_EQ(view.slots.front(), "1 (1)");
  EXPECT_EQ(view.items.size(), 44u);
  // The same file keeps the chosen slot and item, and shows both.
  EXPECT_EQ(editor.state().SlotAddress, "&H2476F");
  EXPECT_EQ(view.slot_selection, 3);
  EXPECT_EQ(view.item_text, "Herb");
}

TEST_F(StoreEditorTest, ANewLoadMakesTheFirstStoreCurrent) {
  Open(dir.WriteSample("one.gbc"));
  ChooseStore(kThird);
  Open(dir.WriteSample("two.gbc"));
  ChooseSlot(0);
  EXPECT_EQ(editor.state().SlotAddress, "&H2476C");
  EXPECT_TRUE(editor.state().FlagBeginner);
  EXPECT_FALSE(editor.state().FlagThird);
}

TEST_F(StoreEditorTest, SavesToTheRememberedSlotWhateverStoreIsShown) {
  const std::string path = dir.WriteSample("sample.gbc");
  std::vector<std::uint8_t> expected = ReadAll(path);
  Open(path);
  ChooseStore(kSecond);
  ChooseSlot(1);
  ChooseItem(24);
  ChooseStore(kThird);
  const std::vector<std::string> third = view.slots;
  const std::string target =
      " Bolt Staff (18) to slot 2 of Second (Far Right) Shop, offset 0x24775";
  const std::string elsewhere = " That slot is not in the store shown.";
  EXPECT_EQ(view.status, "Save writes" + target + "." + elsewhere);
  editor.OnSave();
  expected[SlotAt(kSecond, 2)] = 24;
  EXPECT_EQ(ReadAll(path), expected);
  EXPECT_EQ(view.slots, third);
  EXPECT_EQ(view.log.back(), "AddSlot 7 (20)");
  EXPECT_EQ(view.status, "Saved" + target + " (it held Awake Sand (B))." +
                             elsewhere + kStaleNote);
  // Save again: the same byte at the same place.
  editor.OnSave();
  EXPECT_EQ(ReadAll(path), expected);
  EXPECT_EQ(editor.state().SlotAddress, "&H24776");
  EXPECT_EQ(editor.state().NewItem, 24);
}

// A slot chosen in one image is never written into another; the item
// stays chosen, and New Item shows it.
TEST_F(StoreEditorTest, AnotherFileForgetsTheSlotButKeepsTheItem) {
  const std::string first = dir.WriteSample("first.gbc");
  const std::string second = dir.WriteSample("second.gbc");
  Open(first);
  ChooseStore(kBook);
  ChooseSlot(5);
  ChooseItem(43);
  Open(second);
  EXPECT_EQ(view.item_text, "Bookmark");
  EXPECT_EQ(editor.state().SlotAddress, "");
  EXPECT_EQ(view.status,
            "Choose a slot first; then Save writes Bookmark (2B) to it.");
  view.messages.clear();
  editor.OnSave();
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_THAT(view.messages[0].text, HasSubstr("no slot is chosen"));
  EXPECT_EQ(ReadAll(first), MakeSampleImage());
  EXPECT_EQ(ReadAll(second), MakeSampleImage());
}

TEST_F(StoreEditorTest, ChoosingNullWritesAZeroByte) {
  const std::string path = dir.WriteSample("sample.gbc");
  Open(path);
  ChooseSlot(2);
  // Null chosen after another item, not only the Null of a fresh load.
  ChooseItem(kHerb);
  ChooseItem(0);
  editor.OnSave();
  EXPECT_EQ(ReadAll(path)[SlotAt(kBeginner, 3)], 0);
  EXPECT_EQ(view.slots[2], "3 (0)");
  // Typing in the item field selects nothing and leaves the code alone.
  view.item_selection = -1;
  editor.OnNewItemChosen();
  EXPECT_EQ(editor.state().NewItem, 0);
}

// Text typed into New Item chooses the item it names once editing ends;
// other text gives way to the item chosen before.
TEST_F(StoreEditorTest, TypedTextChoosesTheItemItNames) {
  const std::string path = dir.WriteSample("sample.gbc");
  Open(path);
  ChooseSlot(2);
  struct Case {
    const char* typed;
    int code;           // the item chosen afterwards
    const char* shown;  // the field's text afterwards
    const char* lead;   // what the status says first
  };
  const std::vector<Case> cases = {
      {"  sirloin ", 23, "Sirloin", "Slot 3"},
      {"Excalibur", 23, "Sirloin",
       "\"Excalibur\" names no item; Sirloin (17) stays chosen. Slot 3"},
      {"Po", 23, "Sirloin",
       "\"Po\" could be Porkchop or Potion; Sirloin (17) stays chosen."},
      {"staff", 23, "Sirloin",
       "\"staff\" could be Bolt Staff, Fire Staff, Lava Staff, Mist Staff, "
       "Snow Staff or 2 more;"},
      {"", 23, "Sirloin", "New Item was left empty; Sirloin (17) stays"},
      {"BOLT STAFF", 24, "Bolt Staff", "Slot 3"},
      {"null", 0, "Null", "Slot 3"},
      {" sIRl", 23, "Sirloin", "Slot 3"},  // the start of one name
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    view.item_text = c.typed;
    editor.OnItemTextEntered();
    EXPECT_EQ(editor.state().NewItem, c.code);
    EXPECT_EQ(view.item_text, c.shown);
    EXPECT_THAT(view.status, StartsWith(c.lead));
    EXPECT_THAT(view.status, HasSubstr("Save writes " + ItemText(c.code)));
  }
  view.item_text = "Sirloin";
  editor.OnItemTextEntered();
  editor.OnSave();
  EXPECT_EQ(ReadAll(path)[SlotAt(kBeginner, 3)], 0x17);
}

TEST_F(StoreEditorTest, SaveWithoutAStoreDoesNothing) {
  const std::string path = dir.WriteSample("sample.gbc");
  Open(path);
  ChooseSlot(0);
  ChooseItem(kHerb);
  view.store_selection = -1;
  view.log.clear();
  editor.OnSave();
  EXPECT_TRUE(view.log.empty());
  EXPECT_EQ(ReadAll(path), MakeSampleImage());
}

class SaveFailureTest : public StoreEditorTest {
 protected:
  void SetUp() override {
    path = dir.WriteSample("sample.gbc");
    Open(path);
    ChooseStore(kPortal);
  }
  // The names in the test's folder, to show that nothing was created.
  std::vector<std::string> FolderNames() const {
    std::vector<std::string> names;
    for (const auto& entry :
         std::filesystem::directory_iterator(FsPath(dir.path()))) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  // Presses Save, which must fail: one box, nothing listed or created,
  // state kept.
  std::string SaveFails() {
    const std::vector<std::string> names = FolderNames();
    const EditorState before = editor.state();
    const std::vector<std::string> slots = view.slots;
    view.log.clear();
    view.messages.clear();
    editor.OnSave();
    EXPECT_EQ(view.log.size(), 1u);
    EXPECT_EQ(view.slots, slots);
    EXPECT_EQ(editor.state().SlotAddress, before.SlotAddress);
    EXPECT_EQ(editor.state().NewItem, before.NewItem);
    EXPECT_TRUE(editor.state().FlagPortal);
    EXPECT_EQ(FolderNames(), names);
    if (view.messages.size() != 1) {
      ADD_FAILURE() << "expected one message, got " << view.messages.size();
      return "";
    }
    EXPECT_EQ(view.messages[0].title, "Error Saving");
    EXPECT_THAT(view.messages[0].text, StartsWith("Error saving: "));
    EXPECT_THAT(view.status, StartsWith("Not saved: "));
    EXPECT_THAT(view.status, Not(HasSubstr(dir.path())));
    return view.messages[0].text;
  }

  std::string path;
};

TEST_F(SaveFailureTest, NoSlotChosenYet) {
  EXPECT_THAT(SaveFails(), HasSubstr("no slot is chosen"));
  EXPECT_EQ(ReadAll(path), MakeSampleImage());
}

TEST_F(SaveFailureTest, TheFileIsGone) {
  ChooseSlot(0);
  ASSERT_TRUE(std::filesystem::remove(FsPath(path)));
  const std::string text = SaveFails();
  EXPECT_THAT(text, HasSubstr(path));
  EXPECT_THAT(text, HasSubstr(MissingFileReason()));
  EXPECT_FALSE(std::filesystem::exists(FsPath(path)));
}

TEST_F(SaveFailureTest, TheFileBecameADirectory) {
  ChooseSlot(0);
  ASSERT_TRUE(std::filesystem::remove(FsPath(path)));
  ASSERT_TRUE(std::filesystem::create_directory(FsPath(path)));
  EXPECT_THAT(SaveFails(), HasSubstr(DirectoryReason()));
  EXPECT_TRUE(std::filesystem::is_empty(FsPath(path)));
}

#ifndef _WIN32  // Windows has no FIFOs in the file system.
TEST_F(SaveFailureTest, TheFileBecameAFifo) {
  ChooseSlot(0);
  ASSERT_EQ(::unlink(path.c_str()), 0);
  // Nothing ever opens the other end: a save that waited would hang here.
  ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
  EXPECT_THAT(SaveFails(), HasSubstr("not a regular file"));
}
#endif

TEST_F(SaveFailureTest, TheFileNoLongerReachesTheSlot) {
  ChooseSlot(7);
  std::filesystem::resize_file(FsPath(path), 0x24790);
  EXPECT_THAT(SaveFails(), HasSubstr("149392 bytes"));
  EXPECT_EQ(std::filesystem::file_size(FsPath(path)), 0x24790u);
}

TEST_F(SaveFailureTest, AnotherProgramReplacedTheFile) {
  ChooseSlot(0);
  std::vector<std::uint8_t> other = MakeSampleImage();
  other[0x140] = 'Z';
  const std::string replacement = dir.Write("other.bin", other);
  std::filesystem::rename(FsPath(replacement), FsPath(path));
  EXPECT_THAT(SaveFails(), HasSubstr("is not a Dragon Warrior Monsters"));
  EXPECT_EQ(ReadAll(path), other);
}

// Another program lengthens the image while Tivok writes: the byte is in
// the file and Tivok's own, with Undo; no slot is said to be changed by
// another program.
TEST_F(SaveFailureTest, AnotherProgramLengthensTheFileWhileTivokWrites) {
  ChooseSlot(0);
  ChooseItem(kHerb);
  ArmFileHook(FileStep::kWrite,
              [&] { std::filesystem::resize_file(FsPath(path), 300000); });
  editor.OnSave();
  const std::string text =
      "the length of \"sample.gbc\" changed from 262144 to 300000 bytes "
      "while Tivok wrote: another program changed the file meanwhile. "
      "Written: Herb (1) to slot 1 of Portal Shop, offset 0x2478C, which held "
      "Cheater BK (22). The 1 byte written is in the file as it is now.";
  EXPECT_EQ(view.status, "Saved, but " + text + kStaleNote);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].title, "Error Saving");
  EXPECT_EQ(view.slots[0], "1 (1)");
  EXPECT_EQ(view.undo_text, "Undo Save Herb to Slot 1 of Portal Shop");
  editor.OnUndo();
  std::vector<std::uint8_t> longer = MakeSampleImage();
  longer.resize(300000);
  EXPECT_EQ(ReadAll(path), longer);
}

#ifndef _WIN32  // A file open in Tivok cannot be renamed over on Windows.
// Another program replaces the image, or cuts it short, while Tivok writes:
// one box, no "Saved", no Undo entry, and the file never lengthened.
TEST_F(SaveFailureTest, AnotherProgramChangesTheFileWhileTivokWrites) {
  ChooseSlot(0);
  ChooseItem(kHerb);
  const std::string next = dir.WriteSample("next.gbc");
  ArmFileHook(FileStep::kWrite,
              [&] { std::filesystem::rename(FsPath(next), FsPath(path)); });
  editor.OnSave();
  EXPECT_EQ(view.status,
            "Not saved: \"sample.gbc\" was replaced by another program while "
            "Tivok wrote: the 1 byte written went into the file that was "
            "replaced, and the image at \"sample.gbc\" was not changed.");
  EXPECT_EQ(ReadAll(path), MakeSampleImage());
  EXPECT_EQ(view.slots[0], "1 (22)");

  ArmFileHook(FileStep::kWrite,
              [&] { std::filesystem::resize_file(FsPath(path), 0); });
  editor.OnSave();
  EXPECT_EQ(view.status,
            "Not saved: slot 1 of Portal Shop, offset 0x2478C, lies past the "
            "end of \"sample.gbc\": the file has only 0 bytes, and it is never "
            "lengthened; nothing was written to \"sample.gbc\".");
  EXPECT_EQ(std::filesystem::file_size(FsPath(path)), 0u);
  ASSERT_EQ(view.messages.size(), 2u);
  EXPECT_EQ(view.messages[1].title, "Error Saving");
  EXPECT_EQ(view.undo_text, "");
}
#endif

// Only codes that are in the file are listed: a store cut short by the end
// of the file lists the slots before it, an unreadable one none, and the
// status line says which slots are missing and why.
TEST_F(StoreEditorTest, ListsOnlyTheSlotsTheFileHolds) {
  const std::string path = dir.WriteSample("sample.gbc");
  Open(path);
  ChooseStore(kPortal);
  ChooseSlot(6);
  std::filesystem::resize_file(FsPath(path), 0x24790);
  ChooseStore(kBeginner);
  EXPECT_THAT(view.status, Not(HasSubstr("not listed")));
  ChooseStore(kPortal);
  EXPECT_THAT(view.slots, ElementsAre("1 (22)", "2 (23)", "3 (24)", "4 (25)"));
  EXPECT_EQ(view.slot_selection, -1);  // slot 7 is not listed
  const std::string note =
      " Slots 5 to 8 of Portal Shop could not be read and are not listed: "
      "the file has only 149392 bytes.";
  EXPECT_THAT(view.status, EndsWith(note));
  ChooseSlot(3);
  EXPECT_EQ(editor.state().SlotAddress, "&H24790");
  ChooseItem(kHerb);
  EXPECT_THAT(view.status, EndsWith(note));

  std::filesystem::resize_file(FsPath(path), 0x200);
  ChooseStore(kThird);
  EXPECT_TRUE(view.slots.empty());
  EXPECT_THAT(view.status, EndsWith(" Slots 1 to 7 of Third (Bottom Middle) "
                                    "Shop could not be read and are not "
                                    "listed: the file has only 512 bytes."));
  // A failing disk: nothing listed, the system's reason given.
  std::filesystem::remove(FsPath(path));
  dir.WriteSample("sample.gbc");
  ArmFileFault(FileStep::kRead);
  ChooseStore(kBook);
  DisarmFileFaults();
  EXPECT_TRUE(view.slots.empty());
  EXPECT_THAT(view.status, HasSubstr("Slots 1 to 6 of Book (Bottom Left) Shop "
                                     "could not be read and are not listed: "
                                     "cannot read \"sample.gbc\": "));
  EXPECT_THAT(view.status, Not(HasSubstr(dir.path())));
  // Once the store can be read again the note goes.
  ChooseStore(kBook);
  EXPECT_EQ(view.slots.size(), 6u);
  EXPECT_THAT(view.status, Not(HasSubstr("not listed")));
  EXPECT_TRUE(view.messages.empty());
}

// An image that cannot be written is said to be so at once; Save still
// tries, and fails with one box.
TEST_F(StoreEditorTest, SaysAtLoadThatAnImageCannotBeSaved) {
  const std::string path = dir.WriteSample("sample.gbc");
  ArmFileFault(FileStep::kOpenForWriting);
  Open(path);
  DisarmFileFaults();
  EXPECT_THAT(view.status,
              EndsWith(" \"sample.gbc\" can be viewed but not saved: " +
                       NoAccessReason() + "."));
  ChooseSlot(0);
  EXPECT_THAT(view.status, HasSubstr("can be viewed but not saved"));
  ArmFileFault(FileStep::kOpenForWriting);
  editor.OnSave();
  DisarmFileFaults();
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].title, "Error Saving");
  EXPECT_EQ(ReadAll(path), MakeSampleImage());
  // A save that goes through shows the note was out of date.
  editor.OnSave();
  EXPECT_THAT(view.status, Not(HasSubstr("can be viewed")));
}

}  // namespace
}  // namespace tivok
