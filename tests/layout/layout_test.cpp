#include "layout/layout.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "layout/layout_file.h"
#include "layout/layout_plan.h"
#include "rom/store_read.h"
#include "support/temp_dir.h"

namespace tivok {
namespace {

using ::tivok::testing::FsPath;
using ::tivok::testing::TempDir;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A wish as "store position:slot=code@line", with "<was" when it has one.
std::vector<std::string> WishesOf(const Layout& layout) {
  std::vector<std::string> wishes;
  for (const SlotWish& wish : layout.wishes) {
    wishes.push_back(std::to_string(wish.store->selector_position) + ":" +
                     std::to_string(wish.slot) + "=" +
                     std::to_string(wish.code) + "@" +
                     std::to_string(wish.line) +
                     (wish.was ? "<" + std::to_string(*wish.was) : ""));
  }
  return wishes;
}

// Columns in any order and case, names or codes, white-space lines left
// out, offsets with leading zeros, and a repeated row kept once; was as
// a name, any byte in hex or as a listing writes it, or left empty.
TEST(Layout, ReadsAWishPerSlot) {
  const struct {
    std::string text;
    std::vector<std::string> wishes;
  } cases[] = {
      {"store,slot,item\n", {}},
      {" \t\nstore,slot,offset,item\n  \nportal,3,0x0002478e,Sirloin\n",
       {"4:3=23@4"}},
      {"code,store,slot\n0x24,portal,3\n0xC8,1,2\n", {"4:3=36@2", "0:2=200@3"}},
      {"store,slot,item\nportal,1,herb\n\"portal\",\"1\",\"Herb\"\n",
       {"4:1=1@2"}},
      {"store,slot,item,was\nportal,1,herb,Sirloin\nportal,2,herb,0xc8\n"
       "portal,3,herb,unknown item (0xFF)\nportal,4,herb,\nportal,4,herb,"
       "0x00\nportal,4,herb,null\n",
       {"4:1=1@2<23", "4:2=1@3<200", "4:3=1@4<255", "4:4=1@5<0"}},
  };
  for (const auto& c : cases) {
    const Layout layout = ReadLayout(c.text);
    EXPECT_EQ(layout.error_count, 0) << c.text;
    EXPECT_EQ(WishesOf(layout), c.wishes) << c.text;
  }
}

// A layout with any wrong line is refused, with the line and the reason.
TEST(Layout, NamesEachWrongLine) {
  const std::string good = "portal,1,herb\n";
  const struct {
    std::string layout;
    int line;
    std::string says;
  } cases[] = {
      {"", 1, "the layout is empty"},
      {"store,slot,itme\n", 1, "unknown column \"itme\""},
      {"store,item\n", 1, "the first line names the columns, and needs"},
      {"store,slot,item,item\n", 1, "the column \"item\" is named twice"},
      {"store,slot,item\n" + good + "portl,1,herb\n", 3,
       "no store is called \"portl\""},
      {"store,slot,item\n" + good + "third,8,herb\n", 3,
       "Third (Bottom Middle) Shop has no slot 8"},
      {"store,slot,item\n" + good + "portal,2,sirlion\n", 3,
       "no item is called"},
      // An echo escapes a quote, so that the name reads as it was given.
      {"store,slot,item\nportal,2,\"Sir\"\"loin\"\n", 2,
       "no item is called \"Sir\\\"loin\"; did you mean"},
      {"store,slot,code\nportal,1,0x100\n", 2,
       "\"0x100\" is valid hex, but above 0xFF, the largest byte"},
      {"store,slot,item\n" + good + "portal,2\n", 3,
       "2 fields, but the first line names 3"},
      {"store,slot,item\n" + good + "portal,2,\n", 3, "the row gives neither"},
      {"store,slot,code\nportal,1,0x01\nportal,2,17\n", 3,
       "\"17\" is a bare number"},
      {"store,slot,code,item\nportal,2,0x18,Sirloin\n", 2,
       "the item and the code disagree: the item is Sirloin (0x17), the code "
       "0x18 is Bolt Staff (0x18)"},
      {"store,slot,offset,item\nportal,2,0x2478E,Herb\n", 2,
       "the offset \"0x2478E\" is not that of slot 2 of Portal Shop, offset "
       "0x2478D"},
      {"store,slot,item\n" + good + "\"portal\",\"1\",\"Sirloin\"\n", 3,
       "slot 1 of Portal Shop, offset 0x2478C, is given Sirloin (0x17) here, "
       "but Herb (0x01) on line 2"},
      {"store,slot,item\n" + good + "portal,2,\"herb\n", 3,
       "a quoted field is never closed"},
      {"store,slot,item\n" + good + "portal,2,unknown item (17)\n", 3,
       "\"unknown item (17)\" is a known item, Sirloin (0x17)"},
      {"store,slot,item\n" + good + "portal,2,Herb (0x01)\n", 3,
       "no item is called \"Herb (0x01)\""},
      {"store,slot,item,was\nportal,1,herb,\nportal,2,herb,17\n", 3,
       "in the was column, \"17\" is a bare number"},
      {"store,slot,item,was\nportal,1,herb,\nportal,2,herb,sirlion\n", 3,
       "in the was column, no item is called \"sirlion\"; did you mean "
       "Sirloin?"},
      {"store,slot,item,was\nportal,1,herb,null\nportal,1,herb,0x17\n", 3,
       "slot 1 of Portal Shop, offset 0x2478C, must hold Sirloin (0x17) "
       "before the change here, but Null (0x00) on line 2"},
  };
  for (const auto& c : cases) {
    const Layout layout = ReadLayout(c.layout);
    EXPECT_TRUE(layout.wishes.empty() || layout.error_count > 0) << c.layout;
    ASSERT_EQ(layout.errors.size(), 1u) << c.layout;
    EXPECT_EQ(layout.errors[0].line, c.line) << c.layout;
    EXPECT_TRUE(Has(layout.errors[0].reason, c.says))
        << layout.errors[0].reason;
  }
}

// Of many wrong lines the first 20 are kept and all are counted; a word
// that a reason echoes is cut short and escaped.
TEST(Layout, KeepsItsReasonsShortAndSafe) {
  std::string rows = "store,slot,item\n";
  for (int line = 2; line <= 26; ++line) {
    rows += "portal,1,\x1B[2J" + std::string(50, 'x') + "\n";
  }
  const Layout layout = ReadLayout(rows);
  EXPECT_EQ(layout.error_count, 25);
  ASSERT_EQ(layout.errors.size(), Layout::kMostErrorsKept);
  EXPECT_EQ(layout.errors.back().line, 21);
  EXPECT_EQ(layout.errors.back().reason,
            "no item is called \"\\x1B[2J" + std::string(36, 'x') +
                "...\"; an item is its name, such as Sirloin, or its code in "
                "hex, such as 0x17, as tivok-cli items lists them");
}

// A layout over 1 MiB is refused before it is read further, with its size
// where the file has one.
TEST(LayoutFile, RefusesMoreThanOneMebibyte) {
  TempDir dir;
  std::string big = "store,slot,item\n";
  big.resize(kLayoutLimit + 1, '\n');
  const std::string file =
      dir.Write("big.csv", std::vector<std::uint8_t>(big.begin(), big.end()));
  EXPECT_EQ(ReadLayoutFile(file).error,
            "the layout \"" + file +
                "\" has 1048577 bytes, more than the 1048576 bytes (1 MiB) "
                "that a layout may have");
  std::istringstream over(big);
  EXPECT_EQ(ReadLayoutFrom(over).error,
            "the layout on standard input has more than the 1048576 bytes (1 "
            "MiB) that a layout may have");
  big.pop_back();
  std::istringstream limit(big);
  const LayoutText text = ReadLayoutFrom(limit);
  EXPECT_TRUE(text.ok()) << text.error;
  EXPECT_EQ(text.text, big);
}

// The first bytes tell a patch from a layout, whatever the name; a patch
// may have less than 16 MiB. A name that asks for a patch gets the patch's
// words when the file is none.
TEST(LayoutFile, TellsPatchesByTheirFirstBytes) {
  TempDir dir;
  const std::string ips = dir.Write("shops.csv", {'P', 'A', 'T', 'C', 'H'});
  EXPECT_EQ(ReadLayoutFile(ips).patch, PatchFormat::kIps);
  EXPECT_EQ(ReadLayoutFile(ips).text, "PATCH");
  EXPECT_EQ(ReadLayoutFile(dir.Write("s", {'B', 'P', 'S', '1'})).patch,
            PatchFormat::kBps);
  const std::string csv = dir.Write("shops.IPS", {'s', 't', 'o', 'r', 'e'});
  EXPECT_EQ(ReadLayoutFile(csv).error,
            "the patch \"" + csv +
                "\" is neither an IPS patch, which begins with \"PATCH\", nor "
                "a BPS patch, which begins with \"BPS1\"");
  const std::string big = dir.Write("big.bps", {'B', 'P', 'S', '1'});
  std::filesystem::resize_file(FsPath(big), 16 * 1024 * 1024);
  EXPECT_EQ(ReadLayoutFile(big).error,
            "the patch \"" + big +
                "\" has 16777216 bytes, and a patch may have fewer than "
                "16777216 bytes (16 MiB)");
  std::filesystem::resize_file(FsPath(big), 16 * 1024 * 1024 - 1);
  EXPECT_TRUE(ReadLayoutFile(big).ok());
}

#ifndef _WIN32
// A FIFO is refused at once, with the reason, where a read would wait for
// a writer; tivok-cli asks for it to be read, as a pipe.
TEST(LayoutFile, RefusesAFifoUnlessAskedToReadIt) {
  TempDir dir;
  const std::string fifo = dir.File("fifo.csv");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  EXPECT_EQ(ReadLayoutFile(fifo).error, "cannot read the layout \"" + fifo +
                                            "\": it is not a regular file");
  std::thread writer([&] { std::ofstream(fifo) << "store,slot,item\n"; });
  const LayoutText read = ReadLayoutFile(fifo, Streams::kRead);
  writer.join();
  EXPECT_TRUE(read.ok()) << read.error;
  EXPECT_EQ(read.text, "store,slot,item\n");
}
#endif

// A layout planned against the sample image, whole or cut short after
// Portal slot 2: each change as "store position:slot holds>gets@line", the
// rows that change nothing, and each refusal with its line. A slot that
// holds the new item changes nothing whatever its was.
TEST(LayoutPlan, ChangesOnlyTheSlotsThatHoldWhatTheLayoutExpects) {
  const struct {
    std::string layout;
    std::size_t size;
    std::vector<std::string> changes;
    int unchanged;
    std::vector<std::string> refusals;
  } cases[] = {
      {"store,slot,item\nportal,3,sirloin\nportal,1,Cheater BK\n"
       "beginner,2,herb\n",
       256 * 1024,
       {"4:3 36>23@2", "0:2 2>1@4"},
       1,
       {}},
      {"store,slot,item,was\nportal,3,sirloin,herb\nportal,2,herb,0x23\n"
       "portal,4,0x25,herb\n",
       256 * 1024,
       {"4:2 35>1@3"},
       1,
       {"2: slot 3 of Portal Shop, offset 0x2478E, holds Comedy BK (24), not "
        "Herb (1), which the layout expects there before writing Sirloin "
        "(17)"}},
      {"store,slot,item\nportal,2,herb\nportal,3,sirloin\n",
       0x2478E,
       {"4:2 35>1@2"},
       0,
       {"3: slot 3 of Portal Shop, offset 0x2478E, is not in the image: the "
        "file has only 149390 bytes"}},
      // One slot reads in the singular.
      {"store,slot,item\nportal,3,sirloin\n",
       256 * 1024,
       {"4:3 36>23@2"},
       0,
       {}},
      {"store,slot,code\nportal,1,0xC8\n",
       256 * 1024,
       {},
       0,
       {"2: slot 1 of Portal Shop, offset 0x2478C, holds Cheater BK (22), not "
        "an unknown item (C8), which can be kept where a slot holds it, but "
        "never written"}},
  };
  TempDir dir;
  for (const auto& c : cases) {
    std::filesystem::remove(FsPath(dir.File("sample.gbc")));
    const ImageStores image =
        ReadImageStores(dir.WriteSample("sample.gbc", c.size));
    const Layout layout = ReadLayout(c.layout);
    ASSERT_EQ(layout.error_count, 0) << c.layout;
    const LayoutPlan plan = PlanLayout(
        layout, [&](const Store& store) { return &image.Of(store); });
    std::vector<std::string> changes, refusals;
    for (const PlannedChange& change : plan.changes) {
      changes.push_back(std::to_string(change.store->selector_position) + ":" +
                        std::to_string(change.slot) + " " +
                        std::to_string(change.holds) + ">" +
                        std::to_string(change.gets) + "@" +
                        std::to_string(change.line));
    }
    for (const LayoutError& refusal : plan.refusals) {
      refusals.push_back(std::to_string(refusal.line) + ": " + refusal.reason);
    }
    EXPECT_EQ(changes, c.changes) << c.layout;
    EXPECT_EQ(plan.unchanged, c.unchanged) << c.layout;
    EXPECT_EQ(refusals, c.refusals) << c.layout;
    EXPECT_EQ(plan.refused(), !c.refusals.empty()) << c.layout;
    if (plan.changes.size() == 1) {
      EXPECT_EQ(
          PreviewOf(plan, dir.File("one.csv"), dir.File("sample.gbc")).heading,
          "\"one.csv\" changes 1 slot of \"sample.gbc\". Apply writes "
          "it in one step, which Edit, Undo takes back; Cancel writes "
          "nothing.");
    }
  }
}

}  // namespace
}  // namespace tivok
