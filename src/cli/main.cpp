// tivok-cli: lists and changes the stores of a cartridge image from a
// terminal or a script, over the same core as the window.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <filesystem>
#else
#include <unistd.h>

#include <csignal>
#endif

#include "cli/commands.h"
#include "cli/program.h"

namespace {

// Whether standard output shows in a terminal rather than going to a file
// or a pipe. On Windows a console: _isatty would take the NUL device for one.
bool OutputIsTerminal() {
#ifdef _WIN32
  DWORD mode = 0;
  return ::GetConsoleMode(::GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
#else
  return ::isatty(STDOUT_FILENO) == 1;
#endif
}

int Run(std::vector<std::string> args) {
  std::ios::sync_with_stdio(false);
  try {
    return tivok::cli::RunCli(args, std::cin, std::cout, std::cerr,
                              OutputIsTerminal());
  } catch (const std::exception& error) {
    std::cerr << tivok::cli::kProgram << ": " << error.what() << "\n";
  }
  return tivok::cli::kFailed;
}

}  // namespace

#ifdef _WIN32
// Windows hands a narrow main its arguments in the local code page; the
// wide ones, turned into UTF-8, keep every name. The output is UTF-8 too,
// in the console as in a pipe, and bytes go out as they are: CSV's CR LF
// stays CR LF, and a layout read from standard input keeps its bytes.
int wmain(int argc, wchar_t** wide_argv) {
  ::SetConsoleOutputCP(CP_UTF8);
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
  ::_setmode(::_fileno(stdin), _O_BINARY);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const std::u8string utf8 = std::filesystem::path(wide_argv[i]).u8string();
    args.emplace_back(utf8.begin(), utf8.end());
  }
  return Run(std::move(args));
}
#else
int main(int argc, char** argv) {
  // A reader that went away is an output that failed, reported as such,
  // not a silent end: above all after a change was written.
  std::signal(SIGPIPE, SIG_IGN);
  return Run(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
