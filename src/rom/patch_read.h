#ifndef TIVOK_ROM_PATCH_READ_H_
#define TIVOK_ROM_PATCH_READ_H_

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "rom/patch.h"

namespace tivok {

// The readers of the patches that patch.h writes, and of any other IPS or
// BPS patch: a patch is applied in memory to a source image's bytes, every
// read checked against the bytes there are. A patch that cannot be read or
// is not meant for the source throws PatchError, whose message says why
// ("the IPS patch ends inside its record at offset 0x5 of the patch").

// A patch has fewer bytes than this, 16 MiB: far more than any patch of a
// cartridge image needs, and little enough to read at once.
inline constexpr std::int64_t kPatchLimit = 16 * 1024 * 1024;

// Whether `bytes` begin as an IPS patch ("PATCH") or a BPS patch ("BPS1").
// A patch is told by its first bytes, never by its file's name.
bool BeginsAsIps(std::span<const std::uint8_t> bytes);
bool BeginsAsBps(std::span<const std::uint8_t> bytes);

// The image that `patch` makes of `source`, named `source_name` in a
// refusal (quoted, as Quoted gives it).
// IPS: records, run records, "EOF" and an optional 3-byte length to cut
// the image to; a record may not reach past the end of the source, nor
// repeat a byte 0 times, and nothing but that length may follow "EOF".
// BPS: its own CRC32 must be right, the source's CRC32 must be the one it
// names, it must make an image as long as the source, and that image must
// have the CRC32 that it promises.
std::vector<std::uint8_t> ApplyPatch(std::span<const std::uint8_t> patch,
                                     std::span<const std::uint8_t> source,
                                     const std::string& source_name);

// The reader of each format, for a patch that begins as one
// (patch_read.cpp, bps_read.cpp).
std::vector<std::uint8_t> ApplyIpsPatch(std::span<const std::uint8_t> patch,
                                        std::span<const std::uint8_t> source);
std::vector<std::uint8_t> ApplyBpsPatch(std::span<const std::uint8_t> patch,
                                        std::span<const std::uint8_t> source,
                                        const std::string& source_name);

// Whether `bytes` are a whole IPS patch, as ApplyIpsPatch reads one:
// "PATCH", records that each fit, "EOF", and at most the 3-byte length to
// cut the target to. What the records write is not looked at.
bool IsIpsPatch(std::span<const std::uint8_t> bytes);

// Whether `bytes` are a BPS patch: "BPS1", and no BpsDamage.
bool IsBpsPatch(std::span<const std::uint8_t> bytes);

// Why `patch` cannot be a BPS patch whatever its source: it is too short
// for one, or the CRC32 that ends it is not that of the bytes before it.
// Empty when neither.
std::string BpsDamage(std::span<const std::uint8_t> patch);

// Why a patch of kPatchLimit bytes or more is refused: "a patch may have
// fewer than 16777216 bytes (16 MiB)".
std::string PatchLimitText();

}  // namespace tivok

#endif  // TIVOK_ROM_PATCH_READ_H_
