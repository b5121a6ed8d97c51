#include "rom/rom_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "rom/file_faults.h"
#include "rom/rom_edit.h"
#include "sample_image.h"
#include "support/temp_dir.h"

namespace tivok {
namespace {

using ::tivok::testing::DirectoryReason;
using ::tivok::testing::Exists;
using ::tivok::testing::FsPath;
using ::tivok::testing::MissingFileReason;
using ::tivok::testing::ReadAll;
using ::tivok::testing::TempDir;

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

template <typename Action>
std::string ErrorOf(Action action) {
  return FailureOf(action).what();
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

TEST(RomFileRead, ReadsTheBlockAtAPositionCountedFromOne) {
  TempDir dir;
  const std::string path = dir.Write("f.bin", {10, 11, 12, 13, 14});
  EXPECT_EQ(RomFile::ReadBlock(path, 1, 2),
            (std::vector<std::uint8_t>{10, 11}));
  EXPECT_EQ(RomFile::ReadBlock(path, 4, 2),
            (std::vector<std::uint8_t>{13, 14}));
  EXPECT_TRUE(RomFile::ReadBlock(path, 6, 0).empty());
  // What there is of a block that runs past the end; nothing past it.
  EXPECT_EQ(RomFile::ReadAvailable(path, 4, 9).bytes,
            (std::vector<std::uint8_t>{13, 14}));
  EXPECT_TRUE(RomFile::ReadAvailable(path, 6, 3).bytes.empty());
  EXPECT_TRUE(RomFile::ReadAvailable(path, 90, 3).bytes.empty());
}

TEST(RomFileRead, FailsPastTheEndOrBeforeTheStart) {
  TempDir dir;
  const std::string path = dir.Write("f.bin", {10, 11, 12, 13, 14});
  EXPECT_THROW(RomFile::ReadBlock(path, 4, 3), RomFileError);
  EXPECT_THROW(RomFile::ReadBlock(path, 0, 1), RomFileError);
  EXPECT_THROW(RomFile::ReadBlock(path, -5, 1), RomFileError);
  const RomFileError error = FailureOf([&] { RomFile::ReadBlock(path, 4, 3); });
  const std::string message = error.what();
  EXPECT_EQ(error.kind(), RomFileError::Kind::kTooShort);
  EXPECT_NE(message.find("3 bytes at offset 0x3 of"), std::string::npos)
      << message;
  EXPECT_NE(message.find("5 bytes"), std::string::npos) << message;
}

TEST(RomFileWrite, ChangesExactlyOneByteAndKeepsTheLength) {
  TempDir dir;
  const std::string path = dir.WriteSample("sample.gbc");
  std::vector<std::uint8_t> expected = ReadAll(path);
  RomFile::WriteByte(path, 0x2478D, 0x2B);
  expected[0x2478C] = 0x2B;
  EXPECT_EQ(ReadAll(path), expected);
  RomFile::WriteByte(path, static_cast<FilePosition>(expected.size()), 7);
  expected.back() = 7;
  EXPECT_EQ(ReadAll(path), expected);
}

// An edit reads the title and the bytes on the file that it writes.
TEST(RomEditTest, ReadsTheTitleAndBytesOfTheFileItWrites) {
  TempDir dir;
  std::vector<std::uint8_t> foreign = MakeSampleImage();
  foreign[0x13A] = 'Z';
  const std::string path = dir.Write("foreign.gbc", foreign);
  {
    RomEdit edit(path);
    EXPECT_FALSE(edit.TitleAccepted());
    EXPECT_EQ(edit.title(), "DRAGONZWMONAWQE");
    EXPECT_EQ(edit.ReadByte(0x2476C), 1);
    EXPECT_EQ(edit.written(), 0);
    edit.Commit();
  }
  EXPECT_EQ(ReadAll(path), foreign);
  // Too short for the title: the edit cannot begin.
  const std::string tiny = dir.Write("tiny.gbc", {1, 2, 3});
  EXPECT_EQ(FailureOf([&] { RomEdit edit(tiny); }).kind(),
            RomFileError::Kind::kTooShort);
  EXPECT_EQ(ReadAll(tiny), (std::vector<std::uint8_t>{1, 2, 3}));

  const std::string sample = dir.WriteSample("sample.gbc");
  RomEdit edit(sample);
  EXPECT_TRUE(edit.TitleAccepted());
  edit.WriteByte(0x2476C, 0x2A);
  edit.WriteByte(0x2476D, 0x2B);
  EXPECT_EQ(edit.ReadByte(0x2476D), 0x2B);
  EXPECT_EQ(edit.written(), 2);
  edit.Commit();
  std::vector<std::uint8_t> expected = MakeSampleImage();
  expected[0x2476B] = 0x2A;
  expected[0x2476C] = 0x2B;
  EXPECT_EQ(ReadAll(sample), expected);
}

// Failures staged in the file layer, at each step of an edit: before the
// write nothing changes; after it the byte is in the file, but unconfirmed.
TEST(RomEditTest, SaysWhetherAFailedStepLeftTheByteWritten) {
  struct Case {
    FileStep step;
    RomFileError::Kind kind;
    bool written;
  };
  const std::vector<Case> cases = {
      {FileStep::kOpenForWriting, RomFileError::Kind::kNoAccess, false},
      {FileStep::kRead, RomFileError::Kind::kOther, false},
      {FileStep::kWrite, RomFileError::Kind::kOther, false},
      {FileStep::kFlush, RomFileError::Kind::kOther, true},
      {FileStep::kClose, RomFileError::Kind::kOther, true},
  };
  TempDir dir;
  const std::string path = dir.WriteSample("sample.gbc");
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.step));
    ArmFileFault(c.step);
    bool unconfirmed = false;
    const RomFileError error = FailureOf([&] {
      try {
        RomEdit edit(path);
        edit.WriteByte(0x2476C, 0x2A);
        edit.Commit();
      } catch (const UnconfirmedWriteError&) {
        unconfirmed = true;
        throw;
      }
    });
    DisarmFileFaults();
    EXPECT_EQ(error.kind(), c.kind);
    EXPECT_FALSE(error.reason().empty());
    EXPECT_NE(std::string(error.what()).find("sample.gbc\": " + error.reason()),
              std::string::npos)
        << error.what();
    EXPECT_EQ(unconfirmed, c.written);
    EXPECT_EQ(ReadAll(path)[0x2476B], c.written ? 0x2A : 1);
    RomFile::WriteByte(path, 0x2476C, 1);
  }
  // A later step fails only when its turn comes.
  ArmFileFault(FileStep::kWrite, 1);
  RomEdit edit(path);
  edit.WriteByte(0x2476C, 7);
  EXPECT_THROW(edit.WriteByte(0x2476D, 7), RomFileError);
  DisarmFileFaults();
}

