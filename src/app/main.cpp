#include <QApplication>
#include <QWindow>
#include <chrono>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/exposure_wait.h"
#include "app/platform_start.h"
#include "ui/main_window.h"

namespace {

// The ID of the desktop entry, the icon and the AppStream metainfo.
constexpr char kDesktopId[] = "org.example.tivok";

}  // namespace

int main(int argc, char** argv) {
  // --help and --version are answered before any application exists:
  // without a display, in a terminal or over ssh.
  const std::vector<std::string> arguments =
      tivok::ProgramArguments(argc, argv);
  const tivok::CommandLine early = tivok::ParseCommandLine(arguments);
  if (early.exit_status == 0) return tivok::FinishCommandLine(early);

  // QApplication takes the options it knows out of the arguments before
  // "--"; FILE is read from what is left, and only then is a wrong command
  // line known. Without a display it goes no further.
  tivok::QtArguments qt_arguments(argc, argv);
  tivok::PlatformStart platform_start;
  QApplication app(qt_arguments.argc(), qt_arguments.argv());
  platform_start.Started();
  const tivok::CommandLine command =
      tivok::ParseCommandLine(qt_arguments.Left(arguments));
  if (command.exit_status) return tivok::FinishCommandLine(command);
  // Lets the desktop match the window to its desktop entry and icon.
  QGuiApplication::setDesktopFileName(kDesktopId);
  // Where the settings (the recent images) are kept: on Linux
  // ~/.config/tivok/tivok.conf, on macOS org.example.tivok.plist, on
  // Windows the registry key HKEY_CURRENT_USER\Software\tivok\tivok.
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
