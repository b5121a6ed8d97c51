#ifndef TIVOK_LAYOUT_LAYOUT_FILE_H_
#define TIVOK_LAYOUT_LAYOUT_FILE_H_

#include <cstddef>
#include <istream>
#include <optional>
#include <string>

#include "compare/store_patch.h"

namespace tivok {

// The most bytes a layout may have, 1 MiB: far more than the 38 slots
// need, and little enough to read and check at once. A patch may have
// fewer than kPatchLimit (rom/patch_read.h).
inline constexpr std::size_t kLayoutLimit = 1024 * 1024;

// What a file chosen to apply holds, or why there is none: it could not be
// read, or it is longer than its kind may be. The first bytes tell the
// kind: "PATCH" an IPS patch, "BPS1" a BPS patch, anything else a CSV
// layout; never more than a little past the limit is read.
struct LayoutText {
  std::string text;                  // the layout's text, or the patch's bytes
  std::optional<PatchFormat> patch;  // nothing for a CSV layout
  std::string error;

  bool ok() const { return error.empty(); }
};

// What ReadLayoutFile does with a path that names no regular file (a pipe,
// a device): the window refuses it, since reading it could keep the window
// waiting for ever; tivok-cli reads it as a terminal program reads a pipe.
enum class Streams { kRefuse, kRead };

// The file at `path` (UTF-8 on Windows): opened as images are, without
// blocking, and read only when it is a regular file, unless `streams`
// reads any other.
LayoutText ReadLayoutFile(const std::string& path,
                          Streams streams = Streams::kRefuse);

// What `in`, standard input, holds.
LayoutText ReadLayoutFrom(std::istream& in);

// The patch format that the name of the file at `path` says, by its
// extension in any case: ".ips" or ".bps"; nothing for any other. A file
// read is told by its first bytes; the name only words a refusal, picks
// the format that an export writes, and says what a dropped file is.
std::optional<PatchFormat> PatchFormatNamed(const std::string& path);
// Whether the name is that of a layout (".csv") or a patch.
bool NamedAsLayoutOrPatch(const std::string& path);

}  // namespace tivok

#endif  // TIVOK_LAYOUT_LAYOUT_FILE_H_
