#include <QApplication>
#include <QDeadlineTimer>
#include <QWindow>
#include <cstdio>

#include "app/command_line.h"
#include "ui/main_window.h"

namespace {

// The ID of the desktop entry, the icon and the AppStream metainfo.
constexpr char kDesktopId[] = "org.example.tivok";

// Prints what a command line that ends the program says; returns its status.
int Finish(const tivok::CommandLine& command) {
  std::fputs(command.message.toLocal8Bit().constData(),
             *command.exit_status == 0 ? stdout : stderr);
  return *command.exit_status;
}

}  // namespace

int main(int argc, char** argv) {
  // --help and --version answer without a display, in a terminal or over ssh.
  if (tivok::AsksForText(argc, argv)) {
    QCoreApplication app(argc, argv);
    const tivok::CommandLine command =
        tivok::ParseCommandLine(QCoreApplication::arguments());
    if (command.exit_status) return Finish(command);
  }

  QApplication app(argc, argv);
  // Lets the desktop match the window to its desktop entry and icon.
  QGuiApplication::setDesktopFileName(kDesktopId);

  const tivok::CommandLine command =
      tivok::ParseCommandLine(QApplication::arguments());
  if (command.exit_status) return Finish(command);

  tivok::MainWindow window;
  window.show();
  if (!command.file.isEmpty()) {
    // Waits, a second at most, for the window system to put the window on
    // screen, so that an "Invalid ROM" box can stand over it.
    const QDeadlineTimer deadline(1000);
    while (!window.windowHandle()->isExposed() && !deadline.hasExpired()) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    window.OpenFile(command.file);
  }
  return app.exec();
}
