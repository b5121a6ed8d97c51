#include "rom/patch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "rom/checksum.h"
#include "sample_image.h"
#include "support/temp_dir.h"

namespace tivok::cli {
namespace {

using ::tivok::cli::testing::CliRun;
using ::tivok::cli::testing::RunCliWith;
using ::tivok::testing::FsPath;
using ::tivok::testing::OtherGameImage;
using ::tivok::testing::ReadAll;
using ::tivok::testing::TempDir;

std::string Text(const std::vector<std::uint8_t>& bytes) {
  return {bytes.begin(), bytes.end()};
}

// diff --format=ips|bps writes the patch that the encoders make of the
// slots that differ, with CLEAN's bytes as the source and the global
// checksum that the patched image has: to standard output, but not to a
// terminal, or with -o to a file, saying what it holds. A store compared
// alone leaves the others out; an IMAGE of another length gives the same
// patch, and a note.
TEST(CliDiff, WritesThePatchOfTheDifferingSlots) {
  TempDir dir;
  const std::vector<std::uint8_t> sample = MakeSampleImage();
  const std::string clean = dir.Write("clean.gbc", sample);
  std::vector<std::uint8_t> bytes = sample;
  bytes[0x2476B] = 0x03;  // Beginner's slot 1: Sage Stone, not Herb
  bytes[0x2478E] = 0x17;  // Portal slot 3: Sirloin, not Comedy BK
  const std::string mine = dir.Write("mine.gbc", bytes);
  bytes.resize(bytes.size() + 0x100);
  const std::string longer = dir.Write("longer.gbc", bytes);
  const ByteChange beginner{0x2476B, 0x01, 0x03};
  const ByteChange portal{0x2478E, 0x24, 0x17};
  const struct {
    std::vector<std::string> args;  // after diff; the format last
    std::vector<ByteChange> changes;
    std::string holds;
    std::string note;
  } cases[] = {
      {{clean, mine, "--format=ips"},
       {beginner, portal},
       "an IPS patch of 2 slots",
       ""},
      {{clean, mine, "portal", "--format", "bps"},
       {portal},
       "a BPS patch of 1 slot",
       ""},
      {{clean, longer, "--format=bps"},
       {beginner, portal},
       "a BPS patch of 2 slots",
       "tivok-cli: \"" + longer + "\" has 262400 bytes and \"" + clean +
           "\" 262144: the patch keeps the length of \"" + clean +
           "\" and carries only the store slots.\n"},
      {{clean, clean, "--format=ips"}, {}, "an IPS patch of no slot", ""},
  };
  for (const auto& c : cases) {
    const std::vector<ByteChange> changes =
        WithGlobalChecksum(c.changes, ChecksumsOf(sample));
    const std::string patch =
        Text(c.args.back().ends_with("ips") ? IpsPatch(sample, changes)
                                            : BpsPatch(sample, changes));
    std::vector<std::string> args = {"diff"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliRun out = RunCliWith(args);
    EXPECT_EQ(out.status, 0) << c.holds;
    EXPECT_EQ(out.out, patch);
    EXPECT_EQ(out.err, c.note);

    const std::string file =
        dir.File("patch" + std::to_string(&c - cases) + ".bin");
    args.insert(args.end(), {"-o", file, "--exit-code"});
    const CliRun written = RunCliWith(args, "", true);
    EXPECT_EQ(written.status, c.changes.empty() ? 0 : 1);
    EXPECT_EQ(written.out, "Wrote " + c.holds + " and the global checksum (" +
                               std::to_string(patch.size()) + " bytes) to \"" +
                               file + "\".\n");
    EXPECT_EQ(Text(ReadAll(file)), patch);
  }
  const CliRun terminal =
      RunCliWith({"diff", clean, mine, "--format=ips"}, "", true);
  EXPECT_EQ(terminal.status, 1);
  EXPECT_EQ(terminal.out, "");
  EXPECT_EQ(terminal.err,
            "tivok-cli: a patch is not written to a terminal; give -o FILE, "
            "or redirect the output to a file.\n");
  EXPECT_EQ(RunCliWith({"diff", clean, mine}, "", true).status, 0);
  EXPECT_EQ(ReadAll(clean), sample);
}

// -o never replaces CLEAN or IMAGE, by any name, nor a cartridge image of
// any game, a file of another kind or a folder: refused with the reason,
// nothing written and no file left behind.
TEST(CliDiff, RefusesAPatchFileOverAnImage) {
  TempDir dir;
  const std::vector<std::uint8_t> sample = MakeSampleImage();
  const std::string clean = dir.Write("clean.gbc", sample);
  std::vector<std::uint8_t> bytes = sample;
  bytes[0x2478E] = 0x17;
  const std::string mine = dir.Write("mine.gbc", bytes);
  const std::string copy = dir.Write("copy.gbc", sample);
  const std::vector<std::uint8_t> other_game = OtherGameImage("OTHER GAME");
  const std::string other = dir.Write("other.gb", other_game);
  const std::string notes = dir.Write("notes.txt", {'h', 'i', '\n'});
  const std::string folder = dir.File("folder.ips");
  std::filesystem::create_directory(FsPath(folder));
  const std::string never =
      ", and an export never replaces a cartridge image; nothing was written";
  const struct {
    std::string target;
    std::string says;  // "@" stands for the kind of patch written
  } cases[] = {
      {clean, "it is the cartridge image \"clean.gbc\"" + never},
      {dir.path() + "/./mine.gbc",
       "it is the cartridge image \"mine.gbc\"" + never},
      {copy, "it is a Game Boy cartridge image (\"DRAGON WMONAWQE\")" + never},
      {other, "it is a Game Boy cartridge image (\"OTHER GAME\")" + never},
      {notes,
       "it holds something other than @, and an export replaces only @ or an "
       "empty file; nothing was written"},
      {folder, "it is a folder"},
  };
  for (const auto& c : cases) {
    for (const std::string format : {"ips", "bps"}) {
      const CliRun run = RunCliWith(
          {"diff", clean, mine, "--format=" + format, "-o", c.target});
      std::string says = c.says;
      for (std::size_t at; (at = says.find('@')) != std::string::npos;) {
        says.replace(at, 1, format == "ips" ? "an IPS patch" : "a BPS patch");
      }
      EXPECT_EQ(run.status, 1);
      EXPECT_EQ(run.out, "");
      EXPECT_EQ(run.err, "tivok-cli: cannot export to \"" + c.target +
                             "\": " + says + "\n");
    }
  }
  EXPECT_EQ(ReadAll(clean), sample);
  EXPECT_EQ(ReadAll(mine), bytes);
  EXPECT_EQ(ReadAll(copy), sample);
  EXPECT_EQ(ReadAll(other), other_game);
  EXPECT_EQ(ReadAll(notes), (std::vector<std::uint8_t>{'h', 'i', '\n'}));
  const auto entries = std::distance(
      std::filesystem::directory_iterator(FsPath(dir.path())), {});
  EXPECT_EQ(entries, 6);
}

// apply takes a patch that diff wrote as the layout of its slots, found by
// its first bytes: the copy of the clean image gets the changed image's
// bytes, or, when that image's checksum was set right, those bytes with
// --fix-checksum (the patch's own checksum bytes are never copied). A dry
// run prints the rows that diff --format=csv prints and writes nothing;
// --clean reads the patch against the clean image, and standard input and
// a pipe give it too.
TEST(CliApply, AppliesAPatchAsTheRowsOfDiff) {
  TempDir dir;
  const std::vector<std::uint8_t> sample = MakeSampleImage();
  const std::string clean = dir.Write("clean.gbc", sample);
  std::vector<std::uint8_t> bytes = sample;
  bytes[0x2476B] = 0x03;
  bytes[0x2478E] = 0x17;
  const std::string mine = dir.Write("mine.gbc", bytes);
  std::vector<std::uint8_t> fixed = bytes;
  fixed[0x14E] = 0x8E;  // 0x8EBE - 0x01 - 0x24 + 0x03 + 0x17
  fixed[0x14F] = 0xB3;
  const std::string rows =
      RunCliWith({"diff", clean, mine, "--format=csv"}).out;
  for (const std::string format : {"ips", "bps"}) {
    SCOPED_TRACE(format);
    const std::string patch = dir.File("m.dat" + format);
    ASSERT_EQ(
        RunCliWith({"diff", clean, mine, "--format=" + format, "-o", patch})
            .status,
        0);
    const std::string copy = dir.Write("copy-" + format + ".gbc", sample);
    const CliRun dry = RunCliWith({"apply", copy, patch, "--dry-run"});
    EXPECT_EQ(dry.status, 0) << dry.err;
    EXPECT_EQ(dry.out, rows);
    EXPECT_EQ(ReadAll(copy), sample);
    EXPECT_EQ(RunCliWith({"apply", copy, patch}).status, 0);
    EXPECT_EQ(ReadAll(copy), bytes);

    const std::string right = dir.Write("right-" + format + ".gbc", sample);
    EXPECT_EQ(RunCliWith({"apply", right, "-", "--fix-checksum"},
                         Text(ReadAll(patch)))
                  .status,
              0);
    EXPECT_EQ(ReadAll(right), fixed);
  }
  // Against the clean image, a third image keeps its own change.
  std::vector<std::uint8_t> third = sample;
  third[0x24790] = 0x05;
  const std::string third_path = dir.Write("third.gbc", third);
  const CliRun against =
      RunCliWith({"apply", third_path, dir.File("m.datbps"), "--clean", clean});
  EXPECT_EQ(against.status, 0) << against.err;
  third[0x2476B] = 0x03;
  third[0x2478E] = 0x17;
  EXPECT_EQ(ReadAll(third_path), third);
}

// A patch that changes a byte outside the stores is refused, and so is
// one whose slot holds another item than the clean image's; nothing is
// written. --clean is for patches only.
TEST(CliApply, RefusesAPatchAndWritesNothing) {
  TempDir dir;
  const std::vector<std::uint8_t> sample = MakeSampleImage();
  const std::string clean = dir.Write("clean.gbc", sample);
  const std::string copy = dir.Write("copy.gbc", sample);
  std::vector<std::uint8_t> held = sample;
  held[0x2478E] = 0x05;
  const std::string other = dir.Write("other.gbc", held);
  const std::string outside = dir.Write(
      "outside.ips", IpsPatch(sample, {{0x2478E, {}, 0x17}, {0x200, {}, 0}}));
  const std::string slot =
      dir.Write("slot.ips", IpsPatch(sample, {{0x2478E, {}, 0x17}}));
  const CliRun refused = RunCliWith({"apply", copy, outside});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out, "");
  EXPECT_EQ(refused.err,
            "tivok-cli: " + outside +
                ": it changes 1 byte outside the store slots, the first at "
                "offset 0x200; Tivok edits only the stores, and applies none "
                "of it\ntivok-cli: the patch is refused; nothing was written "
                "to \"" +
                copy + "\".\n");
  const CliRun held_refused =
      RunCliWith({"apply", other, slot, "--clean", clean});
  EXPECT_EQ(held_refused.status, 1);
  EXPECT_EQ(held_refused.err,
            "tivok-cli: slot 3 of Portal Shop, offset 0x2478E, holds Potion "
            "(0x05), not Comedy BK (0x24), which the patch expects there "
            "before writing Sirloin (0x17)\n"
            "tivok-cli: the patch is refused; nothing was written to \"" +
                other + "\".\n");
  const std::string layout = dir.Write("l.csv", {'s', 't', 'o', 'r', 'e'});
  EXPECT_EQ(RunCliWith({"apply", copy, layout, "--clean", clean}).status, 2);
  EXPECT_EQ(ReadAll(copy), sample);
  EXPECT_EQ(ReadAll(other), held);
}

}  // namespace
}  // namespace tivok::cli
