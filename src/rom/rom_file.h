#ifndef TIVOK_ROM_ROM_FILE_H_
#define TIVOK_ROM_ROM_FILE_H_

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tivok {

// A file position counts bytes from 1: position p is the byte at offset p - 1.
using FilePosition = std::int32_t;

// A failed open, read or write. The message names the file and gives the
// operating system's reason where there is one.
class RomFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The only way the program touches a cartridge image. Every call opens the
// file by its path and closes it before it returns, on failure too, so no
// handle outlives a call. Only regular files are read or written; a path
// that does not exist is never created, and a file never changes length.
// Paths are UTF-8 on Windows and macOS and in the file system's encoding
// (bytes, usually UTF-8) on Linux.
class RomFile {
 public:
  // The header title: 15 bytes at positions 309 to 323 (offsets 0x134 to
  // 0x142), the title field and the manufacturer code.
  static constexpr FilePosition kTitlePosition = 309;
  static constexpr int kTitleLength = 15;
  static constexpr std::string_view kAcceptedTitle = "DRAGON WMONAWQE";

  // Reads `count` bytes starting at `position`. Fails, rather than padding,
  // when the block runs past the end of the file.
  static std::vector<std::uint8_t> ReadBlock(const std::string& path,
                                             FilePosition position, int count);

  // Writes one byte at `position`, which must lie inside the file, and
  // returns only once the byte has been handed to the storage device.
  static void WriteByte(const std::string& path, FilePosition position,
                        std::uint8_t value);

  // Like WriteByte, but first reads the header title from the same open
  // file and writes only when it is the accepted title, so that a file
  // replaced after the check cannot be written. Returns false, having
  // written nothing, when the title is another.
  static bool WriteByteIfTitleAccepted(const std::string& path,
                                       FilePosition position,
                                       std::uint8_t value);

  // The 15-character header title, one character per byte.
  static std::string ReadRomTitle(const std::string& path);

  // True when `title`, upper-cased in ASCII only, is the accepted title.
  static bool IsAcceptedTitle(std::string_view title);
};

}  // namespace tivok

#endif  // TIVOK_ROM_ROM_FILE_H_
