#include "cli/layout_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>
#include <stdexcept>

#ifdef _WIN32
#include <filesystem>
#endif

namespace tivok::cli {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

std::FILE* OpenForReading(const std::string& path) {
#ifdef _WIN32
  const std::filesystem::path name(std::u8string(path.begin(), path.end()));
  return ::_wfopen(name.c_str(), L"rb");
#else
  return std::fopen(path.c_str(), "rb");
#endif
}

[[noreturn]] void Fail(const std::string& path, int error) {
  throw std::runtime_error("cannot read the layout \"" + path +
                           "\": " + std::strerror(error));
}

}  // namespace

std::string ReadLayoutFile(const std::string& path) {
  std::unique_ptr<std::FILE, FileCloser> file(OpenForReading(path));
  if (!file) Fail(path, errno);
  std::string text;
  char buffer[4096];
  for (;;) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
    text.append(buffer, got);
    if (got < sizeof buffer) break;
  }
  if (std::ferror(file.get())) Fail(path, errno != 0 ? errno : EIO);
  return text;
}

std::string ReadAllOf(std::istream& in) {
  return std::string(std::istreambuf_iterator<char>(in),
                     std::istreambuf_iterator<char>());
}

}  // namespace tivok::cli
