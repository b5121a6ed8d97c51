#include "rom/patch_read.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "rom/hex_text.h"

namespace tivok {
namespace {

bool BeginsWith(std::span<const std::uint8_t> bytes, std::string_view magic) {
  return bytes.size() >= magic.size() &&
         std::equal(magic.begin(), magic.end(), bytes.begin());
}

// `count` bytes from `at`, the highest first; the caller has checked that
// they are there.
std::uint64_t BigEndian(std::span<const std::uint8_t> bytes, std::size_t at,
                        int count) {
  std::uint64_t value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | bytes[at + i];
  return value;
}

// Where "the IPS patch's record at offset 0x5 of the patch" is.
std::string PatchOffsetText(std::size_t at) {
  return OffsetText(static_cast<std::int64_t>(at)) + " of the patch";
}

// One record of an IPS patch: `count` bytes for `offset` of the image,
// `data` or, for a run, `count` times `value`.
struct IpsRecord {
  std::size_t at = 0;  // where the record begins in the patch
  std::uint64_t offset = 0;
  std::uint64_t count = 0;
  std::span<const std::uint8_t> data;  // empty for a run
  bool run = false;
  std::uint8_t value = 0;
};

// Hands each record of `patch`, which begins with "PATCH", to `lay`, and
// returns the length to cut the image to when one follows "EOF". Throws
// PatchError when the patch ends inside a record or before "EOF", or holds
// more than that length after it. What a record holds is `lay`'s to
// check.
template <typename Lay>
std::optional<std::uint64_t> ReadIpsRecords(std::span<const std::uint8_t> patch,
                                            Lay lay) {
  const std::size_t size = patch.size();
  std::size_t at = kIpsMagic.size();
  const auto cut = [](std::size_t record) {
    return PatchError("the IPS patch ends inside its record at " +
                      PatchOffsetText(record));
  };
  for (;;) {
    if (size - at < 3) {
      throw PatchError("the IPS patch ends without its \"EOF\" mark");
    }
    IpsRecord record;
    record.at = at;
    record.offset = BigEndian(patch, at, 3);
    if (record.offset == kIpsEof) {
      at += 3;
      break;
    }
    if (size - at < 5) throw cut(record.at);
    record.count = BigEndian(patch, at + 3, 2);
    at += 5;
    if (record.count == 0) {
      // A run: how often, then the byte.
      if (size - at < 3) throw cut(record.at);
      record.run = true;
      record.count = BigEndian(patch, at, 2);
      record.value = patch[at + 2];
      at += 3;
    } else {
      if (size - at < record.count) throw cut(record.at);
      record.data = patch.subspan(at, record.count);
      at += record.count;
    }
    lay(record);
  }
  if (size - at == 3) return BigEndian(patch, at, 3);
  if (size != at) {
    throw PatchError("the IPS patch has " + std::to_string(size - at) +
                     " bytes after its \"EOF\" mark, where only a 3-byte "
                     "length may follow");
  }
  return std::nullopt;
}

}  // namespace

std::vector<std::uint8_t> ApplyIpsPatch(std::span<const std::uint8_t> patch,
                                        std::span<const std::uint8_t> source) {
  std::vector<std::uint8_t> target(source.begin(), source.end());
  const std::optional<std::uint64_t> cut_to =
      ReadIpsRecords(patch, [&target](const IpsRecord& record) {
        const std::string where =
            "the IPS patch's record at " + PatchOffsetText(record.at);
        if (record.run && record.count == 0) {
          throw PatchError(where + " repeats a byte 0 times");
        }
        if (record.offset + record.count > target.size()) {
          throw PatchError(
              where + " reaches past the end of the image: it writes " +
              std::to_string(record.count) + " bytes at " +
              OffsetText(static_cast<std::int64_t>(record.offset)) +
              ", and the image has " + std::to_string(target.size()) +
              " bytes");
        }
        const auto to =
            target.begin() + static_cast<std::ptrdiff_t>(record.offset);
        if (record.run) {
          std::fill_n(to, record.count, record.value);
        } else {
          std::copy(record.data.begin(), record.data.end(), to);
        }
      });
  // A change of length is the caller's to refuse.
  if (cut_to) target.resize(*cut_to);
  return target;
}

bool IsIpsPatch(std::span<const std::uint8_t> bytes) {
  if (!BeginsAsIps(bytes)) return false;
  try {
    ReadIpsRecords(bytes, [](const IpsRecord&) {});
  } catch (const PatchError&) {
    return false;
  }
  return true;
}

bool IsBpsPatch(std::span<const std::uint8_t> bytes) {
  return BeginsAsBps(bytes) && BpsDamage(bytes).empty();
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
                     " bytes, and " + PatchLimitText());
  }
  if (BeginsAsIps(patch)) return ApplyIpsPatch(patch, source);
  if (BeginsAsBps(patch)) return ApplyBpsPatch(patch, source, source_name);
  throw PatchError(
      "it is neither an IPS patch, which begins with \"PATCH\", nor a BPS "
      "patch, which begins with \"BPS1\"");
}

std::string PatchLimitText() {
  return "a patch may have fewer than " + std::to_string(kPatchLimit) +
         " bytes (16 MiB)";
}

}  // namespace tivok
