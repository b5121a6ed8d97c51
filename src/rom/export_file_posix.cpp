// Exports on POSIX systems: a new file beside the target, flushed, then
// renamed over it, so that the target is either as it was or whole.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "rom/export_file.h"
#include "rom/file_seam.h"
#include "rom/image_file.h"
#include "rom/rom_file.h"

namespace tivok::file_system {
namespace {

RomFileError::Kind KindOf(int error) {
  return error == ENOENT || error == ENOTDIR ? RomFileError::Kind::kMissing
         : error == EACCES || error == EPERM || error == EROFS
             ? RomFileError::Kind::kNoAccess
             : RomFileError::Kind::kOther;
}

[[noreturn]] void Fail(const std::string& path, int error) {
  FailWith("cannot export to", path, KindOf(error), std::strerror(error));
}

// The permissions of the new file: those of the file it replaces, or what
// the umask leaves of 0666, as any new file gets. mkostemp makes the file
// for its owner alone, and the umask can only be read by setting it; it is
// set back at once, and to a value that would only make a file that
// another thread makes meanwhile private.
mode_t ModeFor(const std::string& target) {
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = ::umask(0077);
  ::umask(mask);
  return 0666 & ~mask;
}

// The file that `path` names: a symbolic link is followed, so that the
// export replaces the file and keeps the link.
std::string Resolved(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* real = ::realpath(path.c_str(), nullptr);
  if (real == nullptr) return path;
  std::string resolved(real);
  std::free(real);
  return resolved;
}

// Writes all of `content` to `fd`, then flushes it to the device.
void WriteAll(int fd, std::string_view content, const std::string& path) {
  if (file_seam::Fails(FileStep::kWrite)) Fail(path, EIO);
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) Fail(path, n < 0 ? errno : EIO);
    done += static_cast<std::size_t>(n);
  }
  const bool staged = file_seam::Fails(FileStep::kFlush);
  if (::fsync(fd) != 0) Fail(path, errno);
  if (staged) Fail(path, EIO);
}

}  // namespace

TargetKind ExportTargetKind(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    // A dangling link would be replaced rather than followed: refuse it.
    if (::lstat(path.c_str(), &info) == 0) return TargetKind::kOther;
    return TargetKind::kNothing;
  }
  if (S_ISDIR(info.st_mode)) return TargetKind::kFolder;
  return S_ISREG(info.st_mode) ? TargetKind::kFile : TargetKind::kOther;
}

void ReplaceByNewFile(const std::string& path, std::string_view content) {
  const std::string target = Resolved(path);
  const std::size_t slash = target.rfind('/');
  const std::string folder =
      slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string shown_folder = folder.empty() ? "."
                                   : folder.size() == 1
                                       ? folder
                                       : folder.substr(0, slash);
  // A short name of the system's making, whatever the length of the
  // target's.
  std::string temporary = folder + ".tivok-XXXXXX";
  if (file_seam::Fails(FileStep::kOpenForWriting)) {
    FailNewFile(path, shown_folder, KindOf(EACCES), std::strerror(EACCES));
  }
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    FailNewFile(path, shown_folder, KindOf(error), std::strerror(error));
  }
  try {
    if (::fchmod(fd, ModeFor(target)) != 0) Fail(path, errno);
    WriteAll(fd, content, path);
  } catch (...) {
    ::close(fd);
    ::unlink(temporary.c_str());
    throw;
  }
  if (::close(fd) != 0 || ::rename(temporary.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    Fail(path, error);
  }
  // The rename reaches the disk with its folder.
  const int dir = ::open(folder.empty() ? "." : folder.c_str(),
                         O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

}  // namespace tivok::file_system
