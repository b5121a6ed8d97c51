#include "rom/export_file.h"

#include <algorithm>
#include <optional>

#include "rom/checksum.h"
#include "rom/describe.h"
#include "rom/image_file.h"
#include "rom/rom_file.h"

namespace tivok {
namespace {

// The smallest cartridge image.
constexpr std::int64_t kSmallestImage = 32 * 1024;
// A file of the kind being written is read whole to tell it; one longer
// than this, far longer than any layout or any IPS patch, is taken for
// none.
constexpr std::int64_t kMostRead = 16 * 1024 * 1024;

[[noreturn]] void Refuse(const std::string& path, const std::string& reason) {
  FailWith("cannot export to", path, RomFileError::Kind::kOther, reason);
}

// A refusal of a file whose content an export never replaces.
[[noreturn]] void RefuseContent(const std::string& path,
                                const std::string& what,
                                const std::string& rule) {
  Refuse(path, what + ", and an export " + rule + "; nothing was written");
}

// The header title field of `head`, one character per byte.
std::string_view TitleField(std::span<const std::uint8_t> head) {
  return {reinterpret_cast<const char*>(head.data()) + RomFile::kTitleOffset,
          RomFile::kTitleLength};
}

// The header title as a refusal shows it: up to its first NUL, as
// Printable shows it, without trailing spaces.
std::string TitleText(std::span<const std::uint8_t> head) {
  std::string_view title = TitleField(head);
  title = title.substr(0, title.find('\0'));
  std::string text = Printable(title);
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// The bytes of the regular file at `path` that tell what it is: all of
// them, or only its header when it is longer than kMostRead. Throws
// RomFileError when it cannot be read.
std::vector<std::uint8_t> ReadHead(const std::string& path,
                                   std::int64_t* size) {
  ImageFile file(path, ImageFile::Access::kRead);
  *size = file.size();
  const std::int64_t count =
      file.size() > kMostRead ? std::min<std::int64_t>(kHeaderSize, file.size())
                              : file.size();
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
  file.ReadAt(0, bytes.data(), bytes.size());
  return bytes;
}

}  // namespace

bool IsCartridgeImage(std::span<const std::uint8_t> head, std::int64_t size) {
  if (size < kSmallestImage || head.size() < kHeaderSize) return false;
  return ChecksumsOf(head.first(kHeaderSize)).header_right() ||
         RomFile::IsAcceptedTitle(TitleField(head));
}

bool SameFile(const std::string& a, const std::string& b) {
  if (a == b) return true;
  try {
    const std::optional<FileIdentity> identity = ImageFile::IdentityAt(a);
    return identity && identity == ImageFile::IdentityAt(b);
  } catch (const RomFileError&) {
    return false;
  }
}

void ExportFile(const std::string& path, std::string_view content,
                const ExportKind& kind,
                const std::vector<std::string>& images) {
  if (path.empty()) Refuse(path, "no file name was given");
  if (path.find('\0') != std::string::npos) FailNulInName(path);
  switch (file_system::ExportTargetKind(path)) {
    case file_system::TargetKind::kFolder:
      Refuse(path, "it is a folder");
    case file_system::TargetKind::kOther:
      Refuse(path, "it is not a regular file");
    case file_system::TargetKind::kNothing:
      file_system::ReplaceByNewFile(path, content);
      return;
    case file_system::TargetKind::kFile:
      break;
  }
  const std::string never = "never replaces a cartridge image";
  const std::optional<FileIdentity> target = ImageFile::IdentityAt(path);
  for (const std::string& image : images) {
    if (target && ImageFile::IdentityAt(image) == target) {
      RefuseContent(path, "it is the cartridge image " + QuotedName(image),
                    never);
    }
  }
  std::int64_t size = 0;
  std::vector<std::uint8_t> bytes;
  try {
    bytes = ReadHead(path, &size);
  } catch (const RomFileError& error) {
    // What the file holds decides whether it may be replaced.
    FailWith("cannot export to", path, error.kind(),
             "it cannot be read to tell what it holds (" +
                 ReasonOf(error, path) + "); nothing was written");
  }
  // A file of the kind being written is told by its whole content, which
  // no image has; an image is told by its header.
  const bool whole = static_cast<std::int64_t>(bytes.size()) == size;
  if (size > 0 && !(whole && kind.holds(bytes))) {
    if (IsCartridgeImage(bytes, size)) {
      const std::string title = TitleText(bytes);
      RefuseContent(path,
                    "it is a Game Boy cartridge image" +
                        (title.empty() ? "" : " (" + Quoted(title) + ")"),
                    never);
    }
    RefuseContent(
        path, "it holds something other than " + std::string(kind.name),
        "replaces only " + std::string(kind.name) + " or an empty file");
  }
  file_system::ReplaceByNewFile(path, content);
}

namespace file_system {

void FailNewFile(const std::string& path, const std::string& folder,
                 RomFileError::Kind kind, const std::string& reason) {
  FailWith(
      "cannot export to", path, kind,
      "the folder " + Quoted(folder) + " cannot take a new file: " + reason);
}

}  // namespace file_system
}  // namespace tivok
