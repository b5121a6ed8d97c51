// Exports on Windows: a new file beside the target, flushed, then moved
// over it, so that the target is either as it was or whole. UTF-8 paths
// are handed to the system as wide ones.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>

#include "rom/export_file.h"
#include "rom/file_path.h"
#include "rom/file_seam.h"
#include "rom/image_file.h"
#include "rom/path_names_windows.h"
#include "rom/rom_file.h"

namespace tivok::file_system {
namespace {

RomFileError::Kind KindOf(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
             ? RomFileError::Kind::kMissing
         : error == ERROR_ACCESS_DENIED ? RomFileError::Kind::kNoAccess
                                        : RomFileError::Kind::kOther;
}

std::string Reason(DWORD error) {
  return std::system_category().message(static_cast<int>(error));
}

[[noreturn]] void Fail(const std::string& path, DWORD error) {
  FailWith("cannot export to", path, KindOf(error), Reason(error));
}

void WriteAll(HANDLE file, std::string_view content, const std::string& path) {
  if (file_seam::Fails(FileStep::kWrite)) Fail(path, ERROR_IO_DEVICE);
  std::size_t done = 0;
  while (done < content.size()) {
    const DWORD wanted = static_cast<DWORD>(
        std::min<std::size_t>(content.size() - done, 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file, content.data() + done, wanted, &written, nullptr)) {
      Fail(path, ::GetLastError());
    }
    if (written == 0) Fail(path, ERROR_WRITE_FAULT);
    done += written;
  }
  const bool staged = file_seam::Fails(FileStep::kFlush);
  if (!::FlushFileBuffers(file)) Fail(path, ::GetLastError());
  if (staged) Fail(path, ERROR_IO_DEVICE);
}

}  // namespace

TargetKind ExportTargetKind(const std::string& path) {
  const std::wstring wide = OpenablePath(FileSystemPath(path).wstring());
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return TargetKind::kNothing;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return TargetKind::kFolder;
  // A device such as NUL answers too: only a file on disk is a file.
  const HANDLE handle = ::CreateFileW(
      wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return TargetKind::kOther;
  const bool disk = ::GetFileType(handle) == FILE_TYPE_DISK;
  ::CloseHandle(handle);
  return disk ? TargetKind::kFile : TargetKind::kOther;
}

void ReplaceByNewFile(const std::string& path, std::string_view content) {
  const std::filesystem::path target = FileSystemPath(path);
  const std::filesystem::path folder =
      target.has_parent_path() ? target.parent_path() : L".";
  // A short name of the system's making, whatever the length of the
  // target's; the system makes the file too.
  wchar_t name[MAX_PATH + 1] = {};
  if (file_seam::Fails(FileStep::kOpenForWriting)) {
    FailNewFile(path, PathBytes(folder), KindOf(ERROR_ACCESS_DENIED),
                Reason(ERROR_ACCESS_DENIED));
  }
  if (::GetTempFileNameW(folder.wstring().c_str(), L"tvk", 0, name) == 0) {
    const DWORD error = ::GetLastError();
    FailNewFile(path, PathBytes(folder), KindOf(error), Reason(error));
  }
  const std::wstring temporary = name;
  const HANDLE file =
      ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr,
                    TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    ::DeleteFileW(temporary.c_str());
    Fail(path, error);
  }
  try {
    WriteAll(file, content, path);
  } catch (...) {
    ::CloseHandle(file);
    ::DeleteFileW(temporary.c_str());
    throw;
  }
  ::CloseHandle(file);
  if (!::MoveFileExW(temporary.c_str(), OpenablePath(target.wstring()).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = ::GetLastError();
    ::DeleteFileW(temporary.c_str());
    Fail(path, error);
  }
}

}  // namespace tivok::file_system
