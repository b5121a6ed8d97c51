#include "cli/commands.h"

#include "cli/apply.h"
#include "cli/checksum_command.h"
#include "cli/completion.h"
#include "cli/diff.h"
#include "cli/help_text.h"
#include "cli/list_formats.h"
#include "cli/listing.h"
#include "cli/patch_command.h"
#include "cli/program.h"
#include "layout/layout.h"
#include "layout/layout_csv.h"
#include "layout/layout_file.h"
#include "layout/words.h"
#include "rom/describe.h"
#include "rom/rom_file.h"

namespace tivok::cli {
namespace {

// Thrown for an operand that names no store, slot or item.
struct UsageError {
  std::string text;
};

template <typename T>
T Need(const Reading<T>& reading) {
  if (!reading.ok()) throw UsageError{reading.error};
  return reading.value;
}

Result Failed(std::ostream& err, const std::string& message) {
  err << kProgram << ": " << message << "\n";
  return {kFailed};
}

// The store that the operand at `index` names, if there is one.
const Store* OnlyStore(const Invocation& invocation, std::size_t index) {
  if (invocation.operands.size() <= index) return nullptr;
  return Need(ReadStore(invocation.operands[index]));
}

// Names on `err` the slots of `only`, or of every store, that the image at
// `path` cuts short: a failure when there are any.
Result SayUnlisted(const std::string& path, const ImageStores& image,
                   const Store* only, std::ostream& err) {
  Result result{kOk};
  for (const StoreCodes& store : image.stores) {
    if ((only == nullptr || store.store == only) && !store.complete()) {
      result = Failed(err, UnlistedText(path, store));
    }
  }
  return result;
}

Result List(const Invocation& invocation, std::ostream& out,
            std::ostream& err) {
  const std::string& path = invocation.operands[0];
  const Store* only = OnlyStore(invocation, 1);
  ImageStores image;
  try {
    image = ReadGameStores(path);
  } catch (const std::exception& error) {
    return Failed(err, error.what());
  }
  std::vector<StoreCodes> stores;
  for (const StoreCodes& store : image.stores) {
    if (only == nullptr || store.store == only) stores.push_back(store);
  }
  out << StoresText(stores, invocation.format);
  return SayUnlisted(path, image, only, err);
}

// Lists the slots where the second image differs from the first, and
// names the slots that either cuts short; or writes the patch of them.
Result Diff(const Invocation& invocation, bool out_is_terminal,
            std::ostream& out, std::ostream& err) {
  const Compared compared{invocation.operands[0], invocation.operands[1],
                          OnlyStore(invocation, 2)};
  if (IsPatch(invocation.format)) {
    return RunDiffPatch(invocation, compared, out_is_terminal, out, err);
  }
  ImageStores clean;
  ImageStores image;
  try {
    clean = ReadGameStores(compared.clean);
    image = ReadGameStores(compared.image);
  } catch (const std::exception& error) {
    return Failed(err, error.what());
  }
  const std::vector<SlotDifference> differences =
      DifferingSlots(clean, image, compared.only);
  out << DifferencesText(differences, invocation.format, compared);
  if (invocation.format == Format::kCsv) {
    for (const std::string& row : LeftOut(differences, compared.image)) {
      err << kProgram << ": " << row << ".\n";
    }
  }
  const bool short_clean =
      SayUnlisted(compared.clean, clean, compared.only, err).status != kOk;
  const bool short_image =
      SayUnlisted(compared.image, image, compared.only, err).status != kOk;
  const bool differ = invocation.exit_code && !differences.empty();
  return {short_clean || short_image || differ ? kFailed : kOk};
}

Result Get(const Invocation& invocation, std::ostream& out, std::ostream& err) {
  const std::string& path = invocation.operands[0];
  const Store& store = *Need(ReadStore(invocation.operands[1]));
  const int slot = Need(ReadSlot(invocation.operands[2], store));
  ImageStores image;
  try {
    image = ReadGameStores(path);
  } catch (const std::exception& error) {
    return Failed(err, error.what());
  }
  const StoreCodes& codes = image.Of(store);
  const int code = codes.CodeOf(slot);
  if (code < 0) {
    return Failed(err, SlotText(store, slot) + ", in " + Quoted(path) +
                           " cannot be read: " + codes.shortfall);
  }
  std::string where = SlotText(store, slot);
  where[0] = 'S';
  out << where << ", holds " << ItemText(code, CodeStyle::kCli) << ".\n";
  return {kOk};
}

WriteMode ModeOf(const Invocation& invocation) {
  return {invocation.dry_run, invocation.fix_checksum};
}

Result Set(const Invocation& invocation, std::ostream& out, std::ostream& err) {
  const Store& store = *Need(ReadStore(invocation.operands[1]));
  const int slot = Need(ReadSlot(invocation.operands[2], store));
  const int item = Need(ReadItem(invocation.operands[3]));
  return WriteWishes(invocation.operands[0],
                     {{&store, slot, item, std::nullopt, 0}},
                     ModeOf(invocation), {}, out, err);
}

Result Apply(const Invocation& invocation, std::istream& in, std::ostream& out,
             std::ostream& err) {
  const std::string& image = invocation.operands[0];
  const std::string& name = invocation.operands[1];
  // A terminal program may wait on a pipe: tivok-cli reads one by name too.
  const LayoutText text =
      name == "-" ? ReadLayoutFrom(in) : ReadLayoutFile(name, Streams::kRead);
  if (!text.ok()) {
    return Failed(
        err, text.error + "; nothing was written to " + Quoted(image) + ".");
  }
  if (text.patch) return RunApplyPatch(invocation, text, out, err);
  if (invocation.clean) {
    throw UsageError{
        "--clean names the image that a patch is read against; a layout "
        "says in its was column what each slot must hold"};
  }
  const WishSource source{name == "-" ? "(standard input)" : name};
  const Layout layout = ReadLayout(text.text);
  if (!layout.errors.empty()) {
    for (const LayoutError& error : layout.errors) {
      err << kProgram << ": " << LinePrefix(source, error.line) << error.reason
          << "\n";
    }
    const auto listed = static_cast<int>(layout.errors.size());
    if (layout.error_count > listed) {
      err << kProgram << ": " << Escaped(source.name) << ": "
          << layout.error_count - listed << " more wrong lines are not shown ("
          << layout.error_count << " in all).\n";
    }
    return Failed(err, "the layout is refused; nothing was written to " +
                           Quoted(image) + ".");
  }
  return WriteWishes(image, layout.wishes, ModeOf(invocation), source, out,
                     err);
}

Result Run(const Invocation& invocation, bool out_is_terminal, std::istream& in,
           std::ostream& out, std::ostream& err) {
  switch (invocation.command) {
    case Command::kList:
      return List(invocation, out, err);
    case Command::kGet:
      return Get(invocation, out, err);
    case Command::kSet:
      return Set(invocation, out, err);
    case Command::kApply:
      return Apply(invocation, in, out, err);
    case Command::kDiff:
      return Diff(invocation, out_is_terminal, out, err);
    case Command::kItems:
      out << ItemsText(invocation.format);
      return {kOk};
    case Command::kChecksum:
      return RunChecksum(invocation, out, err);
    case Command::kNone:
      break;
  }
  return {kUsage};
}

// Hands the output on; a result that never reached its reader (a full
// disk, a closed output) is a failure, but never reads as "not written"
// when the image was changed.
int Finish(const Result& result, std::ostream& out, std::ostream& err) {
  if (out.flush()) return result.status;
  if (result.changed) {
    err << kProgram
        << ": the image was changed and flushed to the disk as asked, but "
           "the report of it could not be written to the output.\n";
    return kUnreported;
  }
  err << kProgram << ": cannot write the output.\n";
  return result.status == kOk ? kFailed : result.status;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in,
           std::ostream& out, std::ostream& err, bool out_is_terminal) {
  if (!args.empty() && args[0] == kCompleteCommand) {
    out << CompletionText({args.begin() + 1, args.end()});
    return Finish({kOk}, out, err);
  }
  const ParsedCommandLine parsed = ParseCommandLine(args);
  const Invocation& invocation = parsed.invocation;
  if (invocation.version) {
    out << VersionText();
    return Finish({kOk}, out, err);
  }
  if (invocation.help) {
    out << HelpText(invocation.command);
    return Finish({kOk}, out, err);
  }
  if (!parsed.error.empty()) {
    err << UsageErrorText(invocation.command, parsed.error);
    return kUsage;
  }
  Result result;
  try {
    result = Run(invocation, out_is_terminal, in, out, err);
  } catch (const UsageError& error) {
    err << UsageErrorText(invocation.command, error.text);
    return kUsage;
  }
  return Finish(result, out, err);
}

}  // namespace tivok::cli
