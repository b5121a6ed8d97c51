#include <QApplication>
#include <QWindow>
#include <chrono>
#include <cstdio>

#include "app/command_line.h"
#include "app/exposure_wait.h"
#include "ui/main_window.h"

namespace {

// The ID of the desktop entry, the icon and the AppStream metainfo.
constexpr char kDesktopId[] = "org.example.tivok";

// Prints what a command line that ends the program says; returns its status.
int Finish(const tivok::CommandLine& command) {
  const std::string& text = command.message;
  std::fwrite(text.data(), 1, text.size(),
              *command.exit_status == 0 ? stdout : stderr);
  return *command.exit_status;
}

}  // namespace

int main(int argc, char** argv) {
  // Read before any application exists: --help, --version and a wrong
  // command line are answered without a display, in a terminal or over ssh.
  const tivok::CommandLine command =
      tivok::ParseCommandLine(tivok::ProgramArguments(argc, argv));
  if (command.exit_status) return Finish(command);

  QApplication app(argc, argv);
  // Lets the desktop match the window to its desktop entry and icon.
  QGuiApplication::setDesktopFileName(kDesktopId);
  // Where the settings (the recent images) are kept: on Linux
  // ~/.config/tivok/tivok.conf, on macOS org.example.tivok.plist.
  QCoreApplication::setOrganizationName("tivok");
  QCoreApplication::setOrganizationDomain("example.org");
  QCoreApplication::setApplicationName("tivok");

  tivok::MainWindow window;
  window.show();
  if (!command.file.empty()) {
    // Waits, a second at most, for the window system to put the window on
    // screen, so that an "Invalid ROM" box can stand over it.
    tivok::WaitUntilExposed(*window.windowHandle(), std::chrono::seconds(1));
    window.OpenFile(command.file);
  }
  return app.exec();
}
