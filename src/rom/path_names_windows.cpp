// How Windows reads a path's name: which names are devices, and the form
// in which a long path reaches the system.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include "rom/path_names_windows.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cwctype>
#include <optional>
#include <string>
#include <string_view>

namespace tivok {
namespace {

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
           return ::towupper(x) == ::towupper(y);
         });
}

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// "C:" and the like at the start of `path`.
bool StartsWithDrive(std::wstring_view path) {
  return path.size() >= 2 && path[1] == L':' &&
         ((path[0] >= L'A' && path[0] <= L'Z') ||
          (path[0] >= L'a' && path[0] <= L'z'));
}

// A name that Windows keeps for a device in every folder: CON, PRN, AUX,
// NUL, CONIN$, CONOUT$, COM0 to COM9 and LPT0 to LPT9, also with
// superscript digits.
bool IsReservedName(std::wstring_view name) {
  static constexpr std::array<std::wstring_view, 6> kPlain = {
      L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
  for (std::wstring_view device : kPlain) {
    if (EqualsIgnoringCase(name, device)) return true;
  }
  if (name.size() != 4 || !(EqualsIgnoringCase(name.substr(0, 3), L"COM") ||
                            EqualsIgnoringCase(name.substr(0, 3), L"LPT"))) {
    return false;
  }
  const wchar_t digit = name[3];
  return (digit >= L'0' && digit <= L'9') || digit == L'\u00B9' ||
         digit == L'\u00B2' || digit == L'\u00B3';
}

// The rest of a path in the device namespace, after "\\.\" or "\\?\" (with
// either slash, as Windows reads them); nothing for any other path.
std::optional<std::wstring_view> InDeviceNamespace(std::wstring_view path) {
  if (path.size() < 3 || !IsSeparator(path[0]) || !IsSeparator(path[1]) ||
      (path[2] != L'.' && path[2] != L'?')) {
    return std::nullopt;
  }
  if (path.size() == 3) return path.substr(3);
  if (!IsSeparator(path[3])) return std::nullopt;
  return path.substr(4);
}

// True when one of the folders or the name of `path` is "..".
bool GoesUp(std::wstring_view path) {
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = start;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    if (path.substr(start, end - start) == L"..") return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

// True for paths that Windows maps to a device rather than a file, decided
// from the name alone, before anything is opened:
// - the NT object namespace (a backslash, two question marks, a backslash)
//   and the device namespace ("\\.\", "\\?\"), except for a file named by drive
//   letter ("\\?\C:\...") or network share ("\\?\UNC\..."), where the name is
//   taken as it is;
// - a reserved name such as NUL, CON or COM1 as the last part of any other
//   path, with any extension, and with dots, spaces or a colon after it
//   ("nul.gbc", "NUL:", "CON:x.gbc", "aux .gbc").
bool NamesADevice(std::wstring_view path) {
  // In two parts, so that no trigraph can be read into it.
  if (path.starts_with(L"\\?"
                       L"?\\"))
    return true;
  if (const std::optional<std::wstring_view> rest = InDeviceNamespace(path)) {
    const bool on_drive =
        StartsWithDrive(*rest) && rest->size() > 2 && IsSeparator((*rest)[2]);
    const bool on_share = rest->size() > 4 &&
                          EqualsIgnoringCase(rest->substr(0, 3), L"UNC") &&
                          IsSeparator((*rest)[3]);
    // "\\.\" paths are normalised first, so ".." could climb out of the
    // drive into the device namespace.
    return !(on_drive || on_share) || (path[2] == L'.' && GoesUp(*rest));
  }
  std::size_t start = StartsWithDrive(path) ? 2 : 0;
  const std::size_t slash = path.find_last_of(L"\\/");
  if (slash != std::wstring_view::npos && slash >= start) start = slash + 1;
  std::wstring_view name = path.substr(start);
  name = name.substr(0, name.find_first_of(L".:"));
  while (!name.empty() && name.back() == L' ') name.remove_suffix(1);
  return IsReservedName(name);
}

// The path to hand to the system. Windows opens a path of MAX_PATH
// characters or more only in the "\\?\" form, which takes the path as it
// is: such a path is made absolute and normalised first, as Windows would
// do for a shorter one.
std::wstring OpenablePath(const std::wstring& path) {
  if (InDeviceNamespace(path)) return path;
  const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD length =
      ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return path;
  full.resize(length);
  if (full.size() < MAX_PATH) return path;
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

}  // namespace tivok
