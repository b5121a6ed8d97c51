#ifndef TIVOK_APP_COMMAND_LINE_H_
#define TIVOK_APP_COMMAND_LINE_H_

#include <optional>
#include <string>
#include <vector>

namespace tivok {

// What the command line asks of the program: tivok [--help | --version |
// FILE].
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
// file names are bytes on Linux; on Windows the command line in UTF-8, and
// once an application exists, without the options that it took.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Reads the program's `arguments`, its name first. --help and --version
// win over any other argument, so that they can be answered before an
// application exists, and so without a display. Any other option is a
// usage error: read the arguments that QApplication leaves once it has
// taken its own options (-style, -platform, -title and the rest, as the
// platform at hand takes them) out of argv.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// Prints what a command line that ends the program says, and returns the
// exit status: the command line's, or 1 when the help or the version
// could not be written (a closed or full standard output).
int FinishCommandLine(const CommandLine& command);

}  // namespace tivok

#endif  // TIVOK_APP_COMMAND_LINE_H_
