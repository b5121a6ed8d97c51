#ifndef TIVOK_ROM_IMAGE_FILE_H_
#define TIVOK_ROM_IMAGE_FILE_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rom/rom_file.h"

namespace tivok {

// Which file it is, as the system tells files apart: two names or handles
// with equal identities name the same file.
struct FileIdentity {
  std::uint64_t volume = 0;  // the device; on Windows the volume serial number
  std::uint64_t index = 0;   // the inode; on Windows the file index

  bool operator==(const FileIdentity&) const = default;
};

// What the system says of an open file now.
struct OpenFileState {
  FileIdentity identity;
  std::uint64_t links = 0;  // how many names the file has: 0 once removed
  std::int64_t size = 0;
};

// One open cartridge image, for the duration of one call of RomFile or
// WriteBytes: a regular file on disk, opened by its path without ever being
// created, and closed when the object goes. There is one implementation per
// operating system (image_file_posix.cpp, image_file_windows.cpp). Every
// failure throws RomFileError with a message that names the file and gives
// the system's reason. In test builds each step consults the seam of
// file_faults.h.
class ImageFile {
 public:
  enum class Access { kRead, kReadWrite };

  ImageFile(const std::string& path, Access access);
  ImageFile(const ImageFile&) = delete;
  ImageFile& operator=(const ImageFile&) = delete;
  ~ImageFile();

  const std::string& path() const { return path_; }
  // The file's length in bytes when it was opened.
  std::int64_t size() const { return size_; }

  // Reads exactly `count` bytes from `offset`; fails if the file ends first.
  void ReadAt(std::int64_t offset, std::uint8_t* data, std::size_t count);
  // Writes the one byte `value` at `offset` and returns true, unless the
  // file ends at or before `offset`: another program cut it short, and the
  // write would lengthen it. Then the file keeps the length that program
  // left, the byte is not in it, and it returns false. The length is
  // checked just before the write, and the write itself cannot lengthen
  // the file, so a cut in between is caught too: through a mapping on
  // POSIX systems, and on Windows by a mapping that keeps other programs
  // from cutting the file meanwhile. Only where the file system cannot map
  // the file may a cut in that instant be lengthened again, which the file
  // then shows by ending right after the byte. `*length` is the file's
  // length as last checked.
  bool WriteAt(std::int64_t offset, std::uint8_t value, std::int64_t* length);
  // True once WriteAt wrote a byte in the way that a cut in the instant
  // before it lengthens again: where the file system cannot map the file.
  bool may_lengthen() const { return may_lengthen_; }
  // Hands what was written to the storage device; returns only once it
  // has confirmed it.
  void Flush();
  // Closes the file; nothing else may be called after it. Fails when the
  // system reports an error on the close.
  void Close();

  // The open file's identity, names and current length.
  OpenFileState State();

  // The identity of the file that `path` names now; nothing when it names
  // none. Fails when the path cannot be examined (the system's reason:
  // access denied, an I/O error and the like).
  static std::optional<FileIdentity> IdentityAt(const std::string& path);

 private:
  std::string path_;
  std::int64_t size_ = 0;
  bool may_lengthen_ = false;
  // A file descriptor on POSIX systems, a HANDLE on Windows.
  std::intptr_t handle_ = -1;
};

// Reads the `count` bytes from `offset` of the open `file`. Fails,
// rather than padding, when they run past the end of the file.
std::vector<std::uint8_t> ReadFrom(ImageFile& file, FileOffset offset,
                                   int count);
// The header title of the open `file`, one character per byte.
std::string TitleOf(ImageFile& file);
// Throws the failure of a write at `offset` of the file at `path`, which
// has only `size` bytes.
[[noreturn]] void FailOutside(const std::string& path, FileOffset offset,
                              std::int64_t size);

// Throws RomFileError "<action> "<path>": <reason>".
[[noreturn]] void FailWith(std::string_view action, const std::string& path,
                           RomFileError::Kind kind, const std::string& reason);

// The failures that read the same on every system.
[[noreturn]] void FailNotRegular(const std::string& path);
[[noreturn]] void FailDevice(const std::string& path);
[[noreturn]] void FailNulInName(const std::string& path);
[[noreturn]] void FailEndedEarly(const std::string& path);
[[noreturn]] void FailByteNotWritten(const std::string& path);

}  // namespace tivok

#endif  // TIVOK_ROM_IMAGE_FILE_H_
