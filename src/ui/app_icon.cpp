#include "ui/app_icon.h"

#include <QSize>
#include <QString>

// Registers app_icon.qrc, which a static library's users would otherwise
// leave out of the program. Q_INIT_RESOURCE works only outside namespaces.
static void RegisterIconResource() { Q_INIT_RESOURCE(app_icon); }

namespace tivok {

QIcon AppIcon() {
  RegisterIconResource();
  QIcon icon;
  // QIcon reads each file only when that size is first drawn.
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    icon.addFile(QString(":/icons/tivok-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace tivok
