// File, Apply Layout...: the preview, one step written, undone and redone
// whole, and the layouts that are refused.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/store_editor_fixture.h"
#include "rom/checksum.h"
#include "sample_image.h"

namespace tivok::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

// Portal slots 3 and 4 and Beginner's slot 2 change; Portal slot 1 holds
// Cheater BK already.
constexpr char kLayout[] =
    "store,slot,item\nportal,3,sirloin\nportal,1,Cheater BK\nbeginner,2,"
    "herb\nportal,4,0x2B\n";

std::vector<std::uint8_t> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

class ApplyLayoutTest : public StoreEditorTest {
 protected:
  void SetUp() override {
    Open(path);
    ChooseStore(kPortal);
    applied[0x2478E] = 0x17;
    applied[0x2476C] = 0x01;
    applied[0x2478F] = 0x2B;
  }
  // File, Apply Layout... with `file` chosen and the preview answered.
  void Apply(const std::string& file, bool apply) {
    view.layout_answers.push_back(file);
    if (!file.empty()) view.preview_answers.push_back(apply);
    editor.OnApplyLayout();
  }

  std::string path = dir.WriteSample("sample.gbc");
  std::string layout = dir.Write("shops.csv", Bytes(kLayout));
  std::vector<std::uint8_t> applied = MakeSampleImage();
};

TEST_F(ApplyLayoutTest, ThePreviewedChangesAreOneStep) {
  EXPECT_TRUE(view.apply_layout_enabled);
  Apply(layout, true);
  EXPECT_THAT(view.log, ::testing::Contains("ChooseLayoutFile " + path));
  ASSERT_EQ(view.previews.size(), 1u);
  const LayoutPreview& preview = view.previews[0];
  EXPECT_EQ(preview.heading,
            "\"shops.csv\" changes 3 slots of \"sample.gbc\". Apply writes "
            "them all in one step, which Edit, Undo takes back; Cancel writes "
            "nothing.");
  EXPECT_EQ(preview.rows.size(), 3u);
  EXPECT_EQ(ReadAll(path), applied);
  EXPECT_EQ(view.slots[2], "3 (17)");
  EXPECT_EQ(
      view.status,
      "Applied shops.csv: wrote 3 slots in one step (slot 3 of Portal "
      "Shop: Sirloin (17), was Comedy BK (24); slot 2 of Beginner's "
      "(Top Left) Shop: Herb (1), was Lovewater (2); slot 4 of Portal "
      "Shop: Bookmark (2B), was Fire Staff (25)). Undo takes them all back.");
  EXPECT_EQ(view.undo_text, "Undo Apply shops.csv (3 slots)");
  editor.OnUndo();
  EXPECT_EQ(ReadAll(path), MakeSampleImage());
  EXPECT_THAT(view.status, StartsWith("Undid Apply shops.csv: 3 slots hold "
                                      "their items from before again"));
  EXPECT_EQ(view.redo_text, "Redo Apply shops.csv (3 slots)");
  editor.OnRedo();
  EXPECT_EQ(ReadAll(path), applied);
  EXPECT_THAT(view.status,
              StartsWith("Redid Apply shops.csv: 3 slots hold the layout's "
                         "items again (slot 3 of Portal Shop: Sirloin (17), "
                         "was Comedy BK (24); "));
  EXPECT_THAT(view.messages, IsEmpty());
}

// A slot that holds Null (code 0) is read, and written, as any other; the
// texts of one slot speak of it alone.
TEST_F(ApplyLayoutTest, WritesIntoASlotThatHoldsNull) {
  WriteAsAnotherProgram(path, 0x2477D, 0x00);  // Book slot 1
  editor.OnImageChanged();
  Apply(dir.Write("null.csv", Bytes("store,slot,item\nbook,1,herb\n")), true);
  EXPECT_EQ(view.status,
            "Applied null.csv: wrote 1 slot in one step (slot 1 of Book "
            "(Bottom Left) Shop: Herb (1), was Null (0)). Undo takes it back.");
  EXPECT_EQ(ReadAll(path)[0x2477D], 0x01);
  editor.OnUndo();
  EXPECT_THAT(view.status, StartsWith("Undid Apply null.csv: 1 slot holds its "
                                      "item from before again (slot 1 "));
  editor.OnRedo();
  EXPECT_THAT(view.status, StartsWith("Redid Apply null.csv: 1 slot holds the "
                                      "layout's item again (slot 1 "));
}

