#include "rom/export_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "rom/file_faults.h"
#include "rom/file_path.h"
#include "rom/patch.h"
#include "rom/rom_file.h"
#include "sample_image.h"
#include "support/file_seam_test.h"
#include "support/temp_dir.h"

namespace tivok {
namespace {

using ::tivok::testing::FsPath;
using ::tivok::testing::NoAccessReason;
using ::tivok::testing::OtherGameImage;
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

// An IPS patch of one byte, at offset 0x2476B.
const std::string kIps =
    std::string("PATCH\x02\x47\x6B\x00\x01\x2A", 11) + "EOF";

std::string ReasonOf(const std::string& path, std::string_view content,
                     const std::vector<std::string>& images = {}) {
  try {
    ExportFile(path, content, kIpsPatchKind, images);
  } catch (const RomFileError& error) {
    return error.reason();
  }
  return "";
}

// A new file, an empty one, or a file of the kind written is replaced
// whole, whatever the length of its name.
TEST_F(ExportFileTest, WritesANewFileOrReplacesOneOfItsKindWhole) {
  TempDir dir;
  const std::string path = dir.File("hack.ips");
  ExportFile(path, "PATCHEOF", kIpsPatchKind, {});
  EXPECT_EQ(ReadAll(path), Bytes("PATCHEOF"));
  ExportFile(path, kIps, kIpsPatchKind, {});
  EXPECT_EQ(ReadAll(path), Bytes(kIps));
  const std::vector<std::uint8_t> bps = BpsPatch(MakeSampleImage(0x150), {});
  const std::string empty = dir.Write("hack.bps", {});
  const std::string_view bps_text(reinterpret_cast<const char*>(bps.data()),
                                  bps.size());
  ExportFile(empty, bps_text, kBpsPatchKind, {});
  ExportFile(empty, bps_text, kBpsPatchKind, {});
  EXPECT_EQ(ReadAll(empty), bps);
  const std::string long_name = dir.File(std::string(246, 'n') + ".ips");
  EXPECT_EQ(ReasonOf(long_name, kIps), "");
  EXPECT_EQ(ReadAll(long_name), Bytes(kIps));
  EXPECT_EQ(Names(dir), (std::vector<std::string>{"hack.bps", "hack.ips",
                                                  FileName(long_name)}));
}

// What the target holds decides, not its name: any game's cartridge image,
// the images at hand by any name, and any file of another kind that is
// not empty are left byte for byte.
TEST_F(ExportFileTest, NeverReplacesAnImageOrAFileOfAnotherKind) {
  TempDir dir;
  const std::string image = dir.WriteSample("mine.gbc");
  const std::string never =
      ", and an export never replaces a cartridge image; nothing was written";
  const std::string other_kind =
      "it holds something other than an IPS patch, and an export replaces "
      "only an IPS patch or an empty file; nothing was written";
  const std::vector<std::uint8_t> bps = BpsPatch(MakeSampleImage(0x150), {});
  const struct {
    std::string name;
    std::vector<std::uint8_t> bytes;
    std::string reason;
  } cases[] = {
      {"other.gb", OtherGameImage("OTHER GAME"),
       "it is a Game Boy cartridge image (\"OTHER GAME\")" + never},
      {"notes.ips", Bytes("PATCH notes"), other_kind},
      {"hack.ips", bps, other_kind},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.Write(c.name, c.bytes);
    EXPECT_EQ(ReasonOf(path, kIps, {image}), c.reason);
    EXPECT_EQ(ReadAll(path), c.bytes);
  }
  EXPECT_EQ(ReasonOf(dir.path() + "/./mine.gbc", kIps, {image}),
            "it is the cartridge image \"mine.gbc\"" + never);
  EXPECT_EQ(ReasonOf(dir.path(), kIps), "it is a folder");
  EXPECT_EQ(ReadAll(image), MakeSampleImage());
  EXPECT_EQ(Names(dir).size(), 4u);
#ifndef _WIN32
  EXPECT_EQ(ReasonOf("/dev/null", "x"), "it is not a regular file");
  // A link to the image is the image.
  std::filesystem::create_symlink(FsPath(image), FsPath(dir.File("link.ips")));
  EXPECT_NE(ReasonOf(dir.File("link.ips"), kIps, {image}), "");
  EXPECT_EQ(ReadAll(image), MakeSampleImage());
#endif
}

// A failure at any step leaves the target as it was and nothing behind; a
// folder that cannot take the new file is named as the cause, and a target
// that cannot be read is refused as an export.
TEST_F(ExportFileTest, AFailureLeavesTheTargetAsItWasAndNothingBehind) {
  TempDir dir;
  const std::string path = dir.Write("hack.ips", Bytes(kIps));
  for (FileStep step : {FileStep::kRead, FileStep::kOpenForWriting,
                        FileStep::kWrite, FileStep::kFlush}) {
    ArmFileFault(step);
    const std::string reason = ReasonOf(path, "PATCHEOF");
    DisarmFileFaults();
    if (step == FileStep::kRead) {
      EXPECT_EQ(reason.rfind("it cannot be read to tell what it holds (", 0),
                0u)
          << reason;
    }
    if (step == FileStep::kOpenForWriting) {
      EXPECT_EQ(reason, "the folder \"" + dir.path() +
                            "\" cannot take a new file: " + NoAccessReason());
    }
    EXPECT_NE(reason, "");
    EXPECT_EQ(ReadAll(path), Bytes(kIps));
    EXPECT_EQ(Names(dir), std::vector<std::string>{"hack.ips"});
  }
  EXPECT_NE(ReasonOf(dir.File("no such folder/x.ips"), kIps), "");
}

}  // namespace
}  // namespace tivok
