#ifndef TIVOK_EDITOR_CHECKSUM_TEXT_H_
#define TIVOK_EDITOR_CHECKSUM_TEXT_H_

#include <string>

#include "rom/checksum.h"

namespace tivok {

// Why a wrong header checksum or a stale global checksum matters, in
// sentences a newcomer understands; the window and tivok-cli both say them.
std::string WrongHeaderChecksumText();
std::string StaleChecksumText();

// The status line's note on an image's checksums, after it is opened or
// saved: that its header checksum is wrong, that its global checksum is
// stale and how to fix it, or both; empty when both match.
std::string ChecksumNote(const Checksums& checksums);

// The status line's short note after a save that left the global checksum
// stale.
std::string StaleAfterSaveNote();

}  // namespace tivok

#endif  // TIVOK_EDITOR_CHECKSUM_TEXT_H_
