#include "cli/help_text.h"

#include "cli/checksum_command.h"
#include "cli/patch_command.h"
#include "cli/program.h"
#include "layout/words.h"

namespace tivok::cli {
namespace {

// "Usage: tivok-cli list IMAGE [STORE] [--format=table|csv|json]", from
// the grammar.
std::string UsageLine(Command command) {
  std::string usage = "Usage: " + std::string(kProgram);
  if (command == Command::kNone) {
    return usage + " COMMAND [ARGUMENTS] | --help | --version\n";
  }
  const CommandRule& rule = RuleOf(command);
  usage += " " + std::string(rule.name);
  for (std::size_t i = 0; i < rule.operands.size(); ++i) {
    const std::string name(rule.operands[i].name);
    usage += i < rule.required ? " " + name : " [" + name + "]";
  }
  for (const Option option : rule.options) {
    usage += " [" + OptionUsage(RuleOf(option), rule) + "]";
  }
  return usage + "\n";
}

// The stores' numbers, short words and labels.
std::string StoreHelp() {
  std::string text = "STORE is a store's number, word or label, in any case:\n";
  for (const Store& store : StoreTable::All()) {
    text += "  " + std::to_string(store.selector_position + 1) + "  " +
            std::string(StoreWord(store)) +
            std::string(10 - StoreWord(store).size(), ' ') +
            std::string(store.selector_label) + "\n";
  }
  return text;
}

constexpr char kItemHelp[] =
    "ITEM is an item's name, in any case, or its code in hex with 0x:\n"
    "sirloin and 0x17 both name Sirloin. A bare number such as 17 is\n"
    "refused, as it could be hex or decimal. tivok-cli items lists the\n"
    "items; a store or an item that is misspelt is answered with the\n"
    "closest names.\n";

constexpr char kProgramHelp[] =
    "Reads and changes the store inventories of a Dragon Warrior Monsters\n"
    "cartridge image. Like the Tivok window, it writes only the item-code\n"
    "bytes asked for, and the global checksum on request, and never\n"
    "creates, lengthens or truncates a file.\n"
    "\n"
    "Commands:\n"
    "  list IMAGE [STORE]     list every store, or one, slot by slot\n"
    "  get IMAGE STORE SLOT   show the item in one slot\n"
    "  set IMAGE STORE SLOT ITEM\n"
    "                         write one item into one slot\n"
    "  apply IMAGE LAYOUT     write the items that a layout file, or an\n"
    "                         IPS or BPS patch, gives its slots\n"
    "  diff CLEAN IMAGE [STORE]\n"
    "                         list the slots where IMAGE differs from\n"
    "                         CLEAN, or write a patch of them\n"
    "  items                  list the 44 items with their codes\n"
    "  checksum IMAGE         show the image's two checksums and whether\n"
    "                         they match, or put the global one right\n"
    "Each command has its own help: tivok-cli COMMAND --help.\n"
    "\n";

constexpr char kSlotHelp[] = "SLOT counts from 1.\n";

constexpr char kProgramOptions[] =
    "\n"
    "Options:\n"
    "  -h, --help     show this help, or a command's after the command\n"
    "  -v, --version  show the version\n"
    "\n"
    "Exit status: 0 on success; 1 when the image cannot be read or\n"
    "written, a layout is refused, a checksum does not match, no patch can\n"
    "be made or written, the output cannot be written, or diff --exit-code\n"
    "finds slots that differ; 2 when the command line is wrong; 3 when set,\n"
    "apply or checksum --fix changed the image as asked, but the report of\n"
    "it could not be written to the output.\n"
    "Results go to standard output, errors to standard error.\n";

constexpr char kListHelp[] =
    "Lists every store of IMAGE, or only STORE, with each slot's number,\n"
    "offset in the file, item code in hex and item name. A code that is no\n"
    "item reads \"unknown item (0xC8)\". When the file ends inside a store,\n"
    "the slots before its end are listed, the others are named on standard\n"
    "error, and the exit status is 1.\n"
    "\n"
    "  --format=table  an aligned table per store, for people (the default)\n"
    "  --format=csv    CSV (RFC 4180, lines end in LF) with the header\n"
    "                  store,slot,offset,code,item: the form that apply\n"
    "                  reads; applied as it is, it changes nothing\n"
    "  --format=json   {\"stores\": [{\"store\", \"word\", \"number\",\n"
    "                  \"slots\": [{\"slot\", \"offset\", \"offset_hex\",\n"
    "                  \"code\", \"code_hex\", \"item\", \"known\"}]}]}, with\n"
    "                  offset and code as numbers\n"
    "  -h, --help      show this help\n"
    "\n";

constexpr char kGetHelp[] =
    "Shows the item in slot SLOT of STORE in IMAGE.\n\n";

constexpr char kSetHelp[] =
    "Writes ITEM into slot SLOT of STORE in IMAGE, as the window's Save\n"
    "does: on one open file it checks the header title, reads what the slot\n"
    "holds, writes the one byte and flushes it to the disk, and reports\n"
    "success only after the flush and a check that the file at IMAGE is\n"
    "still the one written, at its length. Prints what it wrote and what\n"
    "the slot held before; writes nothing when the slot holds ITEM\n"
    "already.\n"
    "\n"
    "  --dry-run       open and check the image as for writing, print what\n"
    "                  would be written, and write nothing\n"
    "  --fix-checksum  write the global checksum too (see below)\n"
    "  -h, --help      show this help\n"
    "\n";

// Why --fix-checksum, for set and apply.
constexpr char kFixChecksumHelp[] =
    "Every change of a slot leaves the image's global checksum stale (see\n"
    "tivok-cli checksum --help). With --fix-checksum, the two bytes of the\n"
    "checksum that the changes leave (offsets 0x14E-0x14F) are written in\n"
    "the same write and flush as the slots, only where they differ, and\n"
    "are printed with them; a dry run prints them too.\n"
    "\n";

constexpr char kDiffHelp[] =
    "Lists the slots whose item in IMAGE differs from the one in CLEAN, in\n"
    "every store or only STORE, with each slot's offset and both items; a\n"
    "code that is no item reads \"unknown item (0xC8)\". Only the stores'\n"
    "bytes of each image are read (for a patch, all of CLEAN), and neither\n"
    "is written. The exit status is 0 whether or not slots differ. When a\n"
    "file ends inside a store, the slots past its end are named on\n"
    "standard error, and the exit status is 1.\n"
    "\n"
    "  --format=table  a table per store, with CLEAN's item and IMAGE's\n"
    "                  (the default); one line when no slot differs\n"
    "  --format=csv    a layout with the header\n"
    "                  store,slot,offset,code,item,was: IMAGE's items, and\n"
    "                  CLEAN's as was, so that apply carries the change to\n"
    "                  another image and refuses where that image was\n"
    "                  changed in those slots. It applies to CLEAN: a slot\n"
    "                  whose new code is no item, which apply never writes,\n"
    "                  is left out, and named on standard error with why\n"
    "  --format=json   {\"slots\": [{\"store\", \"word\", \"number\", "
    "\"slot\",\n"
    "                  \"offset\", \"offset_hex\", \"code\", \"code_hex\", "
    "\"item\",\n"
    "                  \"known\", \"was_code\", \"was_code_hex\", "
    "\"was_item\",\n"
    "                  \"was_known\"}]}: IMAGE's item, then CLEAN's after "
    "was_\n"
    "  --format=ips    an IPS patch of the slots that differ (see below)\n"
    "  --format=bps    the same patch as BPS\n"
    "  -o FILE         write the patch to FILE rather than to standard\n"
    "                  output (IPS and BPS only)\n"
    "  --exit-code     exit 1 when some slot differs, as git diff does, a\n"
    "                  patch written all the same\n"
    "  -h, --help      show this help\n"
    "\n";

constexpr char kItemsHelp[] =
    "Lists the 44 items that a slot may hold, with their codes.\n"
    "\n"
    "  --format=table  code and name, one item a line (the default)\n"
    "  --format=csv    CSV with the header code,item, lines ending in LF\n"
    "  --format=json   {\"items\": [{\"code\", \"code_hex\", \"item\"}]},\n"
    "                  with code as a number\n"
    "  -h, --help      show this help\n";

constexpr char kApplyHelp[] =
    "Writes into IMAGE the items that LAYOUT gives its slots. LAYOUT is a\n"
    "CSV file (RFC 4180: quoted fields, doubled quotes, lines ending in LF\n"
    "or CR LF; a UTF-8 byte order mark is skipped); - reads it from\n"
    "standard input. Its first line names its columns, in any order:\n"
    "  store   needed: the store's number, word or label, as STORE below\n"
    "  slot    needed: the slot's number, from 1\n"
    "  item    the item's name, or its code in hex with 0x\n"
    "  code    the item's code in hex with 0x, such as 0x17\n"
    "  offset  the slot's offset, such as 0x2478E; checked when given\n"
    "  was     what the slot must hold before the change: an item, or any\n"
    "          byte in hex such as 0xC8; the row may leave it empty\n"
    "Each row needs an item or a code, and when it gives both they must\n"
    "name the same item. Any other column is refused. Spaces around a\n"
    "field are ignored, and so are lines that hold nothing else. A layout\n"
    "may have 1 MiB at most. The output of tivok-cli list --format=csv is\n"
    "a layout; it may be cut down to the rows to change. LAYOUT may be a\n"
    "pipe, such as <(command).\n"
    "\n"
    "Every row is checked before any byte is written: its store, slot and\n"
    "item exist, and no two rows give one slot different items. Then the\n"
    "image's header title is checked. A code that is no item (\"unknown\n"
    "item (0xC8)\", as list writes it) may only stand for a slot that holds\n"
    "it already. A row with was is written only where the slot holds was,\n"
    "or the row's item already, so that a layout never overwrites another\n"
    "change; tivok-cli diff --format=csv writes such layouts. If anything\n"
    "is wrong, the wrong rows are reported with their line numbers and the\n"
    "reasons (the first 20, then how many in all), a slot that holds\n"
    "something other than was with what it holds, and nothing is written.\n"
    "\n"
    "Then every slot whose byte differs is written, on one open file that\n"
    "is flushed to the disk once, and each change is printed; \"Nothing to\n"
    "change\" when the image holds the layout's items already. If a write\n"
    "or the flush fails part-way, the bytes written are written back, and\n"
    "the error says whether that worked (\"Nothing was changed\") or what\n"
    "is left changed and why. If another program replaces the image or\n"
    "changes its length meanwhile, tivok-cli says so and exits 1.\n"
    "\n"
    "LAYOUT may also be an IPS or a BPS patch, such as tivok-cli diff\n"
    "--format=ips|bps writes, told by its first bytes (\"PATCH\", \"BPS1\"),\n"
    "not by its name. It is applied in memory to CLEAN, or to IMAGE\n"
    "without --clean, and read as the layout of the slots it changes there,\n"
    "each with CLEAN's item as was: the rows that tivok-cli diff\n"
    "--format=csv writes for CLEAN and the patched image. A patch that\n"
    "changes anything but store slots and the global checksum (another\n"
    "byte, the header, the length) is refused, naming the first offset it\n"
    "changes, and so is a damaged patch, a BPS patch made for another\n"
    "image, and a patch of 16 MiB or more. The patch's checksum bytes are\n"
    "never copied: --fix-checksum sets the checksum right.\n"
    "\n"
    "  --dry-run       open and check the image as for writing, print the\n"
    "                  changes (for a patch, its rows as a layout), and\n"
    "                  write nothing\n"
    "  --fix-checksum  write the global checksum too (see below)\n"
    "  --clean CLEAN   read a patch against the clean image CLEAN\n"
    "  -h, --help      show this help\n"
    "\n";

}  // namespace

std::string HelpText(Command command) {
  std::string text = UsageLine(command);
  switch (command) {
    case Command::kNone:
      return text + kProgramHelp + StoreHelp() + kSlotHelp + kItemHelp +
             kProgramOptions;
    case Command::kList:
      return text + kListHelp + StoreHelp();
    case Command::kGet:
      return text + kGetHelp + StoreHelp() + kSlotHelp;
    case Command::kSet:
      return text + kSetHelp + kFixChecksumHelp + StoreHelp() + kSlotHelp +
             kItemHelp;
    case Command::kApply:
      return text + kApplyHelp + kFixChecksumHelp + StoreHelp();
    case Command::kDiff:
      return text + kDiffHelp + PatchHelpText() + StoreHelp();
    case Command::kItems:
      return text + kItemsHelp;
    case Command::kChecksum:
      return text + ChecksumHelpText();
  }
  return text;
}

std::string UsageErrorText(Command command, std::string_view error) {
  std::string name = kProgram;
  if (command != Command::kNone) name += " " + CommandName(command);
  return name + ": " + std::string(error) + "\n" + UsageLine(command) +
         "Try '" + name + " --help' for more information.\n";
}

std::string VersionText() {
  return std::string(kProgram) + " " + TIVOK_VERSION + "\n";
}

}  // namespace tivok::cli
