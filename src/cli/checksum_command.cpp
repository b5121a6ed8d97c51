#include "cli/checksum_command.h"

#include "cli/apply.h"
#include "cli/listing.h"
#include "rom/checksum.h"
#include "rom/checksum_text.h"
#include "rom/describe.h"
#include "rom/hex_text.h"

namespace tivok::cli {
namespace {

std::string Hex(std::uint8_t value) { return "0x" + ByteHex(value); }

std::string Hex(std::uint16_t value) {
  return Hex(static_cast<std::uint8_t>(value >> 8)) +
         ByteHex(static_cast<std::uint8_t>(value & 0xFF));
}

// One checksum's line: "Header checksum (offset 0x14D): 0x9D stored, 0x9D
// computed; they match."
template <typename Value>
std::string LineOf(std::string_view name, Value stored, Value computed,
                   std::string_view mismatch) {
  return std::string(name) + ": " + Hex(stored) + " stored, " + Hex(computed) +
         " computed; " +
         (stored == computed ? "they match"
                             : "it is " + std::string(mismatch)) +
         ".\n";
}

std::string ReportOf(const Checksums& checksums) {
  std::string text =
      LineOf("Header checksum (offset 0x14D)", checksums.header_stored,
             checksums.header_computed, "wrong") +
      LineOf("Global checksum (offsets 0x14E-0x14F)", checksums.global_stored,
             checksums.global_computed, "stale");
  if (!checksums.header_right()) text += WrongHeaderChecksumText() + "\n";
  if (!checksums.global_right()) {
    text += StaleChecksumText() +
            " It sums every byte of the image, so every save of a slot leaves "
            "it stale.\n";
  }
  return text;
}

Result Failed(std::ostream& err, const std::string& message) {
  err << kProgram << ": " << message << "\n";
  return {kFailed};
}

}  // namespace

Result RunChecksum(const Invocation& invocation, std::ostream& out,
                   std::ostream& err) {
  const std::string& path = invocation.operands[0];
  // The fix is a write of the global checksum alone, told as set tells
  // its slot; the checksums are then read again.
  bool changed = false;
  if (invocation.fix) {
    const Result fixed =
        WriteWishes(path, {}, {.fix_checksum = true}, {}, out, err);
    if (fixed.status != kOk) return fixed;
    changed = fixed.changed;
  }
  ImageChecksums image;
  try {
    image = ReadImageChecksums(path);
  } catch (const RomFileError& error) {
    return {Failed(err, error.what()).status, changed};
  }
  if (!RomFile::IsAcceptedTitle(image.title)) {
    return Failed(err, NotAnImageText(Quoted(path), image.title));
  }
  const Checksums& checksums = image.checksums;
  out << ReportOf(checksums);
  return {checksums.header_right() && checksums.global_right() ? kOk : kFailed,
          changed};
}

std::string ChecksumHelpText() {
  return "Shows the two checksums in the header of IMAGE, each as stored and\n"
         "as computed from the image's bytes, and whether they match. Exits 0\n"
         "when both match and 1 when one does not, so that scripts can check.\n"
         "\n"
         "The header checksum, one byte at offset 0x14D, covers the header\n"
         "from 0x134 to 0x14C. Where it is wrong, real hardware will not "
         "start\n"
         "the image. Tivok never writes the header, so it only tells.\n"
         "\n"
         "The global checksum, at 0x14E-0x14F with its high byte first, is "
         "the\n"
         "16-bit sum of every other byte of the image. Hardware does not "
         "check\n"
         "it, but some emulators warn when they start an image where it is\n"
         "stale, and every save of a slot leaves it stale. set and apply\n"
         "--fix-checksum keep it right as they write; --fix puts it right.\n"
         "\n"
         "  --fix       write the global checksum as computed, through the\n"
         "              same checks as set: on one open file, only where it\n"
         "              differs, each byte only while it holds the value\n"
         "              read, flushed; then show both checksums again. A\n"
         "              wrong header checksum is told, never written, and\n"
         "              the exit status is then 1\n"
         "  -h, --help  show this help\n";
}

}  // namespace tivok::cli
