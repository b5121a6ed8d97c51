// The clean image that the open image is compared with.

#include "compare/comparison.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "compare/store_patch.h"
#include "rom/store_read.h"
#include "sample_image.h"
#include "support/sample_stores.h"
#include "support/temp_dir.h"

namespace tivok::testing {
namespace {

TEST(ComparisonTest, CountsTheDifferingSlotsOfEachStore) {
  TempDir dir;
  Comparison comparison;
  ASSERT_EQ(comparison.Start(dir.WriteSample("clean.gbc")), "");
  const struct {
    std::vector<std::pair<FileOffset, std::uint8_t>> changes;
    std::string note;
  } cases[] = {
      {{}, "no slot differs."},
      {{{At(kPortal, 8), 0x17}}, "1 slot differs (Portal Shop 1)."},
      {{{At(kPortal, 1), 0x17}, {At(kBeginner, 2), 0}, {At(kBeginner, 8), 9}},
       "3 slots differ (Beginner's (Top Left) Shop 2, Portal Shop 1)."},
  };
  int n = 0;
  for (const auto& c : cases) {
    const std::string path =
        dir.Write("mine" + std::to_string(n++) + ".gbc", SampleWith(c.changes));
    EXPECT_EQ(comparison.Note(ReadImageStores(path)),
              "Compared with \"clean.gbc\": " + c.note);
  }
}

// A clean image that cannot be compared with is refused, saying why, and
// the comparison stays as it was.
TEST(ComparisonTest, RefusesMissingForeignAndShortCleanImages) {
  TempDir dir;
  std::vector<std::uint8_t> foreign = MakeSampleImage();
  foreign[0x134] = 'X';
  const struct {
    std::string path;
    std::string reason;
  } cases[] = {
      {dir.File("gone.gbc"), "there is no such file"},
      {dir.Write("foreign.gbc", foreign),
       "it is not a Dragon Warrior Monsters image (its header title is "
       "\"XRAGON WMONAWQE\", not \"DRAGON WMONAWQE\")"},
      {dir.Write("short.gbc", MakeSampleImage(0x24790)),
       "it is too short for the stores (slots 5 to 8 of Portal Shop could "
       "not be read: the file has only 149392 bytes)"},
  };
  Comparison comparison;
  const std::string clean = dir.WriteSample("clean.gbc");
  ASSERT_EQ(comparison.Start(clean), "");
  for (const auto& c : cases) {
    EXPECT_EQ(comparison.Start(c.path), c.reason);
    EXPECT_EQ(comparison.path(), clean);
  }
}

// A patch needs every compared slot in both images: the slots that either
// lacks are named, and no patch is made. Compared alone, a store that both
// hold makes its patch.
TEST(StorePatchTest, NamesTheSlotsThatEitherImageLacks) {
  TempDir dir;
  const std::string whole = dir.WriteSample("whole.gbc");
  const std::string cut = dir.Write("short.gbc", MakeSampleImage(0x24790));
  const std::string lacks = "slots 5 to 8 of Portal Shop in \"" + cut +
                            "\" cannot be read: the file has only 149392 bytes";
  for (const auto& [clean, image] :
       {std::pair(whole, cut), std::pair(cut, whole)}) {
    const StorePatch patch = MakeStorePatch(clean, image, PatchFormat::kIps);
    EXPECT_EQ(patch.errors, std::vector<std::string>{lacks}) << clean;
    EXPECT_TRUE(patch.bytes.empty());
  }
  EXPECT_TRUE(
      MakeStorePatch(cut, whole, PatchFormat::kBps, &StoreTable::All()[0])
          .ok());
}

}  // namespace
}  // namespace tivok::testing
