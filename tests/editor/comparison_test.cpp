// Comparing the open image with a clean one, and exporting layouts.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "compare/store_patch.h"
#include "editor/store_editor_fixture.h"
#include "layout/layout.h"
#include "rom/patch.h"
#include "rom/store_read.h"
#include "sample_image.h"
#include "support/sample_stores.h"
#include "support/temp_dir.h"

namespace tivok::testing {
namespace {

using ::testing::Contains;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::StartsWith;

// The store editor comparing "mine.gbc", whose Beginner's slot 2 holds
// Sirloin, with the sample "clean.gbc".
class CompareTest : public StoreEditorTest {
 protected:
  void SetUp() override {
    clean = dir.WriteSample("clean.gbc");
    mine = dir.Write("mine.gbc", SampleWith({{At(kBeginner, 2), 0x17}}));
    Open(mine);
    CompareWith(clean);
  }
  void CompareWith(const std::string& path) {
    view.clean_answers.push_back(path);
    editor.OnCompareWith();
  }

  std::string clean, mine;
};

TEST_F(CompareTest, MarksAndCountsFollowWritesAndOutsideChanges) {
  EXPECT_THAT(view.slot_cleans,
              ElementsAre("", "Lovewater", "", "", "", "", "", ""));
  EXPECT_EQ(view.slot_accessible[1],
            "2 (17): Sirloin; the clean image holds Lovewater (2)");
  EXPECT_THAT(view.status, StartsWith("Compared with \"clean.gbc\": 1 slot "
                                      "differs (Beginner's (Top Left) Shop "
                                      "1)."));
  ChooseSlot(3);
  ChooseItem(kHerb);
  editor.OnSave();
  EXPECT_EQ(view.slot_cleans[3], "World Dew");
  EXPECT_THAT(view.status, HasSubstr(" 2 slots differ (Beginner's (Top "
                                     "Left) Shop 2)."));
  editor.OnUndo();
  EXPECT_EQ(view.slot_cleans[3], "");
  // Another program puts the clean item back, and changes another store.
  {
    std::fstream file(FsPath(mine),
                      std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(At(kBeginner, 2));
    file.put(2);
    file.seekp(At(kPortal, 1));
    file.put(0);
  }
  editor.OnImageChanged();
  EXPECT_THAT(view.slot_cleans, Each(""));
  EXPECT_THAT(view.status, HasSubstr(" 1 slot differs (Portal Shop 1)."));

  editor.OnStopComparing();
  EXPECT_FALSE(view.comparing);
  EXPECT_THAT(view.remembered, IsEmpty());
  ChooseStore(kPortal);
  EXPECT_THAT(view.slot_cleans, Each(""));
}

// A clean image that another program changes is read again on File, Reload
// or once the watcher tells, and the status says what changed in it. The
// exports come from that read, whatever the file holds later, so a patch
// holds the slots that the status counts.
TEST_F(CompareTest, TheCleanImageIsReadAgainAndTheExportsFollowThatRead) {
  EXPECT_EQ(view.watched_clean, clean);
  WriteAsAnotherProgram(clean, At(kPortal, 1), 0x00);
  WriteAsAnotherProgram(clean, At(kPortal, 2), 0x01);
  editor.OnReload();
  EXPECT_THAT(view.status,
              StartsWith("Another program changed the clean image "
                         "\"clean.gbc\": slot 1 of Portal Shop: Cheater BK "
                         "(22) is now Null (0); slot 2 of Portal Shop: Smart "
                         "BK (23) is now Herb (1). Compared with "
                         "\"clean.gbc\": 3 slots differ (Beginner's (Top "
                         "Left) Shop 1, Portal Shop 2)."));
  const std::vector<std::uint8_t> shown = ReadAll(clean);
  // Changed again, but not yet told: the exports hold what the window
  // shows.
  WriteAsAnotherProgram(clean, At(kPortal, 3), 0x00);
  view.export_answers.push_back(dir.File("mine.ips"));
  editor.OnExportPatch();
  EXPECT_THAT(view.status, StartsWith("Exported an IPS patch of 3 slots"));
  const std::string was = dir.Write("was.gbc", shown);
  EXPECT_EQ(ReadAll(dir.File("mine.ips")),
            MakeStorePatch(was, mine, PatchFormat::kIps).bytes);
  view.choice_answers.push_back(1);
  view.export_answers.push_back(dir.File("mine.csv"));
  editor.OnExportLayout();
  EXPECT_THAT(view.status, StartsWith("Exported the layout of the 3 slots"));
  // A BPS patch made for the clean image as shown is read against that
  // read too: the file's CRC32 no longer matches, the read's does.
  const std::string bps = dir.Write(
      "potion.bps", BpsPatch(shown, {{At(kBeginner, 1), std::nullopt, 0x05}}));
  editor.ApplyLayoutFile(bps);
  ASSERT_EQ(view.previews.size(), 1u) << view.status;
  EXPECT_EQ(view.previews[0].rows.size(), 1u);

  // Told by the watcher: a change outside the stores, then nothing new.
  editor.OnCleanImageChanged();
  EXPECT_THAT(view.status, HasSubstr("(24) is now Null (0). Compared with "
                                     "\"clean.gbc\": 4 slots differ"));
  WriteAsAnotherProgram(clean, 0x200, 0xAA);
  editor.OnCleanImageChanged();
  EXPECT_THAT(view.status, StartsWith("Another program changed the clean "
                                      "image \"clean.gbc\", but none of its "
                                      "store slots. Compared with"));
  view.status.clear();
  editor.OnCleanImageChanged();
  EXPECT_EQ(view.status, "");
  std::filesystem::remove(FsPath(clean));
  editor.OnCleanImageChanged();
  EXPECT_THAT(view.status,
              StartsWith("The clean image \"clean.gbc\" can no longer be "
                         "compared with: there is no such file. The "
                         "comparison is forgotten."));
  EXPECT_FALSE(view.comparing);
  EXPECT_EQ(view.watched_clean, "");
  EXPECT_THAT(view.remembered, IsEmpty());
}

// Reopening the image compares it again, until the clean image is gone:
// that is said once, and forgotten. A refused clean image keeps the
// comparison there was.
TEST_F(CompareTest, ReopeningComparesAgainUntilTheCleanImageIsGone) {
  std::filesystem::create_hard_link(FsPath(mine), FsPath(dir.File("link.gbc")));
  CompareWith(dir.File("link.gbc"));
  EXPECT_EQ(view.messages.back().text,
            "\"link.gbc\" is the open image itself. Compare With takes "
            "another copy of the game, such as the clean image that it was "
            "made from.");
  CompareWith(dir.File("gone.gbc"));
  EXPECT_EQ(view.messages.back().title, "Cannot Compare");
  Open(clean);
  EXPECT_FALSE(view.comparing);
  Open(mine);
  EXPECT_EQ(view.slot_cleans[1], "Lovewater");

  std::filesystem::remove(FsPath(clean));
  Open(mine);
  EXPECT_FALSE(view.comparing);
  EXPECT_THAT(view.status,
              StartsWith("The clean image \"clean.gbc\" can no longer be "
                         "compared with: there is no such file. The comparison "
                         "is forgotten."));
  Open(mine);
  EXPECT_THAT(view.status, Not(HasSubstr("clean.gbc")));
}

// An export holds every slot as the file holds it, or the differing ones
// with the clean items as was, and never replaces an image or a file that
// is no layout.
TEST_F(CompareTest, ExportsEverySlotOrTheDifferingOnes) {
  const std::string csv = dir.File("mine.csv");
  const ImageStores image = ReadImageStores(mine);
  const ImageStores original = ReadImageStores(clean);
  for (const int choice : {0, 1}) {
    view.choice_answers.push_back(choice);
    view.export_answers.push_back(csv);
    editor.OnExportLayout();
    EXPECT_THAT(view.log, Contains("ChooseExportFile " + csv));
    const std::vector<std::uint8_t> text = ReadAll(csv);
    const Layout layout = ReadLayout(std::string(text.begin(), text.end()));
    ASSERT_THAT(layout.errors, IsEmpty());
    ASSERT_EQ(layout.wishes.size(), choice == 0 ? 37u : 1u);
    // Applied to the same image, the layout changes nothing.
    for (const SlotWish& wish : layout.wishes) {
      const int slot = wish.slot;
      EXPECT_EQ(wish.code, image.Of(*wish.store).CodeOf(slot));
      EXPECT_EQ(wish.was, choice == 1 ? original.Of(*wish.store).CodeOf(slot)
                                      : std::optional<int>());
    }
  }
  EXPECT_THAT(view.status, StartsWith("Exported the layout of the 1 slot that "
                                      "differs from \"clean.gbc\" to "
                                      "\"mine.csv\"."));

  const std::vector<std::uint8_t> bytes = ReadAll(mine);
  view.export_answers.push_back(mine);
  view.choice_answers.push_back(0);
  editor.OnExportLayout();
  EXPECT_EQ(view.messages.back().text,
            "The layout was not exported to \"mine.gbc\": it is the cartridge "
            "image \"mine.gbc\", and an export never replaces a cartridge "
            "image; nothing was written.");
  EXPECT_EQ(ReadAll(mine), bytes);
  // A file that is no layout is not replaced by one.
  const std::string notes = dir.Write("notes.csv", {'a', ',', 'b', '\n'});
  view.export_answers.push_back(notes);
  view.choice_answers.push_back(0);
  editor.OnExportLayout();
  EXPECT_THAT(view.messages.back().text,
              HasSubstr("it holds something other than a layout"));
  EXPECT_EQ(ReadAll(notes), (std::vector<std::uint8_t>{'a', ',', 'b', '\n'}));
  // Cancelling the question shows no dialog.
  view.log.clear();
  editor.OnExportLayout();
  EXPECT_THAT(view.log, ElementsAre("AskChoice Export Layout: &All Slots "
                                    "&Differing Slots"));
  // A slot whose new code is no item gets no row, and the status says so.
  WriteAsAnotherProgram(mine, At(kPortal, 1), 0xC8);
  view.choice_answers.push_back(1);
  view.export_answers.push_back(csv);
  editor.OnExportLayout();
  EXPECT_THAT(view.status,
              HasSubstr("Exported the layout of the 1 slot that differs from "
                        "\"clean.gbc\" to \"mine.csv\". Slot 1 of Portal "
                        "Shop, offset 0x2478C: \"mine.gbc\" holds an unknown "
                        "item (0xC8), which a layout keeps but never writes; "
                        "the row is left out."));
}

// A patch goes against the clean image compared with, or one chosen when
// there is none; its bytes are those tivok-cli diff writes, and it is never
// written over an image.
TEST_F(CompareTest, ExportsAPatchAgainstTheCleanImage) {
  const std::string bps = dir.File("mine.bps");
  view.export_answers.push_back(bps);
  editor.OnExportPatch();
  EXPECT_THAT(view.log, Contains("ChoosePatchFile " + dir.File("mine.ips")));
  EXPECT_EQ(ReadAll(bps), MakeStorePatch(clean, mine, PatchFormat::kBps).bytes);
  EXPECT_THAT(view.status,
              StartsWith("Exported a BPS patch of 1 slot and the global "
                         "checksum (36 bytes) against \"clean.gbc\" to "
                         "\"mine.bps\"."));

  const std::vector<std::uint8_t> bytes = ReadAll(clean);
  view.export_answers.push_back(clean);
  editor.OnExportPatch();
  EXPECT_EQ(view.messages.back().text,
            "The IPS patch was not exported to \"clean.gbc\": it is the "
            "cartridge image \"clean.gbc\", and an export never replaces a "
            "cartridge image; nothing was written.");
  EXPECT_EQ(ReadAll(clean), bytes);

  editor.OnStopComparing();
  view.clean_answers.push_back(clean);
  view.export_answers.push_back(dir.File("mine.ips"));
  editor.OnExportPatch();
  EXPECT_EQ(ReadAll(dir.File("mine.ips")),
            MakeStorePatch(clean, mine, PatchFormat::kIps).bytes);
}

}  // namespace
}  // namespace tivok::testing
