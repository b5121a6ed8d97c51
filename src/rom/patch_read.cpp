#include "rom/patch_read.h"

#include <zlib.h>

#include <algorithm>
#include <string_view>

#include "rom/hex_text.h"

namespace tivok {
namespace {

constexpr std::string_view kIpsMagic = "PATCH";
constexpr std::string_view kBpsMagic = "BPS1";
constexpr std::uint64_t kIpsEof = 0x454F46;
// BPS's magic, its three sizes of a byte at least, and its three CRC32s.
constexpr std::size_t kShortestBps = 4 + 3 + 12;

bool BeginsWith(std::span<const std::uint8_t> bytes, std::string_view magic) {
  return bytes.size() >= magic.size() &&
         std::equal(magic.begin(), magic.end(), bytes.begin());
}

// "0x5": an offset or a number in hex, as a hex editor shows it.
std::string Hex(std::uint64_t value) { return "0x" + UpperHex(value); }

// "0x0001ABCD": a CRC32 with all eight digits.
std::string CrcText(std::uint32_t crc) {
  const std::string digits = UpperHex(crc);
  return "0x" + std::string(8 - digits.size(), '0') + digits;
}

std::uint32_t Crc(std::span<const std::uint8_t> bytes) {
  return static_cast<std::uint32_t>(crc32_z(0, bytes.data(), bytes.size()));
}

// `count` bytes from `at`, the highest first; the caller has checked that
// they are there.
std::uint64_t BigEndian(std::span<const std::uint8_t> bytes, std::size_t at,
                        int count) {
  std::uint64_t value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | bytes[at + i];
  return value;
}

std::uint32_t LittleEndian(std::span<const std::uint8_t> bytes,
                           std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | bytes[at + i];
  return value;
}

// What an IPS record says of itself in a refusal: "the IPS patch's record
// at offset 0x5 of the patch".
std::string IpsRecord(std::size_t record) {
  return "the IPS patch's record at offset " + Hex(record) + " of the patch";
}

// Lays `count` bytes at `offset` of `target`, from `write`, unless they
// reach past its end.
template <typename Write>
void Lay(std::vector<std::uint8_t>& target, std::size_t record,
         std::uint64_t offset, std::uint64_t count, Write write) {
  if (offset + count > target.size()) {
    throw PatchError(
        IpsRecord(record) + " reaches past the end of the image: it writes " +
        std::to_string(count) + " bytes at offset " + Hex(offset) +
        ", and the image has " + std::to_string(target.size()) + " bytes");
  }
  write(target.begin() + static_cast<std::ptrdiff_t>(offset));
}

std::vector<std::uint8_t> ApplyIps(std::span<const std::uint8_t> patch,
                                   std::span<const std::uint8_t> source) {
  std::vector<std::uint8_t> target(source.begin(), source.end());
  const std::size_t size = patch.size();
  std::size_t at = kIpsMagic.size();
  const auto cut = [](std::size_t record) {
    return PatchError("the IPS patch ends inside its record at offset " +
                      Hex(record) + " of the patch");
  };
  for (;;) {
    if (size - at < 3) {
      throw PatchError("the IPS patch ends without its \"EOF\" mark");
    }
    const std::size_t record = at;
    const std::uint64_t offset = BigEndian(patch, at, 3);
    if (offset == kIpsEof) {
      at += 3;
      break;
    }
    if (size - at < 5) throw cut(record);
    const std::uint64_t count = BigEndian(patch, at + 3, 2);
    at += 5;
    if (count == 0) {
      // A run: how often, then the byte.
      if (size - at < 3) throw cut(record);
      const std::uint64_t run = BigEndian(patch, at, 2);
      const std::uint8_t value = patch[at + 2];
      if (run == 0)
        throw PatchError(IpsRecord(record) + " repeats a byte 0 times");
      Lay(target, record, offset, run,
          [&](auto to) { std::fill_n(to, run, value); });
      at += 3;
    } else {
      if (size - at < count) throw cut(record);
      Lay(target, record, offset, count, [&](auto to) {
        std::copy_n(patch.begin() + static_cast<std::ptrdiff_t>(at), count, to);
      });
      at += count;
    }
  }
  if (size - at == 3) {
    // The length to cut the image to; a change of length is the caller's
    // to refuse.
    target.resize(BigEndian(patch, at, 3));
  } else if (size != at) {
    throw PatchError("the IPS patch has " + std::to_string(size - at) +
                     " bytes after its \"EOF\" mark, where only a 3-byte "
                     "length may follow");
  }
  return target;
}

// BPS's actions, read from the patch's body (before its three CRC32s) into
// an image as long as the source.
class BpsReader {
 public:
  BpsReader(std::span<const std::uint8_t> patch,
            std::span<const std::uint8_t> source)
      : patch_(patch), body_(patch.size() - 12), source_(source) {}

