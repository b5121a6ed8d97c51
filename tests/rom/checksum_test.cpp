#include "rom/checksum.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "rom/image_write.h"
#include "sample_image.h"
#include "support/temp_dir.h"

namespace tivok {
namespace {

using ::tivok::testing::ReadAll;
using ::tivok::testing::TempDir;

// Offsets of the sample image: a Portal Shop slot and a header byte that
// the header checksum covers.
constexpr std::size_t kSlot = 0x2478D;
constexpr std::size_t kHeaderByte = 0x140;

void Apply(std::vector<std::uint8_t>& image,
           const std::vector<ByteChange>& changes) {
  for (const ByteChange& change : changes) {
    image[static_cast<std::size_t>(change.offset)] = change.value;
  }
}

// A file read in chunks, the last one short: right for the sample, and a
// header or sum that no longer matches after a change.
TEST(Checksum, ReadsTheFileAsItsBytesGiveThem) {
  TempDir dir;
  std::vector<std::uint8_t> image = MakeSampleImage(0x30003);
  const ImageChecksums sample =
      ReadImageChecksums(dir.Write("sample.gbc", image));
  EXPECT_EQ(sample.title, RomFile::kAcceptedTitle);
  EXPECT_TRUE(sample.checksums.header_right());
  EXPECT_TRUE(sample.checksums.global_right());

  const int slot_was = image[kSlot];
  const int header_was = image[kHeaderByte];
  image[kSlot] = 0x17;
  image[kHeaderByte] = 'X';
  const Checksums changed =
      ReadImageChecksums(dir.Write("changed.gbc", image)).checksums;
  EXPECT_EQ(changed.header_stored, sample.checksums.header_stored);
  EXPECT_EQ(changed.header_computed,
            static_cast<std::uint8_t>(sample.checksums.header_computed -
                                      ('X' - header_was)));
  EXPECT_EQ(changed.global_stored, sample.checksums.global_stored);
  EXPECT_EQ(changed.global_computed,
            static_cast<std::uint16_t>(sample.checksums.global_stored + 0x17 -
                                       slot_was + 'X' - header_was));
}

// The two bytes added to a write make the image's sum match again, and
// expect the checksum that is there; changes that cannot be summed are
// refused.
TEST(Checksum, AddsTheChecksumThatTheChangesLeaveRight) {
  std::vector<std::uint8_t> image = MakeSampleImage();
  image[kSlot] = 0x17;  // a save that left the checksum stale
  const Checksums stale = ChecksumsOf(image);
  ASSERT_FALSE(stale.global_right());
  const std::vector<ByteChange> slots = {
      {kSlot, image[kSlot], 0x2B},
      {0x2476B, image[0x2476B], 0x00},
  };
  for (const std::vector<ByteChange>& changes :
       {std::vector<ByteChange>{}, slots}) {
    const std::vector<ByteChange> all = WithGlobalChecksum(changes, stale);
    ASSERT_EQ(all.size(), changes.size() + 2);
    EXPECT_EQ(all[changes.size()].offset, 0x14E);
    EXPECT_EQ(all[changes.size()].expected, image[0x14E]);
    EXPECT_EQ(all[changes.size() + 1].offset, 0x14F);
    EXPECT_EQ(all[changes.size() + 1].expected, image[0x14F]);
    std::vector<std::uint8_t> written = image;
    Apply(written, all);
    EXPECT_TRUE(ChecksumsOf(written).global_right()) << changes.size();
  }
  const std::vector<ByteChange> refused[] = {
      {{kSlot, std::nullopt, 0x2B}},
      {{0x14E, image[0x14E], 0}},
      {{kSlot, 0x17, 0x2B}, {kSlot, 0x2B, 0x01}},
  };
  for (const std::vector<ByteChange>& changes : refused) {
    EXPECT_THROW(WithGlobalChecksum(changes, stale), std::invalid_argument);
  }
}

// A write that fixes the checksum adds its two bytes, expecting the stored
// ones, computed on the open file with the changes made: the image's sum
// matches after it, and only the bytes asked for and the checksum's
// change. The request's own change to a checksum byte gives way.
TEST(Checksum, AWriteCanLeaveTheChecksumRight) {
  TempDir dir;
  std::vector<std::uint8_t> image = MakeSampleImage();
  image[kSlot] = 0x17;  // a save that left the checksum stale
  const std::string path = dir.Write("stale.gbc", image);
  ASSERT_FALSE(ChecksumsOf(image).global_right());
  const std::vector<ByteChange> slots = {
      {kSlot, std::nullopt, 0x2B},
      {0x2476B, image[0x2476B], 0x00},
      {0x14E, std::nullopt, 0x00},
  };
  for (const std::vector<ByteChange>& changes :
       {std::vector<ByteChange>{}, slots}) {
    const std::vector<std::uint8_t> before = ReadAll(path);
    const WriteReport report = WriteBytes({path, changes, false, false, true});
    ASSERT_TRUE(report.ok());
    ASSERT_EQ(report.changes.size(), changes.size() + 2);
    EXPECT_EQ(report.changes[changes.size()].offset, 0x14E);
    EXPECT_EQ(report.changes[changes.size()].expected, before[0x14E]);
    EXPECT_EQ(report.changes[changes.size() + 1].offset, 0x14F);
    const std::vector<std::uint8_t> after = ReadAll(path);
    EXPECT_TRUE(ChecksumsOf(after).global_right()) << changes.size();
    std::vector<std::uint8_t> expected = before;
    Apply(expected, report.changes);
    expected[0x14E] = after[0x14E];
    expected[0x14F] = after[0x14F];
    EXPECT_EQ(after, expected);
  }
}

}  // namespace
}  // namespace tivok
