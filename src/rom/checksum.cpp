#include "rom/checksum.h"

#include <algorithm>
#include <stdexcept>

#include "rom/image_file.h"

namespace tivok {
namespace {

// Large enough that the sum of a big image takes few reads, small enough
// that it does not hold the image in memory.
constexpr std::size_t kChunkSize = 64 * 1024;

// The 16-bit sum of `bytes`, which start at offset `first` of the image,
// leaving out the two bytes of the global checksum.
std::uint16_t SumOf(std::span<const std::uint8_t> bytes, std::int64_t first) {
  std::uint32_t sum = 0;
  for (const std::uint8_t byte : bytes) sum += byte;
  for (FileOffset offset = kGlobalChecksumOffset;
       offset <= kGlobalChecksumOffset + 1; ++offset) {
    const std::int64_t at = offset - first;
    if (at >= 0 && at < static_cast<std::int64_t>(bytes.size())) {
      sum -= bytes[static_cast<std::size_t>(at)];
    }
  }
  return static_cast<std::uint16_t>(sum);
}

// Both checksums as stored in `header`, the image's first kHeaderSize bytes
// at least, and the header checksum as computed.
Checksums HeaderOf(std::span<const std::uint8_t> header) {
  Checksums sums;
  std::uint8_t computed = 0;
  for (FileOffset i = RomFile::kTitleOffset; i < kHeaderChecksumOffset; ++i) {
    computed = static_cast<std::uint8_t>(computed - header[i] - 1);
  }
  sums.header_computed = computed;
  sums.header_stored = header[kHeaderChecksumOffset];
  sums.global_stored = static_cast<std::uint16_t>(
      header[kGlobalChecksumOffset] << 8 | header[kGlobalChecksumOffset + 1]);
  return sums;
}

}  // namespace

bool InGlobalChecksum(FileOffset offset) {
  return offset == kGlobalChecksumOffset || offset == kGlobalChecksumOffset + 1;
}

Checksums ChecksumsOf(std::span<const std::uint8_t> image) {
  if (image.size() < kHeaderSize) {
    throw std::invalid_argument("an image needs its header for checksums");
  }
  Checksums sums = HeaderOf(image);
  sums.global_computed = SumOf(image, 0);
  return sums;
}

ImageChecksums ReadImageChecksums(const std::string& path) {
  ImageFile file(path, ImageFile::Access::kRead);
  ImageChecksums read;
  read.title = TitleOf(file);
  read.checksums = ReadChecksums(file);
  return read;
}

Checksums ReadChecksums(ImageFile& file) {
  Checksums checksums = HeaderOf(ReadFrom(file, 0, kHeaderSize));
  std::vector<std::uint8_t> chunk(kChunkSize);
  std::uint16_t sum = 0;
  for (std::int64_t at = 0; at < file.size();) {
    const auto count = static_cast<std::size_t>(
        std::min<std::int64_t>(kChunkSize, file.size() - at));
    file.ReadAt(at, chunk.data(), count);
    sum = static_cast<std::uint16_t>(sum + SumOf({chunk.data(), count}, at));
    at += static_cast<std::int64_t>(count);
  }
  checksums.global_computed = sum;
  return checksums;
}

std::uint16_t GlobalChecksumAfter(const Checksums& now,
                                  const std::vector<ByteChange>& changes) {
  std::uint32_t sum = now.global_computed;
  std::vector<FileOffset> offsets;
  for (const ByteChange& change : changes) {
    if (!change.expected || InGlobalChecksum(change.offset)) {
      throw std::invalid_argument(
          "a change to sum needs the byte it replaces and may not be the "
          "checksum's");
    }
    sum += change.value - *change.expected;
    offsets.push_back(change.offset);
  }
  std::sort(offsets.begin(), offsets.end());
  if (std::adjacent_find(offsets.begin(), offsets.end()) != offsets.end()) {
    throw std::invalid_argument("two changes to sum name one offset");
  }
  return static_cast<std::uint16_t>(sum);
}

std::vector<ByteChange> WithGlobalChecksum(std::vector<ByteChange> changes,
                                           const Checksums& now) {
  const std::uint16_t after = GlobalChecksumAfter(now, changes);
  const auto high = [](std::uint16_t value) {
    return static_cast<std::uint8_t>(value >> 8);
  };
  const auto low = [](std::uint16_t value) {
    return static_cast<std::uint8_t>(value & 0xFF);
  };
  changes.push_back(
      {kGlobalChecksumOffset, high(now.global_stored), high(after)});
  changes.push_back(
      {kGlobalChecksumOffset + 1, low(now.global_stored), low(after)});
  return changes;
}

}  // namespace tivok
