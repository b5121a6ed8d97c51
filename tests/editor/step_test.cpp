// Steps of the history that change several bytes: a checksum fix, a save
// that keeps the checksum right, a layout applied in one write.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "editor/image_saves.h"
#include "editor/store_editor_fixture.h"
#include "rom/checksum.h"
#include "sample_image.h"

namespace tivok::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

bool ChecksumRight(const std::string& path) {
  return ReadImageChecksums(path).checksums.global_right();
}

// The sample with Herb saved into Portal slot 3.
class StepTest : public StoreEditorTest {
 protected:
  void SaveHerb() {
    Open(path);
    ChooseStore(kPortal);
    ChooseSlot(2);
    ChooseItem(kHerb);
    editor.OnSave();
  }

  std::string path = dir.WriteSample("sample.gbc");
};

// The fix writes only the checksum's two bytes, as one step that Undo
// takes back to the stale value; Fix is offered, and the mark shown, only
// while it is stale. The status line says what the save did, not that.
TEST_F(StepTest, FixingTheChecksumIsOneStep) {
  SaveHerb();
  const std::vector<std::uint8_t> stale = ReadAll(path);
  ASSERT_FALSE(ChecksumRight(path));
  EXPECT_TRUE(view.fix_checksum_enabled);
  EXPECT_EQ(view.checksum_mark, "Checksum stale");
  EXPECT_EQ(view.checksum_explanation,
            "The global checksum is stale: hardware does not check it, but "
            "some emulators warn when they start the image. Edit, Fix "
            "Cartridge Checksum sets it right.");
  EXPECT_THAT(view.status, Not(HasSubstr("checksum")));
  editor.OnFixChecksum();
  EXPECT_EQ(view.checksum_mark, "");
  EXPECT_TRUE(ChecksumRight(path));
  std::vector<std::uint8_t> fixed = stale;
  fixed[0x14E] = ReadAll(path)[0x14E];
  fixed[0x14F] = ReadAll(path)[0x14F];
  EXPECT_EQ(ReadAll(path), fixed);
  EXPECT_FALSE(view.fix_checksum_enabled);
  EXPECT_EQ(view.undo_text, "Undo Fix Cartridge Checksum");
  EXPECT_THAT(view.status, StartsWith("Fixed the cartridge's global checksum"));
  editor.OnUndo();
  EXPECT_EQ(ReadAll(path), stale);
  EXPECT_TRUE(view.fix_checksum_enabled);
  EXPECT_EQ(view.checksum_mark, "Checksum stale");
  EXPECT_EQ(view.undo_text, "Undo Save Herb to Slot 3 of Portal Shop");
  editor.OnRedo();
  EXPECT_EQ(ReadAll(path), fixed);
}

// A fix that writes only the high byte, the low one being right already,
// withdraws the mark too.
TEST_F(StepTest, AFixOfTheHighByteAlone) {
  const std::vector<std::uint8_t> right = MakeSampleImage();
  WriteAsAnotherProgram(path, 0x14E, right[0x14E] ^ 0x80);
  Open(path);
  ASSERT_EQ(view.checksum_mark, "Checksum stale");
  editor.OnFixChecksum();
  EXPECT_EQ(ReadAll(path), right);
  EXPECT_EQ(view.checksum_mark, "");
}

// Kept right, every save, undo and redo leaves the checksum matching, and
// the save's step holds the checksum's bytes too.
TEST_F(StepTest, KeepingTheChecksumRightCoversEveryWrite) {
  view.keep_checksum_right = true;
  SaveHerb();
  EXPECT_TRUE(ChecksumRight(path));
  EXPECT_EQ(ReadAll(path)[0x2478E], kHerb);
  EXPECT_THAT(view.status, HasSubstr("The global checksum was kept right."));
  editor.OnUndo();
  EXPECT_EQ(ReadAll(path), MakeSampleImage());
  editor.OnRedo();
  EXPECT_TRUE(ChecksumRight(path));
  // Undone without keeping it right, the save's checksum goes back too.
  view.keep_checksum_right = false;
  editor.OnUndo();
  EXPECT_EQ(ReadAll(path), MakeSampleImage());
}

// A layout's bytes are written, undone and redone in one write each; a
// byte another program changed meanwhile stops the undo whole.
TEST_F(StepTest, ALayoutIsUndoneWhole) {
  ImageSaves saves;
  const std::vector<ByteChange> changes = {
      {0x2476B, 1, 0x17}, {0x2478C, 34, 0x05}, {0x2478D, 35, 0x05}};
  const SaveResult applied =
      saves.ApplyLayout(path, "/x/shops.csv", changes, false);
  ASSERT_TRUE(applied.report.ok());
  ASSERT_NE(saves.NextUndo(), nullptr);
  EXPECT_EQ(saves.NextUndo()->SlotCount(), 3);
  std::vector<std::uint8_t> written = MakeSampleImage();
  for (const ByteChange& change : changes) {
    written[static_cast<std::size_t>(change.offset)] = change.value;
  }
  EXPECT_EQ(ReadAll(path), written);
  ASSERT_TRUE(saves.Undo()->report.ok());
  EXPECT_EQ(ReadAll(path), MakeSampleImage());
  ASSERT_TRUE(saves.Redo()->report.ok());
  EXPECT_EQ(ReadAll(path), written);

  std::vector<std::uint8_t> other = written;
  other[0x2478C] = 0x09;
  std::filesystem::remove(FsPath(path));
  dir.Write("sample.gbc", other);
  const std::optional<SaveResult> refused = saves.Undo();
  EXPECT_TRUE(refused->dropped);
  EXPECT_EQ(ReadAll(path), other);
  EXPECT_EQ(saves.NextUndo(), nullptr);
}

}  // namespace
}  // namespace tivok::testing
