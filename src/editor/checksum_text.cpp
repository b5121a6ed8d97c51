#include "editor/checksum_text.h"

namespace tivok {

// Tivok writes store slots only: it can neither have broken the header
// checksum nor mend it.
std::string WrongHeaderChecksumText() {
  return "The header checksum is wrong: real hardware will not start this "
         "image. Tivok never writes the header.";
}

std::string StaleChecksumText() {
  return "The global checksum is stale: hardware does not check it, but some "
         "emulators warn when they start the image.";
}

std::string ChecksumNote(const Checksums& checksums) {
  std::string note;
  if (!checksums.header_right()) note = WrongHeaderChecksumText();
  if (!checksums.global_right()) {
    if (!note.empty()) note += " ";
    note +=
        StaleChecksumText() + " Edit, Fix Cartridge Checksum sets it right.";
  }
  return note;
}

std::string StaleAfterSaveNote() {
  return "The global checksum is stale now: hardware ignores it, some "
         "emulators warn. Edit, Fix Cartridge Checksum sets it right.";
}

}  // namespace tivok
