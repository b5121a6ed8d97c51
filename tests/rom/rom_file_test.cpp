#include "rom/rom_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "sample_image.h"
#include "support/temp_dir.h"

namespace tivok {
namespace {

using ::tivok::testing::Exists;
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

// The message of the RomFileError that `action` throws.
template <typename Action>
std::string ErrorOf(Action action) {
  try {
    action();
  } catch (const RomFileError& error) {
    return error.what();
  }
  ADD_FAILURE() << "no RomFileError";
  return "";
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
}

TEST(RomFileRead, FailsPastTheEndOrBeforeTheStart) {
  TempDir dir;
  const std::string path = dir.Write("f.bin", {10, 11, 12, 13, 14});
  EXPECT_THROW(RomFile::ReadBlock(path, 4, 3), RomFileError);
  EXPECT_THROW(RomFile::ReadBlock(path, 0, 1), RomFileError);
  EXPECT_THROW(RomFile::ReadBlock(path, -5, 1), RomFileError);
  const std::string message = ErrorOf([&] { RomFile::ReadBlock(path, 4, 3); });
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
  EXPECT_TRUE(RomFile::WriteByteIfTitleAccepted(path, 0x2476C, 0x2A));
  expected[0x2476B] = 0x2A;
  EXPECT_EQ(ReadAll(path), expected);
}

TEST(RomFileWrite, WritesOnlyUnderTheAcceptedTitle) {
  TempDir dir;
  std::vector<std::uint8_t> foreign = MakeSampleImage();
  foreign[0x13A] = 'Z';
  const std::string path = dir.Write("foreign.gbc", foreign);
  EXPECT_FALSE(RomFile::WriteByteIfTitleAccepted(path, 0x2476C, 0x2A));
  EXPECT_EQ(ReadAll(path), foreign);
  // Too short for the title: the read of the title fails, nothing written.
  const std::string tiny = dir.Write("tiny.gbc", {1, 2, 3});
  EXPECT_THROW(RomFile::WriteByteIfTitleAccepted(tiny, 1, 9), RomFileError);
  EXPECT_EQ(ReadAll(tiny), (std::vector<std::uint8_t>{1, 2, 3}));
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
  EXPECT_THROW(RomFile::WriteByteIfTitleAccepted(path, 0x151, 1), RomFileError);
  EXPECT_THROW(RomFile::WriteByte(path, 0, 1), RomFileError);
  EXPECT_EQ(ReadAll(path), before);
}

TEST(RomFileAccess, NeverCreatesAMissingFile) {
  TempDir dir;
  const std::string path = dir.File("missing.gbc");
  const std::string message = ErrorOf([&] { RomFile::ReadRomTitle(path); });
  EXPECT_NE(message.find(path), std::string::npos) << message;
  EXPECT_NE(message.find("No such file or directory"), std::string::npos);
  EXPECT_THROW(RomFile::WriteByte(path, 1, 0), RomFileError);
  EXPECT_FALSE(Exists(path));
}

TEST(RomFileAccess, RefusesDirectoriesAndFifosAtOnce) {
  TempDir dir;
  const std::string folder = dir.File("folder.gbc");
  ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
  EXPECT_NE(
      ErrorOf([&] { RomFile::ReadRomTitle(folder); }).find("Is a directory"),
      std::string::npos);
  EXPECT_THROW(RomFile::WriteByte(folder, 1, 0), RomFileError);

  // Nobody ever opens the other end: an open that waited would hang here.
  const std::string fifo = dir.File("pipe.gbc");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  EXPECT_NE(ErrorOf([&] {
              RomFile::ReadBlock(fifo, 1, 1);
            }).find("not a regular file"),
            std::string::npos);
  EXPECT_THROW(RomFile::WriteByte(fifo, 1, 0), RomFileError);
}

TEST(RomFileAccess, FollowsSymbolicLinksToImages) {
  TempDir dir;
  const std::string target = dir.WriteSample("sample.gbc");
  const std::string link = dir.File("link.gbc");
  ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
  EXPECT_TRUE(Accepts(link));
  RomFile::WriteByte(link, 0x2476C, 9);
  EXPECT_EQ(ReadAll(target)[0x2476B], 9);
}

}  // namespace
}  // namespace tivok
