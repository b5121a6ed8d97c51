#ifndef TIVOK_CLI_COMMAND_LINE_H_
#define TIVOK_CLI_COMMAND_LINE_H_

#include <optional>
#include <string>
#include <vector>

#include "cli/grammar.h"

namespace tivok::cli {

// What a command line asks for, its options taken out.
struct Invocation {
  Command command = Command::kNone;
  bool help = false;
  bool version = false;
  bool dry_run = false;
  bool fix_checksum = false;  // set, apply: the global checksum too
  bool fix = false;           // checksum: write the global checksum
  bool exit_code = false;     // diff: exit 1 when slots differ
  Format format = Format::kTable;
  std::optional<std::string> output;  // diff: the patch's file
  std::optional<std::string> clean;   // apply: a patch's source image
  std::vector<std::string> operands;  // IMAGE (or CLEAN) and what follows
};

// The invocation, or a usage error: what was wrong and what was expected.
// `invocation.command` is set as far as the command was recognised, so that
// the error can show that command's usage.
struct ParsedCommandLine {
  Invocation invocation;
  std::string error;
};

// Reads the arguments after the program's name by the grammar (grammar.h).
// --help and --version win over every other mistake.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

// Whether `format` is a patch's, which diff writes as bytes.
bool IsPatch(Format format);

}  // namespace tivok::cli

#endif  // TIVOK_CLI_COMMAND_LINE_H_
