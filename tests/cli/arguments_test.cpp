#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "cli/command_line.h"
#include "rom/export_file.h"

namespace tivok::cli {
namespace {

using ::tivok::cli::testing::CliRun;
using ::tivok::cli::testing::RunCliWith;

// Every mistake is a usage error: status 2, nothing on standard output, and
// a message saying what was expected. No image is needed to find them.
TEST(CliCommandLine, RefusesMistakesWithWhatWasExpected) {
  const struct {
    std::vector<std::string> args;
    std::string says;  // the first line, after "tivok-cli COMMAND: "
  } cases[] = {
      {{},
       "no command given; the commands are list, get, set, apply, diff, items "
       "and checksum"},
      {{"frob", "a.gbc"},
       "unknown command \"frob\"; the commands are list, get, set, apply, "
       "diff, items and checksum"},
      {{"list"}, "too few arguments"},
      {{"list", "a.gbc", "portal", "x"},
       "too many arguments: \"x\" is one more than the command takes"},
      {{"items", "a.gbc"},
       "too many arguments: \"a.gbc\" is one more than the command takes"},
      {{"checksum", "a.gbc", "b.gbc"},
       "too many arguments: \"b.gbc\" is one more than the command takes"},
      {{"list", "a.gbc", "--format=xml"},
       "unknown format \"xml\"; the formats are table, csv and json"},
      {{"list", "a.gbc", "--format"},
       "--format needs a format: table, csv or json"},
      {{"list", "a.gbc", "--fr\x1B[2J"},
       "unknown option \"--fr\\x1B[2J\"; the options are "
       "--format=table|csv|json and --help"},
      {{"list", "a.gbc", "portl"},
       "no store is called \"portl\"; did you mean portal?"},
      {{"list", "a.gbc", "Portal Shp"},
       "no store is called \"Portal Shp\"; did you mean Portal Shop?"},
      {{"get", "a.gbc", "portal", "3", "--dry-run"},
       "--dry-run is an option of set and apply only"},
      {{"list", "a.gbc", "--exit-code"},
       "--exit-code is an option of diff only"},
      {{"get", "a.gbc", "third", "8"},
       "Third (Bottom Middle) Shop has no slot 8; its slots are 1 to 7"},
      {{"set", "a.gbc", "portal", "3", "sirlion"},
       "no item is called \"sirlion\"; did you mean Sirloin?"},
      {{"set", "a.gbc", "portal", "3", "WARP"},
       "no item is called \"WARP\"; did you mean Warp Wing or Warp Staff?"},
      {{"set", "a.gbc", "portal", "3", std::string(50, 'x')},
       "no item is called \"" + std::string(40, 'x') +
           "...\"; an item is its name, such as Sirloin, or its code in hex, "
           "such as 0x17, as tivok-cli items lists them"},
      {{"set", "a.gbc", "portal", "3", "23"},
       "\"23\" is a bare number, which could be hex or decimal: write an item "
       "code in hex with 0x, such as 0x17 for Sirloin, or the item's name"},
      {{"set", "a.gbc", "portal", "3", "0xC8"},
       "0xC8 is no item's code; the codes run from Null (0x00) to Bookmark "
       "(0x2B)"},
      {{"set", "", "portal", "3", "herb"}, "an argument is empty"},
      {{"apply", "a.gbc", "--format=csv", "-"},
       "--format is an option of list, diff and items only"},
      {{"list", "a.gbc", "--format=ips"},
       "unknown format \"ips\"; the formats are table, csv and json"},
      {{"diff", "a.gbc", "b.gbc", "-o", "d.csv", "--format=csv"},
       "-o writes patches only, with --format=ips or --format=bps; the other "
       "formats go to standard output"},
      {{"diff", "a.gbc", "b.gbc", "--format=bps", "-o"},
       "-o needs a file name"},
  };
  for (const auto& c : cases) {
    const CliRun run = RunCliWith(c.args);
    const std::string command =
        c.args.empty() || c.args[0] == "frob" ? "" : " " + c.args[0];
    std::vector<std::string> help = {"--help"};
    if (!command.empty()) help.insert(help.begin(), c.args[0]);
    const std::string usage = RunCliWith(help).out;
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "tivok-cli" + command + ": " + c.says + "\n" +
                           usage.substr(0, usage.find('\n') + 1) +
                           "Try 'tivok-cli" + command +
                           " --help' for more information.\n");
  }
}

// "--" ends the options: what follows is an operand, however it reads.
TEST(CliCommandLine, TakesWhatFollowsTwoDashesAsOperands) {
  const ParsedCommandLine parsed =
      ParseCommandLine({"set", "--", "--dry-run", "-h", "3", "--format=csv"});
  EXPECT_EQ(parsed.error, "");
  EXPECT_FALSE(parsed.invocation.dry_run || parsed.invocation.help);
  EXPECT_EQ(parsed.invocation.operands,
            std::vector<std::string>({"--dry-run", "-h", "3", "--format=csv"}));
}

// An option's value follows "=" or the short name, or is the next word.
TEST(CliCommandLine, TakesAnOptionsValueInEachSpelling) {
  for (const std::vector<std::string>& spelling :
       std::vector<std::vector<std::string>>{
           {"-o", "p.bps", "--format", "bps"},
           {"-op.bps", "--format=bps"},
           {"--output=p.bps", "--format=bps"},
           {"--output", "p.bps", "--format=bps"}}) {
    std::vector<std::string> args = {"diff", "a.gbc"};
    args.insert(args.end(), spelling.begin(), spelling.end());
    args.push_back("b.gbc");
    const ParsedCommandLine parsed = ParseCommandLine(args);
    EXPECT_EQ(parsed.error, "") << spelling[0];
    EXPECT_EQ(parsed.invocation.output, "p.bps");
    EXPECT_EQ(parsed.invocation.format, Format::kBps);
    EXPECT_EQ(parsed.invocation.operands,
              std::vector<std::string>({"a.gbc", "b.gbc"}));
  }
}

TEST(CliCommandLine, AnswersHelpAndVersionBeforeAnything) {
  const struct {
    std::vector<std::string> args;
    std::string starts;
  } cases[] = {
      {{"--help"}, "Usage: tivok-cli COMMAND"},
      {{"-h", "frob"}, "Usage: tivok-cli COMMAND"},
      {{"list", "--help"}, "Usage: tivok-cli list IMAGE [STORE]"},
      {{"set", "a.gbc", "portl", "-h"}, "Usage: tivok-cli set IMAGE"},
      {{"apply", "--help"}, "Usage: tivok-cli apply IMAGE LAYOUT"},
      {{"items", "--help"}, "Usage: tivok-cli items [--format"},
      {{"checksum", "--help"},
       "Usage: tivok-cli checksum IMAGE [--fix]\nShows"},
      {{"--version"}, "tivok-cli 1."},
      {{"get", "-v"}, "tivok-cli 1."},
  };
  for (const auto& c : cases) {
    const CliRun run = RunCliWith(c.args);
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.starts_with(c.starts)) << run.out;
    EXPECT_EQ(run.err, "");
  }
  // One help whole, with its list of the stores.
  EXPECT_EQ(RunCliWith({"get", "--help"}).out,
            "Usage: tivok-cli get IMAGE STORE SLOT\n"
            "Shows the item in slot SLOT of STORE in IMAGE.\n"
            "\n"
            "STORE is a store's number, word or label, in any case:\n"
            "  1  beginner  Beginner's (Top Left) Shop\n"
            "  2  second    Second (Far Right) Shop\n"
            "  3  third     Third (Bottom Middle) Shop\n"
            "  4  book      Book (Bottom Left) Shop\n"
            "  5  portal    Portal Shop\n"
            "SLOT counts from 1.\n");
  // diff's help states the rule of exports in the core's own words.
  std::string diff_help = RunCliWith({"diff", "--help"}).out;
  std::replace(diff_help.begin(), diff_help.end(), '\n', ' ');
  EXPECT_NE(diff_help.find(kExportRule), std::string::npos) << diff_help;
}

}  // namespace
}  // namespace tivok::cli
