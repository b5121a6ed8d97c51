#ifndef TIVOK_UI_IMAGE_WATCHER_H_
#define TIVOK_UI_IMAGE_WATCHER_H_

#include <QObject>
#include <QTimer>
#include <memory>
#include <string>

namespace tivok {

// Watches one image file for changes that other programs make, also when
// a program saves by renaming a new file over it, and reports them once
// they have settled: a program may write a file in several steps. The file
// is watched by its path as the core keeps it, in bytes, so that a name
// that is not UTF-8 is watched too: on Linux through inotify, elsewhere
// through QFileSystemWatcher.
class ImageWatcher : public QObject {
  Q_OBJECT

 public:
  explicit ImageWatcher(QObject* parent = nullptr);
  ~ImageWatcher() override;

  // Watches `path` from now on; an empty path watches nothing.
  void Watch(const std::string& path);
  const std::string& path() const { return path_; }

 signals:
  // The file changed, was replaced or went, and nothing more has happened
  // to it for a moment.
  void Changed();

 private:
  // The system's watch on the file and its folder.
  class Watches;

  // Something happened to the file or its folder: waits for the changes to
  // settle.
  void Noticed();

  QTimer settle_;
  std::string path_;
  std::unique_ptr<Watches> watches_;
};

}  // namespace tivok

#endif  // TIVOK_UI_IMAGE_WATCHER_H_
