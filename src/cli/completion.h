#ifndef TIVOK_CLI_COMPLETION_H_
#define TIVOK_CLI_COMPLETION_H_

#include <string>
#include <vector>

namespace tivok::cli {

// The hidden command that the bash completion (data/tivok-cli.bash) runs,
// so that the script holds no grammar of its own.
inline constexpr char kCompleteCommand[] = "__complete";

// What `tivok-cli __complete WORD...` prints to complete the last of
// `words`, the words after the program's name as the shell has them,
// unquoted, the last one as far as it is typed (perhaps empty). Each
// candidate is a whole word, as it would stand on the command line, on a
// line of its own; the first line says how to complete:
//   words    the candidates follow;
//   nospace  they follow, and the shell adds no space after the one
//            chosen: each ends in "=" and awaits its value;
//   files    file names; the second line holds what the word begins with
//            before the file name (such as "--output=", mostly nothing),
//            and candidates that are no file names (such as "-") follow.
// Commands, options and formats match as typed; stores and items in any
// case. The items come from the item table, the slots from the store
// named before them.
std::string CompletionText(const std::vector<std::string>& words);

}  // namespace tivok::cli

#endif  // TIVOK_CLI_COMPLETION_H_
