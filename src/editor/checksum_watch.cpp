#include "editor/checksum_watch.h"

#include "editor/status_text.h"
#include "rom/rom_file.h"

namespace tivok {

void ChecksumWatch::OnFixChecksum() {
  const SlotListing& listing = editor_.listing();
  if (listing.store() == nullptr || !listing.problem().empty()) return;
  editor_.ReportWrite(editor_.saves().FixChecksum(editor_.image_path()));
}

void ChecksumWatch::Read(const std::string& path) {
  try {
    checksums_ = ReadImageChecksums(path).checksums;
  } catch (const RomFileError&) {
    checksums_.reset();
  }
}

void ChecksumWatch::Apply(const std::vector<ByteEdit>& edits) {
  if (!checksums_) return;
  Checksums& sums = *checksums_;
  for (const ByteEdit& edit : edits) {
    if (edit.offset == kGlobalChecksumOffset) {
      sums.global_stored = static_cast<std::uint16_t>(
          (sums.global_stored & 0x00FF) | (edit.after << 8));
    } else if (edit.offset == kGlobalChecksumOffset + 1) {
      sums.global_stored = static_cast<std::uint16_t>(
          (sums.global_stored & 0xFF00) | edit.after);
    } else {
      // Slots lie past the header: the header checksum stays as it is.
      sums.global_computed = static_cast<std::uint16_t>(
          sums.global_computed + edit.after - edit.before);
    }
  }
}

std::string ChecksumWatch::Note() const {
  return checksums_ ? ChecksumNote(*checksums_) : "";
}

std::string ChecksumWatch::NoteAfterSave() const {
  return stale() ? StaleAfterSaveNote() : "";
}

}  // namespace tivok