  // The sizes and the metadata, which Tivok does not use.
  void ReadHeader(const std::string& source_name) {
    const std::uint64_t source_size = Number();
    const std::uint64_t target_size = Number();
    const std::uint64_t metadata = Number();
    if (metadata > body_ - at_) throw Cut(at_);
    at_ += metadata;
    if (source_size != source_.size()) {
      throw PatchError("the BPS patch is made for an image of " +
                       std::to_string(source_size) + " bytes, not for " +
                       source_name + ", which has " +
                       std::to_string(source_.size()));
    }
    if (target_size != source_size) {
      throw PatchError("the BPS patch makes an image of " +
                       std::to_string(target_size) + " bytes from one of " +
                       std::to_string(source_size) +
                       ", and Tivok never changes an image's length");
    }
    target_.resize(source_.size());
  }

  std::vector<std::uint8_t> ReadActions() {
    while (at_ < body_) {
      const std::size_t action = at_;
      const std::uint64_t data = Number();
      const std::uint64_t length = (data >> 2) + 1;
      if (length > target_.size() - out_) {
        throw Outside(action, "writes past the end of the image it makes");
      }
      const auto to = target_.begin() + static_cast<std::ptrdiff_t>(out_);
      switch (data & 3) {
        case 0:  // SourceRead: the source's bytes at the same offset
          if (out_ + length > source_.size()) {
            throw Outside(action, "reads past the end of the source");
          }
          std::copy_n(source_.begin() + static_cast<std::ptrdiff_t>(out_),
                      length, to);
          break;
        case 1:  // TargetRead: the patch's own bytes
          if (length > body_ - at_) throw Cut(action);
          std::copy_n(patch_.begin() + static_cast<std::ptrdiff_t>(at_), length,
                      to);
          at_ += length;
          break;
        case 2:  // SourceCopy: the source's bytes from anywhere
          Move(source_offset_);
          if (source_offset_ < 0 ||
              static_cast<std::uint64_t>(source_offset_) + length >
                  source_.size()) {
            throw Outside(action, "copies from outside the source");
          }
          std::copy_n(source_.begin() + source_offset_, length, to);
          source_offset_ += static_cast<std::int64_t>(length);
          break;
        default:  // TargetCopy: bytes made already, one at a time, so that
                  // a copy may repeat what it has just made
          Move(target_offset_);
          if (target_offset_ < 0 ||
              static_cast<std::uint64_t>(target_offset_) >= out_) {
            throw Outside(action, "copies from bytes it has not made");
          }
          for (std::uint64_t i = 0; i < length; ++i) {
            target_[out_ + i] = target_[target_offset_ + i];
          }
          target_offset_ += static_cast<std::int64_t>(length);
          break;
      }
      out_ += length;
    }
    if (out_ != target_.size()) {
      throw PatchError("the BPS patch's actions make " + std::to_string(out_) +
                       " of the " + std::to_string(target_.size()) +
                       " bytes of its image");
    }
    return std::move(target_);
  }

 private:
  PatchError Cut(std::size_t at) const {
    return PatchError("the BPS patch ends inside its action at offset " +
                      Hex(at) + " of the patch");
  }

