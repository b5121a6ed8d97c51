#include "rom/export_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "rom/file_faults.h"
#include "rom/rom_file.h"
#include "sample_image.h"
#include "support/file_seam_test.h"
#include "support/temp_dir.h"

namespace tivok {
namespace {

using ::tivok::testing::FsPath;
using ::tivok::testing::ReadAll;
using ::tivok::testing::TempDir;

using ExportFileTest = ::tivok::testing::FileSeamTest;

std::vector<std::uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

// The names in the folder: an export leaves nothing else behind.
std::vector<std::string> Names(const TempDir& dir) {
  std::vector<std::string> names;
  for (const auto& entry :
       std::filesystem::directory_iterator(FsPath(dir.path()))) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReasonOf(const std::string& path, std::string_view content,
                     const std::vector<std::string>& images = {}) {
  try {
    ExportFile(path, content, images);
  } catch (const RomFileError& error) {
    return error.reason();
  }
  return "";
}

TEST_F(ExportFileTest, WritesANewFileOrReplacesAnotherWhole) {
  TempDir dir;
  const std::string path = dir.File("shops.csv");
  ExportFile(path, "store,slot,item\n", {});
  EXPECT_EQ(ReadAll(path), Bytes("store,slot,item\n"));
  ExportFile(path, "PATCHEOF", {});
  EXPECT_EQ(ReadAll(path), Bytes("PATCHEOF"));
  EXPECT_EQ(Names(dir), std::vector<std::string>{"shops.csv"});
}

TEST_F(ExportFileTest, NeverGoesOverAnImageOrAFolder) {
  TempDir dir;
  const std::string image = dir.WriteSample("mine.gbc");
  const std::string other = dir.WriteSample("other.bin");
  const std::string same = dir.path() + "/./mine.gbc";
  EXPECT_EQ(ReasonOf(same, "x", {image}),
            "it is the cartridge image \"mine.gbc\", and an export never goes "
            "over an image");
  EXPECT_EQ(ReasonOf(other, "x", {image}),
            "it is a Dragon Warrior Monsters image, and an export never goes "
            "over an image");
  EXPECT_EQ(ReasonOf(dir.path(), "x"), "it is a folder");
  EXPECT_EQ(ReadAll(image), MakeSampleImage());
  EXPECT_EQ(ReadAll(other), MakeSampleImage());
  EXPECT_EQ(Names(dir), (std::vector<std::string>{"mine.gbc", "other.bin"}));
#ifndef _WIN32
  EXPECT_EQ(ReasonOf("/dev/null", "x"), "it is not a regular file");
  // A link to the image is the image.
  std::filesystem::create_symlink(FsPath(image), FsPath(dir.File("link.ips")));
  EXPECT_NE(ReasonOf(dir.File("link.ips"), "x", {image}), "");
  EXPECT_EQ(ReadAll(image), MakeSampleImage());
#endif
}

TEST_F(ExportFileTest, AFailureLeavesTheTargetAsItWasAndNothingBehind) {
  TempDir dir;
  const std::string path = dir.Write("shops.csv", Bytes("old"));
  for (FileStep step : {FileStep::kWrite, FileStep::kFlush}) {
    ArmFileFault(step);
    EXPECT_NE(ReasonOf(path, "new"), "");
    DisarmFileFaults();
    EXPECT_EQ(ReadAll(path), Bytes("old"));
    EXPECT_EQ(Names(dir), std::vector<std::string>{"shops.csv"});
  }
  EXPECT_NE(ReasonOf(dir.File("no such folder/x.csv"), "new"), "");
}

}  // namespace
}  // namespace tivok
