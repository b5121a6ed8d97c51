#ifndef TIVOK_TESTS_CLI_CLI_RUN_H_
#define TIVOK_TESTS_CLI_CLI_RUN_H_

#include <ios>
#include <sstream>
#include <streambuf>
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

// Runs the commands as the program does, with `input` on standard input,
// and standard output a terminal or not.
inline CliRun RunCliWith(const std::vector<std::string>& args,
                         const std::string& input = "",
                         bool out_is_terminal = false) {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunCli(args, in, out, err, out_is_terminal);
  return {status, out.str(), err.str()};
}

// A stream buffer that fails every read and write, as a closed standard
// input, a failing disk or a full one does.
class FailingBuffer : public std::streambuf {
 protected:
  int_type underflow() override { throw std::ios_base::failure("read"); }
  int_type overflow(int_type) override { return traits_type::eof(); }
};

// Runs the commands with a standard input or output that fails.
enum class Failing { kInput, kOutput };
inline CliRun RunCliFailing(const std::vector<std::string>& args,
                            Failing which) {
  FailingBuffer failing;
  std::istringstream good_in;
  std::ostringstream good_out;
  std::istream failing_in(&failing);
  std::ostream failing_out(&failing);
  std::ostringstream err;
  const bool input = which == Failing::kInput;
  const int status = RunCli(args, input ? failing_in : good_in,
                            input ? good_out : failing_out, err);
  return {status, good_out.str(), err.str()};
}

}  // namespace tivok::cli::testing

#endif  // TIVOK_TESTS_CLI_CLI_RUN_H_
