#ifndef TIVOK_CLI_LAYOUT_FILE_H_
#define TIVOK_CLI_LAYOUT_FILE_H_

#include <istream>
#include <string>

namespace tivok::cli {

// The whole text of the layout file at `path` (UTF-8 on Windows). Throws
// std::runtime_error naming the file and giving the system's reason.
std::string ReadLayoutFile(const std::string& path);

// Everything left on `in`, such as standard input.
std::string ReadAllOf(std::istream& in);

}  // namespace tivok::cli

#endif  // TIVOK_CLI_LAYOUT_FILE_H_
