#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_run.h"
#include "rom/file_faults.h"
#include "sample_image.h"
#include "support/file_seam_test.h"
#include "support/temp_dir.h"

namespace tivok::cli {
namespace {

using ::tivok::cli::testing::CliRun;
using ::tivok::cli::testing::Failing;
using ::tivok::cli::testing::RunCliFailing;
using ::tivok::cli::testing::RunCliWith;
using ::tivok::testing::DirectoryReason;
using ::tivok::testing::Exists;
using ::tivok::testing::FileSeamTest;
using ::tivok::testing::FsPath;
using ::tivok::testing::IoErrorReason;
using ::tivok::testing::MissingFileReason;
using ::tivok::testing::NoAccessReason;
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

// `text` with each "@" standing for the quoted `image`.
std::string WithImage(std::string text, const std::string& image) {
  for (std::size_t at = text.find('@'); at != std::string::npos;
       at = text.find('@', at)) {
    text.replace(at, 1, "\"" + image + "\"");
  }
  return text;
}

class CliWriteTest : public FileSeamTest {
 protected:
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
      "Item, Store ,SLOT,Was\r\n"
      "Herb,\"Beginner's (Top Left) Shop\",8,moon herb\r\n"
      "0x00,book,1,0x13\r\n"
      " sirloin ,portal,3,\r\n"
      "sirloin,5,3,\r\n"
      "\r\n"
      "Comedy BK,third,1,\r\n";
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

// A slot that holds Null (code 0) reads as that item, and a write into it
// is told as any other, in a dry run too ("@" stands for the image). With
// --fix-checksum the global checksum's byte that differs goes with the
// slots: 0x8EBE stored, 0x8EAB computed for the image with Null.
TEST_F(CliWriteTest, ReadsAndWritesANullSlot) {
  const std::string herb =
      "Herb (0x01) to slot 1 of Book (Bottom Left) Shop, offset 0x2477D, ";
  const std::string sirloin =
      "Sirloin (0x17) to slot 3 of Portal Shop, offset 0x2478E, ";
  const struct {
    std::vector<std::string> args;  // the image goes after the command
    std::string says;
    std::vector<std::pair<std::size_t, std::uint8_t>> after;
  } cases[] = {
      {{"get", "book", "1"},
       "Slot 1 of Book (Bottom Left) Shop, offset 0x2477D, holds Null "
       "(0x00).\n",
       {{0x2477D, 0x00}}},
      {{"set", "book", "1", "herb", "--dry-run"},
       "Would write " + herb +
           "which holds Null (0x00).\nDry run: nothing was written to @.\n",
       {{0x2477D, 0x00}}},
      {{"set", "book", "1", "herb"},
       "Wrote " + herb +
           "which held Null (0x00).\n1 byte written to @ and flushed to the "
           "disk.\n",
       {{0x2477D, 0x01}}},
      {{"apply", "-", "--dry-run"},
       "Would write " + herb + "which holds Null (0x00).\nWould write " +
           sirloin +
           "which holds Comedy BK (0x24).\nDry run: nothing was written to "
           "@.\n",
       {{0x2477D, 0x00}}},
      {{"apply", "-"},
       "Wrote " + herb + "which held Null (0x00).\nWrote " + sirloin +
           "which held Comedy BK (0x24).\n2 bytes written to @ and flushed "
           "to the disk.\n",
       {{0x2477D, 0x01}, {0x2478E, 0x17}}},
      {{"set", "book", "1", "herb", "--fix-checksum"},
       "Wrote " + herb +
           "which held Null (0x00).\nWrote 0xAC to the global checksum's low "
           "byte, offset 0x14F, which held 0xBE.\n2 bytes written to @ and "
           "flushed to the disk.\n",
       {{0x2477D, 0x01}, {0x14F, 0xAC}}},
      {{"apply", "-", "--fix-checksum", "--dry-run"},
       "Would write " + herb + "which holds Null (0x00).\nWould write " +
           sirloin +
           "which holds Comedy BK (0x24).\nWould write 0x9F to the global "
           "checksum's low byte, offset 0x14F, which holds 0xBE.\nDry run: "
           "nothing was written to @.\n",
       {{0x2477D, 0x00}}},
  };
  for (const auto& c : cases) {
    const std::string image =
        dir.Write("null" + std::to_string(&c - cases) + ".gbc",
                  SampleWith({{0x2477D, 0}}));
    std::vector<std::string> args = c.args;
    args.insert(args.begin() + 1, image);
    const CliRun run =
        RunCliWith(args, "store,slot,item\nbook,1,herb\nportal,3,sirloin\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, WithImage(c.says, image));
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(ReadAll(image), SampleWith(c.after));
  }
}

// What changes nothing says so and writes nothing, in a dry run too: set
// names the slot, a layout the image, with one row or none. A layout's
// columns come in any order.
TEST_F(CliWriteTest, SaysWhenThereIsNothingToChange) {
  const std::string held =
      "Nothing to change: \"" + path + "\" holds these items already.\n";
  const std::vector<std::string> apply = {"apply", path, "-"};
  const struct {
    std::vector<std::string> args;
    std::string layout;
    std::string says;
  } cases[] = {
      {{"set", path, "portal", "3", "comedy bk"},
       "",
       "Nothing to change: slot 3 of Portal Shop, offset 0x2478E, holds "
       "Comedy BK (0x24) already.\n"},
      {apply, "store,slot,item\n", held},
      {apply, "slot,store,item\n3,portal,Comedy BK\n", held},
      {apply, "code,store,slot\n0x24,portal,3\n", held},
      // A slot that holds the new item already needs no was.
      {apply, "store,slot,item,was\nportal,3,Comedy BK,Herb\n", held},
  };
  for (const auto& c : cases) {
    for (const std::string dry : {"", "--dry-run"}) {
      std::vector<std::string> args = c.args;
      if (!dry.empty()) args.push_back(dry);
      const CliRun run = RunCliWith(args, c.layout);
      EXPECT_EQ(run.status, 0) << c.layout << dry;
      EXPECT_EQ(run.out, c.says) << c.layout << dry;
      EXPECT_EQ(run.err, "");
    }
  }
  EXPECT_EQ(ReadAll(path), MakeSampleImage());
}

// A layout with any wrong row is refused whole, each wrong line named by
// the layout's name and number (the reader's reasons: layout_test.cpp), and
// then how many are not shown; a dry run refuses as the real run does, and
// the image keeps every byte.
TEST_F(CliWriteTest, RefusesAWrongLayoutAndWritesNothing) {
  const struct {
    std::string layout;
    std::string says;
  } cases[] = {
      {"store,slot,item\nportal,1,herb\nportl,1,herb\n",
       ":3: no store is called \"portl\""},
      // Neither is a blank line.
      {"store,slot,item\nportal,1,herb\n,2,herb\nportal,3,sirloin\n",
       ":3: no store is called \"\""},
      {"store,slot,item\nportal,1,herb\nportal\nportal,3,sirloin\n",
       ":3: 1 field"},
      {"store,slot,code\nportal,1,0x01\nportal,2,0xC8\n",
       ":3: slot 2 of Portal Shop, offset 0x2478D, holds Smart BK (0x23), not "
       "an unknown item (0xC8), which can be kept"},
      // Slot 1 holds its was, slot 3 not: neither is written.
      {"store,slot,item,was\nportal,1,herb,cheater bk\nportal,3,sirloin,"
       "herb\n",
       ":3: slot 3 of Portal Shop, offset 0x2478E, holds Comedy BK (0x24), "
       "not Herb (0x01), which the layout expects there before writing "
       "Sirloin (0x17)"},
  };
  for (const auto& c : cases) {
    for (const std::string dry : {"", "--dry-run"}) {
      std::vector<std::string> args = {"apply", path, "-"};
      if (!dry.empty()) args.push_back(dry);
      const CliRun run = RunCliWith(args, c.layout);
      EXPECT_EQ(run.status, 1) << c.layout << dry;
      EXPECT_EQ(run.out, "");
      EXPECT_TRUE(Has(run.err, "tivok-cli: (standard input)" + c.says))
          << run.err;
      // The wrong line and the refusal, no more.
      EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2) << run.err;
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

  std::string rows = "store,slot,item\n";
  std::string expected;
  for (int line = 2; line <= 26; ++line) {
    rows += "portal,1,x\n";
    if (line > 21) continue;
    expected += "tivok-cli: (standard input):" + std::to_string(line) +
                ": no item is called \"x\"; an item is its name, such as "
                "Sirloin, or its code in hex, such as 0x17, as tivok-cli "
                "items lists them\n";
  }
  EXPECT_EQ(RunCliWith({"apply", path, "-"}, rows).err,
            expected +
                "tivok-cli: (standard input): 5 more wrong lines are not "
                "shown (25 in all).\n"
                "tivok-cli: the layout is refused; nothing was written to \"" +
                path + "\".\n");
  EXPECT_EQ(ReadAll(path), MakeSampleImage());
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
  // The fix of the checksum that set left stale is a change too.
  const CliRun fixed =
      RunCliFailing({"checksum", path, "--fix"}, Failing::kOutput);
  EXPECT_EQ(fixed.status, 3);
  EXPECT_EQ(fixed.err, written.err);

  const CliRun closed = RunCliFailing({"apply", path, "-"}, Failing::kInput);
  EXPECT_EQ(closed.status, 1);
  EXPECT_EQ(closed.err,
            "tivok-cli: cannot read the layout from standard input; nothing "
            "was written to \"" +
                path + "\".\n");
}

// Failures of the file layer, and other programs at work meanwhile: the
// message names the file and the system's reason, and says exactly what is
// in the file. Bytes written before a failure are taken back.
TEST_F(CliWriteTest, SaysWhatAFailingFileHolds) {
  const std::string three =
      "store,slot,item\nportal,1,herb\nportal,2,rib\nportal,3,sirloin\n";
  const std::string io = IoErrorReason();
  const std::string nothing_changed =
      "Nothing was changed: the bytes written were written back and flushed "
      "to the disk.\n";
  const std::string written_herb =
      "Written:\n  Herb (0x01) to slot 1 of Portal Shop, offset 0x2478C, "
      "which held Cheater BK (0x22)\n";
  const std::vector<std::uint8_t> herb_cut = SampleWith({{0x2478C, 1}});
  const std::string fresh = dir.File("fresh.gbc");
  std::vector<std::uint8_t> newer = MakeSampleImage();
  newer[0x2476B] = 0x30;
  const struct {
    std::string name;
    std::function<void(const std::string& image)> arm;
    std::string says;  // "@" stands for the quoted image
    std::vector<std::uint8_t> after;
    std::string layout;
    bool dry_run;
  } cases[] = {
      {"no access",
       [](const std::string&) { ArmFileFault(FileStep::kOpenForWriting); },
       "tivok-cli: cannot open @: " + NoAccessReason() +
           "\nNothing was written to @.\n",
       MakeSampleImage(), three, false},
      {"no access, dry run",
       [](const std::string&) { ArmFileFault(FileStep::kOpenForWriting); },
       "tivok-cli: cannot open @: " + NoAccessReason() +
           "\nNothing was written to @.\n",
       MakeSampleImage(), three, true},
      {"first write",
       [](const std::string&) { ArmFileFault(FileStep::kWrite); },
       "tivok-cli: cannot write to @: " + io + "\nNothing was written to @.\n",
       MakeSampleImage(), three, false},
      {"second write",
       [](const std::string&) { ArmFileFault(FileStep::kWrite, 1); },
       "tivok-cli: cannot write to @: " + io + "\n" + nothing_changed,
       MakeSampleImage(), three, false},
      {"third write, then the flush of the write-back",
       [](const std::string&) {
         ArmFileFault(FileStep::kWrite, 2);
         ArmFileFault(FileStep::kFlush);
       },
       "tivok-cli: cannot write to @: " + io +
           "\nThe bytes written were written back, so the file reads as "
           "before, but the disk did not confirm it (cannot flush @: " +
           io + "); the changes may come back if the system fails.\n",
       MakeSampleImage(), three, false},
      {"second write, then the write-back",
       [](const std::string&) {
         ArmFileFault(FileStep::kWrite, 1);
         ArmFileHook(
             FileStep::kWrite, [] { ArmFileFault(FileStep::kWrite); }, 2);
       },
       "tivok-cli: cannot write to @: " + io +
           "\nWriting them back failed (cannot write to @: " + io + ").\n" +
           written_herb +
           "Not written:\n"
           "  Rib (0x15) to slot 2 of Portal Shop, offset 0x2478D, which held "
           "Smart BK (0x23)\n"
           "  Sirloin (0x17) to slot 3 of Portal Shop, offset 0x2478E, which "
           "held Comedy BK (0x24)\n"
           "The 1 byte written is in the file, but the disk did not confirm "
           "it; it may be lost if the system fails.\n",
       SampleWith({{0x2478C, 1}}), three, false},
      {"flush of one",
       [](const std::string&) { ArmFileFault(FileStep::kFlush); },
       "tivok-cli: cannot flush @: " + io + "\n" + written_herb +
           "The 1 byte written is in the file, but the disk did not confirm "
           "it; it may be lost if the system fails.\n",
       SampleWith({{0x2478C, 1}}), "store,slot,item\nportal,1,herb\n", false},
#ifdef _WIN32
      // Windows lets no program rename a file that is open: the look at the
      // path is shown another file instead.
      {"replaced",
       [&](const std::string&) {
         ArmFileHook(FileStep::kWrite, [&] {
           dir.Write("fresh.gbc", newer);
           RedirectPathCheck(fresh);
         });
       },
       "tivok-cli: @ was replaced by another program while tivok-cli wrote: "
       "the 3 bytes written went into the file that was replaced, and the "
       "image at @ was not changed\nThey were taken out of the replaced file "
       "again.\n",
       MakeSampleImage(), three, false},
#else
      {"replaced",
       [&](const std::string& image) {
         ArmFileHook(FileStep::kWrite, [&, image] {
           dir.Write("fresh.gbc", newer);
           std::filesystem::rename(FsPath(fresh), FsPath(image));
         });
       },
       "tivok-cli: @ was replaced by another program while tivok-cli wrote: "
       "the 3 bytes written went into the file that was replaced, and the "
       "image at @ was not changed\n",
       newer, three, false},
#endif
      {"cut to 0 bytes",
       [](const std::string& image) {
         ArmFileHook(FileStep::kWrite, [image] {
           std::filesystem::resize_file(FsPath(image), 0);
         });
       },
       "tivok-cli: (standard input):2: slot 1 of Portal Shop, offset 0x2478C, "
       "lies past the end of @: the file has only 0 bytes, and it is never "
       "lengthened\n"
       "tivok-cli: (standard input):3: slot 2 of Portal Shop, offset 0x2478D, "
       "lies past the end of @: the file has only 0 bytes, and it is never "
       "lengthened\n"
       "tivok-cli: (standard input):4: slot 3 of Portal Shop, offset 0x2478E, "
       "lies past the end of @: the file has only 0 bytes, and it is never "
       "lengthened\n"
       "tivok-cli: the layout is refused; nothing was written to @.\n",
       {},
       three,
       false},
      {"cut short between two writes",
       [](const std::string& image) {
         ArmFileHook(
             FileStep::kWrite,
             [image] { std::filesystem::resize_file(FsPath(image), 0x2478E); },
             1);
       },
       "tivok-cli: the length of @ changed from 262144 to 149390 bytes while "
       "tivok-cli wrote: another program changed the file meanwhile\n" +
           written_herb +
           "Not written:\n"
           "  Rib (0x15) to slot 5 of Portal Shop, offset 0x24790, which held "
           "Beast Tail (0x26)\n"
           "The 1 byte written is in the file as it is now. The change not "
           "written lies past the end of the file as it is now: tivok-cli "
           "never lengthens a file.\n",
       std::vector<std::uint8_t>(herb_cut.begin(), herb_cut.begin() + 0x2478E),
       "store,slot,item\nportal,1,herb\nportal,5,rib\n", false},
      {"the look after the flush",
       [](const std::string&) { ArmFileFault(FileStep::kLook); },
       "tivok-cli: cannot examine @: " + io + "\n" + written_herb +
           "The 1 byte written is in the file that was opened as @, flushed "
           "to the disk.\nIt could not be checked that @ still names that "
           "file: if another program replaced it meanwhile, the image at @ "
           "was not changed.\n",
       SampleWith({{0x2478C, 1}}), "store,slot,item\nportal,1,herb\n", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string image =
        dir.WriteSample("faulty" + std::to_string(&c - cases) + ".gbc");
    c.arm(image);
    std::vector<std::string> args = {"apply", image, "-"};
    if (c.dry_run) args.push_back("--dry-run");
    const CliRun run = RunCliWith(args, c.layout);
    DisarmFileFaults();
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, WithImage(c.says, image));
    EXPECT_EQ(ReadAll(image), c.after);
    std::filesystem::remove(FsPath(fresh));
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
  const std::string patch = dir.File("refused.ips");
  for (const auto& c : images) {
    const std::vector<std::vector<std::string>> commands = {
        {"list", c.image},
        {"get", c.image, "portal", "8"},
        {"set", c.image, "portal", "8", "herb", "--dry-run"},
        {"apply", c.image, "-"},
        {"checksum", c.image},
        {"diff", c.image, path},
        {"diff", path, c.image},
        {"diff", c.image, path, "--format=ips", "-o", patch},
        {"diff", path, c.image, "--format=bps", "-o", patch},
        {"checksum", c.image, "--fix"}};
    for (const auto& args : commands) {
      // A short image lists the slots it holds, and has its checksums
      // (list_test.cpp); a patch needs every slot.
      if (c.image == cut && args.back() != patch &&
          (args[0] == "list" || args[0] == "diff" || args[0] == "checksum")) {
        continue;
      }
      const CliRun run = RunCliWith(args, "store,slot,item\nportal,8,herb\n");
      EXPECT_EQ(run.status, 1);
      EXPECT_EQ(run.out, "");
      EXPECT_TRUE(run.err.starts_with("tivok-cli: ")) << run.err;
      EXPECT_TRUE(run.err.ends_with("\n")) << run.err;
      EXPECT_TRUE(Has(run.err, c.says)) << run.err;
    }
  }
  // Each row past the end is a line of its own.
  const std::string past = "\"" + cut + "\": the file has only 149392 bytes";
  EXPECT_EQ(
      RunCliWith({"apply", cut, "-"},
                 "store,slot,item\nportal,7,herb\nportal,8,herb\n")
          .err,
      "tivok-cli: (standard input):2: slot 7 of Portal Shop, offset 0x24792, "
      "lies past the end of " +
          past +
          ", and it is never lengthened\n"
          "tivok-cli: (standard input):3: slot 8 of Portal Shop, offset "
          "0x24793, lies past the end of " +
          past +
          ", and it is never lengthened\n"
          "tivok-cli: the layout is refused; nothing was written to \"" +
          cut + "\".\n");
  EXPECT_FALSE(Exists(dir.File("missing.gbc")));
  EXPECT_FALSE(Exists(patch));
  EXPECT_EQ(ReadAll(other), foreign);
  EXPECT_EQ(std::filesystem::file_size(FsPath(cut)), 0x24790u);
  EXPECT_TRUE(Has(RunCliWith({"apply", path, dir.File("none.csv")}).err,
                  "cannot read the layout"));
  // The C library's words, on Windows too, where opening a folder is
  // refused as access denied.
  EXPECT_EQ(RunCliWith({"apply", path, folder}).err,
            "tivok-cli: cannot read the layout \"" + folder +
                "\": " + std::strerror(EISDIR) + "; nothing was written to \"" +
                path + "\".\n");
}

}  // namespace
}  // namespace tivok::cli
