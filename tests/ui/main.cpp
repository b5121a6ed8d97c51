// Widget tests run without a display unless one is asked for, with Qt's
// own dialogs, which they can answer, on any desktop, and with settings in
// a temporary folder, never the user's.

#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

namespace {

QtMessageHandler next_handler = nullptr;

// The offscreen platform says this each time Qt hands it a window's size
// limits; it tells nothing about the program and buries real warnings.
void DropPlatformChatter(QtMsgType type, const QMessageLogContext& context,
                         const QString& message) {
  if (message == "This plugin does not support propagateSizeHints()") return;
  if (next_handler != nullptr) next_handler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  next_handler = qInstallMessageHandler(DropPlatformChatter);
  // Before anything reads them: the window's settings and Qt's own file
  // dialog's.
  const QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     settings.path());
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
