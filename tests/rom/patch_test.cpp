#include "rom/patch.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "rom/checksum.h"
#include "rom/patch_read.h"
#include "sample_image.h"

namespace tivok {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Text(std::string_view text) { return Bytes(text.begin(), text.end()); }

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts)
    all.insert(all.end(), part.begin(), part.end());
  return all;
}

// Patchers of their own, as any user's would read the patches.
Bytes ApplyIps(Bytes target, const Bytes& patch) {
  std::size_t i = 5;
  while (i + 3 < patch.size()) {
    const std::size_t at = patch[i] << 16 | patch[i + 1] << 8 | patch[i + 2];
    const std::size_t count = patch[i + 3] << 8 | patch[i + 4];
    std::copy_n(patch.begin() + i + 5, count, target.begin() + at);
    i += 5 + count;
  }
  EXPECT_EQ(Bytes(patch.begin() + i, patch.end()), Text("EOF"));
  return target;
}

Bytes ApplyBps(const Bytes& source, const Bytes& patch) {
  std::size_t i = 4;
  const auto number = [&] {
    std::uint64_t value = 0;
    for (std::uint64_t shift = 1;; shift <<= 7) {
      const std::uint8_t byte = patch[i++];
      value += (byte & 0x7F) * shift;
      if (byte & 0x80) return value;
      value += shift << 7;
    }
  };
  number();
  const std::uint64_t size = number();
  i += number();
  Bytes target;
  while (i < patch.size() - 12) {
    const std::uint64_t action = number();
    const std::size_t count = action / 4 + 1;
    const auto from =
        action % 4 == 0 ? source.begin() + target.size() : patch.begin() + i;
    if (action % 4 != 0) i += count;
    target.insert(target.end(), from, from + count);
  }
  EXPECT_EQ(target.size(), size);
  return target;
}

std::uint32_t LittleEndianAt(const Bytes& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
         static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// Beginner's slot 1 (offset 0x2476B, holding 0x01) and Portal slot 3
// (0x2478E, holding 0x24) of the sample, whose global checksum is 0x8EBE.
TEST(Patch, IpsHoldsTheChangedSlotsAndTheChecksum) {
  const Bytes sample = MakeSampleImage();
  const std::vector<ByteChange> changes = WithGlobalChecksum(
      {{0x2478E, 0x24, 0x03}, {0x2476B, 0x01, 0x17}}, ChecksumsOf(sample));
  // 0x8EBE - 0x01 - 0x24 + 0x17 + 0x03 = 0x8EB3.
  EXPECT_EQ(IpsPatch(sample, changes),
            Concat({Text("PATCH"),
                    {0x00, 0x01, 0x4E, 0x00, 0x02, 0x8E, 0xB3},
                    {0x02, 0x47, 0x6B, 0x00, 0x01, 0x17},
                    {0x02, 0x47, 0x8E, 0x00, 0x01, 0x03},
                    Text("EOF")}));
}

// A record never starts at offset 0x454F46, which reads "EOF": it takes in
// the byte before, from the target, adjacent changes in one record; and a
// run longer than a record goes on in the next.
TEST(Patch, IpsRecordsNeverStartAtEof) {
  Bytes source(0x454F50);
  for (std::size_t i = 0; i < source.size(); ++i) source[i] = i % 251;
  EXPECT_EQ(IpsPatch(source, {{0x454F47, {}, 0xB2}, {0x454F46, {}, 0xB1}}),
            Concat({Text("PATCH"),
                    {0x45, 0x4F, 0x45, 0x00, 0x03,
                     static_cast<std::uint8_t>(0x454F45 % 251), 0xB1, 0xB2},
                    Text("EOF")}));

  // 0xFFFF changes from 0x444F47 fill one record; the two after it begin at
  // "EOF", so their record starts a byte earlier.
  std::vector<ByteChange> run;
  for (FileOffset offset = 0x444F47; offset <= 0x454F47; ++offset) {
    run.push_back({offset, {}, 7});
  }
  const Bytes patch = IpsPatch(source, run);
  ASSERT_EQ(patch.size(), 5 + 5 + 0xFFFF + 5 + 3 + 3);
  EXPECT_EQ(Bytes(patch.begin() + 5, patch.begin() + 10),
            (Bytes{0x44, 0x4F, 0x47, 0xFF, 0xFF}));
  EXPECT_EQ(Bytes(patch.begin() + 0x10009, patch.end() - 3),
            (Bytes{0x45, 0x4F, 0x45, 0x00, 0x03, 7, 7, 7}));
}

// Portal slot 3 made 0x03, and the checksum then 0x8E9D: the actions by
// hand, the CRC32s as zlib gives them.
TEST(Patch, BpsReadsTheSourceAroundTheChangedBytes) {
  const Bytes sample = MakeSampleImage();
  const std::vector<ByteChange> changes =
      WithGlobalChecksum({{0x2478E, 0x24, 0x03}}, ChecksumsOf(sample));
  Bytes target = sample;
  target[0x14E] = 0x8E;
  target[0x14F] = 0x9D;
  target[0x2478E] = 0x03;
  const Bytes patch = BpsPatch(sample, changes);
  const Bytes body = Concat({
      Text("BPS1"),
      {0x00, 0x7F, 0x8E},  // source size 0x40000
      {0x00, 0x7F, 0x8E},  // target size
      {0x80},              // no metadata
      {0x34, 0x89},        // SourceRead 0x14E bytes: 0x14D << 2
      {0x85, 0x8E, 0x9D},  // TargetRead 2 bytes: 1 << 2 | 1
      {0x74, 0x30, 0xA3},  // SourceRead 0x2463E bytes: 0x2463D << 2
      {0x81, 0x03},        // TargetRead 1 byte
      {0x40, 0x42, 0x9A},  // SourceRead 0x1B871 bytes, to the end
  });
  ASSERT_EQ(patch.size(), body.size() + 12);
  EXPECT_EQ(Bytes(patch.begin(), patch.begin() + body.size()), body);
  EXPECT_EQ(LittleEndianAt(patch, body.size()),
            crc32(0, sample.data(), sample.size()));
  EXPECT_EQ(LittleEndianAt(patch, body.size() + 4),
            crc32(0, target.data(), target.size()));
  EXPECT_EQ(LittleEndianAt(patch, body.size() + 8),
            crc32(0, patch.data(), body.size() + 8));
}

// Changes in any order, an offset given twice, runs at both ends of the
// file: both patches give the target, and the target's sum is right.
TEST(Patch, BothGiveTheTargetToAPatcherOfItsOwn) {
  const Bytes sample = MakeSampleImage(0x24800);
  std::vector<ByteChange> changes = WithGlobalChecksum({{0x2478E, 0x24, 0x03},
                                                        {0x2476C, 0x02, 0x11},
                                                        {0x2476B, 0x01, 0x10},
                                                        {0x2478F, 0x25, 0x2B},
                                                        {0x24790, 0x26, 0x00},
                                                        {0, 0xFF, 0x00},
                                                        {0x247FF, 0xFF, 0x42}},
                                                       ChecksumsOf(sample));
  changes.insert(changes.begin(), {0x247FF, {}, 0x99});  // given again later
  Bytes target = sample;
  for (const ByteChange& change : changes) {
    target[static_cast<std::size_t>(change.offset)] = change.value;
  }
  ASSERT_TRUE(ChecksumsOf(target).global_right());
  EXPECT_EQ(ApplyIps(sample, IpsPatch(sample, changes)), target);
  EXPECT_EQ(ApplyBps(sample, BpsPatch(sample, changes)), target);
}

// BPS's numbers, as BpsPatch writes them.
Bytes Number(std::uint64_t value) {
  Bytes bytes;
  for (;; value = (value >> 7) - 1) {
    if (value >> 7 == 0) {
      bytes.push_back(static_cast<std::uint8_t>(0x80 | value));
      return bytes;
    }
    bytes.push_back(value & 0x7F);
  }
}

Bytes LittleEndian(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value),
          static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value >> 16),
          static_cast<std::uint8_t>(value >> 24)};
}

