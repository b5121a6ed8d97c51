// ImageFile on POSIX systems (Linux, macOS): paths are handed to the system
// as they are, in the file system's own encoding.
#include <fcntl.h>
#include <setjmp.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "rom/file_seam.h"
#include "rom/image_file.h"
#include "rom/rom_file.h"

namespace tivok {
namespace {

RomFileError::Kind KindOf(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return RomFileError::Kind::kMissing;
    case EISDIR:
      return RomFileError::Kind::kFolder;
    case EACCES:
    case EPERM:
    case EROFS:
      return RomFileError::Kind::kNoAccess;
    default:
      return RomFileError::Kind::kOther;
  }
}

[[noreturn]] void FailWithErrno(const char* what, const std::string& path,
                                int error) {
  FailWith(what, path, KindOf(error), std::strerror(error));
}

// Fails unless `info` describes a regular file: a directory gets the
// system's own reason, a device its own, anything else (FIFO, socket) a
// plain one.
void RequireRegular(const std::string& path, const struct stat& info) {
  if (S_ISDIR(info.st_mode)) FailWithErrno("cannot open", path, EISDIR);
  if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) FailDevice(path);
  if (!S_ISREG(info.st_mode)) FailNotRegular(path);
}

// Hands the file's data to the storage device. On macOS fsync only reaches
// the drive's cache and F_FULLFSYNC asks the drive to write it out; only
// where the file system does not offer it does a plain fsync have to do.
int FlushToDevice(int fd) {
#ifdef F_FULLFSYNC
  if (::fcntl(fd, F_FULLFSYNC) == 0) return 0;
  if (errno != ENOTSUP && errno != EOPNOTSUPP && errno != EINVAL) return -1;
#endif
  return ::fsync(fd);
}

// Where a bus error during StoreMapped's store returns to, in the thread
// that makes the store; null at any other time.
thread_local sigjmp_buf* store_return = nullptr;
struct sigaction before_store {};

void OnBusError(int, siginfo_t*, void*) {
  if (store_return != nullptr) siglongjmp(*store_return, 1);
  // Not the store's: the action that was there before deals with it when
  // the faulting instruction runs again.
  ::sigaction(SIGBUS, &before_store, nullptr);
}

enum class Stored { kYes, kPastEnd, kNotMapped };

// Stores `value` at `offset` of `fd` through a shared mapping of its page.
// Unlike pwrite, a store through a mapping never lengthens the file: when
// another program has cut the file short since its length was checked, the
// store lands past the end, where it is dropped, or, when the whole page
// lies past the end, faults with SIGBUS, caught here (kPastEnd). kNotMapped
// where the file system cannot map the file.
Stored StoreMapped(int fd, std::int64_t offset, std::uint8_t value) {
  const auto page = static_cast<std::int64_t>(::sysconf(_SC_PAGESIZE));
  const std::int64_t start = offset - offset % page;
  void* const map =
      ::mmap(nullptr, static_cast<std::size_t>(page), PROT_READ | PROT_WRITE,
             MAP_SHARED, fd, static_cast<off_t>(start));
  if (map == MAP_FAILED) return Stored::kNotMapped;
  struct sigaction on_fault {};
  on_fault.sa_sigaction = OnBusError;
  on_fault.sa_flags = SA_SIGINFO;
  sigemptyset(&on_fault.sa_mask);
  ::sigaction(SIGBUS, &on_fault, &before_store);
  sigjmp_buf back;
  volatile Stored stored = Stored::kPastEnd;
  if (sigsetjmp(back, 1) == 0) {
    store_return = &back;
    static_cast<volatile std::uint8_t*>(map)[offset - start] = value;
    stored = Stored::kYes;
  }
  store_return = nullptr;
  ::sigaction(SIGBUS, &before_store, nullptr);
  // The page stays in the system's cache, dirty, until Flush hands it to
  // the device with the file's other data.
  ::munmap(map, static_cast<std::size_t>(page));
  return stored;
}

// Writes `value` at `offset` with pwrite, for a file system that cannot map
// the file: a cut between the check of the length and this write is then
// lengthened again.
void WriteByCall(int fd, std::int64_t offset, std::uint8_t value,
                 const std::string& path) {
  ssize_t written;
  do {
    written = ::pwrite(fd, &value, 1, static_cast<off_t>(offset));
  } while (written < 0 && errno == EINTR);
  if (written < 0) FailWithErrno("cannot write to", path, errno);
  if (written != 1) FailByteNotWritten(path);
}

}  // namespace

