#include "ui/image_watcher.h"

#include <QFileInfo>
#include <QStringList>

namespace tivok {
namespace {

// How long the file must stay as it is before the change is reported.
constexpr int kSettleMs = 250;

}  // namespace

ImageWatcher::ImageWatcher(QObject* parent) : QObject(parent) {
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMs);
  connect(&settle_, &QTimer::timeout, this, &ImageWatcher::Changed);
  connect(&watcher_, &QFileSystemWatcher::fileChanged, this,
          &ImageWatcher::Noticed);
  // A file replaced by a rename is a new file: the folder sees it come.
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this,
          &ImageWatcher::Noticed);
}

void ImageWatcher::Watch(const QString& path) {
  settle_.stop();
  const QStringList watched = watcher_.files() + watcher_.directories();
  if (!watched.isEmpty()) watcher_.removePaths(watched);
  path_ = path;
  if (path_.isEmpty()) return;
  watcher_.addPath(QFileInfo(path_).absolutePath());
  watcher_.addPath(path_);
}

void ImageWatcher::Noticed() {
  if (path_.isEmpty()) return;
  // The system stops watching a file that was removed or renamed over.
  if (!watcher_.files().contains(path_) && QFileInfo::exists(path_)) {
    watcher_.addPath(path_);
  }
  settle_.start();
}

}  // namespace tivok
