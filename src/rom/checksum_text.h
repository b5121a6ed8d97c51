#ifndef TIVOK_ROM_CHECKSUM_TEXT_H_
#define TIVOK_ROM_CHECKSUM_TEXT_H_

#include <string>

namespace tivok {

// Why a wrong header checksum or a stale global checksum matters, in
// sentences a newcomer understands; the window and tivok-cli both say them.
std::string WrongHeaderChecksumText();
std::string StaleChecksumText();

}  // namespace tivok

#endif  // TIVOK_ROM_CHECKSUM_TEXT_H_
