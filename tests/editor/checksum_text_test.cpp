#include <gtest/gtest.h>

#include "editor/status_text.h"

namespace tivok {
namespace {

// The note says that the header checksum is wrong, and nothing else: the
// checksum mark tells a stale global checksum.
TEST(ChecksumNote, TellsAWrongHeader) {
  const std::string header =
      "The header checksum is wrong: real hardware will not start this "
      "image. Tivok never writes the header.";
  const struct {
    Checksums checksums;
    std::string note;
  } cases[] = {
      {{0x9D, 0x9D, 0x8EBE, 0x8EBE}, ""},
      {{0x9D, 0x9D, 0x0000, 0x8EBE}, ""},
      {{0x9D, 0x9C, 0x8EBE, 0x8EBE}, header},
      {{0x00, 0x9D, 0x8EBE, 0x8EBD}, header},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ChecksumNote(c.checksums), c.note);
  }
}

}  // namespace
}  // namespace tivok
