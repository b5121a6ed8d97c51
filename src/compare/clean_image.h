#ifndef TIVOK_COMPARE_CLEAN_IMAGE_H_
#define TIVOK_COMPARE_CLEAN_IMAGE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "rom/store_read.h"

namespace tivok {

// The largest clean image that is compared with and patched: IPS offsets
// end there, and no Game Boy cartridge is larger.
inline constexpr std::int64_t kLargestPatchedImage = 0x1000000;

// A clean image as one read on one open file gave it: every byte, which a
// patch needs for the global checksum and a BPS patch for its CRC32s, and
// the header title and stores that those bytes hold.
struct CleanImage {
  std::vector<std::uint8_t> bytes;
  ImageStores stores;
};

// Reads the image at `path` whole on one open file: its header title
// first, then every byte. Throws RomFileError when it cannot be read, is
// too short for a header title, or is larger than kLargestPatchedImage.
// Its title is not checked.
CleanImage ReadCleanImage(const std::string& path);

// The image at `path` as ReadCleanImage reads it, when it is an image of
// the game; nothing otherwise, and `why` says why, naming the file by its
// path: tivok-cli diff's clean image and a received patch's source.
std::optional<CleanImage> ReadGameImage(const std::string& path,
                                        std::string& why);

}  // namespace tivok

#endif  // TIVOK_COMPARE_CLEAN_IMAGE_H_
