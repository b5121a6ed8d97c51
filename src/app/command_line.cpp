#include "app/command_line.h"

#include <csignal>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h, whose types it needs.
#include <shellapi.h>
#endif

#include "rom/describe.h"

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

QtArguments::QtArguments(int argc, char** argv) : given_(argv, argv + argc) {
  while (argc_ < argc && std::strcmp(argv[argc_], "--") != 0) ++argc_;
  argv_.assign(argv, argv + argc_);
  argv_.push_back(nullptr);
}

std::vector<std::string> QtArguments::Left(
    const std::vector<std::string>& arguments) const {
  // Where the system's two command lines differ (Windows), argv's own.
  const bool same = arguments.size() == given_.size();
  const auto argument = [&](std::size_t i) {
    return same ? arguments[i] : std::string(given_[i]);
  };
  // What Qt left is a part of what it was given, in the same order.
  const std::size_t to_qt = argv_.size() - 1;
  std::vector<std::string> left;
  std::size_t at = 0;
  for (int i = 0; i < argc_; ++i) {
    while (at < to_qt && std::strcmp(given_[at], argv_[i]) != 0) ++at;
    if (at == to_qt) break;
    left.push_back(argument(at++));
  }
  for (std::size_t i = to_qt; i < given_.size(); ++i)
    left.push_back(argument(i));
  return left;
}

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  bool help = false;
  bool version = false;
  bool options_ended = false;
  std::string unknown;
  std::vector<std::string> files;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!options_ended && argument == "--") {
      options_ended = true;
    } else if (options_ended || argument.size() < 2 || argument[0] != '-') {
      files.push_back(argument);
    } else if (argument == "-h" || argument == "--help") {
      help = true;
    } else if (argument == "-v" || argument == "--version") {
      version = true;
    } else if (unknown.empty()) {
      unknown = argument;
    }
  }
  if (help) return {0, kHelp, {}};
  if (version) return {0, "tivok " TIVOK_VERSION "\n", {}};
  if (!unknown.empty())
    return UsageError("unknown option '" + Escaped(unknown) + "'.");
  if (files.size() > 1) return UsageError("more than one FILE given.");
  if (files.empty()) return {};
  if (files.front().empty()) return UsageError("FILE is empty.");
  return {std::nullopt, {}, files.front()};
}

int FinishCommandLine(const CommandLine& command) {
#ifndef _WIN32
  // A reader that went away is an output that failed, not a silent end.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  const std::string& text = command.message;
  const int status = *command.exit_status;
  std::FILE* to = status == 0 ? stdout : stderr;
  const bool written =
      std::fwrite(text.data(), 1, text.size(), to) == text.size() &&
      std::fflush(to) == 0;
  if (!written && status == 0) {
    std::fputs("tivok: cannot write the output.\n", stderr);
    return 1;
  }
  return status;
}

}  // namespace tivok
