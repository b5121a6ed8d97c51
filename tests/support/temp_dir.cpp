#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>

#ifdef _WIN32
#include <winerror.h>

#include <system_error>
#endif

#include "sample_image.h"

namespace tivok::testing {
namespace {

std::string Utf8Of(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace

TempDir::TempDir() {
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    const std::filesystem::path candidate =
        base / ("tivok-test-" + std::to_string(random() % 1000000000u));
    std::error_code error;
    // False, without an error, when the name is taken already.
    if (std::filesystem::create_directory(candidate, error)) {
      path_ = Utf8Of(candidate);
    }
  }
  if (path_.empty()) ADD_FAILURE() << "cannot make a temporary folder";
}

TempDir::~TempDir() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(FsPath(path_), ignored);
}

std::string TempDir::File(const std::string& name) const {
  return path_ + "/" + name;
}

std::string TempDir::Write(const std::string& name,
                           const std::vector<std::uint8_t>& bytes) const {
  const std::string path = File(name);
  WriteNewFile(path, bytes);
  return path;
}

std::string TempDir::WriteSample(const std::string& name,
                                 std::size_t size) const {
  return Write(name, MakeSampleImage(size));
}

std::vector<std::uint8_t> OtherGameImage(std::string_view title,
                                         std::size_t size) {
  std::vector<std::uint8_t> image(size, 0);
  std::copy(title.begin(), title.end(), image.begin() + 0x134);
  // The header checksum at 0x14D covers 0x134 to 0x14C.
  std::uint8_t sum = 0;
  for (std::size_t i = 0x134; i < 0x14D; ++i) {
    sum = static_cast<std::uint8_t>(sum - image[i] - 1);
  }
  image[0x14D] = sum;
  return image;
}

std::vector<std::uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(FsPath(path), std::ios::binary | std::ios::ate);
  if (!in) {
    ADD_FAILURE() << "cannot read " << path;
    return {};
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(in.tellg()));
  in.seekg(0);
  in.read(reinterpret_cast<char*>(bytes.data()),
          static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

bool Exists(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(
      std::filesystem::symlink_status(FsPath(path), error));
}

#ifdef _WIN32
// The system's own text, which differs between Windows and Wine.
std::string MissingFileReason() {
  return std::system_category().message(ERROR_FILE_NOT_FOUND);
}
std::string DirectoryReason() { return "it is a directory"; }
std::string NoAccessReason() {
  return std::system_category().message(ERROR_ACCESS_DENIED);
}
std::string IoErrorReason() {
  return std::system_category().message(ERROR_IO_DEVICE);
}
#else
std::string MissingFileReason() { return "No such file or directory"; }
std::string DirectoryReason() { return "Is a directory"; }
std::string NoAccessReason() { return "Permission denied"; }
std::string IoErrorReason() { return "Input/output error"; }
#endif

std::filesystem::path FsPath(const std::string& path) {
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

}  // namespace tivok::testing
