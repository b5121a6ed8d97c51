#include <gtest/gtest.h>

#include <sstream>
#include <algorithm>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "cli/expected_listings.h"
#include "layout/words.h"
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

// diff lists the slots whose item differs, with the offset and both items,
// in each format; its CSV is a layout whose was is the clean image's item.
// No difference is one line, the header alone or an empty list. It exits
// 0 either way, and 1 with --exit-code where slots differ.
TEST(CliDiff, ListsTheDifferingSlotsInEachFormat) {
  TempDir dir;
  const std::string clean = dir.WriteSample("clean.gbc");
  std::vector<std::uint8_t> bytes = MakeSampleImage();
  bytes[0x2476B] = 0x03;  // Beginner's slot 1: Sage Stone, not Herb
  bytes[0x2478D] = 0xC8;  // Portal slot 2: no item, not Smart BK
  bytes[0x2478E] = 0x17;  // Portal slot 3: Sirloin, not Comedy BK
  const std::string mine = dir.Write("mine.gbc", bytes);
  const struct {
    std::vector<std::string> args;
    std::string expected;
    bool differ;
  } cases[] = {
      {{clean, mine},
       "Beginner's (Top Left) Shop\n"
       "  Slot  Offset   Clean            Image\n"
       "     1  0x2476B  0x01  Herb       0x03  Sage Stone\n"
       "\n"
       "Portal Shop\n"
       "  Slot  Offset   Clean            Image\n"
       "     2  0x2478D  0x23  Smart BK   0xC8  unknown item (0xC8)\n"
       "     3  0x2478E  0x24  Comedy BK  0x17  Sirloin\n",
       true},
      {{mine, clean, "--format=csv"},
       "store,slot,offset,code,item,was\n"
       "Beginner's (Top Left) Shop,1,0x2476B,0x01,Herb,Sage Stone\n"
       "Portal Shop,2,0x2478D,0x23,Smart BK,unknown item (0xC8)\n"
       "Portal Shop,3,0x2478E,0x24,Comedy BK,Sirloin\n",
       true},
      {{clean, mine, "5", "--format", "json"},
       "{\n  \"slots\": [\n"
       "    {\"store\": \"Portal Shop\", \"word\": \"portal\", \"number\": 5, "
       "\"slot\": 2, \"offset\": 149389, \"offset_hex\": \"0x2478D\", "
       "\"code\": 200, \"code_hex\": \"0xC8\", \"item\": \"unknown item "
       "(0xC8)\", \"known\": false, \"was_code\": 35, \"was_code_hex\": "
       "\"0x23\", \"was_item\": \"Smart BK\", \"was_known\": true},\n"
       "    {\"store\": \"Portal Shop\", \"word\": \"portal\", \"number\": 5, "
       "\"slot\": 3, \"offset\": 149390, \"offset_hex\": \"0x2478E\", "
       "\"code\": 23, \"code_hex\": \"0x17\", \"item\": \"Sirloin\", "
       "\"known\": true, \"was_code\": 36, \"was_code_hex\": \"0x24\", "
       "\"was_item\": \"Comedy BK\", \"was_known\": true}\n"
       "  ]\n}\n",
       true},
      {{mine, mine},
       "No slot differs between \"" + mine + "\" and \"" + mine + "\".\n",
       false},
      {{clean, mine, "book"},
       "No slot of Book (Bottom Left) Shop differs between \"" + clean +
           "\" and \"" + mine + "\".\n",
       false},
      {{clean, mine, "book", "--format=csv"},
       "store,slot,offset,code,item,was\n",
       false},
      {{clean, clean, "--format=json"}, "{\n  \"slots\": []\n}\n", false},
  };
  for (const auto& c : cases) {
    for (const bool exit_code : {false, true}) {
      std::vector<std::string> args = {"diff"};
      args.insert(args.end(), c.args.begin(), c.args.end());
      if (exit_code) args.push_back("--exit-code");
      const CliRun run = RunCliWith(args);
      EXPECT_EQ(run.status, exit_code && c.differ ? 1 : 0) << c.expected;
      EXPECT_EQ(run.out, c.expected);
      EXPECT_EQ(run.err, "");
    }
  }
  EXPECT_EQ(ReadAll(clean), MakeSampleImage());
  EXPECT_EQ(ReadAll(mine), bytes);
}

// A layout that diff writes applies to the clean image it was made from: a
// slot whose new code is no item, which apply never writes, is left out,
// and standard error names it and says why.
TEST(CliDiff, WritesALayoutThatAppliesToTheCleanImage) {
  TempDir dir;
  const std::string clean = dir.WriteSample("clean.gbc");
  std::vector<std::uint8_t> bytes = MakeSampleImage();
  bytes[0x2478D] = 0xC8;  // Portal slot 2: no item, not Smart BK
  bytes[0x2478E] = 0x17;  // Portal slot 3: Sirloin, not Comedy BK
  const std::string mine = dir.Write("mine.gbc", bytes);
  const CliRun diff = RunCliWith({"diff", clean, mine, "--format=csv"});
  EXPECT_EQ(diff.status, 0);
  EXPECT_EQ(diff.out,
            "store,slot,offset,code,item,was\n"
            "Portal Shop,3,0x2478E,0x17,Sirloin,Comedy BK\n");
  EXPECT_EQ(diff.err, "tivok-cli: slot 2 of Portal Shop, offset 0x2478D: \"" +
                          mine +
                          "\" holds an unknown item (0xC8), which a layout "
                          "keeps but never writes; the row is left out.\n");
  const CliRun apply = RunCliWith({"apply", clean, "-"}, diff.out);
  EXPECT_EQ(apply.status, 0) << apply.err;
  std::vector<std::uint8_t> applied = bytes;
  applied[0x2478D] = 0x23;
  const std::vector<std::uint8_t> now = ReadAll(clean);
  EXPECT_TRUE(std::equal(now.begin() + 0x150, now.end(),
                         applied.begin() + 0x150));
}

