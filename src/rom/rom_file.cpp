#include "rom/rom_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tivok {
namespace {

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

[[noreturn]] void FailWithErrno(const std::string& what,
                                const std::string& path, int error) {
  throw RomFileError(what + " " + Quoted(path) + ": " + std::strerror(error));
}

// Closes the descriptor when it leaves scope, whichever way that happens.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.fd_) {
    other.fd_ = -1;
  }
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now and reports the result, for writes whose close can fail.
  int Close() {
    int result = ::close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

// Fails unless `info` describes a regular file: a directory gets the
// system's own reason, anything else (FIFO, device, socket) a plain one.
void RequireRegular(const std::string& path, const struct stat& info) {
  if (S_ISDIR(info.st_mode)) FailWithErrno("cannot open", path, EISDIR);
  if (!S_ISREG(info.st_mode)) {
    throw RomFileError("cannot open " + Quoted(path) +
                       ": it is not a regular file");
  }
}

// Opens `path` only if it is a regular file (after following symbolic
// links). O_NONBLOCK keeps a FIFO or device from blocking the open; the
// type is checked again on the open descriptor in case the path changed.
FileDescriptor OpenRegular(const std::string& path, int flags, off_t* size) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    FailWithErrno("cannot open", path, errno);
  }
  RequireRegular(path, info);
  FileDescriptor fd(::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0) FailWithErrno("cannot open", path, errno);
  if (::fstat(fd.get(), &info) != 0) {
    FailWithErrno("cannot examine", path, errno);
  }
  RequireRegular(path, info);
  *size = info.st_size;
  return fd;
}

}  // namespace

std::vector<std::uint8_t> RomFile::ReadBlock(const std::string& path,
                                             FilePosition position, int count) {
  if (position < 1) {
    throw RomFileError("cannot read " + Quoted(path) + ": position " +
                       std::to_string(position) +
                       " lies before the file's first byte");
  }
  if (count < 0) {
    throw RomFileError("cannot read " + Quoted(path) +
                       ": a negative number of bytes was asked for");
  }
  off_t size = 0;
  FileDescriptor fd = OpenRegular(path, O_RDONLY, &size);
  const off_t offset = static_cast<off_t>(position) - 1;
  if (offset + count > size) {
    throw RomFileError("cannot read " + std::to_string(count) +
                       " bytes at position " + std::to_string(position) +
                       " of " + Quoted(path) + ": the file has only " +
                       std::to_string(size) + " bytes");
  }
  std::vector<std::uint8_t> block(static_cast<std::size_t>(count));
  std::size_t done = 0;
  while (done < block.size()) {
    ssize_t got = ::pread(fd.get(), block.data() + done, block.size() - done,
                          offset + static_cast<off_t>(done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) FailWithErrno("cannot read", path, errno);
    if (got == 0) {
      throw RomFileError("cannot read " + Quoted(path) +
                         ": the file ended early (was it truncated?)");
    }
    done += static_cast<std::size_t>(got);
  }
  return block;
}

void RomFile::WriteByte(const std::string& path, FilePosition position,
                        std::uint8_t value) {
  off_t size = 0;
  FileDescriptor fd = OpenRegular(path, O_WRONLY, &size);
  if (position < 1 || static_cast<off_t>(position) > size) {
    throw RomFileError("cannot write at position " + std::to_string(position) +
                       " of " + Quoted(path) + ": the file has only " +
                       std::to_string(size) +
                       " bytes, and it is never lengthened");
  }
  const off_t offset = static_cast<off_t>(position) - 1;
  ssize_t written;
  do {
    written = ::pwrite(fd.get(), &value, 1, offset);
  } while (written < 0 && errno == EINTR);
  if (written < 0) FailWithErrno("cannot write to", path, errno);
  if (written != 1) {
    throw RomFileError("cannot write to " + Quoted(path) +
                       ": the byte was not written");
  }
  if (::fsync(fd.get()) != 0) {
    FailWithErrno("cannot write the byte through to the disk for", path, errno);
  }
  if (fd.Close() != 0) FailWithErrno("cannot close", path, errno);
}

std::string RomFile::ReadRomTitle(const std::string& path) {
  // Element 0 is the byte before the title area and is not used.
  const std::vector<std::uint8_t> block =
      ReadBlock(path, kTitlePosition - 1, kTitleLength + 1);
  return std::string(block.begin() + 1, block.end());
}

bool RomFile::IsAcceptedTitle(std::string_view title) {
  if (title.size() != kAcceptedTitle.size()) return false;
  for (std::size_t i = 0; i < title.size(); ++i) {
    char c = title[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != kAcceptedTitle[i]) return false;
  }
  return true;
}

}  // namespace tivok
