#ifndef TIVOK_CLI_PROGRAM_H_
#define TIVOK_CLI_PROGRAM_H_

namespace tivok::cli {

// The name that begins every message on standard error.
inline constexpr char kProgram[] = "tivok-cli";

// Exit statuses.
inline constexpr int kOk = 0;
inline constexpr int kFailed = 1;  // an image unread or unwritten, a layout
                                   // refused
inline constexpr int kUsage = 2;   // a wrong command line

}  // namespace tivok::cli

#endif  // TIVOK_CLI_PROGRAM_H_
