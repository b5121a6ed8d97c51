#include "layout/patch_layout.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "compare/store_patch.h"
#include "layout/layout_csv.h"
#include "rom/checksum.h"
#include "rom/patch.h"
#include "rom/store_read.h"
#include "sample_image.h"
#include "support/temp_dir.h"

namespace tivok {
namespace {

using ::tivok::testing::TempDir;
using Bytes = std::vector<std::uint8_t>;

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts)
    all.insert(all.end(), part.begin(), part.end());
  return all;
}

Bytes Text(std::string_view text) { return Bytes(text.begin(), text.end()); }

std::string Hex8(unsigned long value) {
  char text[11];
  std::snprintf(text, sizeof text, "0x%08lX", value);
  return text;
}

std::string Crc(const Bytes& bytes) {
  return Hex8(crc32(0, bytes.data(), bytes.size()));
}

Bytes Patch(PatchFormat format, const Bytes& source,
            const std::vector<ByteChange>& changes) {
  return format == PatchFormat::kIps ? IpsPatch(source, changes)
                                     : BpsPatch(source, changes);
}

// A patch that Tivok writes, read back against the clean image, gives
// exactly the rows that diff --format=csv writes for the clean image and
// the changed one: IPS and BPS, one slot and every slot, with the global
// checksum and without, and as File, Export Patch writes it.
TEST(PatchLayout, ReadsBackTheRowsOfDiff) {
  TempDir dir;
  const Bytes clean = MakeSampleImage();
  const std::string clean_path = dir.Write("clean.gbc", clean);
  const ImageStores clean_stores = ReadImageStores(clean_path);
  std::vector<ByteChange> every_slot;
  for (const Store& store : StoreTable::All()) {
    for (int k = 1; k <= store.slot_count; ++k) {
      const FileOffset offset = store.SlotOffset(k);
      const std::uint8_t was = clean[offset];
      every_slot.push_back(
          {offset, was, static_cast<std::uint8_t>((was + 9) % 44)});
    }
  }
  const std::vector<std::vector<ByteChange>> images = {{{0x2478E, 0x24, 0x17}},
                                                       every_slot};
  for (const std::vector<ByteChange>& changes : images) {
    Bytes mine = clean;
    for (const ByteChange& change : changes) mine[change.offset] = change.value;
    const std::string mine_path =
        dir.Write("mine" + std::to_string(changes.size()) + ".gbc", mine);
    const std::string rows = DifferencesCsv(
        DifferingSlots(clean_stores, ReadImageStores(mine_path)));
    ASSERT_EQ(std::count(rows.begin(), rows.end(), '\n'),
              static_cast<long>(changes.size()) + 1);
    for (const PatchFormat format : {PatchFormat::kIps, PatchFormat::kBps}) {
      const Bytes exported =
          MakeStorePatch(clean_path, mine_path, format).bytes;
      for (const Bytes& patch :
           {Patch(format, clean, changes),
            Patch(format, clean,
                  WithGlobalChecksum(changes, ChecksumsOf(clean))),
            exported}) {
        const PatchSlots read = SlotsOfPatch(patch, clean, clean_path);
        EXPECT_EQ(read.error, "");
        EXPECT_EQ(DifferencesCsv(read.slots), rows);
      }
      EXPECT_EQ(DifferencesCsv(ReadPatchSlots(exported, clean_path).slots),
                rows);
    }
  }
}

