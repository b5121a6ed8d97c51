#include "rom/checksum_text.h"

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

}  // namespace tivok
