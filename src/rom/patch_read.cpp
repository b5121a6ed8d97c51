#include "rom/patch_read.h"

#include <algorithm>
#include <string_view>

#include "rom/hex_text.h"

namespace tivok {
namespace {

constexpr std::string_view kIpsMagic = "PATCH";
constexpr std::string_view kBpsMagic = "BPS1";
constexpr std::uint64_t kIpsEof = 0x454F46;

bool BeginsWith(std::span<const std::uint8_t> bytes, std::string_view magic) {
  return bytes.size() >= magic.size() &&
         std::equal(magic.begin(), magic.end(), bytes.begin());
}

// "0x5": an offset or a number in hex, as a hex editor shows it.
std::string Hex(std::uint64_t value) { return "0x" + UpperHex(value); }

// `count` bytes from `at`, the highest first; the caller has checked that
// they are there.
std::uint64_t BigEndian(std::span<const std::uint8_t> bytes, std::size_t at,
                        int count) {
  std::uint64_t value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | bytes[at + i];
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

}  // namespace

std::vector<std::uint8_t> ApplyIpsPatch(std::span<const std::uint8_t> patch,
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
  if (BeginsAsIps(patch)) return ApplyIpsPatch(patch, source);
  if (BeginsAsBps(patch)) return ApplyBpsPatch(patch, source, source_name);
  throw PatchError(
      "it is neither an IPS patch, which begins with \"PATCH\", nor a BPS "
      "patch, which begins with \"BPS1\"");
}

}  // namespace tivok
