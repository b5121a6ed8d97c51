// src/rom: bytes and files. Opening and reading cartridge images, the one
// write call (image_write.h), the store and item tables, checksums, patches,
// exports, and the words for them that every program shares (describe.h,
// write_words.h). It includes from no other folder.

#ifndef TIVOK_ROM_ROM_FILE_H_
#define TIVOK_ROM_ROM_FILE_H_

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tivok {

// Where a byte is in a file: its offset, counted from 0 at the first byte.
using FileOffset = std::int64_t;

// A failed open, read or write. The message names the file and gives the
// operating system's reason where there is one.
class RomFileError : public std::runtime_error {
 public:
  // What kind of failure it is, for texts that say it in plain words.
  enum class Kind {
    kMissing,   // nothing exists by that name
    kFolder,    // the name is a folder's
    kNotAFile,  // a device, a pipe or anything else that is no regular file
    kNoAccess,  // the system refuses the access asked for
    kTooShort,  // the file ends before the bytes asked for
    kOther,     // anything else; the reason is the system's
  };

  explicit RomFileError(const std::string& message, Kind kind = Kind::kOther,
                        std::string reason = {})
      : std::runtime_error(message), kind_(kind), reason_(std::move(reason)) {}

  Kind kind() const { return kind_; }
  // The reason alone, without the action and the file's name, such as
  // "Input/output error"; empty where the message gives no separate one.
  const std::string& reason() const { return reason_; }

 private:
  Kind kind_;
  std::string reason_;
};

// The path in double quotes, escaped (describe.h), as every message shows a
// file.
std::string Quoted(const std::string& path);

// The only way the program touches a cartridge image. Every call opens the
// file by its path and closes it before it returns, on failure too, so no
// handle outlives a call. Only regular files are read or written; a path
// that does not exist is never created, and a file never changes length.
// Paths are UTF-8 on Windows and macOS and in the file system's encoding
// (bytes, usually UTF-8) on Linux. Bytes are written by WriteBytes
// (image_write.h) alone, after checks on the same open file.
class RomFile {
 public:
  // The header title: 15 bytes at offsets 0x134 to 0x142, the title field
  // and the manufacturer code.
  static constexpr FileOffset kTitleOffset = 0x134;
  static constexpr int kTitleLength = 15;
  static constexpr std::string_view kAcceptedTitle = "DRAGON WMONAWQE";

  // Reads `count` bytes starting at `offset`. Fails, rather than padding,
  // when the block runs past the end of the file.
  static std::vector<std::uint8_t> ReadBlock(const std::string& path,
                                             FileOffset offset, int count);

  // The 15-character header title, one character per byte.
  static std::string ReadRomTitle(const std::string& path);

  // Fails, with the reason, unless the file can be opened for writing.
  // Opens and closes it without reading or writing a byte.
  static void CheckWritable(const std::string& path);

  // True when `title`, upper-cased in ASCII only, is the accepted title.
  static bool IsAcceptedTitle(std::string_view title);
};

}  // namespace tivok

#endif  // TIVOK_ROM_ROM_FILE_H_