// A cancelled dialog or preview, a layout that changes nothing, and a
// slot that another program changed after the last reading all write
// nothing and add no step.
TEST_F(ApplyLayoutTest, WritesNothingUnlessEverySlotIsAsPreviewed) {
  Apply("", true);
  EXPECT_THAT(view.previews, IsEmpty());
  Apply(layout, false);
  EXPECT_THAT(view.status,
              StartsWith("Did not apply \"shops.csv\": the preview was "
                         "cancelled, and nothing was written. "));
  Apply(dir.Write("same.csv", Bytes("store,slot,code\nportal,1,0x22\n")), true);
  EXPECT_THAT(view.status,
              StartsWith("Nothing to change: \"sample.gbc\" holds the items "
                         "of \"same.csv\" already; nothing was written."));
  EXPECT_EQ(view.previews.size(), 1u);
  EXPECT_EQ(ReadAll(path), MakeSampleImage());

  WriteAsAnotherProgram(path, 0x2478F, 0x05);
  Apply(layout, true);
  EXPECT_THAT(view.status,
              StartsWith("Not applied: slot 4 of Portal Shop, offset 0x2478F, "
                         "holds Potion (5), not Fire Staff (25); nothing was "
                         "written to \"sample.gbc\"."));
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].title, "Error Applying Layout");
  std::vector<std::uint8_t> other = MakeSampleImage();
  other[0x2478F] = 0x05;
  EXPECT_EQ(ReadAll(path), other);
  EXPECT_EQ(view.undo_text, "");
}

// An undo finds a slot that another program changed since: it writes
// nothing, names the slot and drops the layout's step.
TEST_F(ApplyLayoutTest, AnotherProgramsChangeDropsTheStep) {
  Apply(layout, true);
  WriteAsAnotherProgram(path, 0x2476C, 0x09);
  applied[0x2476C] = 0x09;
  editor.OnUndo();
  EXPECT_EQ(ReadAll(path), applied);
  EXPECT_EQ(view.status,
            "Not undone: slot 2 of Beginner's (Top Left) Shop, offset "
            "0x2476C, holds Sky Bell (9), not Herb (1), which Tivok wrote; "
            "another program changed it; nothing was written to "
            "\"sample.gbc\". Tivok drops that step, Apply shops.csv (3 "
            "slots), from its history.");
  EXPECT_EQ(view.undo_text, "");
  EXPECT_EQ(view.redo_text, "");
}

TEST_F(ApplyLayoutTest, KeepingTheChecksumRightCoversTheLayout) {
  view.keep_checksum_right = true;
  Apply(layout, true);
  EXPECT_TRUE(ReadImageChecksums(path).checksums.global_right());
  EXPECT_THAT(view.status, HasSubstr("The global checksum was kept right."));
  editor.OnUndo();
  EXPECT_EQ(ReadAll(path), MakeSampleImage());
}

// A layout that cannot be read, has wrong lines, or has no image to go
// to: the status line and a box say why, by its lines, and nothing is
// written.
TEST_F(ApplyLayoutTest, ARefusedLayoutSaysWhyByItsLines) {
  std::string five_wrong = "store,slot,item\n";
  for (int slot = 1; slot <= 5; ++slot) {
    five_wrong += "portal," + std::to_string(slot) + ",x\n";
  }
  const std::string wrong = dir.Write("wrong.csv", Bytes(five_wrong));
  const std::string why = "no item is called \"x\"; an item is its name";
  editor.ApplyLayoutFile(wrong);
  EXPECT_THAT(view.status,
              StartsWith("Not applied: \"wrong.csv\" is refused, and nothing "
                         "was written: line 2: " +
                         why));
  EXPECT_THAT(view.status, HasSubstr("lists them; line 4: "));
  EXPECT_THAT(view.status, ::testing::EndsWith("; and 2 more lines."));
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_THAT(view.messages[0].text,
              StartsWith("Error applying the layout: \"" + wrong +
                         "\" is refused, and nothing was written:\nline 2: "));
  EXPECT_THAT(view.messages[0].text, HasSubstr("lists them;\nline 6: " + why));

  editor.ApplyLayoutFile(dir.File("gone.csv"));
  EXPECT_THAT(view.status,
              StartsWith("Not applied: cannot read the layout \"gone.csv\": "));
  Open(dir.Write("foreign.gbc", Bytes("not an image")));
  EXPECT_FALSE(view.apply_layout_enabled);
  editor.ApplyLayoutFile(layout);
  EXPECT_EQ(view.status,
            "Not applied: no image is open to apply \"shops.csv\" to; open "
            "one with File, Open... (Ctrl+O) first.");
  EXPECT_THAT(view.previews, IsEmpty());
  EXPECT_EQ(ReadAll(path), MakeSampleImage());
}

}  // namespace
}  // namespace tivok::testing
