#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "cli/expected_listings.h"
#include "editor/words.h"
#include "sample_image.h"
#include "support/temp_dir.h"

namespace tivok::cli {
namespace {

using ::tivok::cli::testing::CliRun;
using ::tivok::cli::testing::RunCliWith;
using ::tivok::testing::ReadAll;
using ::tivok::testing::TempDir;

TEST(CliList, PrintsTheSampleImageInEachFormat) {
  TempDir dir;
  const std::string path = dir.WriteSample("sample.gbc");
  const struct {
    std::vector<std::string> format;
    std::string expected;
  } cases[] = {
      {{}, testing::kSampleTable},
      {{"--format=table"}, testing::kSampleTable},
      {{"--format=csv"}, testing::kSampleCsv},
      {{"--format", "json"}, testing::kSampleJson},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"list", path};
    args.insert(args.end(), c.format.begin(), c.format.end());
    const CliRun run = RunCliWith(args);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, c.expected);
    EXPECT_EQ(run.err, "");
  }
  EXPECT_EQ(ReadAll(path), MakeSampleImage());
}

// A code that is no item is listed as such in every format, and a listing
// applied to the image it came from changes nothing, that slot included.
TEST(CliList, ListsAnUnknownCodeAndAppliesItBackUnchanged) {
  TempDir dir;
  std::vector<std::uint8_t> image = MakeSampleImage();
  image[0x2478D] = 0xC8;  // Portal slot 2
  const std::string path = dir.Write("odd.gbc", image);

  const struct {
    std::string format;
    std::string line;
  } cases[] = {
      {"table", "     2  0x2478D  0xC8  unknown item (0xC8)\n"},
      {"csv", "Portal Shop,2,0x2478D,0xC8,unknown item (0xC8)\n"},
      {"json",
       "{\"slot\": 2, \"offset\": 149389, \"offset_hex\": \"0x2478D\", "
       "\"code\": 200, \"code_hex\": \"0xC8\", \"item\": \"unknown item "
       "(0xC8)\", \"known\": false}"},
  };
  for (const auto& c : cases) {
    const CliRun run =
        RunCliWith({"list", path, "Portal", "--format=" + c.format});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find(c.line), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("Beginner"), std::string::npos);
  }

  const CliRun csv = RunCliWith({"list", "--format=csv", path});
  const CliRun apply = RunCliWith({"apply", path, "-"}, csv.out);
  EXPECT_EQ(apply.status, 0) << apply.err;
  EXPECT_EQ(apply.out,
            "Nothing to change: \"" + path + "\" holds these items already.\n");
  EXPECT_EQ(ReadAll(path), image);
}

// Every item's code and name, as items lists them, read back as that item;
// the table and JSON list the same items, each once.
TEST(CliList, ListsTheItemsAsTheyAreReadBack) {
  const CliRun csv = RunCliWith({"items", "--format=csv"});
  ASSERT_EQ(csv.status, 0);
  std::istringstream lines(csv.out);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, "code,item");
  std::string table = "Code  Item\n";
  std::string json = "{\n  \"items\": [";
  int code = 0;
  for (; std::getline(lines, line); ++code) {
    const std::size_t comma = line.find(',');
    const std::string hex = line.substr(0, comma);
    const std::string name = line.substr(comma + 1);
    for (const std::string& word : {hex, name}) {
      const Reading<int> item = ReadItem(word);
      EXPECT_EQ(item.ok() ? item.value : -1, code) << line;
    }
    table += hex + "  " + name + "\n";
    json += (code == 0 ? "\n" : ",\n") + std::string("    {\"code\": ") +
            std::to_string(code) + ", \"code_hex\": \"" + hex +
            "\", \"item\": \"" + name + "\"}";
  }
  EXPECT_EQ(code, 44);
  EXPECT_EQ(RunCliWith({"items"}).out, table);
  EXPECT_EQ(RunCliWith({"items", "--format=json"}).out, json + "\n  ]\n}\n");
}

// An image that ends inside Portal Shop lists the slots it holds, as the
// window does, and names the others on standard error with status 1; a
// store that it holds whole lists as from any image.
TEST(CliList, ListsWhatAShortImageHolds) {
  TempDir dir;
  const std::vector<std::uint8_t> sample = MakeSampleImage();
  const std::string path =
      dir.Write("cut.gbc", {sample.begin(), sample.begin() + 0x24790});
  const std::string missing =
      "tivok-cli: slots 5 to 8 of Portal Shop in \"" + path +
      "\" are not listed: the file has only 149392 bytes\n";
  const CliRun all = RunCliWith({"list", path, "--format=csv"});
  EXPECT_EQ(all.status, 1);
  std::string csv = testing::kSampleCsv;
  csv.erase(csv.find("Portal Shop,5,"));
  EXPECT_EQ(all.out, csv);
  EXPECT_EQ(all.err, missing);

  const CliRun beginner = RunCliWith({"list", path, "beginner"});
  EXPECT_EQ(beginner.status, 0);
  const std::string table = testing::kSampleTable;
  EXPECT_EQ(beginner.out, table.substr(0, table.find("\n\n") + 1));
  EXPECT_EQ(beginner.err, "");

  EXPECT_EQ(
      RunCliWith({"get", path, "portal", "4"}).out,
      "Slot 4 of Portal Shop, offset 0x2478F, holds Fire Staff (0x25).\n");
  const CliRun past = RunCliWith({"get", path, "portal", "5"});
  EXPECT_EQ(past.status, 1);
  EXPECT_EQ(past.err,
            "tivok-cli: slot 5 of Portal Shop, offset 0x24790, in \"" + path +
                "\" cannot be read: the file has only 149392 bytes\n");
}

}  // namespace
}  // namespace tivok::cli
