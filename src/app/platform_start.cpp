#include "app/platform_start.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace tivok {
namespace {

#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
constexpr char kNoPlatform[] =
    "tivok: no window can be opened: Qt found no window system to start "
    "(tivok-cli needs none).\n";
#else
constexpr char kNoPlatform[] =
    "tivok: no display could be reached: set DISPLAY (X11) or "
    "WAYLAND_DISPLAY (Wayland); tivok-cli needs no display.\n";
#endif

struct HeldMessage {
  QtMsgType type;
  QByteArray file;
  int line;
  QByteArray function;
  QByteArray category;
  QString text;
};

QtMessageHandler previous = nullptr;
bool guarding = false;

std::vector<HeldMessage>& Held() {
  static auto* held = new std::vector<HeldMessage>;
  return *held;
}

// Qt ends the program after a fatal message, which while it starts means
// that no platform could be started.
void Hold(QtMsgType type, const QMessageLogContext& context,
          const QString& text) {
  if (type == QtFatalMsg) {
    std::fputs(kNoPlatform, stderr);
    std::fflush(stderr);
    // At once, as Qt would, but without a core dump: the application is
    // half made and must not be taken down.
    std::_Exit(1);
  }
  Held().push_back({type, context.file, context.line, context.function,
                    context.category, text});
}

}  // namespace

PlatformStart::PlatformStart() {
  guarding = true;
  previous = qInstallMessageHandler(Hold);
}

PlatformStart::~PlatformStart() { Started(); }

void PlatformStart::Started() {
  if (!guarding) return;
  guarding = false;
  qInstallMessageHandler(previous);
  for (const HeldMessage& message : Held()) {
    const QMessageLogContext context(
        message.file.isNull() ? nullptr : message.file.constData(),
        message.line,
        message.function.isNull() ? nullptr : message.function.constData(),
        message.category.isNull() ? nullptr : message.category.constData());
    if (previous != nullptr) previous(message.type, context, message.text);
  }
  Held().clear();
}

}  // namespace tivok
