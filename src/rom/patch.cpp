#include "rom/patch.h"

#include <zlib.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "rom/hex_text.h"

namespace tivok {
namespace {

// Consecutive changed bytes of the target, from `offset` of the source.
struct Run {
  std::int64_t offset = 0;
  std::vector<std::uint8_t> bytes;

  std::int64_t end() const {
    return offset + static_cast<std::int64_t>(bytes.size());
  }
};

// `changes` as runs in file order, the last value of an offset winning.
std::vector<Run> RunsOf(std::span<const std::uint8_t> source,
                        const std::vector<ByteChange>& changes) {
  std::vector<ByteChange> sorted = changes;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const ByteChange& a, const ByteChange& b) {
                     return a.offset < b.offset;
                   });
  std::vector<Run> runs;
  for (const ByteChange& change : sorted) {
    const FileOffset offset = change.offset;
    if (offset < 0 || offset >= static_cast<std::int64_t>(source.size())) {
      throw PatchError("cannot make a patch with a change at " +
                       OffsetText(offset) + ": the source has only " +
                       std::to_string(source.size()) + " bytes");
    }
    if (!runs.empty() && runs.back().end() == offset + 1) {
      runs.back().bytes.back() = change.value;
    } else if (!runs.empty() && runs.back().end() == offset) {
      runs.back().bytes.push_back(change.value);
    } else {
      runs.push_back({offset, {change.value}});
    }
  }
  return runs;
}

void Append(std::vector<std::uint8_t>& patch, std::string_view text) {
  patch.insert(patch.end(), text.begin(), text.end());
}

// `value` in `count` bytes, the highest first.
void AppendBigEndian(std::vector<std::uint8_t>& patch, std::uint32_t value,
                     int count) {
  for (int shift = 8 * (count - 1); shift >= 0; shift -= 8) {
    patch.push_back(static_cast<std::uint8_t>(value >> shift));
  }
}

void AppendLittleEndian(std::vector<std::uint8_t>& patch, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) {
    patch.push_back(static_cast<std::uint8_t>(value >> shift));
  }
}

// BPS's numbers: seven bits a byte, the lowest first, the last byte marked
// by its high bit; each byte but the last stands for one more than its
// bits, so that every number has one encoding.
void AppendNumber(std::vector<std::uint8_t>& patch, std::uint64_t value) {
  while (true) {
    const auto low = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
    if (value == 0) {
      patch.push_back(static_cast<std::uint8_t>(0x80 | low));
      return;
    }
    patch.push_back(low);
    --value;
  }
}

std::uint32_t Crc(std::uint32_t crc, const std::uint8_t* data,
                  std::size_t count) {
  return static_cast<std::uint32_t>(crc32_z(crc, data, count));
}

constexpr std::int64_t kIpsLimit = 0x1000000;
constexpr std::size_t kIpsMostBytes = 0xFFFF;

}  // namespace

std::vector<std::uint8_t> IpsPatch(std::span<const std::uint8_t> source,
                                   const std::vector<ByteChange>& changes) {
  const std::vector<Run> runs = RunsOf(source, changes);
  std::vector<std::uint8_t> patch;
  Append(patch, kIpsMagic);
  for (const Run& run : runs) {
    for (std::int64_t at = run.offset; at < run.end();) {
      // A record at offset "EOF" would read as the patch's end: it starts
      // a byte earlier, with the target's byte there.
      const std::int64_t start =
          at == static_cast<std::int64_t>(kIpsEof) ? at - 1 : at;
      if (start >= kIpsLimit) {
        throw PatchError("cannot make an IPS patch with a change at " +
                         OffsetText(start) +
                         ": IPS offsets end at 0xFFFFFF; a BPS patch has "
                         "no such limit");
      }
      const std::int64_t end =
          std::min(run.end(), start + static_cast<std::int64_t>(kIpsMostBytes));
      AppendBigEndian(patch, static_cast<std::uint32_t>(start), 3);
      AppendBigEndian(patch, static_cast<std::uint32_t>(end - start), 2);
      for (std::int64_t i = start; i < end; ++i) {
        patch.push_back(
            i < run.offset
                ? source[static_cast<std::size_t>(i)]
                : run.bytes[static_cast<std::size_t>(i - run.offset)]);
      }
      at = end;
    }
  }
  Append(patch, "EOF");
  return patch;
}

std::vector<std::uint8_t> BpsPatch(std::span<const std::uint8_t> source,
                                   const std::vector<ByteChange>& changes) {
  const std::vector<Run> runs = RunsOf(source, changes);
  const std::uint32_t source_crc = Crc(0, source.data(), source.size());
  std::uint32_t target_crc = 0;
  std::vector<std::uint8_t> patch;
  Append(patch, kBpsMagic);
  AppendNumber(patch, source.size());
  AppendNumber(patch, source.size());
  AppendNumber(patch, 0);  // no metadata
  // SourceRead is action 0 and TargetRead 1, beside a length less one.
  const auto source_read = [&](std::int64_t from, std::int64_t to) {
    if (to == from) return;
    const auto length = static_cast<std::uint64_t>(to - from);
    AppendNumber(patch, (length - 1) << 2);
    target_crc = Crc(target_crc, source.data() + from, length);
  };
  std::int64_t done = 0;
  for (const Run& run : runs) {
    source_read(done, run.offset);
    AppendNumber(patch, (run.bytes.size() - 1) << 2 | 1);
    patch.insert(patch.end(), run.bytes.begin(), run.bytes.end());
    target_crc = Crc(target_crc, run.bytes.data(), run.bytes.size());
    done = run.end();
  }
  source_read(done, static_cast<std::int64_t>(source.size()));
  AppendLittleEndian(patch, source_crc);
  AppendLittleEndian(patch, target_crc);
  AppendLittleEndian(patch, Crc(0, patch.data(), patch.size()));
  return patch;
}

}  // namespace tivok
