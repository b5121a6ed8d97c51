#ifndef TIVOK_UI_CORE_TEXT_H_
#define TIVOK_UI_CORE_TEXT_H_

#include <QString>
#include <string_view>

namespace tivok {

// A text of the core (UTF-8) as Qt shows it.
inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), std::ssize(text));
}

}  // namespace tivok

#endif  // TIVOK_UI_CORE_TEXT_H_
