// src/app: the program tivok. Its command line (this header), the start of
// the platform and the wait for the first window; main is in main.cpp.

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
// file names are bytes on Linux; on Windows the command line in UTF-8.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// The part of the command line that QApplication reads and takes its own
// options (-reverse, -style, ...) out of: the arguments before the first
// "--". Every argument after "--" is a FILE, whatever Qt would take.
class QtArguments {
 public:
  // `argc` and `argv` as main has them; they must outlive this object.
  QtArguments(int argc, char** argv);

  // For QApplication, which changes them and keeps them for its life.
  int& argc() { return argc_; }
  char** argv() { return argv_.data(); }

  // `arguments`, the program's arguments as ProgramArguments gave them,
  // without those that QApplication took.
  std::vector<std::string> Left(
      const std::vector<std::string>& arguments) const;

 private:
  std::vector<char*> given_;  // main's argv
  std::vector<char*> argv_;   // the part for Qt, and a null pointer
  int argc_ = 0;
};

// Reads the program's `arguments`, its name first. --help and --version
// win over any other argument, so that they can be answered before an
// application exists, and so without a display. Any other option is a
// usage error: read the arguments that QApplication leaves once it has
// taken its own options (-style, -platform, -title and the rest, as the
// platform at hand takes them), QtArguments::Left. Messages show the
// arguments escaped (describe.h).
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// Prints what a command line that ends the program says, and returns the
// exit status: the command line's, or 1 when the help or the version
// could not be written (a closed or full standard output).
int FinishCommandLine(const CommandLine& command);

}  // namespace tivok

#endif  // TIVOK_APP_COMMAND_LINE_H_
