// ImageFile on Windows: UTF-8 paths are opened as wide paths, so that every
// name opens whatever the local code page, and only files on disk are used.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <array>
#include <cwctype>
#include <string_view>

#include "rom/file_faults.h"
#include "rom/image_file.h"
#include "rom/rom_file.h"

namespace tivok {
namespace {

std::string ToUtf8(const wchar_t* text, int length) {
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0,
                                         nullptr, nullptr);
  std::string result(static_cast<std::size_t>(std::max(size, 0)), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text, length, result.data(), size, nullptr,
                        nullptr);
  return result;
}

// The system's description of `error`, in UTF-8, without the trailing
// full stop and line break.
std::string SystemReason(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
          FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string reason;
  if (length > 0 && buffer != nullptr) {
    reason = ToUtf8(buffer, static_cast<int>(length));
  }
  ::LocalFree(buffer);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                             reason.back() == ' ' || reason.back() == '.')) {
    reason.pop_back();
  }
  if (reason.empty()) reason = "system error " + std::to_string(error);
  return reason;
}

RomFileError::Kind KindOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return RomFileError::Kind::kMissing;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return RomFileError::Kind::kNoAccess;
    default:
      return RomFileError::Kind::kOther;
  }
}

[[noreturn]] void FailWithError(const char* what, const std::string& path,
                                DWORD error) {
  FailWith(what, path, KindOf(error), SystemReason(error));
}

// Takes the last error first thing, before anything else can change it.
[[noreturn]] void FailWithLastError(const char* what, const std::string& path) {
  FailWithError(what, path, ::GetLastError());
}

// The UTF-8 path as a wide string; fails for bytes that are not UTF-8.
std::wstring WidePath(const std::string& path) {
  if (path.empty()) FailWithError("cannot open", path, ERROR_PATH_NOT_FOUND);
  const int length =
      ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(),
                            static_cast<int>(path.size()), nullptr, 0);
  if (length <= 0) {
    throw RomFileError("cannot open " + Quoted(path) +
                       ": the name is not valid UTF-8");
  }
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(),
                        static_cast<int>(path.size()), wide.data(), length);
  return wide;
}

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
           return ::towupper(x) == ::towupper(y);
         });
}

// True for paths that Windows maps to a device rather than a file: the
// device namespace (\\.\) and the reserved names such as NUL, CON or COM1,
// which name the device in any folder and with any extension ("nul.gbc").
bool NamesADevice(const std::wstring& path) {
  if (path.starts_with(L"\\\\.\\") || path.starts_with(L"//./")) return true;
  const std::size_t slash = path.find_last_of(L"\\/:");
  std::wstring_view name(path);
  if (slash != std::wstring::npos) name.remove_prefix(slash + 1);
  name = name.substr(0, name.find(L'.'));
  while (!name.empty() && name.back() == L' ') name.remove_suffix(1);
  static constexpr std::array<std::wstring_view, 6> kPlain = {
      L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
  for (std::wstring_view device : kPlain) {
    if (EqualsIgnoringCase(name, device)) return true;
  }
  // COM0 to COM9 and LPT0 to LPT9, also with superscript digits.
  if (name.size() == 4 && (EqualsIgnoringCase(name.substr(0, 3), L"COM") ||
                           EqualsIgnoringCase(name.substr(0, 3), L"LPT"))) {
    const wchar_t digit = name[3];
    return (digit >= L'0' && digit <= L'9') || digit == L'\u00B9' ||
           digit == L'\u00B2' || digit == L'\u00B3';
  }
  return false;
}

HANDLE AsHandle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

// Where `offset` lies, for ReadFile and WriteFile on a synchronous handle.
OVERLAPPED At(std::int64_t offset) {
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(static_cast<std::uint64_t>(offset));
  at.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
  return at;
}

}  // namespace

// The attributes are looked at before the open so that a folder gets a
// plain answer instead of "access denied"; type and attributes are checked
// again on the open handle in case the path changed in between. Sharing
// read and write lets another program keep the file open.
ImageFile::ImageFile(const std::string& path, Access access) : path_(path) {
  const std::wstring wide = WidePath(path);
  if (NamesADevice(wide)) FailNotRegular(path);
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    FailWithLastError("cannot open", path);
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    FailWith("cannot open", path, RomFileError::Kind::kFolder,
             "it is a directory");
  }
  if (access == Access::kReadWrite && FileFaultDue(FileStep::kOpenForWriting)) {
    FailWithError("cannot open", path, ERROR_ACCESS_DENIED);
  }
  const DWORD rights =
      access == Access::kRead ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
  const HANDLE handle =
      ::CreateFileW(wide.c_str(), rights, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) FailWithLastError("cannot open", path);
  // The destructor does not run when the constructor throws.
  try {
    if (::GetFileType(handle) != FILE_TYPE_DISK) FailNotRegular(path);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle, &info)) {
      FailWithLastError("cannot examine", path);
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) FailNotRegular(path);
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(handle, &size)) {
      FailWithLastError("cannot examine", path);
    }
    size_ = size.QuadPart;
  } catch (...) {
    ::CloseHandle(handle);
    throw;
  }
  handle_ = reinterpret_cast<std::intptr_t>(handle);
}

ImageFile::~ImageFile() {
  if (handle_ != -1) ::CloseHandle(AsHandle(handle_));
}

void ImageFile::ReadAt(std::int64_t offset, std::uint8_t* data,
                       std::size_t count) {
  if (count > 0 && FileFaultDue(FileStep::kRead)) {
    FailWithError("cannot read", path_, ERROR_IO_DEVICE);
  }
  std::size_t done = 0;
  while (done < count) {
    OVERLAPPED at = At(offset + static_cast<std::int64_t>(done));
    const DWORD wanted =
        static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 30));
    DWORD got = 0;
    if (!::ReadFile(AsHandle(handle_), data + done, wanted, &got, &at)) {
      const DWORD error = ::GetLastError();
      if (error != ERROR_HANDLE_EOF) FailWithError("cannot read", path_, error);
    }
    if (got == 0) FailEndedEarly(path_);
    done += got;
  }
}

void ImageFile::WriteAt(std::int64_t offset, std::uint8_t value) {
  if (FileFaultDue(FileStep::kWrite)) {
    FailWithError("cannot write to", path_, ERROR_IO_DEVICE);
  }
  OVERLAPPED at = At(offset);
  DWORD written = 0;
  if (!::WriteFile(AsHandle(handle_), &value, 1, &written, &at)) {
    FailWithLastError("cannot write to", path_);
  }
  if (written != 1) FailByteNotWritten(path_);
}

void ImageFile::FlushAndClose() {
  const HANDLE handle = AsHandle(handle_);
  if (!::FlushFileBuffers(handle)) FailWithLastError("cannot flush", path_);
  if (FileFaultDue(FileStep::kFlush)) {
    FailWithError("cannot flush", path_, ERROR_IO_DEVICE);
  }
  handle_ = -1;
  if (!::CloseHandle(handle)) FailWithLastError("cannot close", path_);
  if (FileFaultDue(FileStep::kClose)) {
    FailWithError("cannot close", path_, ERROR_IO_DEVICE);
  }
}

}  // namespace tivok
