#include "ui/image_watcher.h"

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <cstddef>
#include <string_view>

#include "rom/file_path.h"
#else
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QStringList>

#include "ui/core_text.h"
#endif

namespace tivok {
namespace {

// How long the file must stay as it is before the change is reported.
constexpr int kSettleMs = 250;

}  // namespace

#ifdef Q_OS_LINUX

// inotify takes paths as bytes. The folder is watched for the file's name
// only: a file renamed over the image, or the image made anew, is a new
// file, which the file's own watch does not see. Opening and closing the
// file are no change, so that Tivok's own reads and checks report nothing.
class ImageWatcher::Watches {
 public:
  explicit Watches(ImageWatcher& owner)
      : owner_(owner), inotify_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    // Without inotify nothing is reported; File, Reload still reads.
    if (inotify_ < 0) return;
    notifier_ = new QSocketNotifier(inotify_, QSocketNotifier::Read, &owner);
    QObject::connect(notifier_, &QSocketNotifier::activated, &owner,
                     [this] { Read(); });
  }
  Watches(const Watches&) = delete;
  Watches& operator=(const Watches&) = delete;
  ~Watches() {
    // The notifier goes before the descriptor that it watches.
    delete notifier_;
    if (inotify_ >= 0) ::close(inotify_);
  }

  void Watch(const std::string& path) {
    for (int* watch : {&file_, &folder_}) {
      if (*watch >= 0) ::inotify_rm_watch(inotify_, *watch);
      *watch = -1;
    }
    path_ = path;
    if (path_.empty() || inotify_ < 0) return;
    name_ = FileName(path_);
    std::string folder = path_.substr(0, path_.size() - name_.size());
    if (folder.empty()) folder = ".";
    folder_ = ::inotify_add_watch(inotify_, folder.c_str(),
                                  IN_ATTRIB | IN_MOVE | IN_CREATE | IN_DELETE);
    WatchFile();
  }

 private:
  // Watches the file that the path names now, and no other: the one it
  // named before may live on under another name.
  void WatchFile() {
    const int file = ::inotify_add_watch(
        inotify_, path_.c_str(),
        IN_ATTRIB | IN_MODIFY | IN_MOVE_SELF | IN_DELETE_SELF);
    if (file_ >= 0 && file != file_) ::inotify_rm_watch(inotify_, file_);
    file_ = file;
  }

  // Reads every waiting event; whatever concerns the file is noticed once.
  void Read() {
    bool noticed = false;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
      const ssize_t got = ::read(inotify_, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;
      for (std::size_t at = 0; at < static_cast<std::size_t>(got);) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        at += sizeof(inotify_event) + event->len;
        if (event->mask & IN_Q_OVERFLOW) {
          noticed = true;
        } else if (event->wd == file_ && file_ >= 0) {
          // The system drops a watch whose file is gone (IN_IGNORED).
          if (event->mask & IN_IGNORED) file_ = -1;
          noticed = true;
        } else if (event->wd == folder_ && event->len > 0 &&
                   std::string_view(event->name) == name_) {
          noticed = true;
        }
      }
    }
    if (!noticed || path_.empty()) return;
    WatchFile();
    owner_.Noticed();
  }

  ImageWatcher& owner_;
  const int inotify_;
  QSocketNotifier* notifier_ = nullptr;
  std::string path_;
  std::string name_;  // the file's name in its folder
  int file_ = -1;     // the watch on the file; -1 while there is none
  int folder_ = -1;
};

#else

// QFileSystemWatcher takes paths as text: paths are UTF-8 on Windows and
// macOS, so no name is lost there.
class ImageWatcher::Watches {
 public:
  explicit Watches(ImageWatcher& owner) : owner_(owner) {
    const auto noticed = [this] {
      // The system stops watching a file that was removed or renamed over.
      if (!path_.isEmpty() && !watcher_.files().contains(path_) &&
          QFileInfo::exists(path_)) {
        watcher_.addPath(path_);
      }
      owner_.Noticed();
    };
    QObject::connect(&watcher_, &QFileSystemWatcher::fileChanged, &owner,
                     noticed);
    // A file replaced by a rename is a new file: the folder sees it come.
    QObject::connect(&watcher_, &QFileSystemWatcher::directoryChanged, &owner,
                     noticed);
  }

  void Watch(const std::string& path) {
    const QStringList watched = watcher_.files() + watcher_.directories();
    if (!watched.isEmpty()) watcher_.removePaths(watched);
    path_ = QtPath(path);
    if (path_.isEmpty()) return;
    watcher_.addPath(QFileInfo(path_).absolutePath());
    watcher_.addPath(path_);
  }

 private:
  ImageWatcher& owner_;
  QFileSystemWatcher watcher_;
  QString path_;
};

#endif

ImageWatcher::ImageWatcher(QObject* parent)
    : QObject(parent), watches_(std::make_unique<Watches>(*this)) {
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMs);
  connect(&settle_, &QTimer::timeout, this, &ImageWatcher::Changed);
}

ImageWatcher::~ImageWatcher() = default;

void ImageWatcher::Watch(const std::string& path) {
  settle_.stop();
  path_ = path;
  watches_->Watch(path_);
}

void ImageWatcher::Noticed() {
  if (!path_.empty()) settle_.start();
}

}  // namespace tivok
