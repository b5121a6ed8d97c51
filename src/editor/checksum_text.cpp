#include "editor/checksum_text.h"

namespace tivok {

std::string ChecksumNote(const Checksums& checksums) {
  std::string note;
  // Tivok writes store slots only, so it can neither have broken the
  // header checksum nor mend it.
  if (!checksums.header_right()) {
    note =
        "The header checksum is wrong: real hardware will not start this "
        "image. Tivok never writes the header.";
  }
  if (!checksums.global_right()) {
    if (!note.empty()) note += " ";
    note +=
        "The cartridge's global checksum is stale: hardware does not check "
        "it, some emulators warn. Edit, Fix Cartridge Checksum sets it right.";
  }
  return note;
}

}  // namespace tivok
