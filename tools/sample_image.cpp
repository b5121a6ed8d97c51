#include "sample_image.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string_view>

namespace tivok {
namespace {

constexpr std::size_t kTitleOffset = 0x134;
constexpr std::size_t kChecksumOffset = 0x14D;
constexpr std::size_t kHeaderEnd = 0x150;
constexpr std::int32_t kFirstStorePosition = 0x2476B;
constexpr std::int32_t kLastStorePosition = 0x24794;
constexpr std::string_view kTitle = "DRAGON WMONAWQE";

// The item code that the image holds at `position` in the store regions.
std::uint8_t SampleCodeAt(std::int32_t position) {
  return static_cast<std::uint8_t>((position - kFirstStorePosition) % 44);
}

// The header checksum at 0x14D covers the bytes from the title to 0x14C.
void FixHeaderChecksum(std::vector<std::uint8_t>& image) {
  std::uint8_t sum = 0;
  for (std::size_t i = kTitleOffset; i < kChecksumOffset; ++i) {
    sum = static_cast<std::uint8_t>(sum - image[i] - 1);
  }
  image[kChecksumOffset] = sum;
}

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
  for (std::int32_t p = kFirstStorePosition; p <= kLastStorePosition; ++p) {
    const std::size_t offset = static_cast<std::size_t>(p) - 1;
    if (offset < size) image[offset] = SampleCodeAt(p);
  }
  return image;
}

void WriteNewFile(const std::string& path,
                  const std::vector<std::uint8_t>& bytes) {
  const int fd =
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    throw std::runtime_error("cannot create \"" + path +
                             "\": " + std::strerror(errno));
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int error = errno;
      ::close(fd);
      throw std::runtime_error("cannot write \"" + path +
                               "\": " + std::strerror(error));
    }
    done += static_cast<std::size_t>(n);
  }
  if (::close(fd) != 0) {
    throw std::runtime_error("cannot close \"" + path +
                             "\": " + std::strerror(errno));
  }
}

}  // namespace tivok
