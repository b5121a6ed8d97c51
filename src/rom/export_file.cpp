#include "rom/export_file.h"

#include <optional>

#include "rom/describe.h"
#include "rom/image_file.h"
#include "rom/rom_file.h"

namespace tivok {
namespace {

[[noreturn]] void Refuse(const std::string& path, const std::string& reason) {
  FailWith("cannot export to", path, RomFileError::Kind::kOther, reason);
}

// True when the file at `path` has the game's header title. A file that
// cannot be read as an image is none.
bool IsGameImage(const std::string& path) {
  try {
    return RomFile::IsAcceptedTitle(RomFile::ReadRomTitle(path));
  } catch (const RomFileError&) {
    return false;
  }
}

}  // namespace

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
  const std::optional<FileIdentity> target = ImageFile::IdentityAt(path);
  for (const std::string& image : images) {
    if (target && ImageFile::IdentityAt(image) == target) {
      Refuse(path, "it is the cartridge image " + QuotedName(image) +
                       ", and an export never goes over an image");
    }
  }
  if (IsGameImage(path)) {
    Refuse(path,
           "it is a Dragon Warrior Monsters image, and an export never goes "
           "over an image");
  }
  file_system::ReplaceByNewFile(path, content);
}

}  // namespace tivok
