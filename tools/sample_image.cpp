#include "sample_image.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string_view>

#ifdef _WIN32
#include <io.h>

#include <filesystem>
#else
#include <unistd.h>
#endif

namespace tivok {
namespace {

constexpr std::size_t kTitleOffset = 0x134;
constexpr std::size_t kChecksumOffset = 0x14D;
constexpr std::size_t kGlobalChecksumOffset = 0x14E;
constexpr std::size_t kHeaderEnd = 0x150;
constexpr std::size_t kFirstStoreOffset = 0x2476A;
constexpr std::size_t kLastStoreOffset = 0x24793;
constexpr std::string_view kTitle = "DRAGON WMONAWQE";

// The item code that the image holds at `offset` in the store regions.
std::uint8_t SampleCodeAt(std::size_t offset) {
  return static_cast<std::uint8_t>((offset - kFirstStoreOffset) % 44);
}

// The header checksum at 0x14D covers the bytes from the title to 0x14C.
void FixHeaderChecksum(std::vector<std::uint8_t>& image) {
  std::uint8_t sum = 0;
  for (std::size_t i = kTitleOffset; i < kChecksumOffset; ++i) {
    sum = static_cast<std::uint8_t>(sum - image[i] - 1);
  }
  image[kChecksumOffset] = sum;
}

// The global checksum at 0x14E-0x14F, high byte first, is the 16-bit sum
// of every other byte of the image.
void FixGlobalChecksum(std::vector<std::uint8_t>& image) {
  std::uint16_t sum = 0;
  for (std::size_t i = 0; i < image.size(); ++i) {
    if (i != kGlobalChecksumOffset && i != kGlobalChecksumOffset + 1) {
      sum = static_cast<std::uint16_t>(sum + image[i]);
    }
  }
  image[kGlobalChecksumOffset] = static_cast<std::uint8_t>(sum >> 8);
  image[kGlobalChecksumOffset + 1] = static_cast<std::uint8_t>(sum & 0xFF);
}

// Creates `path`, which must not exist, for writing; -1 on failure.
// Windows takes the UTF-8 name as a wide one.
#ifdef _WIN32
int OpenNew(const std::string& path) {
  const std::filesystem::path name(std::u8string(path.begin(), path.end()));
  return ::_wopen(name.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                  _S_IREAD | _S_IWRITE);
}
int Write(int fd, const std::uint8_t* data, std::size_t count) {
  return ::_write(fd, data,
                  static_cast<unsigned>(
                      std::min<std::size_t>(count, std::size_t{1} << 30)));
}
int Close(int fd) { return ::_close(fd); }
#else
int OpenNew(const std::string& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
}
ssize_t Write(int fd, const std::uint8_t* data, std::size_t count) {
  return ::write(fd, data, count);
}
int Close(int fd) { return ::close(fd); }
#endif

}  // namespace

std::vector<std::uint8_t> MakeSampleImage(std::size_t size) {
  if (size < kHeaderEnd) {
    throw std::invalid_argument("a sample image needs at least 336 bytes");
  }
  std::vector<std::uint8_t> image(size, 0xFF);
  // The header area from 0x100 to 0x14F: zeros but for the title.
  std::memset(image.data() + 0x100, 0, kHeaderEnd - 0x100);
  std::memcpy(image.data() + kTitleOffset, kTitle.data(), kTitle.size());
  FixHeaderChecksum(image);
  for (std::size_t offset = kFirstStoreOffset;
       offset <= kLastStoreOffset && offset < size; ++offset) {
    image[offset] = SampleCodeAt(offset);
  }
  FixGlobalChecksum(image);
  return image;
}

void WriteNewFile(const std::string& path,
                  const std::vector<std::uint8_t>& bytes) {
  const int fd = OpenNew(path);
  if (fd < 0) {
    throw std::runtime_error("cannot create \"" + path +
                             "\": " + std::strerror(errno));
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    const auto n = Write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int error = errno;
      Close(fd);
      throw std::runtime_error("cannot write \"" + path +
                               "\": " + std::strerror(error));
    }
    done += static_cast<std::size_t>(n);
  }
  if (Close(fd) != 0) {
    throw std::runtime_error("cannot close \"" + path +
                             "\": " + std::strerror(errno));
  }
}

}  // namespace tivok
