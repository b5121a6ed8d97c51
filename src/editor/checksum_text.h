#ifndef TIVOK_EDITOR_CHECKSUM_TEXT_H_
#define TIVOK_EDITOR_CHECKSUM_TEXT_H_

#include <string>

#include "rom/checksum.h"

namespace tivok {

// The status line's note on an image's checksums, after it is opened or
// saved: that its header checksum is wrong, that its global checksum is
// stale, or both, each in a sentence or two a newcomer understands; empty
// when both match.
std::string ChecksumNote(const Checksums& checksums);

}  // namespace tivok

#endif  // TIVOK_EDITOR_CHECKSUM_TEXT_H_
