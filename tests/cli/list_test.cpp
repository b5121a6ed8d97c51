#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "cli/expected_listings.h"
#include "sample_image.h"
#include "support/temp_dir.h"

namespace tivok::cli {
namespace {

using ::tivok::cli::testing::CliRun;
using ::tivok::cli::testing::RunCliWith;
using ::tivok::testing::ReadAll;
using ::tivok::testing::TempDir;

std::string WithCrLf(std::string text) {
  for (std::size_t at = text.find('\n'); at != std::string::npos;
       at = text.find('\n', at + 2)) {
    text.insert(at, "\r");
  }
  return text;
}

TEST(CliList, PrintsTheSampleImageInEachFormat) {
  TempDir dir;
  const std::string path = dir.WriteSample("sample.gbc");
  const struct {
    std::vector<std::string> format;
    std::string expected;
  } cases[] = {
      {{}, testing::kSampleTable},
      {{"--format=table"}, testing::kSampleTable},
      {{"--format=csv"}, WithCrLf(testing::kSampleCsv)},
      {{"--format", "json"}, testing::kSampleJson},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"list", path};
    args.insert(args.end(), c.format.begin(), c.format.end());
    const CliRun run = RunCliWith(args);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, c.expected);
    EXPECT_EQ(run.err, "");
  }
  EXPECT_EQ(ReadAll(path), MakeSampleImage());
}

// A code that is no item is listed as such in every format, and a listing
// applied to the image it came from changes nothing, that slot included.
TEST(CliList, ListsAnUnknownCodeAndAppliesItBackUnchanged) {
  TempDir dir;
  std::vector<std::uint8_t> image = MakeSampleImage();
  image[0x2478D] = 0xC8;  // Portal slot 2
  const std::string path = dir.Write("odd.gbc", image);

  const struct {
    std::string format;
    std::string line;
  } cases[] = {
      {"table", "     2  0x2478D  0xC8  unknown item (C8)\n"},
      {"csv", "Portal Shop,2,0x2478D,0xC8,unknown item (C8)\r\n"},
      {"json",
       "{\"slot\": 2, \"offset\": \"0x2478D\", \"code\": \"0xC8\", "
       "\"item\": \"unknown item (C8)\", \"known\": false}"},
  };
  for (const auto& c : cases) {
    const CliRun run =
        RunCliWith({"list", path, "Portal", "--format=" + c.format});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find(c.line), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("Beginner"), std::string::npos);
  }

  const CliRun csv = RunCliWith({"list", "--format=csv", path});
  const CliRun apply = RunCliWith({"apply", path, "-"}, csv.out);
  EXPECT_EQ(apply.status, 0) << apply.err;
  EXPECT_EQ(apply.out,
            "Nothing to change: \"" + path + "\" holds these items already.\n");
  EXPECT_EQ(ReadAll(path), image);
}

}  // namespace
}  // namespace tivok::cli
