#include "layout/layout_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "rom/file_path.h"
#include "rom/rom_file.h"

namespace tivok {
namespace {

constexpr char kLimitText[] =
    "the 1048576 bytes (1 MiB) that a layout may have";

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

std::filesystem::path PathOf(const std::string& path) {
  return FileSystemPath(path);
}

std::FILE* OpenForReading(const std::string& path) {
#ifdef _WIN32
  return ::_wfopen(PathOf(path).c_str(), L"rb");
#else
  return std::fopen(path.c_str(), "rb");
#endif
}

LayoutText Unreadable(const std::string& path, int error) {
  return {
      {},
      "cannot read the layout " + Quoted(path) + ": " + std::strerror(error)};
}

// The layout at `path` has more than the limit: its size where the system
// knows it, as for a regular file.
LayoutText TooLong(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(PathOf(path), error);
  const std::string size_text =
      !error && size > kLayoutLimit ? std::to_string(size) + " bytes, " : "";
  return {{},
          "the layout " + Quoted(path) + " has " + size_text + "more than " +
              kLimitText};
}

}  // namespace

LayoutText ReadLayoutFile(const std::string& path) {
  std::unique_ptr<std::FILE, FileCloser> file(OpenForReading(path));
  if (!file) {
    const int error = errno;
    // Windows refuses a folder as access denied: say what it is.
    std::error_code ignored;
    return Unreadable(path, std::filesystem::is_directory(PathOf(path), ignored)
                                ? EISDIR
                                : error);
  }
  LayoutText layout;
  char buffer[4096];
  for (;;) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
    layout.text.append(buffer, got);
    if (layout.text.size() > kLayoutLimit) return TooLong(path);
    if (got < sizeof buffer) break;
  }
  if (std::ferror(file.get()))
    return Unreadable(path, errno != 0 ? errno : EIO);
  return layout;
}

LayoutText ReadLayoutFrom(std::istream& in) {
  LayoutText layout;
  char buffer[4096];
  // read() turns a failing stream buffer (a closed standard input, a read
  // error) into badbit rather than an exception.
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    layout.text.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (layout.text.size() > kLayoutLimit) {
      return {{},
              "the layout on standard input has more than " +
                  std::string(kLimitText)};
    }
  }
  if (in.bad()) {
    return {{}, "cannot read the layout from standard input"};
  }
  return layout;
}

}  // namespace tivok
