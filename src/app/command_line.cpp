#include "app/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <string_view>

namespace tivok {
namespace {

constexpr char kProgram[] = "tivok";

constexpr char kDescription[] =
    "Edit the store inventories of a Dragon Warrior Monsters cartridge image.\n"
    "With FILE, opens that image at start as if it had been chosen with\n"
    "File, Open...";

CommandLine UsageError(const QString& error) {
  return {2,
          QString("%1: %2\nUsage: %1 [FILE]\nTry '%1 --help' for more "
                  "information.\n")
              .arg(kProgram, error),
          {}};
}

}  // namespace

bool AsksForText(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--") break;
    if (argument == "-h" || argument == "--help" || argument == "-v" ||
        argument == "--version") {
      return true;
    }
  }
  return false;
}

CommandLine ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(kDescription);
  // Own options instead of addHelpOption(), which would also offer
  // --help-all and -?, which the manual page does not know.
  const QCommandLineOption help({"h", "help"}, "Show this help and exit.");
  const QCommandLineOption version({"v", "version"},
                                   "Show the version and exit.");
  parser.addOption(help);
  parser.addOption(version);
  parser.addPositionalArgument("FILE", "The cartridge image (*.gbc) to open.",
                               "[FILE]");

  if (!parser.parse(arguments)) return UsageError(parser.errorText());
  if (parser.isSet(help)) return {0, parser.helpText(), {}};
  if (parser.isSet(version)) {
    return {0, QString("%1 %2\n").arg(kProgram, TIVOK_VERSION), {}};
  }
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) return UsageError("more than one FILE given.");
  if (files.isEmpty()) return {};
  if (files.first().isEmpty()) return UsageError("FILE is empty.");
  return {std::nullopt, {}, files.first()};
}

}  // namespace tivok
