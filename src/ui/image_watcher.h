#ifndef TIVOK_UI_IMAGE_WATCHER_H_
#define TIVOK_UI_IMAGE_WATCHER_H_

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace tivok {

// Watches one image file for changes that other programs make, also when
// a program saves by renaming a new file over it, and reports them once
// they have settled: a program may write a file in several steps.
class ImageWatcher : public QObject {
  Q_OBJECT

 public:
  explicit ImageWatcher(QObject* parent = nullptr);

  // Watches `path` from now on; an empty path watches nothing.
  void Watch(const QString& path);
  const QString& path() const { return path_; }

 signals:
  // The file changed, was replaced or went, and nothing more has happened
  // to it for a moment.
  void Changed();

 private:
  // Something happened to the file or its folder: watches the file again
  // if it was replaced, and waits for the changes to settle.
  void Noticed();

  QFileSystemWatcher watcher_;
  QTimer settle_;
  QString path_;
};

}  // namespace tivok

#endif  // TIVOK_UI_IMAGE_WATCHER_H_
