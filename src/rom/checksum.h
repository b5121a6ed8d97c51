#ifndef TIVOK_ROM_CHECKSUM_H_
#define TIVOK_ROM_CHECKSUM_H_

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "rom/image_write.h"
#include "rom/rom_file.h"

namespace tivok {

// The two checksums of a cartridge header. The header checksum, one byte at
// offset 0x14D, covers offsets 0x134 to 0x14C: the console will not start
// an image where it is wrong. The global checksum, at 0x14E-0x14F with its
// high byte first, is the 16-bit sum of every byte of the image but those
// two: the console ignores it, some emulators check it, and every change
// to the image leaves it stale.
inline constexpr FileOffset kHeaderChecksumOffset = 0x14D;
inline constexpr FileOffset kGlobalChecksumOffset = 0x14E;  // and 0x14F
// The bytes an image needs for both checksums: the header up to 0x14F.
inline constexpr int kHeaderSize = 0x150;

// Whether `offset` is one of the global checksum's two bytes.
bool InGlobalChecksum(FileOffset offset);

struct Checksums {
  std::uint8_t header_stored = 0;
  std::uint8_t header_computed = 0;
  std::uint16_t global_stored = 0;
  std::uint16_t global_computed = 0;

  bool header_right() const { return header_stored == header_computed; }
  bool global_right() const { return global_stored == global_computed; }
};

// Both checksums as `image` stores them and as its bytes give them. Throws
// std::invalid_argument when it has fewer than kHeaderSize bytes.
Checksums ChecksumsOf(std::span<const std::uint8_t> image);

class ImageFile;

// Both checksums of the open `file`: its header, then the whole file in
// chunks for the sum. Throws RomFileError when it cannot be read.
Checksums ReadChecksums(ImageFile& file);

// An image's header title and checksums, read on one open file.
struct ImageChecksums {
  std::string title;
  Checksums checksums;
};

// Opens `path` once and reads its header title, its header, and then the
// whole file in chunks for the sum. Throws RomFileError when it cannot, as
// the title is refused for a file too short for it (kTooShort).
ImageChecksums ReadImageChecksums(const std::string& path);

// The global checksum of the image whose checksums are `now` once
// `changes` are made, the one sum for every write and patch that sets it: each
// change takes the byte it replaces, `expected`, out of the sum and adds
// `value`. Every change needs `expected`, lies outside 0x14E-0x14F and names
// its offset once; std::invalid_argument otherwise.
std::uint16_t GlobalChecksumAfter(const Checksums& now,
                                  const std::vector<ByteChange>& changes);

// `changes` followed by the two bytes of the global checksum that the image
// will have after them, each expecting the stored checksum's byte, so that
// one write makes the changes and leaves the checksum right. With no
// changes, the two bytes that put a stale checksum right.
std::vector<ByteChange> WithGlobalChecksum(std::vector<ByteChange> changes,
                                           const Checksums& now);

}  // namespace tivok

#endif  // TIVOK_ROM_CHECKSUM_H_
