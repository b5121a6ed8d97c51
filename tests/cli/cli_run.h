#ifndef TIVOK_TESTS_CLI_CLI_RUN_H_
#define TIVOK_TESTS_CLI_CLI_RUN_H_

#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace tivok::cli::testing {

// What one run of tivok-cli printed and returned.
struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the commands as the program does, with `input` on standard input.
inline CliRun RunCliWith(const std::vector<std::string>& args,
                         const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunCli(args, in, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace tivok::cli::testing

#endif  // TIVOK_TESTS_CLI_CLI_RUN_H_
