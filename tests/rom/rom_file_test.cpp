#include "rom/rom_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "rom/file_faults.h"
#include "rom/image_write.h"
#include "sample_image.h"
#include "support/file_seam_test.h"
#include "support/temp_dir.h"

namespace tivok {
namespace {

using ::tivok::testing::DirectoryReason;
using ::tivok::testing::Exists;
using ::tivok::testing::FsPath;
using ::tivok::testing::MissingFileReason;
using ::tivok::testing::ReadAll;
using ::tivok::testing::TempDir;

// Tests that stage faults in the file layer.
using RomFileWrite = ::tivok::testing::FileSeamTest;
using RomFileAccess = ::tivok::testing::FileSeamTest;

constexpr std::size_t kTitleOffset = 0x134;

// A header of `size` bytes holding `title` from offset 0x134, as far as fits.
std::vector<std::uint8_t> WithTitle(std::string_view title,
                                    std::size_t size = 0x150) {
  std::vector<std::uint8_t> bytes(size, 0x42);
  for (std::size_t i = 0; i < title.size() && kTitleOffset + i < size; ++i) {
    bytes[kTitleOffset + i] = static_cast<std::uint8_t>(title[i]);
  }
  return bytes;
}

bool Accepts(const std::string& path) {
  try {
    return RomFile::IsAcceptedTitle(RomFile::ReadRomTitle(path));
  } catch (const RomFileError&) {
    return false;
  }
}

// The RomFileError that `action` throws.
template <typename Action>
RomFileError FailureOf(Action action) {
  try {
    action();
  } catch (const RomFileError& error) {
    return error;
  }
  ADD_FAILURE() << "no RomFileError";
  return RomFileError("");
}

TEST(RomTitle, AcceptsTheTitleInEitherCase) {
  TempDir dir;
  EXPECT_TRUE(Accepts(dir.Write("upper.gbc", WithTitle("DRAGON WMONAWQE"))));
  EXPECT_TRUE(Accepts(dir.Write("lower.gbc", WithTitle("dragon wmonawqe"))));
  EXPECT_TRUE(Accepts(dir.Write("mixed.gbc", WithTitle("Dragon WMonawqe"))));
  EXPECT_EQ(RomFile::ReadRomTitle(dir.File("lower.gbc")), "dragon wmonawqe");
}

TEST(RomTitle, RejectsAnyOtherByte) {
  TempDir dir;
  const std::vector<std::string> titles = {
      "DRAGON WMONAWQF",    "DRAGON  MONAWQE",
      "DRAGONXWMONAWQE",    std::string("DRAGON WMONAWQ\0", 15),
      "DRAGON WMONAWQ\xC5", "\xE4RAGON WMONAWQE"};
  int n = 0;
  for (const std::string& title : titles) {
    const std::string name = "t" + std::to_string(n++) + ".gbc";
    EXPECT_FALSE(Accepts(dir.Write(name, WithTitle(title)))) << title;
  }
  EXPECT_FALSE(RomFile::IsAcceptedTitle(""));
  EXPECT_FALSE(RomFile::IsAcceptedTitle("DRAGON WMONAWQE "));
}

TEST(RomTitle, NeedsTheWholeTitleArea) {
  TempDir dir;
  // The title ends at offset 0x142, so 323 bytes are enough; the byte at
  // 0x143 is never needed.
  EXPECT_FALSE(Accepts(dir.Write("empty.gbc", {})));
  EXPECT_FALSE(
      Accepts(dir.Write("322.gbc", WithTitle("DRAGON WMONAWQE", 322))));
  EXPECT_TRUE(Accepts(dir.Write("323.gbc", WithTitle("DRAGON WMONAWQE", 323))));
  EXPECT_TRUE(Accepts(dir.WriteSample("sample.gbc")));
}

TEST(RomFileRead, ReadsTheBlockAtAnOffsetCountedFromZero) {
  TempDir dir;
  const std::string path = dir.Write("f.bin", {10, 11, 12, 13, 14});
  EXPECT_EQ(RomFile::ReadBlock(path, 0, 2),
            (std::vector<std::uint8_t>{10, 11}));
  EXPECT_EQ(RomFile::ReadBlock(path, 3, 2),
            (std::vector<std::uint8_t>{13, 14}));
  EXPECT_TRUE(RomFile::ReadBlock(path, 5, 0).empty());
}

TEST(RomFileRead, FailsPastTheEndOrBeforeTheStart) {
  TempDir dir;
  const std::string path = dir.Write("f.bin", {10, 11, 12, 13, 14});
  EXPECT_THROW(RomFile::ReadBlock(path, 3, 3), RomFileError);
  EXPECT_THROW(RomFile::ReadBlock(path, -1, 1), RomFileError);
  EXPECT_THROW(RomFile::ReadBlock(path, -5, 1), RomFileError);
  const RomFileError error = FailureOf([&] { RomFile::ReadBlock(path, 3, 3); });
  const std::string message = error.what();
  EXPECT_EQ(error.kind(), RomFileError::Kind::kTooShort);
  EXPECT_NE(message.find("3 bytes at offset 0x3 of"), std::string::npos)
      << message;
  EXPECT_NE(message.find("5 bytes"), std::string::npos) << message;
}

// Writes `value` at `offset` of the image at `path`, whatever is there.
WriteReport WriteOne(const std::string& path, FileOffset offset,
                     std::uint8_t value) {
  return WriteBytes({path, {{offset, std::nullopt, value}}});
}

// Three changes to the Beginner's store of the sample, whose first slots
// hold 1, 2 and 3.
WriteRequest ThreeChanges(const std::string& path) {
  return {path, {{0x2476B, 1, 0x2A}, {0x2476C, 2, 0x2B}, {0x2476D, 3, 0x2C}}};
}

// The sample with the first `count` of ThreeChanges written.
std::vector<std::uint8_t> SampleWithChanges(std::size_t count) {
  std::vector<std::uint8_t> bytes = MakeSampleImage();
  for (std::size_t i = 0; i < count; ++i) {
    bytes[0x2476B + i] = static_cast<std::uint8_t>(0x2A + i);
  }
  return bytes;
}

TEST_F(RomFileWrite, ChangesExactlyTheBytesAskedForAndKeepsTheLength) {
  TempDir dir;
  const std::string path = dir.WriteSample("sample.gbc");
  const WriteReport report = WriteBytes(ThreeChanges(path));
  EXPECT_TRUE(report.ok());
  EXPECT_EQ(report.written, 3u);
  EXPECT_EQ(report.found, (std::vector<int>{1, 2, 3}));
  std::vector<std::uint8_t> expected = SampleWithChanges(3);
  EXPECT_EQ(ReadAll(path), expected);
  EXPECT_TRUE(
      WriteOne(path, static_cast<FileOffset>(expected.size()) - 1, 7).ok());
  expected.back() = 7;
  EXPECT_EQ(ReadAll(path), expected);
}

// The title and every expected byte are checked on the file that is
// written, all before the first write.
TEST_F(RomFileWrite, ChecksTheTitleAndEveryByteBeforeWritingAny) {
  using Outcome = WriteReport::Outcome;
  TempDir dir;
  std::vector<std::uint8_t> foreign = MakeSampleImage();
  foreign[0x13A] = 'Z';
  const std::string other = dir.Write("foreign.gbc", foreign);
  const WriteReport refused = WriteBytes(ThreeChanges(other));
  EXPECT_EQ(refused.outcome, Outcome::kForeign);
  EXPECT_EQ(refused.title, "DRAGONZWMONAWQE");
  EXPECT_EQ(ReadAll(other), foreign);

  const std::string tiny = dir.Write("tiny.gbc", {1, 2, 3});
  const WriteReport too_short = WriteOne(tiny, 0, 9);
  EXPECT_EQ(too_short.outcome, Outcome::kNotOpened);
  ASSERT_TRUE(too_short.error);
  EXPECT_EQ(too_short.error->kind(), RomFileError::Kind::kTooShort);
  EXPECT_EQ(ReadAll(tiny), (std::vector<std::uint8_t>{1, 2, 3}));

  const std::string path = dir.WriteSample("sample.gbc");
  WriteRequest request = ThreeChanges(path);
  request.changes[0].expected = 9;
  request.changes[2].expected = 9;
  const WriteReport unexpected = WriteBytes(request);
  EXPECT_EQ(unexpected.outcome, Outcome::kUnexpected);
  EXPECT_EQ(unexpected.found, (std::vector<int>{1, 2, 3}));

  const std::string header =
      dir.Write("short.gbc", WithTitle("DRAGON WMONAWQE"));
  const WriteReport outside = WriteBytes(
      {header, {{0x14F, std::nullopt, 1}, {0x150, std::nullopt, 1}}});
  EXPECT_EQ(outside.outcome, Outcome::kOutside);
  EXPECT_EQ(outside.size_before, 0x150);
  EXPECT_EQ(outside.found, (std::vector<int>{0x42, -1}));
  EXPECT_EQ(WriteOne(header, -1, 1).outcome, Outcome::kOutside);
  EXPECT_EQ(ReadAll(header), WithTitle("DRAGON WMONAWQE"));
  EXPECT_EQ(ReadAll(path), MakeSampleImage());
}

// A dry run and a request whose bytes are there already neither write nor
// flush: a failure staged at either step would show.
TEST_F(RomFileWrite, WritesNothingOnADryRunOrWhereTheBytesAreThere) {
  TempDir dir;
  const std::string path = dir.WriteSample("sample.gbc");
  WriteRequest dry = ThreeChanges(path);
  dry.dry_run = true;
  WriteRequest same = {path, {{0x2476B, 1, 1}, {0x2476C, std::nullopt, 2}}};
  same.skip_unchanged = true;
  ArmFileFault(FileStep::kWrite);
  ArmFileFault(FileStep::kFlush);
  const WriteReport would = WriteBytes(dry);
  const WriteReport unchanged = WriteBytes(same);
  DisarmFileFaults();
  // Only the byte that differs is written.
  same.changes.push_back({0x2476D, 3, 0x2C});
  ArmFileFault(FileStep::kWrite, 1);
  const WriteReport one = WriteBytes(same);
  DisarmFileFaults();
  EXPECT_TRUE(would.ok());
  EXPECT_EQ(would.found, (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(unchanged.ok());
  EXPECT_EQ(unchanged.due, (std::vector<bool>{false, false}));
  EXPECT_TRUE(one.ok());
  EXPECT_EQ(one.due, (std::vector<bool>{false, false, true}));
  std::vector<std::uint8_t> expected = MakeSampleImage();
  expected[0x2476D] = 0x2C;
  EXPECT_EQ(ReadAll(path), expected);

  // A dry run fails where the real run would: it opens for writing too.
  ArmFileFault(FileStep::kOpenForWriting);
  const WriteReport denied = WriteBytes(dry);
  DisarmFileFaults();
  EXPECT_EQ(denied.outcome, WriteReport::Outcome::kNotOpened);
  ASSERT_TRUE(denied.error);
  EXPECT_EQ(denied.error->kind(), RomFileError::Kind::kNoAccess);
}

// Failures staged at each step. Nothing changes before the first write;
// bytes written before a failure are written back, so that several
// changes are in the file all or not at all. A single byte whose flush
// failed stays: it is in the file, unconfirmed.
TEST_F(RomFileWrite, TakesBackWhatAFailureLeftHalfDone) {
  using Outcome = WriteReport::Outcome;
  using Rollback = WriteReport::Rollback;
  struct Case {
    const char* name;
    std::function<void()> arm;
    std::size_t changes;  // the first of ThreeChanges
    Outcome outcome;
    std::size_t written;
    Rollback rollback;
    std::size_t left;  // how many changes stay in the file
  };
  const auto fail = [](FileStep step, int skip = 0) {
    return [step, skip] { ArmFileFault(step, skip); };
  };
  // Fails `step` the (skip + 1)th time and the time after.
  const auto fail_twice = [](FileStep step, int skip) {
    return [step, skip] {
      ArmFileFault(step, skip);
      ArmFileHook(
          step, [step] { ArmFileFault(step); }, skip + 1);
    };
  };
  const std::vector<Case> cases = {
      {"open", fail(FileStep::kOpenForWriting), 3, Outcome::kNotOpened, 0,
       Rollback::kNone, 0},
      {"read", fail(FileStep::kRead, 1), 3, Outcome::kNotOpened, 0,
       Rollback::kNone, 0},
      {"first write", fail(FileStep::kWrite), 3, Outcome::kWriteFailed, 0,
       Rollback::kNone, 0},
      {"second write", fail(FileStep::kWrite, 1), 3, Outcome::kWriteFailed, 1,
       Rollback::kConfirmed, 0},
      {"second write and the write-back", fail_twice(FileStep::kWrite, 1), 3,
       Outcome::kWriteFailed, 1, Rollback::kFailed, 1},
      {"flush of one", fail(FileStep::kFlush), 1, Outcome::kUnconfirmed, 1,
       Rollback::kNone, 1},
      {"flush of two", fail(FileStep::kFlush), 2, Outcome::kUnconfirmed, 2,
       Rollback::kConfirmed, 0},
      {"flush of two and the write-back's", fail_twice(FileStep::kFlush, 0), 2,
       Outcome::kUnconfirmed, 2, Rollback::kUnconfirmed, 0},
      {"close", fail(FileStep::kClose), 3, Outcome::kUnconfirmed, 3,
       Rollback::kNone, 3},
  };
  TempDir dir;
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.WriteSample(std::to_string(n++) + ".gbc");
    WriteRequest request = ThreeChanges(path);
    request.changes.resize(c.changes);
    c.arm();
    const WriteReport report = WriteBytes(request);
    DisarmFileFaults();
    EXPECT_EQ(report.outcome, c.outcome);
    EXPECT_EQ(report.written, c.written);
    EXPECT_EQ(report.rollback, c.rollback);
    EXPECT_EQ(report.rollback_error.has_value(),
              c.rollback == Rollback::kFailed ||
                  c.rollback == Rollback::kUnconfirmed);
    ASSERT_TRUE(report.error);
    const std::string message = report.error->what();
    EXPECT_FALSE(report.error->reason().empty());
    EXPECT_NE(message.find(".gbc\": " + report.error->reason()),
              std::string::npos)
        << message;
    EXPECT_EQ(ReadAll(path), SampleWithChanges(c.left));
    EXPECT_EQ(static_cast<std::size_t>(std::count(report.in_file.begin(),
                                                  report.in_file.end(), true)),
              c.left);
  }
}

// The length is checked again just before the writes: a file that another
// program cut short after the bytes were read is not lengthened.
TEST_F(RomFileWrite, ChecksTheLengthAgainJustBeforeWriting) {
  TempDir dir;
  const std::string path = dir.WriteSample("sample.gbc");
  // The title is read first, then each change's byte in turn.
  ArmFileHook(
      FileStep::kRead,
      [&] { std::filesystem::resize_file(FsPath(path), 0x2476C); }, 2);
  const WriteReport report =
      WriteBytes({path, {{0x2476C, 2, 9}, {0x2476B, 1, 9}}});
  DisarmFileFaults();
  EXPECT_EQ(report.outcome, WriteReport::Outcome::kOutside);
  EXPECT_EQ(report.size_before, 0x2476C);
  std::vector<std::uint8_t> expected = MakeSampleImage();
  expected.resize(0x2476C);
  EXPECT_EQ(ReadAll(path), expected);
}

// Another program acts between Tivok's checks and its writes: it saves a
// new file over the image, renames the image, or changes its length; or
// the look at the path after the flush fails. Tivok never reports success
// then, takes its bytes out of a renamed image, and never writes a byte
// that the file no longer reaches: the file keeps exactly the length the
// other program left.
TEST_F(RomFileWrite, TellsWhenAnotherProgramReplacedOrResizedTheImage) {
  using Outcome = WriteReport::Outcome;
  using Rollback = WriteReport::Rollback;
  TempDir dir;
  const std::vector<std::uint8_t> sample = MakeSampleImage();
  std::vector<std::uint8_t> newer = sample;
  newer[0x2476B] = 0x30;
  // The sample with both changes: at offset 0x2476B and 0x2478F.
  std::vector<std::uint8_t> both = SampleWithChanges(1);
  both[0x2478F] = 0x2B;
  std::vector<std::uint8_t> longer = both;
  longer.resize(300000, 0);
  // The other program's file ends in zeros just before Tivok's second byte.
  std::vector<std::uint8_t> cut = SampleWithChanges(1);
  cut.resize(0x2478F);
  cut[0x2478D] = cut[0x2478E] = 0;
  const std::string fresh = dir.File("fresh.gbc");
  const std::string backup = dir.File("backup.gbc");
  const auto resize = [](std::uintmax_t size) {
    return [size](const std::string& path) {
      std::filesystem::resize_file(FsPath(path), size);
    };
  };
  struct Case {
    const char* name;
    int skip;  // the writes before the one that `act` precedes
    std::function<void(const std::string& path)> act;
    Outcome outcome;
    Rollback rollback;
    std::vector<bool> in_file;
    std::vector<std::uint8_t> at_path;
  };
  const std::vector<Case> cases = {
#ifdef _WIN32
      // Windows lets no program rename a file that Tivok holds open: the
      // look at the path is shown another file instead.
      {"another file at the path",
       0,
       [&](const std::string&) {
         WriteNewFile(fresh, newer);
         RedirectPathCheck(fresh);
       },
       Outcome::kReplaced,
       Rollback::kConfirmed,
       {false, false},
       sample},
#else
      {"saved over it",
       0,
       [&](const std::string& path) {
         WriteNewFile(fresh, newer);
         std::filesystem::rename(FsPath(fresh), FsPath(path));
       },
       Outcome::kReplaced,
       Rollback::kNone,
       {false, false},
       newer},
      {"renamed to a backup",
       0,
       [&](const std::string& path) {
         std::filesystem::rename(FsPath(path), FsPath(backup));
         WriteNewFile(path, newer);
       },
       Outcome::kReplaced,
       Rollback::kConfirmed,
       {false, false},
       newer},
#endif
      {"cut to 0 bytes",
       0,
       resize(0),
       Outcome::kOutside,
       Rollback::kNone,
       {false, false},
       {}},
      // A read failing meanwhile changes nothing: the length is not guessed
      // from the bytes.
      {"cut short between the writes, its data ending in zeros",
       1,
       [](const std::string& path) {
         std::filesystem::resize_file(FsPath(path), 0x2478F);
         std::fstream file(FsPath(path),
                           std::ios::in | std::ios::out | std::ios::binary);
         file.seekp(0x2478D);
         file.write("\0\0", 2);
         file.close();
         ArmFileFault(FileStep::kRead);
       },
       Outcome::kLengthChanged,
       Rollback::kNone,
       {true, false},
       cut},
      {"lengthened",
       0,
       resize(longer.size()),
       Outcome::kLengthChanged,
       Rollback::kNone,
       {true, true},
       longer},
      {"the look after the flush failing",
       0,
       [](const std::string&) { ArmFileFault(FileStep::kLook); },
       Outcome::kUnchecked,
       Rollback::kNone,
       {true, true},
       both},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.Write("image.gbc", sample);
    ArmFileHook(
        FileStep::kWrite, [&] { c.act(path); }, c.skip);
    const WriteReport report = WriteBytes(
        {path, {{0x2476B, std::nullopt, 0x2A}, {0x2478F, std::nullopt, 0x2B}}});
    DisarmFileFaults();
    EXPECT_EQ(report.outcome, c.outcome);
    EXPECT_EQ(report.rollback, c.rollback);
    EXPECT_EQ(report.in_file, c.in_file);
    EXPECT_FALSE(report.may_have_lengthened);
    EXPECT_EQ(ReadAll(path), c.at_path);
    // The file as the other program left it, whichever file that is.
    EXPECT_EQ(report.size_after, static_cast<std::int64_t>(c.at_path.size()));
    if (Exists(backup)) {
      EXPECT_EQ(ReadAll(backup), sample);
    }
    for (const std::string& file : {path, fresh, backup}) {
      std::filesystem::remove(FsPath(file));
    }
  }
}

TEST_F(RomFileAccess, ChecksThatAFileCanBeWrittenWithoutWriting) {
  TempDir dir;
  const std::string path = dir.WriteSample("sample.gbc");
  RomFile::CheckWritable(path);
  ArmFileFault(FileStep::kOpenForWriting);
  EXPECT_EQ(FailureOf([&] { RomFile::CheckWritable(path); }).kind(),
            RomFileError::Kind::kNoAccess);
  DisarmFileFaults();
  EXPECT_EQ(ReadAll(path), MakeSampleImage());
}

TEST_F(RomFileAccess, NeverCreatesAMissingFile) {
  TempDir dir;
  const std::string path = dir.File("missing.gbc");
  const RomFileError error = FailureOf([&] { RomFile::ReadRomTitle(path); });
  const std::string message = error.what();
  EXPECT_EQ(error.kind(), RomFileError::Kind::kMissing);
  EXPECT_NE(message.find(path), std::string::npos) << message;
  EXPECT_NE(message.find(MissingFileReason()), std::string::npos) << message;
  EXPECT_EQ(WriteOne(path, 0, 0).outcome, WriteReport::Outcome::kNotOpened);
  EXPECT_FALSE(Exists(path));
}

TEST_F(RomFileAccess, OpensNamesBeyondAsciiWhileOthersHoldThemOpen) {
  TempDir dir;
  const std::string name = "Drachenw\u00E4chter \u30C9\u30E9\u30B4\u30F3.gbc";
  const std::string path = dir.WriteSample(name);
  // The name on disk is the one asked for, not a re-encoding of it.
  const auto entry = std::filesystem::directory_iterator(FsPath(dir.path()));
  const std::u8string on_disk = entry->path().filename().u8string();
  EXPECT_EQ(std::string(on_disk.begin(), on_disk.end()), name);

  // Another program may keep the file open for reading and writing.
  std::fstream other(FsPath(path),
                     std::ios::in | std::ios::out | std::ios::binary);
  ASSERT_TRUE(other.is_open());
  EXPECT_TRUE(Accepts(path));
  EXPECT_TRUE(WriteOne(path, 0x2476B, 0x2A).ok());
  EXPECT_EQ(ReadAll(path), SampleWithChanges(1));
}

// A path and the reason that opening it must give.
struct RefusedPath {
  std::string path;
  std::string reason;
  RomFileError::Kind kind = RomFileError::Kind::kNotAFile;
};

TEST_F(RomFileAccess, RefusesWhatIsNotARegularFile) {
  TempDir dir;
  const std::string folder = dir.File("folder.gbc");
  ASSERT_TRUE(std::filesystem::create_directory(FsPath(folder)));
  const std::string device = "it is a device, not a file";
  std::vector<RefusedPath> refused = {
      {folder, DirectoryReason(), RomFileError::Kind::kFolder}};
#ifdef _WIN32
  // Every name that Windows maps to a device, refused by name before
  // anything is opened: reserved names in any folder, with any extension,
  // with dots, spaces or a colon after them, and the device namespaces.
  for (const char* name :
       {"con",        "com\u00B2",     "CONOUT$",         "conin$.gbc",
        "NUL:",       "COM1:",         "CON:x.gbc",       "aux:.gbc",
        "nul .gbc",   "Nul. .",        "prn  ",           "COM0",
        "lpt9.txt",   "COM\u00B9",     "LPT\u00B3.gbc",   "C:NUL",
        R"(\\.\NUL)", R"(\\./pipe/x)", R"(//./pipe\x)",   R"(/\.\pipe\x)",
        R"(\\.\)",    R"(\\?\pipe\x)", R"(\??\C:\s.gbc)", R"(\\.\C:\..\NUL)"}) {
    refused.push_back({name, device});
  }
  for (const char* name : {"nul.gbc", "aux:.gbc"}) {
    refused.push_back({dir.File(name), device});
  }
#else
  // Nobody ever opens the other end: an open that waited would hang here.
  const std::string fifo = dir.File("pipe.gbc");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  refused.push_back({fifo, "it is not a regular file"});
  refused.push_back({"/dev/null", device});
#endif
  // The name would end at the NUL for the system: another file.
  const std::string sample = dir.WriteSample("s.gbc");
  const std::string cut_short = sample + std::string("\0.not-this.txt", 14);
  refused.push_back({cut_short, "the name contains a NUL character",
                     RomFileError::Kind::kOther});

  for (const RefusedPath& c : refused) {
    SCOPED_TRACE(c.path);
    const RomFileError error =
        FailureOf([&] { RomFile::ReadBlock(c.path, 0, 1); });
    const std::string message = error.what();
    EXPECT_NE(message.find(c.reason), std::string::npos) << message;
    EXPECT_EQ(error.kind(), c.kind);
    const WriteReport report = WriteOne(c.path, 0, 0);
    ASSERT_TRUE(report.error);
    EXPECT_NE(std::string(report.error->what()).find(c.reason),
              std::string::npos);
  }
  EXPECT_EQ(ReadAll(sample), MakeSampleImage());
}

#ifdef _WIN32
// The path with every slash turned into a backslash, as "\\?\" paths need.
std::string Backslashed(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

// "\\?\" and "\\.\" paths to a file on a drive name that file, even where
// the name alone would be a device's; a path longer than MAX_PATH opens.
TEST_F(RomFileAccess, OpensFilesNamedThroughTheDeviceNamespace) {
  TempDir dir;
  std::string deep = dir.path();
  for (int i = 0; i < 6; ++i) {
    deep += "/" + std::string(45, static_cast<char>('a' + i));
    ASSERT_TRUE(std::filesystem::create_directory(FsPath(deep)));
  }
  const std::string long_path =
      dir.WriteSample(deep.substr(dir.path().size() + 1) + "/sample.gbc");
  ASSERT_GT(long_path.size(), 300u);
  const std::string plain = dir.WriteSample("s.gbc");
  const std::string nul = R"(\\?\)" + Backslashed(dir.File("nul.gbc"));
  WriteNewFile(nul, MakeSampleImage());
  for (const std::string& path : {nul, R"(\\.\)" + Backslashed(plain),
                                  R"(\\?\)" + Backslashed(plain), long_path}) {
    SCOPED_TRACE(path);
    EXPECT_TRUE(Accepts(path));
    EXPECT_TRUE(WriteOne(path, 0x2476B, 0x2A).ok());
    EXPECT_EQ(ReadAll(path)[0x2476B], 0x2A);
  }
  // The folder's own removal would take the name for the device.
  std::filesystem::remove(FsPath(nul));
}
#endif

#ifndef _WIN32  // Symbolic links on Windows need rights that tests lack.
TEST_F(RomFileAccess, FollowsSymbolicLinksToImages) {
  TempDir dir;
  const std::string target = dir.WriteSample("sample.gbc");
  const std::string link = dir.File("link.gbc");
  ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
  EXPECT_TRUE(Accepts(link));
  // The path still names the file written: the link leads to it.
  EXPECT_TRUE(WriteOne(link, 0x2476B, 9).ok());
  EXPECT_EQ(ReadAll(target)[0x2476B], 9);
}
#endif

}  // namespace
}  // namespace tivok
