#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "cli/layout_file.h"
#include "rom/file_faults.h"
#include "sample_image.h"
#include "support/temp_dir.h"

namespace tivok::cli {
namespace {

using ::tivok::cli::testing::CliRun;
using ::tivok::cli::testing::Failing;
using ::tivok::cli::testing::RunCliFailing;
using ::tivok::cli::testing::RunCliWith;
using ::tivok::testing::DirectoryReason;
using ::tivok::testing::Exists;
using ::tivok::testing::FsPath;
using ::tivok::testing::MissingFileReason;
using ::tivok::testing::ReadAll;
using ::tivok::testing::TempDir;

// The sample image with `changes` (offset, byte) made.
std::vector<std::uint8_t> SampleWith(
    const std::vector<std::pair<std::size_t, std::uint8_t>>& changes) {
  std::vector<std::uint8_t> image = MakeSampleImage();
  for (const auto& [offset, value] : changes) image[offset] = value;
  return image;
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class CliWriteTest : public ::testing::Test {
 protected:
  void TearDown() override { DisarmFileFaults(); }

  TempDir dir;
  std::string path = dir.WriteSample("sample.gbc");
};

TEST_F(CliWriteTest, SetWritesExactlyTheSlotsByte) {
  const CliRun dry =
      RunCliWith({"set", path, "portal", "3", "sirloin", "--dry-run"});
  EXPECT_EQ(dry.status, 0);
  EXPECT_EQ(dry.out,
            "Would write Sirloin (0x17) to slot 3 of Portal Shop, offset "
            "0x2478E, which holds Comedy BK (0x24).\nDry run: nothing was "
            "written to \"" +
                path + "\".\n");
  EXPECT_EQ(ReadAll(path), MakeSampleImage());

  const CliRun set = RunCliWith({"set", path, "portal", "3", "sirloin"});
  EXPECT_EQ(set.status, 0);
  EXPECT_EQ(set.out,
            "Wrote Sirloin (0x17) to slot 3 of Portal Shop, offset 0x2478E, "
            "which held Comedy BK (0x24).\n1 byte written to \"" +
                path + "\" and flushed to the disk.\n");
  EXPECT_EQ(set.err, "");
  EXPECT_EQ(ReadAll(path), SampleWith({{0x2478E, 0x17}}));

  // The code that set prints reads back as the same item.
  const std::size_t at = set.out.find("Sirloin (") + 9;
  const std::string code = set.out.substr(at, set.out.find(')', at) - at);
  const CliRun again = RunCliWith({"set", path, "5", "3", code});
  EXPECT_EQ(again.out,
            "Nothing to change: slot 3 of Portal Shop, offset 0x2478E, holds "
            "Sirloin (0x17) already.\n");
  const CliRun get = RunCliWith({"get", path, "PORTAL SHOP", "3"});
  EXPECT_EQ(get.out,
            "Slot 3 of Portal Shop, offset 0x2478E, holds Sirloin (0x17).\n");
  EXPECT_EQ(ReadAll(path), SampleWith({{0x2478E, 0x17}}));
}

TEST_F(CliWriteTest, ApplyWritesALayoutFileOnce) {
  const std::string text =
      "\xEF\xBB\xBF"
      "Item, Store ,SLOT\r\n"
      "Herb,\"Beginner's (Top Left) Shop\",8\r\n"
      "0x00,book,1\r\n"
      " sirloin ,portal,3\r\n"
      "sirloin,5,3\r\n"
      "\r\n"
      "Comedy BK,third,1\r\n";
  // A name beyond ASCII, which Windows takes only as a wide name.
  const std::string layout = dir.Write(
      "L\u00E4den.csv", std::vector<std::uint8_t>(text.begin(), text.end()));
  const std::vector<std::uint8_t> expected = SampleWith(
      {{0x24772, 0x01}, {0x2477D, 0x00}, {0x2478E, 0x17}, {0x24784, 0x24}});
  const CliRun dry = RunCliWith({"apply", "--dry-run", path, layout});
  EXPECT_EQ(dry.status, 0) << dry.err;
  EXPECT_TRUE(Has(dry.out,
                  "Would write Null (0x00) to slot 1 of Book (Bottom "
                  "Left) Shop, offset 0x2477D, which holds Beef "
                  "Jerky (0x13).\n"))
      << dry.out;
  EXPECT_EQ(ReadAll(path), MakeSampleImage());

  const CliRun apply = RunCliWith({"apply", path, layout});
  EXPECT_EQ(apply.status, 0) << apply.err;
  EXPECT_EQ(apply.out,
            "Wrote Herb (0x01) to slot 8 of Beginner's (Top Left) Shop, offset "
            "0x24772, which held Moon Herb (0x08).\n"
            "Wrote Null (0x00) to slot 1 of Book (Bottom Left) Shop, offset "
            "0x2477D, which held Beef Jerky (0x13).\n"
            "Wrote Sirloin (0x17) to slot 3 of Portal Shop, offset 0x2478E, "
            "which held Comedy BK (0x24).\n"
            "Wrote Comedy BK (0x24) to slot 1 of Third (Bottom Middle) Shop, "
            "offset 0x24784, which held Mist Staff (0x1A).\n"
            "4 bytes written to \"" +
                path + "\" and flushed to the disk.\n");
  EXPECT_EQ(ReadAll(path), expected);
  EXPECT_EQ(ReadAll(layout).size(), text.size());
}

// A layout with any wrong row is refused whole, naming the line; the image
// keeps every byte.
TEST_F(CliWriteTest, RefusesAWrongLayoutAndWritesNothing) {
  const std::string good = "portal,1,herb\n";
  const struct {
    std::string layout;
    std::string says;
  } cases[] = {
      {"", ":1: the layout is empty"},
      {"store,slot,itme\n", ":1: unknown column \"itme\""},
      {"store,item\n", ":1: the first line names the columns, and needs"},
      {"store,slot,item,item\n", ":1: the column \"item\" is named twice"},
      {"store,slot,item\n" + good + "portl,1,herb\n",
       ":3: no store is called \"portl\""},
      {"store,slot,item\n" + good + "third,8,herb\n",
       ":3: Third (Bottom Middle) Shop has no slot 8"},
      {"store,slot,item\n" + good + "portal,2,sirlion\n",
       ":3: no item is called"},
      {"store,slot,item\n" + good + "portal,2\n",
       ":3: 2 fields, but the first line names 3"},
      {"store,slot,item\n" + good + "portal,2,\n", ":3: the row gives neither"},
      {"store,slot,code\nportal,1,0x01\nportal,2,17\n",
       ":3: \"17\" is a bare number"},
      {"store,slot,code,item\nportal,2,0x18,Sirloin\n",
       ":2: the item and the code disagree: the item is Sirloin (0x17), the "
       "code "
       "0x18 is Bolt Staff (0x18)"},
      {"store,slot,offset,item\nportal,2,0x2478E,Herb\n",
       ":2: the offset \"0x2478E\" is not that of slot 2 of Portal Shop, "
       "offset "
       "0x2478D"},
      {"store,slot,item\n" + good + "\"portal\",\"1\",\"Sirloin\"\n",
       ":3: slot 1 of Portal Shop, offset 0x2478C, is given Sirloin (0x17) "
       "here, but Herb (0x01) on line 2"},
      {"store,slot,item\n" + good + "portal,2,\"herb\n",
       ":3: a quoted field is never closed"},
      {"store,slot,code\nportal,1,0x01\nportal,2,0xC8\n",
       ":3: slot 2 of Portal Shop, offset 0x2478D, holds Smart BK (0x23); an "
       "unknown item (0xC8) can be kept"},
      {"store,slot,item\n" + good + "portal,2,unknown item (17)\n",
       ":3: \"unknown item (17)\" is a known item, Sirloin (0x17)"},
  };
  // A dry run refuses as the real run does.
  for (const auto& c : cases) {
    for (const std::string dry : {"", "--dry-run"}) {
      std::vector<std::string> args = {"apply", path, "-"};
      if (!dry.empty()) args.push_back(dry);
      const CliRun run = RunCliWith(args, c.layout);
      EXPECT_EQ(run.status, 1) << c.layout << dry;
      EXPECT_EQ(run.out, "");
      EXPECT_TRUE(Has(run.err, "tivok-cli: (standard input)" + c.says))
          << run.err;
      EXPECT_TRUE(Has(
          run.err,
          "the layout is refused; nothing was written to \"" + path + "\".\n"))
          << run.err;
      EXPECT_EQ(ReadAll(path), MakeSampleImage());
    }
  }
  // Every wrong row is named, not only the first, by the layout's name.
  const std::string text = "store,slot,item\nx,1,herb\nportal,9,herb\n";
  const std::string two =
      dir.Write("two.csv", std::vector<std::uint8_t>(text.begin(), text.end()));
  const CliRun run = RunCliWith({"apply", path, two});
  EXPECT_TRUE(Has(run.err, two + ":2: no store") &&
              Has(run.err, two + ":3: Portal Shop has no slot 9"))
      << run.err;
}

// A layout over 1 MiB is refused before it is read further, with its size;
// of many wrong rows only the first 20 are listed, then their count; and
// what a message echoes is cut short and escaped. Lines of white space are
// left out, and an offset may have leading zeros.
TEST_F(CliWriteTest, KeepsALayoutsMessagesShortAndSafe) {
  const std::string nothing = "nothing was written to \"" + path + "\".\n";
  std::string big = "store,slot,item\n";
  big.resize(kLayoutLimit + 1, '\n');
  const std::string file =
      dir.Write("big.csv", std::vector<std::uint8_t>(big.begin(), big.end()));
  EXPECT_EQ(RunCliWith({"apply", path, file}).err,
            "tivok-cli: the layout \"" + file +
                "\" has 1048577 bytes, more than the 1048576 bytes (1 MiB) "
                "that a layout may have; " +
                nothing);
  EXPECT_EQ(RunCliWith({"apply", path, "-"}, big).err,
            "tivok-cli: the layout on standard input has more than the "
            "1048576 bytes (1 MiB) that a layout may have; " +
                nothing);
  big.pop_back();
  EXPECT_EQ(RunCliWith({"apply", path, "-"}, big).status, 0);

  std::string rows = "store,slot,item\n";
  std::string expected;
  for (int line = 2; line <= 26; ++line) {
    rows += "portal,1,\x1B[2J" + std::string(50, 'x') + "\n";
    if (line > 21) continue;
    expected += "tivok-cli: (standard input):" + std::to_string(line) +
                ": no item is called \"\\x1B[2J" + std::string(36, 'x') +
                "...\"; an item is its name, such as Sirloin, or its code in "
                "hex, such as 0x17, as tivok-cli items lists them\n";
  }
  const CliRun many = RunCliWith({"apply", path, "-"}, rows);
  EXPECT_EQ(many.status, 1);
  EXPECT_EQ(many.err, expected +
                          "tivok-cli: (standard input): 5 more wrong lines "
                          "are not shown (25 in all).\n"
                          "tivok-cli: the layout is refused; " +
                          nothing);

  const CliRun spaced = RunCliWith(
      {"apply", path, "-"},
      " \t\nstore,slot,offset,item\n  \nportal,3,0x0002478e,Sirloin\n");
  EXPECT_EQ(spaced.status, 0) << spaced.err;
  EXPECT_EQ(ReadAll(path), SampleWith({{0x2478E, 0x17}}));
  EXPECT_EQ(ReadAll(file).size(), big.size() + 1);
}

// A change that was written and flushed never reads as "not written", even
// when its report cannot be printed; any other failing output, and an
// unreadable standard input, are plain failures.
TEST_F(CliWriteTest, TellsAWrittenChangeFromOneNotWritten) {
  const std::vector<std::string> set = {"set", path, "portal", "3", "sirloin"};
  std::vector<std::string> dry = set;
  dry.push_back("--dry-run");
  const CliRun unwritten = RunCliFailing(dry, Failing::kOutput);
  EXPECT_EQ(unwritten.status, 1);
  EXPECT_EQ(unwritten.err, "tivok-cli: cannot write the output.\n");
  EXPECT_EQ(RunCliFailing({"--help"}, Failing::kOutput).status, 1);

  const CliRun written = RunCliFailing(set, Failing::kOutput);
  EXPECT_EQ(written.status, 3);
  EXPECT_EQ(written.err,
            "tivok-cli: the image was changed and flushed to the disk as "
            "asked, but the report of it could not be written to the "
            "output.\n");
  EXPECT_EQ(ReadAll(path), SampleWith({{0x2478E, 0x17}}));

  const CliRun closed = RunCliFailing({"apply", path, "-"}, Failing::kInput);
  EXPECT_EQ(closed.status, 1);
  EXPECT_EQ(closed.err,
            "tivok-cli: cannot read the layout from standard input; nothing "
            "was written to \"" +
                path + "\".\n");
}

// Failures of the image or of the file layer: the message names the file
// and the system's reason, and says exactly what is in the file.
TEST_F(CliWriteTest, SaysWhatAFailingFileHolds) {
  const std::string layout =
      "store,slot,item\nportal,1,herb\nportal,2,rib\nportal,3,sirloin\n";
  const std::vector<std::uint8_t> all =
      SampleWith({{0x2478C, 1}, {0x2478D, 0x15}, {0x2478E, 0x17}});
  const struct {
    std::vector<std::pair<FileStep, int>> faults;
    std::vector<std::string> says;
    std::vector<std::uint8_t> after;
  } cases[] = {
      {{{FileStep::kOpenForWriting, 0}},
       {"cannot open \"", "\nNothing was written.\n"},
       MakeSampleImage()},
      {{{FileStep::kWrite, 0}},
       {"cannot write to", "Nothing was written to"},
       MakeSampleImage()},
      {{{FileStep::kWrite, 1}},
       {"Written:\n  Herb (0x01) to slot 1 of Portal Shop, offset 0x2478C, "
        "which "
        "held Cheater BK (0x22)\n"
        "Not written:\n  Rib (0x15) to slot 2",
        "  Sirloin (0x17) to slot 3",
        "The disk confirmed the 1 byte written.\n"},
       SampleWith({{0x2478C, 1}})},
      {{{FileStep::kWrite, 2}, {FileStep::kFlush, 0}},
       {"Written:\n  Herb (0x01)", "  Rib (0x15)",
        "Not written:\n  Sirloin (0x17)",
        "The 2 bytes written are in the file, but the disk did not confirm "
        "them (cannot flush"},
       SampleWith({{0x2478C, 1}, {0x2478D, 0x15}})},
      {{{FileStep::kFlush, 0}},
       {"cannot flush", "Written:\n  Herb",
        "The 3 bytes written are in the file, but the disk did not confirm "
        "them"},
       all},
  };
  for (const auto& c : cases) {
    const std::string image =
        dir.WriteSample("faulty" + std::to_string(&c - cases) + ".gbc");
    for (const auto& [step, skip] : c.faults) ArmFileFault(step, skip);
    const CliRun run = RunCliWith({"apply", image, "-"}, layout);
    DisarmFileFaults();
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    for (const std::string& part : c.says) {
      EXPECT_TRUE(Has(run.err, part)) << part << "\nin:\n" << run.err;
    }
    EXPECT_EQ(ReadAll(image), c.after) << run.err;
  }

  // The image itself is wrong.
  std::vector<std::uint8_t> foreign = MakeSampleImage();
  foreign[0x13A] = 'Z';
  const std::string other = dir.Write("other.gbc", foreign);
  const std::string folder = dir.File("folder.gbc");
  std::filesystem::create_directory(FsPath(folder));
  const std::vector<std::uint8_t> sample = MakeSampleImage();
  const std::string cut = dir.Write(
      "cut.gbc",
      std::vector<std::uint8_t>(sample.begin(), sample.begin() + 0x24790));
  const struct {
    std::string image;
    std::string says;
  } images[] = {
      {dir.File("missing.gbc"), MissingFileReason()},
      {folder, DirectoryReason()},
      {other,
       "other.gbc\" is not a Dragon Warrior Monsters image (its header title "
       "is \"DRAGONZWMONAWQE\", not \"DRAGON WMONAWQE\")"},
      {cut, "the file has only 149392 bytes"},
  };
  for (const auto& c : images) {
    const std::vector<std::vector<std::string>> commands = {
        {"list", c.image},
        {"get", c.image, "portal", "8"},
        {"set", c.image, "portal", "8", "herb", "--dry-run"},
        {"apply", c.image, "-"}};
    for (const auto& args : commands) {
      // A short image lists the slots it holds (list_test.cpp).
      if (c.image == cut && args[0] == "list") continue;
      const CliRun run = RunCliWith(args, "store,slot,item\nportal,8,herb\n");
      EXPECT_EQ(run.status, 1);
      EXPECT_EQ(run.out, "");
      EXPECT_TRUE(run.err.starts_with("tivok-cli: ")) << run.err;
      EXPECT_TRUE(Has(run.err, c.says)) << run.err;
    }
  }
  EXPECT_FALSE(Exists(dir.File("missing.gbc")));
  EXPECT_EQ(ReadAll(other), foreign);
  EXPECT_EQ(std::filesystem::file_size(FsPath(cut)), 0x24790u);
  EXPECT_TRUE(Has(RunCliWith({"apply", path, dir.File("none.csv")}).err,
                  "cannot read the layout"));
}

}  // namespace
}  // namespace tivok::cli
