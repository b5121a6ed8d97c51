#ifndef TIVOK_ROM_FILE_PATH_H_
#define TIVOK_ROM_FILE_PATH_H_

#include <filesystem>
#include <string>

namespace tivok {

// Paths as the program keeps them: bytes, as the system names files (UTF-8
// on Windows). A path becomes text only where it is shown, escaped
// (describe.h).

// `path` made absolute against the working folder and lexically normal, so
// that every spelling of one file ("a.gbc", "./a.gbc", "../w/a.gbc") reads
// the same: no "." parts and no doubled separators, and a ".." takes away
// the folder before it unless that folder is a symbolic link, after which
// ".." leads elsewhere. Done once, where a path enters the program. A path
// that cannot be made absolute (the working folder is gone) stays as it is;
// so does one in Windows' device namespace ("\\?\", "\\.\").
std::string NormalPath(const std::string& path);

// The last part of `path`, the file's own name: "a.gbc" for "/w/a.gbc".
std::string FileName(const std::string& path);

// `path` as the standard library's file system functions take it: on
// Windows read as UTF-8 rather than in the local code page.
std::filesystem::path FileSystemPath(const std::string& path);
// The other way round: a path of the standard library's as bytes.
std::string PathBytes(const std::filesystem::path& path);

}  // namespace tivok

#endif  // TIVOK_ROM_FILE_PATH_H_
