#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "cli/words.h"
#include "rom/store_table.h"

namespace tivok::cli {
namespace {

using ::tivok::cli::testing::CliRun;
using ::tivok::cli::testing::RunCliWith;

TEST(CliWords, NameStoresInAnyCaseByLabelWordOrNumber) {
  const struct {
    std::string word;
    int position;  // -1: no store
  } cases[] = {
      {"Portal Shop", 4}, {"portal shop", 4},
      {"PORTAL", 4},      {"5", 4},
      {"beginner", 0},    {"BEGINNER'S (TOP LEFT) SHOP", 0},
      {"1", 0},           {"second", 1},
      {"3", 2},           {"Third (Bottom Middle) Shop", 2},
      {"book", 3},        {"4", 3},
      {"portl", -1},      {"0", -1},
      {"6", -1},          {"Pre-Starry Night Shop", -1},
      {"", -1},           {"+5", -1},
  };
  for (const auto& c : cases) {
    const Reading<const Store*> store = ReadStore(c.word);
    EXPECT_EQ(store.ok() ? store.value->selector_position : -1, c.position)
        << c.word;
  }
}

TEST(CliWords, NameSlotsFromOneAndItemsByNameOrPrefixedHex) {
  const Store& third = *StoreTable::BySelectorPosition(2);
  const struct {
    std::string word;
    int value;  // -1: refused
  } slots[] = {{"1", 1},   {"7", 7},  {"8", -1}, {"0", -1},
               {"-1", -1}, {"x", -1}, {"", -1},  {"1.0", -1}};
  for (const auto& c : slots) {
    const Reading<int> slot = ReadSlot(c.word, third);
    EXPECT_EQ(slot.ok() ? slot.value : -1, c.value) << c.word;
  }
  const struct {
    std::string word;
    int item;  // -1: refused by ReadItem
    int code;  // -1: refused by ReadCode
  } items[] = {
      {"Sirloin", 0x17, -1}, {"sIRLOIN", 0x17, -1}, {"sage stone", 3, -1},
      {"ATK Seed", 15, -1},  {"Null", 0, -1},       {"0x17", 0x17, 0x17},
      {"0X2b", 43, 43},      {"0x0", 0, 0},         {"0x2C", -1, 0x2C},
      {"0xC8", -1, 0xC8},    {"0x100", -1, -1},     {"0x", -1, -1},
      {"17", -1, -1},        {"0", -1, -1},         {"sirlion", -1, -1},
      {"Sage", -1, -1},      {"", -1, -1},
  };
  for (const auto& c : items) {
    const Reading<int> item = ReadItem(c.word);
    const Reading<int> code = ReadCode(c.word);
    EXPECT_EQ(item.ok() ? item.value : -1, c.item) << c.word;
    EXPECT_EQ(code.ok() ? code.value : -1, c.code) << c.word;
  }
}

// Every mistake is a usage error: status 2, nothing on standard output, and
// a message saying what was expected. No image is needed to find them.
TEST(CliCommandLine, RefusesMistakesWithWhatWasExpected) {
  const struct {
    std::vector<std::string> args;
    std::string says;
  } cases[] = {
      {{}, "no command given; the commands are list, get, set and apply"},
      {{"frob", "a.gbc"}, "unknown command \"frob\""},
      {{"list"}, "tivok-cli list: too few arguments"},
      {{"list", "a.gbc", "portal", "x"}, "\"x\" is one more"},
      {{"list", "a.gbc", "--format=xml"}, "formats are table, csv and json"},
      {{"list", "a.gbc", "--format"}, "--format needs a format"},
      {{"list", "a.gbc", "--frob"}, "options are --format=table|csv|json"},
      {{"list", "a.gbc", "portl"}, "beginner, second, third, book, portal"},
      {{"get", "a.gbc", "portal", "3", "--dry-run"}, "of set and apply only"},
      {{"get", "a.gbc", "third", "8"}, "its slots are 1 to 7"},
      {{"set", "a.gbc", "portal", "3", "sirlion"}, "0x2B Bookmark"},
      {{"set", "a.gbc", "portal", "3", "23"}, "in hex with 0x, such as 0x17"},
      {{"set", "a.gbc", "portal", "3", "0xC8"}, "0xC8 is no item's code"},
      {{"set", "", "portal", "3", "herb"}, "an argument is empty"},
      {{"apply", "a.gbc", "--format=csv", "-"}, "of list only"},
  };
  for (const auto& c : cases) {
    const CliRun run = RunCliWith(c.args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("\nUsage: tivok-cli "), std::string::npos);
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
      {{"--version"}, "tivok-cli 1."},
      {{"get", "-v"}, "tivok-cli 1."},
  };
  for (const auto& c : cases) {
    const CliRun run = RunCliWith(c.args);
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.starts_with(c.starts)) << run.out;
    EXPECT_EQ(run.err, "");
  }
}

}  // namespace
}  // namespace tivok::cli
