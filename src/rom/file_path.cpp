#include "rom/file_path.h"

#include <system_error>

namespace tivok {
namespace {

namespace fs = std::filesystem;

// "\\?\" and "\\.\" paths, which Windows takes as they are, ".." included.
bool InDeviceNamespace(const std::string& path) {
#ifdef _WIN32
  const auto slash = [&](std::size_t i) {
    return path[i] == '\\' || path[i] == '/';
  };
  return path.size() >= 4 && slash(0) && slash(1) &&
         (path[2] == '?' || path[2] == '.') && slash(3);
#else
  (void)path;
  return false;
#endif
}

bool IsLink(const fs::path& path) {
  std::error_code error;
  return fs::is_symlink(fs::symlink_status(path, error));
}

// `absolute` without "." parts, doubled separators, and ".." parts after a
// folder that is no link. A trailing separator, or a last "." or "..",
// leaves the path ending in a separator, as it names a folder.
fs::path Normal(const fs::path& absolute) {
  fs::path normal = absolute.root_path();
  bool folder = false;
  for (const fs::path& part : absolute.relative_path()) {
    folder = part.empty() || part == "." || part == "..";
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      // The root's parent is the root.
      if (!normal.has_relative_path()) continue;
      if (normal.filename() != ".." && !IsLink(normal)) {
        normal = normal.parent_path();
        continue;
      }
    }
    normal /= part;
  }
  if (folder && normal.has_relative_path()) normal /= "";
  // One separator throughout, so that equal paths are equal texts.
  return normal.make_preferred();
}

}  // namespace

std::string NormalPath(const std::string& path) {
  if (path.empty() || InDeviceNamespace(path)) return path;
  try {
    std::error_code error;
    const fs::path absolute = fs::absolute(FileSystemPath(path), error);
    return error ? path : PathBytes(Normal(absolute));
  } catch (const std::exception&) {
    // A Windows path that is not UTF-8, which no file has.
    return path;
  }
}

std::string FileName(const std::string& path) {
#ifdef _WIN32
  const std::size_t folder_end = path.find_last_of("/\\:");
#else
  const std::size_t folder_end = path.rfind('/');
#endif
  return folder_end == std::string::npos ? path : path.substr(folder_end + 1);
}

std::string PathBytes(const fs::path& path) {
#ifdef _WIN32
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
#else
  return path.string();
#endif
}

fs::path FileSystemPath(const std::string& path) {
#ifdef _WIN32
  return fs::path(std::u8string(path.begin(), path.end()));
#else
  return fs::path(path);
#endif
}

}  // namespace tivok
