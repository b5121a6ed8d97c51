#include "sample_image.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "rom/rom_file.h"
#include "support/temp_dir.h"

namespace tivok {
namespace {

using ::tivok::testing::ReadAll;
using ::tivok::testing::TempDir;

TEST(SampleImage, HasTheTitleValidChecksumsAndKnownCodes) {
  const std::vector<std::uint8_t> image = MakeSampleImage();
  ASSERT_EQ(image.size(), kSampleImageSize);
  EXPECT_EQ(std::string(image.begin() + 0x134, image.begin() + 0x143),
            RomFile::kAcceptedTitle);
  std::uint8_t sum = 0;
  for (std::size_t i = 0x134; i <= 0x14C; ++i) sum = sum - image[i] - 1;
  EXPECT_EQ(image[0x14D], sum);
  // The global checksum, high byte first, sums every other byte; a short
  // image sums its own bytes.
  for (const std::size_t size : {kSampleImageSize, std::size_t{0x24770}}) {
    const std::vector<std::uint8_t> bytes = MakeSampleImage(size);
    unsigned global = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (i != 0x14E && i != 0x14F) global += bytes[i];
    }
    EXPECT_EQ(bytes[0x14E] << 8 | bytes[0x14F], global % 0x10000) << size;
  }
  EXPECT_EQ(image[0x2476A], 0);     // the Beginner's store's read byte
  EXPECT_EQ(image[0x2476B], 1);     // its slot 1
  EXPECT_EQ(image[0x24789], 31);    // the Third store's slot 6
  EXPECT_EQ(image[0x24793], 41);    // the Portal store's slot 8
  EXPECT_EQ(image[0x24769], 0xFF);  // just before the store regions
  EXPECT_EQ(image[0x24794], 0xFF);  // just after them
}

TEST(SampleImage, NeverOverwritesAFile) {
  TempDir dir;
  const std::string path = dir.Write("taken.gbc", {1, 2, 3});
  EXPECT_THROW(WriteNewFile(path, MakeSampleImage()), std::runtime_error);
  EXPECT_EQ(ReadAll(path), (std::vector<std::uint8_t>{1, 2, 3}));
}

}  // namespace
}  // namespace tivok
