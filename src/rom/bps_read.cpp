// The reader of BPS patches (patch_read.h).
#include <zlib.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "rom/hex_text.h"
#include "rom/patch_read.h"

namespace tivok {
namespace {

// BPS's magic, its three sizes of a byte at least, and its three CRC32s.
constexpr std::size_t kShortestBps = kBpsMagic.size() + 3 + 12;

// Where "the BPS patch's action at offset 0x5 of the patch" is.
std::string PatchOffsetText(std::size_t at) {
  return OffsetText(static_cast<std::int64_t>(at)) + " of the patch";
}

// "0x0001ABCD": a CRC32 with all eight digits.
std::string CrcText(std::uint32_t crc) {
  const std::string digits = UpperHex(crc);
  return "0x" + std::string(8 - digits.size(), '0') + digits;
}

std::uint32_t Crc(std::span<const std::uint8_t> bytes) {
  return static_cast<std::uint32_t>(crc32_z(0, bytes.data(), bytes.size()));
}

std::uint32_t LittleEndian(std::span<const std::uint8_t> bytes,
                           std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | bytes[at + i];
  return value;
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
    return PatchError("the BPS patch ends inside its action at " +
                      PatchOffsetText(at));
  }

  PatchError Outside(std::size_t action, const std::string& what) const {
    return PatchError("the BPS patch's action at " + PatchOffsetText(action) +
                      " " + what);
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
        throw PatchError("the BPS patch holds a number too large to read, at " +
                         PatchOffsetText(start));
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

}  // namespace

std::string BpsDamage(std::span<const std::uint8_t> patch) {
  if (patch.size() < kShortestBps) {
    return "the BPS patch is cut short: it has only " +
           std::to_string(patch.size()) + " bytes";
  }
  const std::size_t end = patch.size() - 4;
  const std::uint32_t stored = LittleEndian(patch, end);
  const std::uint32_t given = Crc(patch.first(end));
  if (given == stored) return {};
  return "the BPS patch is damaged: its bytes give the CRC32 " +
         CrcText(given) + ", not the " + CrcText(stored) + " that it ends with";
}

std::vector<std::uint8_t> ApplyBpsPatch(std::span<const std::uint8_t> patch,
                                        std::span<const std::uint8_t> source,
                                        const std::string& source_name) {
  if (const std::string damage = BpsDamage(patch); !damage.empty()) {
    throw PatchError(damage);
  }
  const std::size_t end = patch.size() - 4;
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

}  // namespace tivok
