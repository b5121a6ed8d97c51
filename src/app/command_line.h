#ifndef TIVOK_APP_COMMAND_LINE_H_
#define TIVOK_APP_COMMAND_LINE_H_

#include <QString>
#include <QStringList>
#include <optional>

namespace tivok {

// What the command line asks of the program: tivok [--help | --version |
// FILE].
struct CommandLine {
  // Set when the program is to end at once, without a window, after
  // printing `message`: 0 for --help and --version (standard output), 2 for
  // a usage error (standard error).
  std::optional<int> exit_status;
  QString message;
  // The image to open at start, as given; empty for none.
  QString file;
};

// True when `argv` asks for --help or --version, which print a text and need
// no display: the program then makes a QCoreApplication, not a QApplication.
// Looked at before any application exists.
bool AsksForText(int argc, const char* const* argv);

// Reads `arguments`, the program's name first and Qt's own options already
// taken out (QCoreApplication::arguments()).
CommandLine ParseCommandLine(const QStringList& arguments);

}  // namespace tivok

#endif  // TIVOK_APP_COMMAND_LINE_H_
