#include "app/command_line.h"

#include <array>
#include <string_view>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <shellapi.h>
#include <windows.h>
#endif

namespace tivok {
namespace {

constexpr char kHelp[] =
    "Usage: tivok [options] [FILE]\n"
    "Edit the store inventories of a Dragon Warrior Monsters cartridge image.\n"
    "With FILE, opens that image at start as if it had been chosen with\n"
    "File, Open...\n"
    "\n"
    "Options:\n"
    "  -h, --help     Show this help and exit.\n"
    "  -v, --version  Show the version and exit.\n"
    "\n"
    "Arguments:\n"
    "  FILE           The cartridge image (*.gbc) to open.\n";

CommandLine UsageError(const std::string& error) {
  return {2,
          "tivok: " + error +
              "\nUsage: tivok [FILE]\nTry 'tivok --help' for more "
              "information.\n",
          {}};
}

// What follows one of Qt's options.
enum class Takes {
  kNothing,
  kValue,         // the next argument, if there is one
  kValueIfThere,  // the next argument; the option stays when it is last
};

struct QtOption {
  std::string_view name;
  Takes takes;
};

// The options that QGuiApplication and QApplication document, and the X11
// ones of the xcb platform, as Qt 6 reads them.
constexpr std::array<QtOption, 14> kQtOptions = {{
    {"-platform", Takes::kValue},
    {"-platformpluginpath", Takes::kValue},
    {"-platformtheme", Takes::kValue},
    {"-plugin", Takes::kValue},
    {"-qwindowgeometry", Takes::kValue},
    {"-qwindowicon", Takes::kValue},
    {"-qwindowtitle", Takes::kValue},
    {"-geometry", Takes::kValue},
    {"-display", Takes::kValueIfThere},
    {"-session", Takes::kValueIfThere},
    {"-style", Takes::kValueIfThere},
    {"-stylesheet", Takes::kValueIfThere},
    {"-reverse", Takes::kNothing},
    {"-widgetcount", Takes::kNothing},
}};

// The options that carry their value after "=".
constexpr std::array<std::string_view, 3> kQtPrefixes = {
    "-style=", "-stylesheet=", "-qmljsdebugger="};

}  // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  std::vector<std::string> arguments;
#ifdef _WIN32
  (void)argv;
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  for (int i = 0; wide != nullptr && i < count; ++i) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0,
                                           nullptr, nullptr);
    std::string argument(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, argument.data(), size,
                          nullptr, nullptr);
    argument.pop_back();  // the terminating NUL
    arguments.push_back(argument);
  }
  ::LocalFree(wide);
  if (arguments.empty() && argc > 0) arguments.emplace_back("tivok");
#else
  for (int i = 0; i < argc; ++i) arguments.emplace_back(argv[i]);
#endif
  return arguments;
}

std::vector<std::string> WithoutQtOptions(
    const std::vector<std::string>& arguments) {
  std::vector<std::string> kept;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string_view option = arguments[i];
    // Qt takes its options with one dash or two, anywhere on the line.
    if (i == 0 || !option.starts_with('-')) {
      kept.push_back(arguments[i]);
      continue;
    }
    if (option.starts_with("--")) option.remove_prefix(1);
    bool taken = false;
    for (const std::string_view prefix : kQtPrefixes) {
      taken = taken || option.starts_with(prefix);
    }
    for (const QtOption& qt : kQtOptions) {
      if (taken || option != qt.name) continue;
      const bool has_value = i + 1 < arguments.size();
      if (qt.takes == Takes::kValueIfThere && !has_value) break;
      taken = true;
      if (qt.takes != Takes::kNothing && has_value) ++i;
    }
    if (!taken) kept.push_back(arguments[i]);
  }
  return kept;
}

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  const std::vector<std::string> own = WithoutQtOptions(arguments);
  bool help = false;
  bool version = false;
  bool options_ended = false;
  std::vector<std::string> files;
  for (std::size_t i = 1; i < own.size(); ++i) {
    const std::string& argument = own[i];
    if (!options_ended && argument == "--") {
      options_ended = true;
    } else if (options_ended || argument.size() < 2 || argument[0] != '-') {
      files.push_back(argument);
    } else if (argument == "-h" || argument == "--help") {
      help = true;
    } else if (argument == "-v" || argument == "--version") {
      version = true;
    } else {
      return UsageError("unknown option '" + argument + "'.");
    }
  }
  if (help) return {0, kHelp, {}};
  if (version) return {0, "tivok " TIVOK_VERSION "\n", {}};
  if (files.size() > 1) return UsageError("more than one FILE given.");
  if (files.empty()) return {};
  if (files.front().empty()) return UsageError("FILE is empty.");
  return {std::nullopt, {}, files.front()};
}

}  // namespace tivok
