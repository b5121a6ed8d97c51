#ifndef TIVOK_ROM_PATH_NAMES_WINDOWS_H_
#define TIVOK_ROM_PATH_NAMES_WINDOWS_H_

#include <string>
#include <string_view>

namespace tivok {

// True when Windows would take `path` for a device rather than a file on
// disk: the NT object or device namespace, or a reserved name such as NUL,
// CON or COM1 as its last part.
bool NamesADevice(std::wstring_view path);

// The path to hand to the system: a path of MAX_PATH characters or more in
// the "\\?\" form, absolute and normalised as Windows would do it for a
// shorter one.
std::wstring OpenablePath(const std::wstring& path);

}  // namespace tivok

#endif  // TIVOK_ROM_PATH_NAMES_WINDOWS_H_
