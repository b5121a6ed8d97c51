#ifndef TIVOK_TESTS_SUPPORT_TEMP_DIR_H_
#define TIVOK_TESTS_SUPPORT_TEMP_DIR_H_

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tivok::testing {

// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes.
class TempDir {
 public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();

  const std::string& path() const { return path_; }
  // The path of `name` inside the folder.
  std::string File(const std::string& name) const;
  // Writes `bytes` to a new file `name` and returns its path.
  std::string Write(const std::string& name,
                    const std::vector<std::uint8_t>& bytes) const;
  // Writes the sample image, of `size` bytes, and returns its path.
  std::string WriteSample(const std::string& name,
                          std::size_t size = 256 * 1024) const;

 private:
  std::string path_;
};

// A cartridge image of another game than Tivok's, of `size` bytes: the
// header title `title` and a right header checksum, nothing else.
std::vector<std::uint8_t> OtherGameImage(std::string_view title,
                                         std::size_t size = 1024 * 1024);

// The whole content of the file at `path`; fails the test if unreadable.
std::vector<std::uint8_t> ReadAll(const std::string& path);

// True when something (of any type) exists at `path`.
bool Exists(const std::string& path);

// How file errors on this system word a missing file, a directory, a
// refused access and a failing disk.
std::string MissingFileReason();
std::string DirectoryReason();
std::string NoAccessReason();
std::string IoErrorReason();

// The UTF-8 `path` as a std::filesystem path. A plain std::string would be
// taken in the local code page on Windows.
std::filesystem::path FsPath(const std::string& path);

}  // namespace tivok::testing

#endif  // TIVOK_TESTS_SUPPORT_TEMP_DIR_H_