  PatchError Outside(std::size_t action, const std::string& what) const {
    return PatchError("the BPS patch's action at offset " + Hex(action) +
                      " of the patch " + what);
  }

  // A number: seven bits a byte, the lowest first, the last byte marked
  // by its high bit, each byte but the last standing for one more.
  std::uint64_t Number() {
    const std::size_t start = at_;
    std::uint64_t value = 0;
    for (std::uint64_t shift = 1;; shift <<= 7) {
      if (at_ >= body_) throw Cut(start);
      // Eight bytes give numbers far past any image's size.
      if (shift > std::uint64_t{1} << 49) {
        throw PatchError(
            "the BPS patch holds a number too large to read, "
            "at offset " +
            Hex(start) + " of the patch");
      }
      const std::uint8_t byte = patch_[at_++];
      value += (byte & 0x7F) * shift;
      if (byte & 0x80) return value;
      value += shift << 7;
    }
  }

  // Moves a copy's offset by the signed number that follows its action.
  void Move(std::int64_t& offset) {
    const std::uint64_t data = Number();
    const auto distance = static_cast<std::int64_t>(data >> 1);
    offset += (data & 1) ? -distance : distance;
  }

  std::span<const std::uint8_t> patch_;
  std::size_t body_;
  std::span<const std::uint8_t> source_;
  std::vector<std::uint8_t> target_;
  std::size_t at_ = kBpsMagic.size();
  std::uint64_t out_ = 0;
  std::int64_t source_offset_ = 0;
  std::int64_t target_offset_ = 0;
};

std::vector<std::uint8_t> ApplyBps(std::span<const std::uint8_t> patch,
                                   std::span<const std::uint8_t> source,
                                   const std::string& source_name) {
  if (patch.size() < kShortestBps) {
    throw PatchError("the BPS patch is cut short: it has only " +
                     std::to_string(patch.size()) + " bytes");
  }
  const std::size_t end = patch.size() - 4;
  const std::uint32_t stored = LittleEndian(patch, end);
  const std::uint32_t given = Crc(patch.first(end));
  if (given != stored) {
    throw PatchError("the BPS patch is damaged: its bytes give the CRC32 " +
                     CrcText(given) + ", not the " + CrcText(stored) +
                     " that it ends with");
  }
  const std::uint32_t source_crc = LittleEndian(patch, end - 8);
  if (Crc(source) != source_crc) {
    throw PatchError("the BPS patch is made for an image whose CRC32 is " +
                     CrcText(source_crc) + ", not for " + source_name +
                     ", whose CRC32 is " + CrcText(Crc(source)));
  }
  BpsReader reader(patch, source);
  reader.ReadHeader(source_name);
  std::vector<std::uint8_t> target = reader.ReadActions();
  const std::uint32_t promised = LittleEndian(patch, end - 4);
  if (Crc(target) != promised) {
    throw PatchError("the BPS patch makes an image whose CRC32 is " +
                     CrcText(Crc(target)) + ", not the " + CrcText(promised) +
                     " that it promises");
  }
  return target;
}

}  // namespace

bool BeginsAsIps(std::span<const std::uint8_t> bytes) {
  return BeginsWith(bytes, kIpsMagic);
}

bool BeginsAsBps(std::span<const std::uint8_t> bytes) {
  return BeginsWith(bytes, kBpsMagic);
}

std::vector<std::uint8_t> ApplyPatch(std::span<const std::uint8_t> patch,
                                     std::span<const std::uint8_t> source,
                                     const std::string& source_name) {
  if (static_cast<std::int64_t>(patch.size()) >= kPatchLimit) {
    throw PatchError("the patch has " + std::to_string(patch.size()) +
                     " bytes, and a patch may have fewer than 16777216 (16 "
                     "MiB)");
  }
  if (BeginsAsIps(patch)) return ApplyIps(patch, source);
  if (BeginsAsBps(patch)) return ApplyBps(patch, source, source_name);
  throw PatchError(
      "it is neither an IPS patch, which begins with \"PATCH\", nor a BPS "
      "patch, which begins with \"BPS1\"");
}

}  // namespace tivok
