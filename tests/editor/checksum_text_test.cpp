#include <gtest/gtest.h>

#include "editor/status_text.h"

namespace tivok {
namespace {

// The note says what is wrong, the worse first, and nothing when all is
// right.
TEST(ChecksumNote, TellsAWrongHeaderAndAStaleSum) {
  const std::string header =
      "The header checksum is wrong: real hardware will not start this "
      "image. Tivok never writes the header.";
  const std::string global =
      "The global checksum is stale: hardware does not check it, but some "
      "emulators warn when they start the image. Edit, Fix Cartridge "
      "Checksum sets it right.";
  const struct {
    Checksums checksums;
    std::string note;
  } cases[] = {
      {{0x9D, 0x9D, 0x8EBE, 0x8EBE}, ""},
      {{0x9D, 0x9D, 0x0000, 0x8EBE}, global},
      {{0x9D, 0x9C, 0x8EBE, 0x8EBE}, header},
      {{0x00, 0x9D, 0x8EBE, 0x8EBD}, header + " " + global},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ChecksumNote(c.checksums), c.note);
  }
}

}  // namespace
}  // namespace tivok