// Opens `path` only if it is a regular file (after following symbolic
// links). O_NONBLOCK keeps a FIFO or device from blocking the open; the
// type is checked again on the open descriptor in case the path changed.
ImageFile::ImageFile(const std::string& path, Access access) : path_(path) {
  if (path.find('\0') != std::string::npos) FailNulInName(path);
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    FailWithErrno("cannot open", path, errno);
  }
  RequireRegular(path, info);
  if (access == Access::kReadWrite &&
      file_seam::Fails(FileStep::kOpenForWriting)) {
    FailWithErrno("cannot open", path, EACCES);
  }
  const int flags = access == Access::kRead ? O_RDONLY : O_RDWR;
  const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) FailWithErrno("cannot open", path, errno);
  // The destructor does not run when the constructor throws.
  try {
    if (::fstat(fd, &info) != 0) FailWithErrno("cannot examine", path, errno);
    RequireRegular(path, info);
  } catch (...) {
    ::close(fd);
    throw;
  }
  handle_ = fd;
  size_ = info.st_size;
}

ImageFile::~ImageFile() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

void ImageFile::ReadAt(std::int64_t offset, std::uint8_t* data,
                       std::size_t count) {
  if (count > 0 && file_seam::Fails(FileStep::kRead)) {
    FailWithErrno("cannot read", path_, EIO);
  }
  std::size_t done = 0;
  while (done < count) {
    const ssize_t got =
        ::pread(static_cast<int>(handle_), data + done, count - done,
                static_cast<off_t>(offset) + static_cast<off_t>(done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) FailWithErrno("cannot read", path_, errno);
    if (got == 0) FailEndedEarly(path_);
    done += static_cast<std::size_t>(got);
  }
}

bool ImageFile::WriteAt(std::int64_t offset, std::uint8_t value,
                        std::int64_t* length) {
  const bool staged = file_seam::Fails(FileStep::kWrite);
  *length = State().size;
  if (offset >= *length) return false;
  if (staged) FailWithErrno("cannot write to", path_, EIO);
  const int fd = static_cast<int>(handle_);
  const Stored stored = StoreMapped(fd, offset, value);
  if (stored == Stored::kNotMapped) {
    may_lengthen_ = true;
    WriteByCall(fd, offset, value, path_);
    return true;
  }
  // A cut since the check leaves the byte past the end: not in the file.
  *length = State().size;
  if (offset >= *length) return false;
  if (stored == Stored::kPastEnd) FailWithErrno("cannot write to", path_, EIO);
  // A store through a mapping sets no modification time, and watchers such
  // as inotify do not see it: setting the time now tells them.
  const struct timespec times[2] = {{0, UTIME_OMIT}, {0, UTIME_NOW}};
  ::futimens(fd, times);
  return true;
}

void ImageFile::Flush() {
  const bool staged = file_seam::Fails(FileStep::kFlush);
  if (FlushToDevice(static_cast<int>(handle_)) != 0) {
    FailWithErrno("cannot flush", path_, errno);
  }
  if (staged) FailWithErrno("cannot flush", path_, EIO);
}

void ImageFile::Close() {
  const bool staged = file_seam::Fails(FileStep::kClose);
  const int fd = static_cast<int>(handle_);
  handle_ = -1;
  if (::close(fd) != 0) FailWithErrno("cannot close", path_, errno);
  if (staged) FailWithErrno("cannot close", path_, EIO);
}

OpenFileState ImageFile::State() {
  struct stat info {};
  if (::fstat(static_cast<int>(handle_), &info) != 0) {
    FailWithErrno("cannot examine", path_, errno);
  }
  return {{static_cast<std::uint64_t>(info.st_dev),
           static_cast<std::uint64_t>(info.st_ino)},
          static_cast<std::uint64_t>(info.st_nlink),
          static_cast<std::int64_t>(info.st_size)};
}

// stat follows symbolic links as the open did, so a link to the image
// names the file that was opened through it. A path that names no file,
// or runs through something that is no folder, names none.
std::optional<FileIdentity> ImageFile::IdentityAt(const std::string& path) {
  if (file_seam::Fails(FileStep::kLook)) {
    FailWithErrno("cannot examine", path, EIO);
  }
  struct stat info {};
  if (::stat(file_seam::PathToCheck(path).c_str(), &info) != 0) {
    const int error = errno;
    if (error == ENOENT || error == ENOTDIR) return std::nullopt;
    FailWithErrno("cannot examine", path, error);
  }
  return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                      static_cast<std::uint64_t>(info.st_ino)};
}

}  // namespace tivok
