#include "cli/patch_command.h"

#include <string_view>
#include <vector>

#include "cli/apply.h"
#include "compare/store_patch.h"
#include "layout/layout_csv.h"
#include "layout/patch_layout.h"
#include "rom/describe.h"
#include "rom/export_file.h"
#include "rom/rom_file.h"

namespace tivok::cli {

Result RunDiffPatch(const Invocation& invocation, const Compared& compared,
                    bool out_is_terminal, std::ostream& out,
                    std::ostream& err) {
  if (!invocation.output && out_is_terminal) {
    err << kProgram
        << ": a patch is not written to a terminal; give -o FILE, or "
           "redirect the output to a file.\n";
    return {kFailed};
  }
  const std::string& clean = compared.clean;
  const std::string& image = compared.image;
  const PatchFormat format =
      invocation.format == Format::kIps ? PatchFormat::kIps : PatchFormat::kBps;
  const StorePatch patch = MakeStorePatch(clean, image, format, compared.only);
  for (const std::string& error : patch.errors) {
    err << kProgram << ": " << error << "\n";
  }
  if (!patch.ok()) return {kFailed};
  if (!patch.note.empty()) err << kProgram << ": " << patch.note << ".\n";
  const std::string_view bytes(
      reinterpret_cast<const char*>(patch.bytes.data()), patch.bytes.size());
  if (invocation.output) {
    try {
      ExportFile(*invocation.output, bytes,
                 format == PatchFormat::kBps ? kBpsPatchKind : kIpsPatchKind,
                 {clean, image});
    } catch (const RomFileError& error) {
      err << kProgram << ": " << error.what() << "\n";
      return {kFailed};
    }
    out << "Wrote " << PatchText(patch, format) << " to "
        << Quoted(*invocation.output) << ".\n";
  } else {
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  return {invocation.exit_code && patch.slot_count > 0 ? kFailed : kOk};
}

Result RunApplyPatch(const Invocation& invocation, const LayoutText& text,
                     std::ostream& out, std::ostream& err) {
  const std::string& image = invocation.operands[0];
  const std::string& name = invocation.operands[1];
  const WishSource source{name == "-" ? "(standard input)" : name, true};
  const PatchSlots read =
      ReadPatchSlots({reinterpret_cast<const std::uint8_t*>(text.text.data()),
                      text.text.size()},
                     invocation.clean.value_or(image));
  if (!read.ok()) {
    err << kProgram << ": " << Escaped(source.name) << ": " << read.error
        << "\n"
        << kProgram << ": the patch is refused; nothing was written to "
        << Quoted(image) << ".\n";
    return {kFailed};
  }
  const WriteMode mode{invocation.dry_run, invocation.fix_checksum};
  if (!invocation.dry_run) {
    return WriteWishes(image, WishesOf(read.slots), mode, source, out, err);
  }
  // The rows, and the checks of a dry run, whose refusals go to `err`.
  out << DifferencesCsv(read.slots);
  std::ostream unused(nullptr);
  return WriteWishes(image, WishesOf(read.slots), mode, source, unused, err);
}

std::string PatchHelpText() {
  return "A patch turns CLEAN into CLEAN with IMAGE's slots, every store's\n"
         "or STORE's. It holds only the slot bytes that differ and the\n"
         "global checksum that the patched image then has, set right: no\n"
         "other byte of either image, so it never carries the game's own\n"
         "data and may be shared where an image may not. It keeps CLEAN's\n"
         "length; when IMAGE's differs, a note on standard error says so.\n"
         "IPS lists the changed bytes by offset; BPS also holds the CRC32s\n"
         "of CLEAN, of the result and of the patch, so that a patcher can\n"
         "tell a wrong image. Either image that cannot be read, is not the\n"
         "game's or ends before a slot compared gives no patch and exit\n"
         "status 1.\n"
         "\n"
         "A patch goes to standard output, but never to a terminal. -o FILE\n"
         "writes it to a new file renamed over FILE, so that a failure\n"
         "leaves FILE as it was, and refuses a folder. An export never\n"
         "replaces a cartridge image of any game, nor a file of another kind\n"
         "unless it is empty: a layout replaces only a layout, an IPS patch\n"
         "only an IPS patch, a BPS patch only a BPS patch. A cartridge image\n"
         "is a file of 32 KiB or more whose Game Boy header has a right\n"
         "checksum or the game's title, such as CLEAN and IMAGE. The other\n"
         "formats go to standard output only.\n"
         "\n";
}

}  // namespace tivok::cli
