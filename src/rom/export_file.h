#ifndef TIVOK_ROM_EXPORT_FILE_H_
#define TIVOK_ROM_EXPORT_FILE_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "rom/patch_read.h"
#include "rom/rom_file.h"

namespace tivok {

// The rule that every export keeps, as tivok-cli's help, its manual page
// and the README state it.
inline constexpr std::string_view kExportRule =
    "An export never replaces a cartridge image of any game, nor a file of "
    "another kind unless it is empty: a layout replaces only a layout, an "
    "IPS patch only an IPS patch, a BPS patch only a BPS patch.";

// The kind of file that an export writes: how a refusal names it, and how
// a file of that kind is told by its bytes. The layout reader, above this
// layer, gives the kind of layouts.
struct ExportKind {
  std::string_view name;  // "an IPS patch"
  bool (*holds)(std::span<const std::uint8_t> bytes);
};
inline constexpr ExportKind kIpsPatchKind = {"an IPS patch", IsIpsPatch};
inline constexpr ExportKind kBpsPatchKind = {"a BPS patch", IsBpsPatch};

// Writes `content`, a file of `kind`, as the whole of the file at `path`
// (bytes; UTF-8 on Windows), for what the user exports: a layout or a
// patch. Refuses, by throwing RomFileError with the reason, a path that
// names a folder or anything but a regular file, one of `images` (the
// images at hand, by whatever name), any cartridge image (see
// IsCartridgeImage), and any other file that is neither empty nor of
// `kind`. The content goes into a new file in the same folder, is
// flushed, and only then renamed over `path`, so that a failure at any
// step leaves `path` as it was and no file behind. An existing file keeps
// its permissions; a path that is a symbolic link writes the file that it
// names.
void ExportFile(const std::string& path, std::string_view content,
                const ExportKind& kind, const std::vector<std::string>& images);

// Whether `head`, the start of a file of `size` bytes, is a Game Boy
// cartridge image of any game: 32 KiB at least, the smallest cartridge,
// with a header whose checksum at 0x14D is right or whose title is this
// game's.
bool IsCartridgeImage(std::span<const std::uint8_t> head, std::int64_t size);

// True when `a` and `b` name the same file, by whatever name; false when
// either cannot be examined.
bool SameFile(const std::string& a, const std::string& b);

namespace file_system {

// What stands at a path that an export is to write, as the file layer of
// each system tells it.
enum class TargetKind { kNothing, kFile, kFolder, kOther };
TargetKind ExportTargetKind(const std::string& path);

// Writes `content` to a new file with a short name of the system's making
// in the folder of `path`, flushes it and renames it over `path`; removes
// the new file again on failure. Throws RomFileError.
void ReplaceByNewFile(const std::string& path, std::string_view content);

// Throws the failure of an export to `path` whose `folder` could not take
// the new file, for the system's `reason`.
[[noreturn]] void FailNewFile(const std::string& path,
                              const std::string& folder,
                              RomFileError::Kind kind,
                              const std::string& reason);

}  // namespace file_system
}  // namespace tivok

#endif  // TIVOK_ROM_EXPORT_FILE_H_