// `body` with the CRC32s of `source`, `target` and itself after it.
Bytes WithCrcs(Bytes body, const Bytes& source, const Bytes& target) {
  body = Concat({body, LittleEndian(crc32(0, source.data(), source.size())),
                 LittleEndian(crc32(0, target.data(), target.size()))});
  return Concat({body, LittleEndian(crc32(0, body.data(), body.size()))});
}

// Patches that other tools write: an IPS run record over Portal slots 1
// and 2, and a record that ends at the image's last byte; a BPS patch that
// copies Beginner's slots 1 and 2 into Portal's from the source, and
// Portal slot 1 into slot 3 from what it has made.
TEST(PatchRead, AppliesPatchesThatOtherToolsWrite) {
  const Bytes sample = MakeSampleImage(0x24800);
  Bytes target = sample;
  target[0x2478C] = target[0x2478D] = 0x05;
  target[0x247FE] = 0xAA;
  target[0x247FF] = 0xBB;
  EXPECT_EQ(ApplyPatch(Concat({Text("PATCH"),
                               {0x02, 0x47, 0x8C, 0x00, 0x00, 0x00, 0x02, 0x05},
                               {0x02, 0x47, 0xFE, 0x00, 0x02, 0xAA, 0xBB},
                               Text("EOF")}),
                       sample, "\"sample.gbc\""),
            target);

  target = sample;
  target[0x2478C] = 0x01;
  target[0x2478D] = 0x02;
  target[0x2478E] = 0x01;
  const Bytes bps = WithCrcs(
      Concat({Text("BPS1"), Number(sample.size()), Number(sample.size()),
              Number(3), Text("x=1"),
              Number((0x2478C - 1) << 2),                // SourceRead
              Number(1 << 2 | 2), Number(0x2476B << 1),  // SourceCopy 2
              Number(0 << 2 | 3), Number(0x2478C << 1),  // TargetCopy 1
              Number((sample.size() - 0x2478F - 1) << 2)}),
      sample, target);
  EXPECT_EQ(ApplyPatch(bps, sample, "\"sample.gbc\""), target);
  // What Tivok writes reads back the same way.
  EXPECT_EQ(ApplyPatch(BpsPatch(sample, {{0x2478C, {}, 1},
                                         {0x2478D, {}, 2},
                                         {0x2478E, {}, 1}}),
                       sample, ""),
            target);
}

TEST(Patch, RefusesChangesThatTheFormatOrTheSourceCannotHold) {
  const Bytes big(0x1000001);
  try {
    IpsPatch(big, {{0x1000000, {}, 1}});
    ADD_FAILURE() << "an offset past 0xFFFFFF was taken";
  } catch (const PatchError& error) {
    EXPECT_STREQ(error.what(),
                 "cannot make an IPS patch with a change at offset "
                 "0x1000000: IPS offsets end at 0xFFFFFF; a BPS patch has no "
                 "such limit");
  }
  EXPECT_NO_THROW(BpsPatch(big, {{0x1000000, {}, 1}}));
  const Bytes small(0x10);
  for (const FileOffset outside : {-1, 0x10}) {
    EXPECT_THROW(IpsPatch(small, {{outside, {}, 1}}), PatchError);
    EXPECT_THROW(BpsPatch(small, {{outside, {}, 1}}), PatchError);
  }
}

}  // namespace
}  // namespace tivok
