// Opening a file that reaches the window from outside the open dialog: named
// on the command line or dropped on the window.

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QList>
#include <QMimeData>
#include <QUrl>
#include <filesystem>
#include <string>
#include <system_error>

#include "ui/core_text.h"
#include "ui/item_selector.h"
#include "ui/main_window.h"

namespace tivok {
namespace {

// The path of the one local file, not a folder, that `data` carries; empty
// for anything else.
QString DroppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return {};
  const QList<QUrl> urls = data->urls();
  if (urls.size() != 1 || !urls.first().isLocalFile()) return {};
  const QString path = urls.first().toLocalFile();
  // A NUL (%00 in the address) would cut the name short for the system.
  if (path.isEmpty() || path.contains(QChar::Null) || QFileInfo(path).isDir()) {
    return {};
  }
  return path;
}

// Accepts a drop of one file as a copy, or a link where the source offers
// nothing else, and never as a move, which would have the source delete its
// file. Refuses anything else. Returns the file's path, or empty if refused.
QString AcceptFileDrop(QDropEvent* event) {
  const QString path = DroppedFile(event->mimeData());
  const Qt::DropActions possible = event->possibleActions();
  if (path.isEmpty() || !(possible & (Qt::CopyAction | Qt::LinkAction))) {
    event->ignore();
    return {};
  }
  event->setDropAction((possible & Qt::CopyAction) ? Qt::CopyAction
                                                   : Qt::LinkAction);
  event->accept();
  return path;
}

// `path`, which may be relative to the working folder, made absolute.
std::string AbsolutePath(const std::string& path) {
#ifdef Q_OS_WIN
  return CorePath(QFileInfo(ShownPath(path)).absoluteFilePath());
#else
  // On bytes, so that a name that is not UTF-8 stays as it is.
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.string();
#endif
}

}  // namespace

void MainWindow::OpenFile(const std::string& path) {
  if (path.empty() || path.find('\0') != std::string::npos) return;
  dialog_path_ = AbsolutePath(path);
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
  const QString path = AcceptFileDrop(event);
  if (path.isEmpty()) return;
  // Opens once the drop has ended, so that a message box does not keep the
  // program that the file came from waiting.
  QMetaObject::invokeMethod(
      this, [this, path = CorePath(path)] { OpenFile(path); },
      Qt::QueuedConnection);
}

}  // namespace tivok
