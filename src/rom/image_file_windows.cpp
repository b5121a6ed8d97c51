// ImageFile on Windows: UTF-8 paths are opened as wide paths, so that every
// name opens whatever the local code page, and only files on disk are used.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string_view>

#include "rom/file_seam.h"
#include "rom/image_file.h"
#include "rom/path_names_windows.h"
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

std::uint64_t Joined(DWORD high, DWORD low) {
  return (static_cast<std::uint64_t>(high) << 32) | low;
}

FileIdentity IdentityOf(const BY_HANDLE_FILE_INFORMATION& info) {
  return {info.dwVolumeSerialNumber,
          Joined(info.nFileIndexHigh, info.nFileIndexLow)};
}

}  // namespace

// The attributes are looked at before the open so that a folder gets a
// plain answer instead of "access denied"; type and attributes are checked
// again on the open handle in case the path changed in between. Sharing
// read and write lets another program keep the file open.
ImageFile::ImageFile(const std::string& path, Access access) : path_(path) {
  if (path.find('\0') != std::string::npos) FailNulInName(path);
  if (NamesADevice(WidePath(path))) FailDevice(path);
  const std::wstring wide = OpenablePath(WidePath(path));
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    FailWithLastError("cannot open", path);
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    FailWith("cannot open", path, RomFileError::Kind::kFolder,
             "it is a directory");
  }
  if (access == Access::kReadWrite &&
      file_seam::Fails(FileStep::kOpenForWriting)) {
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
  if (count > 0 && file_seam::Fails(FileStep::kRead)) {
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

bool ImageFile::WriteAt(std::int64_t offset, std::uint8_t value,
                        std::int64_t* length) {
  const bool staged = file_seam::Fails(FileStep::kWrite);
  // While a mapping of the file exists, no program can cut it short, so the
  // length checked below still holds for the write. A file system that
  // cannot map the file, or an empty file, gets none.
  struct Guard {
    HANDLE mapping;
    ~Guard() {
      if (mapping != nullptr) ::CloseHandle(mapping);
    }
  } guard{::CreateFileMappingW(AsHandle(handle_), nullptr, PAGE_READONLY, 0, 0,
                               nullptr)};
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(AsHandle(handle_), &size)) {
    FailWithLastError("cannot examine", path_);
  }
  *length = size.QuadPart;
  if (offset >= *length) return false;
  if (staged) FailWithError("cannot write to", path_, ERROR_IO_DEVICE);
  if (guard.mapping == nullptr) may_lengthen_ = true;
  OVERLAPPED at = At(offset);
  DWORD written = 0;
  if (!::WriteFile(AsHandle(handle_), &value, 1, &written, &at)) {
    FailWithLastError("cannot write to", path_);
  }
  if (written != 1) FailByteNotWritten(path_);
  return true;
}

void ImageFile::Flush() {
  const bool staged = file_seam::Fails(FileStep::kFlush);
  if (!::FlushFileBuffers(AsHandle(handle_))) {
    FailWithLastError("cannot flush", path_);
  }
  if (staged) FailWithError("cannot flush", path_, ERROR_IO_DEVICE);
}

void ImageFile::Close() {
  const bool staged = file_seam::Fails(FileStep::kClose);
  const HANDLE handle = AsHandle(handle_);
  handle_ = -1;
  if (!::CloseHandle(handle)) FailWithLastError("cannot close", path_);
  if (staged) FailWithError("cannot close", path_, ERROR_IO_DEVICE);
}

OpenFileState ImageFile::State() {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(AsHandle(handle_), &info)) {
    FailWithLastError("cannot examine", path_);
  }
  return {
      IdentityOf(info), info.nNumberOfLinks,
      static_cast<std::int64_t>(Joined(info.nFileSizeHigh, info.nFileSizeLow))};
}

// Opens the path again with no access rights, which no other program's
// sharing mode can refuse, only to ask which file it names. A name that
// is missing, or whose folder is, names none.
std::optional<FileIdentity> ImageFile::IdentityAt(const std::string& path) {
  if (file_seam::Fails(FileStep::kLook)) {
    FailWithError("cannot examine", path, ERROR_IO_DEVICE);
  }
  const std::string& checked = file_seam::PathToCheck(path);
  std::wstring wide;
  try {
    wide = OpenablePath(WidePath(checked));
  } catch (const RomFileError&) {
    return std::nullopt;
  }
  const HANDLE handle = ::CreateFileW(
      wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    if (KindOf(error) == RomFileError::Kind::kMissing) return std::nullopt;
    FailWithError("cannot examine", path, error);
  }
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = ::GetFileInformationByHandle(handle, &info);
  const DWORD error = ::GetLastError();
  ::CloseHandle(handle);
  if (!known) FailWithError("cannot examine", path, error);
  return IdentityOf(info);
}

}  // namespace tivok
