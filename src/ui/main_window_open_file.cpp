// Opening a file that reaches the window from outside the open dialog: named
// on the command line or dropped on the window (a layout or a patch dropped
// there is applied).

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QList>
#include <QMimeData>
#include <QUrl>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

#include "layout/layout_file.h"
#include "rom/file_path.h"
#include "ui/core_text.h"
#include "ui/item_selector.h"
#include "ui/main_window.h"

namespace tivok {
namespace {

// The path of the local file at `url`, as the core takes it. A file
// manager writes a name that is not UTF-8 percent-encoded, byte for byte,
// into the address, and QUrl keeps it so: decoded from there the name
// comes through whole, where the address's text would lose it.
std::string LocalPath(const QUrl& url) {
#ifndef Q_OS_WIN
  if (url.host().isEmpty()) {
    return QByteArray::fromPercentEncoding(
               url.path(QUrl::FullyEncoded).toLatin1())
        .toStdString();
  }
#endif
  return PathFromQt(url.toLocalFile());
}

// The path of the one local file, not a folder, that `data` carries; empty
// for anything else.
std::string DroppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return {};
  const QList<QUrl> urls = data->urls();
  if (urls.size() != 1 || !urls.first().isLocalFile()) return {};
  const std::string path = LocalPath(urls.first());
  std::error_code error;
  // A NUL (%00 in the address) would cut the name short for the system.
  if (path.empty() || path.find('\0') != std::string::npos ||
      std::filesystem::is_directory(FileSystemPath(path), error)) {
    return {};
  }
  return path;
}

// Accepts a drop of one file as a copy, or a link where the source offers
// nothing else, and never as a move, which would have the source delete its
// file. Refuses anything else. Returns the file's path, or empty if refused.
std::string AcceptFileDrop(QDropEvent* event) {
  std::string path = DroppedFile(event->mimeData());
  const Qt::DropActions possible = event->possibleActions();
  if (path.empty() || !(possible & (Qt::CopyAction | Qt::LinkAction))) {
    event->ignore();
    return {};
  }
  event->setDropAction((possible & Qt::CopyAction) ? Qt::CopyAction
                                                   : Qt::LinkAction);
  event->accept();
  return path;
}

}  // namespace

void MainWindow::OpenFile(const std::string& path) {
  if (path.empty() || path.find('\0') != std::string::npos) return;
  dialog_path_ = NormalPath(path);
  editor_.OpenChosenFile();
}

void MainWindow::AcceptFileDrops() {
  setAcceptDrops(true);
  // A drop on the new-item field would otherwise insert the file's name as
  // text there; this way it reaches the window and opens the file.
  combo3_->lineEdit()->setAcceptDrops(false);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  AcceptFileDrop(event);
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) { AcceptFileDrop(event); }

void MainWindow::dropEvent(QDropEvent* event) {
  std::string path = AcceptFileDrop(event);
  if (path.empty()) return;
  // Opens once the drop has ended, so that a message box does not keep the
  // program that the file came from waiting. A CSV layout or an IPS or BPS
  // patch is applied to the open image; any other file is an image to
  // open.
  QMetaObject::invokeMethod(
      this,
      [this, path = std::move(path)] {
        if (NamedAsLayoutOrPatch(path)) {
          editor_.ApplyLayoutFile(NormalPath(path));
        } else {
          OpenFile(path);
        }
      },
      Qt::QueuedConnection);
}

}  // namespace tivok
