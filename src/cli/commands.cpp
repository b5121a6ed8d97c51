#include "cli/commands.h"

#include "cli/apply.h"
#include "cli/help_text.h"
#include "cli/layout.h"
#include "cli/layout_file.h"
#include "cli/list_formats.h"
#include "cli/program.h"
#include "cli/words.h"
#include "editor/status_text.h"
#include "rom/rom_file.h"

namespace tivok::cli {
namespace {

// Thrown for an operand that names no store, slot or item.
struct UsageError {
  std::string text;
};

template <typename T>
T Need(const Reading<T>& reading, std::string_view more = {}) {
  if (!reading.ok()) throw UsageError{reading.error + std::string(more)};
  return reading.value;
}

int Failed(std::ostream& err, const std::exception& error) {
  err << kProgram << ": " << error.what() << "\n";
  return kFailed;
}

int List(const Invocation& invocation, std::ostream& out, std::ostream& err) {
  const std::vector<std::string>& operands = invocation.operands;
  const Store* only =
      operands.size() > 1 ? Need(ReadStore(operands[1])) : nullptr;
  std::vector<StoreCodes> stores;
  try {
    stores = ReadStores(operands[0], only);
  } catch (const std::exception& error) {
    return Failed(err, error);
  }
  switch (invocation.format) {
    case Format::kTable:
      out << TableText(stores);
      break;
    case Format::kCsv:
      out << CsvText(stores);
      break;
    case Format::kJson:
      out << JsonText(stores);
      break;
  }
  return kOk;
}

int Get(const Invocation& invocation, std::ostream& out, std::ostream& err) {
  const Store& store = *Need(ReadStore(invocation.operands[1]));
  const int slot = Need(ReadSlot(invocation.operands[2], store));
  std::vector<StoreCodes> stores;
  try {
    stores = ReadStores(invocation.operands[0], &store);
  } catch (const std::exception& error) {
    return Failed(err, error);
  }
  std::string where = SlotText(store, slot);
  where[0] = 'S';
  out << where << ", holds "
      << ItemText(stores[0].codes[static_cast<std::size_t>(slot - 1)]) << ".\n";
  return kOk;
}

int Set(const Invocation& invocation, std::ostream& out, std::ostream& err) {
  const Store& store = *Need(ReadStore(invocation.operands[1]));
  const int slot = Need(ReadSlot(invocation.operands[2], store));
  std::string items = "\nThe items:\n" + ItemNamesText();
  items.pop_back();  // the usage line follows on the next line
  const int item = Need(ReadItem(invocation.operands[3]), items);
  return WriteWishes(invocation.operands[0], {{&store, slot, item, 0}},
                     invocation.dry_run, {}, out, err);
}

int Apply(const Invocation& invocation, std::istream& in, std::ostream& out,
          std::ostream& err) {
  const std::string& image = invocation.operands[0];
  const std::string& name = invocation.operands[1];
  std::string text;
  try {
    text = name == "-" ? ReadAllOf(in) : ReadLayoutFile(name);
  } catch (const std::exception& error) {
    return Failed(err, error);
  }
  const WishSource source{name == "-" ? "(standard input)" : name};
  const Layout layout = ReadLayout(text);
  if (!layout.errors.empty()) {
    for (const LayoutError& error : layout.errors) {
      err << kProgram << ": " << LinePrefix(source, error.line) << error.reason
          << "\n";
    }
    err << kProgram << ": the layout is refused; nothing was written to "
        << Quoted(image) << ".\n";
    return kFailed;
  }
  return WriteWishes(image, layout.wishes, invocation.dry_run, source, out,
                     err);
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in,
           std::ostream& out, std::ostream& err) {
  const ParsedCommandLine parsed = ParseCommandLine(args);
  const Invocation& invocation = parsed.invocation;
  if (invocation.version) {
    out << VersionText();
    return kOk;
  }
  if (invocation.help) {
    out << HelpText(invocation.command);
    return kOk;
  }
  if (!parsed.error.empty()) {
    err << UsageErrorText(invocation.command, parsed.error);
    return kUsage;
  }
  try {
    switch (invocation.command) {
      case Command::kList:
        return List(invocation, out, err);
      case Command::kGet:
        return Get(invocation, out, err);
      case Command::kSet:
        return Set(invocation, out, err);
      case Command::kApply:
        return Apply(invocation, in, out, err);
      case Command::kNone:
        break;
    }
  } catch (const UsageError& error) {
    err << UsageErrorText(invocation.command, error.text);
    return kUsage;
  }
  return kUsage;
}

}  // namespace tivok::cli
