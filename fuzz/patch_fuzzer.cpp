// libFuzzer target for the patch readers: the input, after its first byte,
// is an IPS or BPS patch, read as a layout against a sample image. A BPS
// patch's CRC32s guard its actions, which a fuzzer cannot forge: when the
// first byte is odd, the patch's own CRC32 and the source's are set right
// before it is read, so that the actions are reached.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "layout/patch_layout.h"
#include "rom/checksum.h"
#include "rom/patch_read.h"
#include "sample_image.h"

namespace {

// The sample image, cut short after the stores to keep each run quick.
const std::vector<std::uint8_t>& Source() {
  static const std::vector<std::uint8_t> source =
      tivok::MakeSampleImage(0x24800);
  return source;
}

void PutLittleEndian(std::vector<std::uint8_t>& bytes, std::size_t at,
                     std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t Crc(const std::uint8_t* data, std::size_t size) {
  return static_cast<std::uint32_t>(crc32_z(0, data, size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  if (size < 1) return 0;
  std::vector<std::uint8_t> patch(data + 1, data + size);
  const std::vector<std::uint8_t>& source = Source();
  if ((data[0] & 1) != 0 && tivok::BeginsAsBps(patch) && patch.size() >= 19) {
    PutLittleEndian(patch, patch.size() - 12,
                    Crc(source.data(), source.size()));
    PutLittleEndian(patch, patch.size() - 4,
                    Crc(patch.data(), patch.size() - 4));
  }
  const tivok::PatchSlots read =
      tivok::SlotsOfPatch(patch, source, "sample.gbc");
  // Every slot taken in differs from the source's, which is its was, and
  // none is taken from a patch that is refused.
  if (!read.ok() && !read.slots.empty()) std::abort();
  for (const tivok::SlotDifference& slot : read.slots) {
    const auto offset =
        static_cast<std::size_t>(slot.store->SlotOffset(slot.slot));
    if (slot.before != source[offset] || slot.after == slot.before)
      std::abort();
  }
  return 0;
}
