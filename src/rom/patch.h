#ifndef TIVOK_ROM_PATCH_H_
#define TIVOK_ROM_PATCH_H_

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "rom/image_write.h"

namespace tivok {

// A patch that cannot be made: a change that the format cannot hold or
// that lies outside the source. The message says which and why.
class PatchError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// How each format begins, and the offset of an IPS record that reads as
// the patch's end, "EOF": the writers and the readers (patch_read.h) alike.
inline constexpr std::string_view kIpsMagic = "PATCH";
inline constexpr std::string_view kBpsMagic = "BPS1";
inline constexpr std::uint64_t kIpsEof = 0x454F46;

// Patches that turn `source` into `source` with `changes` made, and hold
// nothing of either but the changed bytes: each change's `offset` and
// `value` (its `expected` is not looked at). An offset given twice takes
// its last value. Every offset lies within `source`, whose length the
// target keeps; PatchError otherwise.

// IPS: "PATCH", a record per run of consecutive changes (3-byte big-endian
// offset, 2-byte big-endian size, the bytes; at most 0xFFFF bytes each),
// "EOF". A record that would start at offset 0x454F46, which reads as
// "EOF", starts one byte earlier with that byte of the target. Offsets
// from 0x1000000 on do not fit: PatchError.
std::vector<std::uint8_t> IpsPatch(std::span<const std::uint8_t> source,
                                   const std::vector<ByteChange>& changes);

// BPS: "BPS1", the source and target sizes, no metadata, a SourceRead of
// each unchanged run and a TargetRead of each changed one, and the CRC32s
// of the source, the target and the patch before them.
std::vector<std::uint8_t> BpsPatch(std::span<const std::uint8_t> source,
                                   const std::vector<ByteChange>& changes);

}  // namespace tivok

#endif  // TIVOK_ROM_PATCH_H_
