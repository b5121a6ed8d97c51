#include <QApplication>

#include "ui/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Lets the desktop match the window to tivok.desktop and its icon.
  QGuiApplication::setDesktopFileName("tivok");
  tivok::MainWindow window;
  window.show();
  return app.exec();
}
