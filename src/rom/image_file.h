#ifndef TIVOK_ROM_IMAGE_FILE_H_
#define TIVOK_ROM_IMAGE_FILE_H_

#include <cstddef>
#include <cstdint>
#include <string>

namespace tivok {

// One open cartridge image, for the duration of one RomFile call: a regular
// file on disk, opened by its path without ever being created, and closed
// when the object goes. There is one implementation per operating
// system (image_file_posix.cpp, image_file_windows.cpp). Every failure
// throws RomFileError with a message that names the file and gives the
// system's reason.
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
  // Writes the one byte `value` at `offset`.
  void WriteAt(std::int64_t offset, std::uint8_t value);
  // Hands what was written to the storage device and closes the file;
  // returns only when both succeeded.
  void FlushAndClose();

 private:
  std::string path_;
  std::int64_t size_ = 0;
  // A file descriptor on POSIX systems, a HANDLE on Windows.
  std::intptr_t handle_ = -1;
};

// The path in double quotes, as every message shows it.
std::string Quoted(const std::string& path);

// The failures that read the same on every system.
[[noreturn]] void FailNotRegular(const std::string& path);
[[noreturn]] void FailDevice(const std::string& path);
[[noreturn]] void FailNulInName(const std::string& path);
[[noreturn]] void FailEndedEarly(const std::string& path);
[[noreturn]] void FailByteNotWritten(const std::string& path);

}  // namespace tivok

#endif  // TIVOK_ROM_IMAGE_FILE_H_