TEST(RomFileAccess, ChecksThatAFileCanBeWrittenWithoutWriting) {
  TempDir dir;
  const std::string path = dir.WriteSample("sample.gbc");
  RomFile::CheckWritable(path);
  ArmFileFault(FileStep::kOpenForWriting);
  EXPECT_EQ(FailureOf([&] { RomFile::CheckWritable(path); }).kind(),
            RomFileError::Kind::kNoAccess);
  DisarmFileFaults();
  EXPECT_EQ(ReadAll(path), MakeSampleImage());
}

TEST(RomFileWrite, RefusesPositionsOutsideTheFileAndLeavesItAsItWas) {
  TempDir dir;
  const std::string path = dir.Write("short.gbc", WithTitle("DRAGON WMONAWQE"));
  const std::vector<std::uint8_t> before = ReadAll(path);
  const std::string message =
      ErrorOf([&] { RomFile::WriteByte(path, 0x2476C, 1); });
  EXPECT_NE(message.find("short.gbc"), std::string::npos) << message;
  EXPECT_NE(message.find("at offset 0x2476B of"), std::string::npos) << message;
  EXPECT_NE(message.find("336 bytes"), std::string::npos) << message;
  EXPECT_THROW(RomFile::WriteByte(path, 0x151, 1), RomFileError);
  EXPECT_THROW(RomEdit(path).WriteByte(0x151, 1), RomFileError);
  EXPECT_THROW(RomFile::WriteByte(path, 0, 1), RomFileError);
  EXPECT_EQ(ReadAll(path), before);
}

TEST(RomFileAccess, NeverCreatesAMissingFile) {
  TempDir dir;
  const std::string path = dir.File("missing.gbc");
  const RomFileError error = FailureOf([&] { RomFile::ReadRomTitle(path); });
  const std::string message = error.what();
  EXPECT_EQ(error.kind(), RomFileError::Kind::kMissing);
  EXPECT_NE(message.find(path), std::string::npos) << message;
  EXPECT_NE(message.find(MissingFileReason()), std::string::npos) << message;
  EXPECT_THROW(RomFile::WriteByte(path, 1, 0), RomFileError);
  EXPECT_FALSE(Exists(path));
}

TEST(RomFileAccess, OpensNamesBeyondAsciiWhileOthersHoldThemOpen) {
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
  RomEdit edit(path);
  edit.WriteByte(0x2476C, 0x2A);
  edit.Commit();
  std::vector<std::uint8_t> expected = MakeSampleImage();
  expected[0x2476B] = 0x2A;
  EXPECT_EQ(ReadAll(path), expected);
}

// A path and the reason that opening it must give.
struct RefusedPath {
  std::string path;
  std::string reason;
  RomFileError::Kind kind = RomFileError::Kind::kNotAFile;
};

TEST(RomFileAccess, RefusesWhatIsNotARegularFile) {
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
        FailureOf([&] { RomFile::ReadBlock(c.path, 1, 1); });
    const std::string message = error.what();
    EXPECT_NE(message.find(c.reason), std::string::npos) << message;
    EXPECT_EQ(error.kind(), c.kind);
    EXPECT_NE(ErrorOf([&] { RomFile::WriteByte(c.path, 1, 0); }).find(c.reason),
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
TEST(RomFileAccess, OpensFilesNamedThroughTheDeviceNamespace) {
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
    RomEdit edit(path);
    EXPECT_TRUE(edit.TitleAccepted());
    edit.WriteByte(0x2476C, 0x2A);
    edit.Commit();
    EXPECT_EQ(ReadAll(path)[0x2476B], 0x2A);
  }
  // The folder's own removal would take the name for the device.
  std::filesystem::remove(FsPath(nul));
}
#endif

#ifndef _WIN32  // Symbolic links on Windows need rights that tests lack.
TEST(RomFileAccess, FollowsSymbolicLinksToImages) {
  TempDir dir;
  const std::string target = dir.WriteSample("sample.gbc");
  const std::string link = dir.File("link.gbc");
  ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
  EXPECT_TRUE(Accepts(link));
  RomFile::WriteByte(link, 0x2476C, 9);
  EXPECT_EQ(ReadAll(target)[0x2476B], 9);
}
#endif

}  // namespace
}  // namespace tivok
