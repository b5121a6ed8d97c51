#ifndef TIVOK_UI_CORE_TEXT_H_
#define TIVOK_UI_CORE_TEXT_H_

#include <QFile>
#include <QString>
#include <string>
#include <string_view>

namespace tivok {

// A text of the core (UTF-8) as Qt shows it; bytes that are not UTF-8 show
// as the replacement character.
inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), std::ssize(text));
}

// A path as the core takes it: UTF-8 on Windows, and in the file system's
// own encoding elsewhere (on Linux, where names are bytes, usually UTF-8).
inline std::string CorePath(const QString& path) {
#ifdef Q_OS_WIN
  return path.toUtf8().toStdString();
#else
  return QFile::encodeName(path).toStdString();
#endif
}

// A path of the core as Qt shows it.
inline QString ShownPath(const std::string& path) {
#ifdef Q_OS_WIN
  return QString::fromStdString(path);
#else
  return QFile::decodeName(QByteArray::fromStdString(path));
#endif
}

}  // namespace tivok

#endif  // TIVOK_UI_CORE_TEXT_H_
