#ifndef TIVOK_APP_COMMAND_LINE_H_
#define TIVOK_APP_COMMAND_LINE_H_

#include <optional>
#include <string>
#include <vector>

namespace tivok {

// What the command line asks of the program: tivok [--help | --version |
// FILE], with any of Qt's own options among them.
struct CommandLine {
  // Set when the program is to end at once, without a window, after
  // printing `message`: 0 for --help and --version (standard output), 2 for
  // a usage error (standard error).
  std::optional<int> exit_status;
  std::string message;
  // The image to open at start, as the core takes a path: the argument's
  // bytes (UTF-8 on Windows). Empty for none.
  std::string file;
};

// The program's arguments, its name first: argv's bytes as they are, since
// file names are bytes on Linux; on Windows the command line in UTF-8.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// `arguments` without the options that QGuiApplication and QApplication
// take for themselves (such as -style fusion, -platform offscreen or
// -reverse), taken out as Qt does, so that the rest reads the same with
// them or without them.
std::vector<std::string> WithoutQtOptions(
    const std::vector<std::string>& arguments);

// Reads the program's `arguments`, its name first and Qt's own options
// included. Needs no application object, and so no display.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace tivok

#endif  // TIVOK_APP_COMMAND_LINE_H_
