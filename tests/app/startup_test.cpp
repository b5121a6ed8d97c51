// The program's start: its command line, and the wait for its window to
// come on screen.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QObject>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/exposure_wait.h"

namespace tivok::testing {
namespace {

using ::testing::HasSubstr;

struct ParseCase {
  std::vector<std::string> arguments;
  std::optional<int> exit_status;
  std::string file;     // the file to open, when there is no exit
  std::string message;  // a part of the help or version; a whole usage error
};

// The whole message of a usage error for `reason`.
std::string Usage(const std::string& reason) {
  return "tivok: " + reason +
         "\nUsage: tivok [FILE]\nTry 'tivok --help' for more information.\n";
}

std::string Joined(const std::vector<std::string>& arguments) {
  std::string text;
  for (const std::string& argument : arguments) text += argument + " ";
  return text;
}

TEST(CommandLineTest, ReadsOneOptionalFileHelpAndVersion) {
  const std::vector<ParseCase> cases = {
      {{"tivok"}, std::nullopt, "", ""},
      {{"tivok", "a.gbc"}, std::nullopt, "a.gbc", ""},
      {{"tivok", "--", "-a.gbc"}, std::nullopt, "-a.gbc", ""},
      {{"tivok", "-"}, std::nullopt, "-", ""},
      // File names are bytes: one that is not UTF-8 stays as it is.
      {{"tivok", "caf\xE9.gbc"}, std::nullopt, "caf\xE9.gbc", ""},
      {{"tivok", "--help"}, 0, "", "[FILE]"},
      {{"tivok", "-h", "a.gbc", "b.gbc"}, 0, "", "--version"},
      {{"tivok", "--version"}, 0, "", "tivok 1."},
      {{"tivok", "a.gbc", "-v"}, 0, "", "tivok 1."},
      // Answered before Qt takes its options, whatever stands beside them.
      {{"tivok", "-style", "fusion", "--frob", "--version"}, 0, "", "tivok 1."},
      {{"tivok", "a.gbc", "b.gbc"}, 2, "", Usage("more than one FILE given.")},
      {{"tivok", "--frob", "a.gbc"}, 2, "", Usage("unknown option '--frob'.")},
      {{"tivok", "-hv"}, 2, "", Usage("unknown option '-hv'.")},
      // A terminal is not sent the escape that would set its title.
      {{"tivok", "--x\x1B]0;TITLE\a"},
       2,
       "",
       Usage("unknown option '--x\\x1B]0;TITLE\\x07'.")},
      {{"tivok", ""}, 2, "", Usage("FILE is empty.")},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(Joined(c.arguments));
    const CommandLine command = ParseCommandLine(c.arguments);
    EXPECT_EQ(command.exit_status, c.exit_status);
    EXPECT_EQ(command.file, c.file);
    if (c.exit_status == 2) {
      EXPECT_EQ(command.message, c.message);
    } else {
      EXPECT_THAT(command.message, HasSubstr(c.message));
    }
  }
}

TEST(ExposureWaitTest, EndsWhenTheWindowIsExposed) {
  QWindow window;
  QTimer::singleShot(0, &window, [&window] { window.show(); });
  EXPECT_TRUE(WaitUntilExposed(window, std::chrono::minutes(1)));
}

// A window that is never shown: the wait sleeps until its limit rather
// than going round the event loop without pause.
TEST(ExposureWaitTest, SleepsUntilItsLimit) {
  QWindow window;
  QObject counter;
  int wakes = 0;
  QObject::connect(QAbstractEventDispatcher::instance(),
                   &QAbstractEventDispatcher::awake, &counter,
                   [&wakes] { ++wakes; });
  EXPECT_FALSE(WaitUntilExposed(window, std::chrono::milliseconds(300)));
  EXPECT_LT(wakes, 100);
}

}  // namespace
}  // namespace tivok::testing
