#ifndef TIVOK_TOOLS_SAMPLE_IMAGE_H_
#define TIVOK_TOOLS_SAMPLE_IMAGE_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tivok {

// A synthetic cartridge image made for trying and testing the editor; it
// holds nothing from any real game. It has the accepted header title, a
// correct header checksum, 0xFF filler, and in the store regions (offsets
// 0x2476A to 0x24793) the byte at offset o holds (o - 0x2476A) % 44: the
// Beginner's store's slots hold 1 to 8, the Portal
// store's 34 to 41. Its global checksum at 0x14E-0x14F is right too, for
// the bytes of whatever size it is made.
inline constexpr std::size_t kSampleImageSize = 256 * 1024;

// The image's bytes. `size` may be smaller than the store regions (they are
// then cut off) but must be at least the header's 0x150 bytes.
std::vector<std::uint8_t> MakeSampleImage(std::size_t size = kSampleImageSize);

// Writes `bytes` to a new file at `path`. Refuses, with a message naming the
// file and the reason, when anything already exists there.
void WriteNewFile(const std::string& path,
                  const std::vector<std::uint8_t>& bytes);

}  // namespace tivok

#endif  // TIVOK_TOOLS_SAMPLE_IMAGE_H_