// Each bad patch is refused with its reason, and no slot is taken from it.
TEST(PatchLayout, RefusesEachBadPatchWithItsReason) {
  const Bytes sample = MakeSampleImage();
  Bytes other = sample;
  other[0x200] = 0;
  Bytes damaged = BpsPatch(sample, {{0x2478E, {}, 0x17}});
  damaged.back() ^= 1;
  const Bytes damaged_body(damaged.begin(), damaged.end() - 4);
  const unsigned long stored = damaged[damaged.size() - 4] |
                               damaged[damaged.size() - 3] << 8 |
                               damaged[damaged.size() - 2] << 16 |
                               static_cast<unsigned long>(damaged.back()) << 24;
  const auto number = [](std::uint64_t value) {
    Bytes bytes;
    for (; value >> 7 != 0; value = (value >> 7) - 1)
      bytes.push_back(value & 0x7F);
    bytes.push_back(static_cast<std::uint8_t>(0x80 | value));
    return bytes;
  };
  // A BPS patch that makes the sample one byte longer, its CRC32s right.
  Bytes longer_target_bytes = sample;
  longer_target_bytes.push_back(0);
  const Bytes& longer_target = longer_target_bytes;
  Bytes longer = Concat({Text("BPS1"),
                         number(sample.size()),
                         number(sample.size() + 1),
                         number(0),
                         number((sample.size() - 1) << 2),
                         number(1),
                         {0}});
  for (const Bytes* crc_of : {&sample, &longer_target}) {
    const uLong crc = crc32(0, crc_of->data(), crc_of->size());
    for (int i = 0; i < 4; ++i)
      longer.push_back(static_cast<std::uint8_t>(crc >> (8 * i)));
  }
  const uLong own = crc32(0, longer.data(), longer.size());
  for (int i = 0; i < 4; ++i)
    longer.push_back(static_cast<std::uint8_t>(own >> (8 * i)));

  const struct {
    Bytes patch;
    std::string says;
  } cases[] = {
      {Concat({Text("PATCH"), {0x02, 0x47, 0x8C, 0x00, 0x02, 0x05}}),
       "the IPS patch ends inside its record at offset 0x5 of the patch"},
      {Concat(
           {Text("PATCH"), {0x03, 0xFF, 0xFF, 0x00, 0x02, 1, 2}, Text("EOF")}),
       "the IPS patch's record at offset 0x5 of the patch reaches past the end "
       "of the image: it writes 2 bytes at offset 0x3FFFF, and the image has "
       "262144 bytes"},
      {Concat({Text("PATCH"), {0x02, 0x47, 0x8C, 0, 0, 0, 0, 5}, Text("EOF")}),
       "the IPS patch's record at offset 0x5 of the patch repeats a byte 0 "
       "times"},
      {damaged, "the BPS patch is damaged: its bytes give the CRC32 " +
                    Crc(damaged_body) + ", not the " + Hex8(stored) +
                    " that it ends with"},
      {longer,
       "the BPS patch makes an image of 262145 bytes from one of 262144, and "
       "Tivok never changes an image's length"},
      {BpsPatch(other, {{0x2478E, {}, 0x17}}),
       "the BPS patch is made for an image whose CRC32 is " + Crc(other) +
           ", not for \"sample.gbc\", whose CRC32 is " + Crc(sample)},
      {Text("store,slot,item\nportal,3,herb\n"),
       "it is neither an IPS patch, which begins with \"PATCH\", nor a BPS "
       "patch, which begins with \"BPS1\""},
      {IpsPatch(sample, {{0x2478F, {}, 0x17}, {0x134, {}, 'X'}}),
       "it changes 1 byte outside the store slots, the first at offset 0x134; "
       "Tivok edits only the stores, and applies none of it"},
      {Concat({Text("PATCH"),
               {0x02, 0x47, 0x8C, 0x00, 0x01, 0x05},
               Text("EOF"),
               {0x03, 0xFF, 0xFE}}),
       "it changes 2 bytes outside the store slots, the first at offset "
       "0x3FFFE, and the image's length, from 262144 to 262142 bytes; Tivok "
       "edits only the stores, and applies none of it"},
  };
  for (const auto& c : cases) {
    const PatchSlots read = SlotsOfPatch(c.patch, sample, "sample.gbc");
    EXPECT_EQ(read.error, c.says);
    EXPECT_TRUE(read.slots.empty()) << c.says;
  }
}

}  // namespace
}  // namespace tivok
