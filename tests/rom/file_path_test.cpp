// Paths made normal where they enter the program, on POSIX paths.

#include "rom/file_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace tivok {
namespace {

using ::tivok::testing::FsPath;
using ::tivok::testing::TempDir;

// A spelling is made shorter only where the shorter path names the same
// file: not across a symbolic link, and not by dropping the separator that
// makes a name a folder's.
TEST(NormalPathTest, KeepsNamingTheSameFile) {
  const TempDir dir;
  const std::string at = dir.path();
  std::filesystem::create_directories(FsPath(at + "/real/deep"));
  std::filesystem::create_directory_symlink(FsPath(at + "/real/deep"),
                                            FsPath(at + "/link"));
  const struct {
    std::string given;
    std::string normal;
  } cases[] = {
      {at + "/./real//a.gbc", at + "/real/a.gbc"},
      {at + "/real/deep/../a.gbc", at + "/real/a.gbc"},
      // "link/.." is "real", not the folder that holds the link.
      {at + "/link/../a.gbc", at + "/link/../a.gbc"},
      {at + "/link/../../a.gbc", at + "/link/../../a.gbc"},
      {at + "/a.gbc/", at + "/a.gbc/"},
      {at + "/real/.", at + "/real/"},
      {"/../a.gbc", "/a.gbc"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NormalPath(c.given), c.normal) << c.given;
  }
}

}  // namespace
}  // namespace tivok
