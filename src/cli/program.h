#ifndef TIVOK_CLI_PROGRAM_H_
#define TIVOK_CLI_PROGRAM_H_

namespace tivok::cli {

// The name that begins every message on standard error.
inline constexpr char kProgram[] = "tivok-cli";

// Exit statuses.
inline constexpr int kOk = 0;
inline constexpr int kFailed = 1;      // an image unread or unwritten, a layout
                                       // refused, the output not written
inline constexpr int kUsage = 2;       // a wrong command line
inline constexpr int kUnreported = 3;  // the image was changed as asked, but
                                       // the report could not be written

// What a command did: its exit status, and whether bytes reached the image
// (written and flushed), which a failing output must not hide.
struct Result {
  int status = kFailed;
  bool changed = false;
};

}  // namespace tivok::cli

#endif  // TIVOK_CLI_PROGRAM_H_
