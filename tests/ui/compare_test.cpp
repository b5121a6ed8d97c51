// Comparing with a clean image and exporting layouts, through the window's
// File menu.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QHeaderView>
#include <QScrollBar>
#include <QTest>
#include <fstream>

#include "compare/store_patch.h"
#include "layout/layout.h"
#include "rom/store_read.h"
#include "sample_image.h"
#include "window_test.h"

namespace tivok::testing {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::SizeIs;

constexpr std::size_t kBeginnerSlot2Offset = 0x2476C;

// "mine.gbc", whose Beginner's slot 2 holds Sirloin, open in the window,
// and the sample "clean.gbc" beside it.
class CompareWindowTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    clean = dir.WriteSample("clean.gbc");
    std::vector<std::uint8_t> image = MakeSampleImage();
    image[kBeginnerSlot2Offset] = 0x17;
    path = dir.Write("mine.gbc", image);
    Open(path);
    Settle();
  }

  // Chooses the File menu's entry `name`, answering its file dialog with
  // `file` and its question with the button `button`; returns what came up.
  std::vector<ModalSeen> Choose(const char* name,
                                const std::optional<std::string>& file,
                                const QString& button = {}) {
    ModalAnswerer answerer(
        file ? std::optional(QFile::decodeName(file->c_str())) : std::nullopt,
        button);
    Find<QAction>(name)->trigger();
    Reactivate();
    return answerer.seen();
  }

  // The layout in the file at `csv`.
  static Layout LayoutIn(const std::string& csv) {
    const std::vector<std::uint8_t> text = ReadAll(csv);
    return ReadLayout(std::string(text.begin(), text.end()));
  }

  std::string clean, path;
};

// The Clean column shows only while comparing, and names the clean item of
// exactly the slots that differ, also after a save and on reopening.
TEST_F(CompareWindowTest, CompareWithMarksTheChangedSlots) {
  const QSize plain = window.size();
  auto* stop = Find<QAction>("StopComparing");
  EXPECT_FALSE(stop->isEnabled());
  const std::vector<ModalSeen> seen = Choose("CompareWith", clean);
  ASSERT_THAT(seen, SizeIs(1));
  EXPECT_EQ(seen[0].title, "Compare With");
  EXPECT_EQ(seen[0].directory, QFile::decodeName(dir.path().c_str()));
  EXPECT_EQ(Slots()->headerItem()->text(2), "Clean");
  EXPECT_THAT(Entries(Slots(), 2),
              ElementsAre("", "Lovewater", "", "", "", "", "", ""));
  EXPECT_TRUE(stop->isEnabled());
  // The window makes room for the column.
  Settle();
  EXPECT_GT(window.width(), plain.width());
  EXPECT_EQ(Slots()->horizontalScrollBar()->maximum(), 0);

  ClickSlot(3);
  EXPECT_THAT(PressSave(), IsEmpty());  // Null over World Dew
  EXPECT_EQ(Entries(Slots(), 2)[3], "World Dew");
  EXPECT_TRUE(Status().contains(" 2 slots differ (")) << Status().toStdString();
  window.OpenFile(clean);
  EXPECT_TRUE(Slots()->isColumnHidden(2));
  window.OpenFile(path);
  EXPECT_EQ(Entries(Slots(), 2)[3], "World Dew");

  EXPECT_THAT(Choose("StopComparing", std::nullopt), IsEmpty());
  EXPECT_TRUE(Slots()->isColumnHidden(2));
  EXPECT_FALSE(stop->isEnabled());
  Settle();
  EXPECT_EQ(window.size(), plain);
  window.OpenFile(path);
  EXPECT_TRUE(Slots()->isColumnHidden(2));
}

// An export of every slot applies to the same image as nothing to change;
// while comparing, the differing slots alone can be exported, with was.
TEST_F(CompareWindowTest, ExportLayoutWritesWhatTheImageHolds) {
  std::vector<ModalSeen> seen = Choose("ExportLayout", dir.File("all.csv"));
  ASSERT_THAT(seen, SizeIs(1));
  EXPECT_THAT(seen[0].name_filters, ElementsAre("CSV layouts (*.csv)"));
  EXPECT_THAT(seen[0].selected_files,
              ElementsAre(QFile::decodeName(dir.File("mine.csv").c_str())));
  Layout layout = LayoutIn(dir.File("all.csv"));
  ASSERT_THAT(layout.wishes, SizeIs(37));
  const ImageStores image = ReadImageStores(path);
  for (const SlotWish& wish : layout.wishes) {
    EXPECT_EQ(wish.code, image.Of(*wish.store).CodeOf(wish.slot));
  }

  Choose("CompareWith", clean);
  seen = Choose("ExportLayout", dir.File("differing.csv"), "Differing Slots");
  ASSERT_THAT(seen, SizeIs(2));
  EXPECT_EQ(seen[0].buttons, 3);
  layout = LayoutIn(dir.File("differing.csv"));
  ASSERT_THAT(layout.wishes, SizeIs(1));
  EXPECT_EQ(layout.wishes[0].was, 2);
}

// The clean image is watched as the open image is: another program's
// change reaches the marks and the status line on its own.
TEST_F(CompareWindowTest, TheCleanImageIsWatched) {
  Choose("CompareWith", clean);
  {
    std::fstream other(FsPath(clean),
                       std::ios::in | std::ios::out | std::ios::binary);
    other.seekp(kBeginnerSlot2Offset);
    other.put('\x17');
  }
  const QString news =
      "Another program changed the clean image \"clean.gbc\": slot 2 of "
      "Beginner's (Top Left) Shop: Lovewater (2) is now Sirloin (17). "
      "Compared with \"clean.gbc\": no slot differs.";
  EXPECT_TRUE(QTest::qWaitFor([&] { return Status().startsWith(news); }))
      << Status().toStdString();
  EXPECT_THAT(Entries(Slots(), 2), Each(""));
}

// File, Export Patch... offers IPS and BPS and writes the patch that
// tivok-cli diff writes against the clean image compared with.
TEST_F(CompareWindowTest, ExportPatchWritesThePatchOfTheSlots) {
  Choose("CompareWith", clean);
  const std::vector<ModalSeen> seen =
      Choose("ExportPatch", dir.File("mine.ips"));
  ASSERT_THAT(seen, SizeIs(1));
  EXPECT_THAT(seen[0].name_filters,
              ElementsAre("IPS patches (*.ips)", "BPS patches (*.bps)"));
  EXPECT_EQ(ReadAll(dir.File("mine.ips")),
            MakeStorePatch(clean, path, PatchFormat::kIps).bytes);
}

}  // namespace
}  // namespace tivok::testing
