#ifndef TIVOK_LAYOUT_LAYOUT_FILE_H_
#define TIVOK_LAYOUT_LAYOUT_FILE_H_

#include <cstddef>
#include <istream>
#include <string>

namespace tivok {

// The most bytes a layout may have, 1 MiB: far more than the 38 slots
// need, and little enough to read and check at once.
inline constexpr std::size_t kLayoutLimit = 1024 * 1024;

// A layout's text, or why there is none: it could not be read, or it is
// longer than kLayoutLimit. Never more than a little past the limit is
// read.
struct LayoutText {
  std::string text;
  std::string error;

  bool ok() const { return error.empty(); }
};

// The layout file at `path` (UTF-8 on Windows).
LayoutText ReadLayoutFile(const std::string& path);

// The layout on `in`, standard input.
LayoutText ReadLayoutFrom(std::istream& in);

}  // namespace tivok

#endif  // TIVOK_LAYOUT_LAYOUT_FILE_H_
