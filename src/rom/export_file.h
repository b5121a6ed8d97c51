#ifndef TIVOK_ROM_EXPORT_FILE_H_
#define TIVOK_ROM_EXPORT_FILE_H_

#include <string>
#include <string_view>
#include <vector>

namespace tivok {

// Writes `content` as the whole of the file at `path` (bytes; UTF-8 on
// Windows), for what the user exports: a layout or a patch. Refuses, by
// throwing RomFileError with the reason, a path that names a folder or
// anything but a regular file, one of `images` (the images at hand, by
// whatever name), or any file whose header title is the game's: an export
// never goes over a cartridge image. The content goes into a new file in
// the same folder, is flushed, and only then renamed over `path`, so that
// a failure at any step leaves `path` as it was and no file behind. An
// existing file keeps its permissions; a path that is a symbolic link
// writes the file that it names.
void ExportFile(const std::string& path, std::string_view content,
                const std::vector<std::string>& images);

// True when `a` and `b` name the same file, by whatever name; false when
// either cannot be examined.
bool SameFile(const std::string& a, const std::string& b);

namespace file_system {

// What stands at a path that an export is to write, as the file layer of
// each system tells it.
enum class TargetKind { kNothing, kFile, kFolder, kOther };
TargetKind ExportTargetKind(const std::string& path);

// Writes `content` to a new file next to `path`, flushes it and renames it
// over `path`; removes the new file again on failure. Throws RomFileError.
void ReplaceByNewFile(const std::string& path, std::string_view content);

}  // namespace file_system
}  // namespace tivok

#endif  // TIVOK_ROM_EXPORT_FILE_H_