// An image that ends inside Portal Shop lists the slots it holds, as the
// window does, and names the others on standard error with status 1; a
// store that it holds whole lists as from any image. diff compares the
// slots it holds and names the others as list does, either way round.
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
  const std::string whole = dir.WriteSample("whole.gbc");
  for (const auto& pair : {std::pair(whole, path), std::pair(path, whole)}) {
    const CliRun diff =
        RunCliWith({"diff", pair.first, pair.second, "--format=csv"});
    EXPECT_EQ(diff.status, 1);
    EXPECT_EQ(diff.out, "store,slot,offset,code,item,was\n");
    EXPECT_EQ(diff.err, missing);
  }

  const CliRun past = RunCliWith({"get", path, "portal", "5"});
  EXPECT_EQ(past.status, 1);
  EXPECT_EQ(past.err,
            "tivok-cli: slot 5 of Portal Shop, offset 0x24790, in \"" + path +
                "\" cannot be read: the file has only 149392 bytes\n");
}

// Both checksums as stored and computed, and what a mismatch means; exit 1
// for one, and a file too short for them refused. The sample's header
// checksum is 0x9D and its global one 0x8EBE. --fix writes the global
// checksum's bytes that differ, never the header's, and tells both again.
TEST(CliList, TellsTheChecksumsAndFixesTheGlobalOne) {
  TempDir dir;
  const std::vector<std::uint8_t> sample = MakeSampleImage();
  std::vector<std::uint8_t> stale = sample;
  stale[0x2478E] = 0x03;  // Portal slot 3, which held 0x24
  std::vector<std::uint8_t> header = sample;
  header[0x14D] = 0x00;  // and the sum, less 0x9D, set right
  header[0x14F] = 0x21;
  std::vector<std::uint8_t> fixed = stale;
  fixed[0x14F] = 0x9D;
  const std::string right = "; they match.\n";
  const std::string header_right =
      "Header checksum (offset 0x14D): 0x9D stored, 0x9D computed" + right;
  const std::string global_stale =
      "The global checksum is stale: hardware does not check it, but some "
      "emulators warn when they start the image. It sums every byte of the "
      "image, so every save of a slot leaves it stale.\n";
  const struct {
    std::string name;
    std::vector<std::uint8_t> image;
    int status;
    std::string out;
    // With --fix: what it wrote (nothing when empty), its status, the
    // checksums then (as `out` when empty), and the image.
    std::string wrote;
    int fix_status;
    std::string fixed_out;
    std::vector<std::uint8_t> fixed;
  } cases[] = {
      {"right.gbc", sample, 0,
       header_right +
           "Global checksum (offsets 0x14E-0x14F): 0x8EBE stored, 0x8EBE "
           "computed" +
           right,
       "", 0, "", sample},
      {"stale.gbc", stale, 1,
       header_right +
           "Global checksum (offsets 0x14E-0x14F): 0x8EBE stored, 0x8E9D "
           "computed; it is stale.\n" +
           global_stale,
       "Wrote 0x9D to the global checksum's low byte, offset 0x14F, which "
       "held 0xBE.\n",
       0,
       header_right +
           "Global checksum (offsets 0x14E-0x14F): 0x8E9D stored, 0x8E9D "
           "computed" +
           right,
       fixed},
      {"header.gbc", header, 1,
       "Header checksum (offset 0x14D): 0x00 stored, 0x9D computed; it is "
       "wrong.\n"
       "Global checksum (offsets 0x14E-0x14F): 0x8E21 stored, 0x8E21 "
       "computed" +
           right +
           "The header checksum is wrong: real hardware will not start this "
           "image. Tivok never writes the header.\n",
       "", 1, "", header},
  };
  for (const auto& c : cases) {
    const std::string path = dir.Write(c.name, c.image);
    const CliRun run = RunCliWith({"checksum", path});
    EXPECT_EQ(run.status, c.status) << c.name;
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(ReadAll(path), c.image);

    const CliRun fix = RunCliWith({"checksum", "--fix", path});
    EXPECT_EQ(fix.status, c.fix_status) << c.name;
    const std::string quoted = "\"" + path + "\"";
    EXPECT_EQ(fix.out,
              (c.wrote.empty() ? "Nothing to change: the global "
                                 "checksum of " +
                                     quoted + " is right already.\n"
                               : c.wrote + "1 byte written to " + quoted +
                                     " and flushed to the disk.\n") +
                  (c.fixed_out.empty() ? c.out : c.fixed_out));
    EXPECT_EQ(fix.err, "");
    EXPECT_EQ(ReadAll(path), c.fixed);
  }
  const std::string cut = dir.Write(
      "cut.gbc",
      std::vector<std::uint8_t>(sample.begin(), sample.begin() + 0x14F));
  const CliRun short_header = RunCliWith({"checksum", cut});
  EXPECT_EQ(short_header.status, 1);
  EXPECT_EQ(short_header.out, "");
  EXPECT_EQ(short_header.err,
            "tivok-cli: cannot read 336 bytes at offset 0x0 "
            "of \"" +
                cut + "\": the file has only 335 bytes\n");
}

}  // namespace
}  // namespace tivok::cli
