#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "rom/file_faults.h"
#include "sample_image.h"
#include "support/temp_dir.h"

namespace tivok::cli {
namespace {

using ::tivok::cli::testing::CliRun;
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
            "Would write Sirloin (17) to slot 3 of Portal Shop, offset "
            "0x2478E, which holds Comedy BK (24).\nDry run: nothing was "
            "written to \"" +
                path + "\".\n");
  EXPECT_EQ(ReadAll(path), MakeSampleImage());

  const CliRun set = RunCliWith({"set", path, "portal", "3", "sirloin"});
  EXPECT_EQ(set.status, 0);
  EXPECT_EQ(set.out,
            "Wrote Sirloin (17) to slot 3 of Portal Shop, offset 0x2478E, "
            "which held Comedy BK (24).\n1 byte written to \"" +
                path + "\" and flushed to the disk.\n");
  EXPECT_EQ(set.err, "");
  EXPECT_EQ(ReadAll(path), SampleWith({{0x2478E, 0x17}}));

  const CliRun again = RunCliWith({"set", path, "5", "3", "0x17"});
  EXPECT_EQ(again.out,
            "Nothing to change: slot 3 of Portal Shop, offset 0x2478E, holds "
            "Sirloin (17) already.\n");
  const CliRun get = RunCliWith({"get", path, "PORTAL SHOP", "3"});
  EXPECT_EQ(get.out,
            "Slot 3 of Portal Shop, offset 0x2478E, holds Sirloin (17).\n");
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
                  "Would write Null (0) to slot 1 of Book (Bottom "
                  "Left) Shop, offset 0x2477D, which holds Beef "
                  "Jerky (13).\n"))
      << dry.out;
  EXPECT_EQ(ReadAll(path), MakeSampleImage());

  const CliRun apply = RunCliWith({"apply", path, layout});
  EXPECT_EQ(apply.status, 0) << apply.err;
  EXPECT_EQ(apply.out,
            "Wrote Herb (1) to slot 8 of Beginner's (Top Left) Shop, offset "
            "0x24772, which held Moon Herb (8).\n"
            "Wrote Null (0) to slot 1 of Book (Bottom Left) Shop, offset "
            "0x2477D, which held Beef Jerky (13).\n"
            "Wrote Sirloin (17) to slot 3 of Portal Shop, offset 0x2478E, "
            "which held Comedy BK (24).\n"
            "Wrote Comedy BK (24) to slot 1 of Third (Bottom Middle) Shop, "
            "offset 0x24784, which held Mist Staff (1A).\n"
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
       ":2: the item and the code disagree: the item is Sirloin (17), the code "
       "0x18 is Bolt Staff (18)"},
      {"store,slot,offset,item\nportal,2,0x2478E,Herb\n",
       ":2: the offset 0x2478E is not that of slot 2 of Portal Shop, offset "
       "0x2478D"},
      {"store,slot,item\n" + good + "\"portal\",\"1\",\"Sirloin\"\n",
       ":3: slot 1 of Portal Shop, offset 0x2478C, is given Sirloin (17) "
       "here, but Herb (1) on line 2"},
      {"store,slot,item\n" + good + "portal,2,\"herb\n",
       ":3: a quoted field is never closed"},
      {"store,slot,code\nportal,1,0x01\nportal,2,0xC8\n",
       ":3: slot 2 of Portal Shop, offset 0x2478D, holds Smart BK (23); an "
       "unknown item (C8) can be kept"},
      {"store,slot,item\n" + good + "portal,2,unknown item (17)\n",
       ":3: \"unknown item (17)\" is a known item, Sirloin (17)"},
  };
  for (const auto& c : cases) {
    const CliRun run = RunCliWith({"apply", path, "-"}, c.layout);
    EXPECT_EQ(run.status, 1) << c.layout;
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(Has(run.err, "tivok-cli: (standard input)" + c.says))
        << run.err;
    EXPECT_TRUE(Has(
        run.err,
        "the layout is refused; nothing was written to \"" + path + "\".\n"))
        << run.err;
    EXPECT_EQ(ReadAll(path), MakeSampleImage());
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
       {"Written:\n  Herb (1) to slot 1 of Portal Shop, offset 0x2478C, which "
        "held Cheater BK (22)\n"
        "Not written:\n  Rib (15) to slot 2",
        "  Sirloin (17) to slot 3", "The disk confirmed the 1 byte written.\n"},
       SampleWith({{0x2478C, 1}})},
      {{{FileStep::kWrite, 2}, {FileStep::kFlush, 0}},
       {"Written:\n  Herb (1)", "  Rib (15)", "Not written:\n  Sirloin (17)",
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
       "\"other.gbc\" is not a Dragon Warrior Monsters image (its header title "
       "is \"DRAGONZWMONAWQE\""},
      {cut, "the file has only 149392 bytes"},
  };
  for (const auto& c : images) {
    const std::vector<std::vector<std::string>> commands = {
        {"list", c.image},
        {"get", c.image, "portal", "8"},
        {"set", c.image, "portal", "8", "herb", "--dry-run"},
        {"apply", c.image, "-"}};
    for (const auto& args : commands) {
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
