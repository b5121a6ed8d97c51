#include "ui/app_icon.h"

#include <QIconEngine>
#include <QList>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QString>
#include <algorithm>

// Registers app_icon.qrc, which a static library's users would otherwise
// leave out of the program. Q_INIT_RESOURCE works only outside namespaces.
static void RegisterIconResource() { Q_INIT_RESOURCE(app_icon); }

namespace tivok {
namespace {

// The sizes compiled in: enough for window frames, task bars and window
// switchers. The menus take the larger ones from the installed icon theme.
constexpr int kSizes[] = {16, 32, 48, 64, 128};

// Reads a size's PNG only when the platform first asks for it. QIcon's own
// engine would read every file when the icon is made, and that would add a
// good part to the time to the first window on platforms that never show
// the icon.
class AppIconEngine final : public QIconEngine {
 public:
  QPixmap pixmap(const QSize& size, QIcon::Mode /*mode*/,
                 QIcon::State /*state*/) override {
    const int side = Fitting(size);
    const QString file = QString(":/icons/tivok-%1.png").arg(side);
    QPixmap pixmap;
    if (!QPixmapCache::find(file, &pixmap)) {
      pixmap.load(file);
      QPixmapCache::insert(file, pixmap);
    }
    // Never larger than asked for.
    if (side > size.width() || side > size.height()) {
      return pixmap.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return pixmap;
  }

  QSize actualSize(const QSize& size, QIcon::Mode /*mode*/,
                   QIcon::State /*state*/) override {
    const int side = std::min({Fitting(size), size.width(), size.height()});
    return {side, side};
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
             QIcon::State state) override {
    painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
  }

  QList<QSize> availableSizes(QIcon::Mode /*mode*/,
                              QIcon::State /*state*/) override {
    QList<QSize> sizes;
    for (int side : kSizes) sizes.append({side, side});
    return sizes;
  }

  QString key() const override { return "tivok"; }
  QIconEngine* clone() const override { return new AppIconEngine; }

 private:
  // The smallest compiled-in size that covers `size`, else the largest.
  static int Fitting(const QSize& size) {
    const int wanted = std::max(size.width(), size.height());
    for (int side : kSizes) {
      if (side >= wanted) return side;
    }
    return std::end(kSizes)[-1];
  }
};

}  // namespace

QIcon AppIcon() {
  RegisterIconResource();
  return QIcon(new AppIconEngine);
}

}  // namespace tivok
