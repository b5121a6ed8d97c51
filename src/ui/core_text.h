#ifndef TIVOK_UI_CORE_TEXT_H_
#define TIVOK_UI_CORE_TEXT_H_

#include <QString>
#include <string>
#include <string_view>

namespace tivok {

// A text of the core (UTF-8) as Qt shows it; bytes that are not UTF-8 show
// as the replacement character.
inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), std::ssize(text));
}

// A path, as the core keeps it (bytes), as the window shows it: escaped as
// every message escapes a name (describe.h), so that bytes that are not
// UTF-8 and control characters show as escapes ("\xE9", "\n").
QString ShownPath(const std::string& path);

// `text` for a tooltip, which reads text that looks like HTML as markup: as
// rich text that shows `text` character for character, spaces and line
// breaks included, wrapped where it is long. Empty for no tooltip.
QString PlainToolTip(const QString& text);

// `path` for Qt's own file functions, which name files as text: the file
// dialog, and the file watch where the system offers no other. Lossless on
// Windows and macOS, whose names are text; elsewhere a name that is not
// UTF-8 gets its nearest text.
QString QtPath(const std::string& path);

// A path from Qt's own file functions, such as the file dialog's choice, as
// the core takes it.
std::string PathFromQt(const QString& path);

}  // namespace tivok

#endif  // TIVOK_UI_CORE_TEXT_H_
