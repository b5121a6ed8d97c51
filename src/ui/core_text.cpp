#include "ui/core_text.h"

#include <QFile>

#include "rom/describe.h"

namespace tivok {

QString ShownPath(const std::string& path) { return ToQString(Escaped(path)); }

QString PlainToolTip(const QString& text) {
  if (text.isEmpty()) return {};
  return "<p style=\"white-space:pre-wrap\">" + text.toHtmlEscaped() + "</p>";
}

QString QtPath(const std::string& path) {
#ifdef Q_OS_WIN
  return QString::fromStdString(path);
#else
  return QFile::decodeName(QByteArray::fromStdString(path));
#endif
}

std::string PathFromQt(const QString& path) {
#ifdef Q_OS_WIN
  return path.toUtf8().toStdString();
#else
  return QFile::encodeName(path).toStdString();
#endif
}

}  // namespace tivok
