#include "layout/csv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tivok {
namespace {

using Fields = std::vector<std::string>;

TEST(Csv, ReadsRfc4180Records) {
  const struct {
    std::string text;
    std::vector<int> lines;
    std::vector<Fields> records;
  } cases[] = {
      {"a,b\r\nc,d\r\n", {1, 2}, {{"a", "b"}, {"c", "d"}}},
      {"a,b\nc,d", {1, 2}, {{"a", "b"}, {"c", "d"}}},
      {"a\rb\r", {1, 2}, {{"a"}, {"b"}}},
      {"\xEF\xBB\xBFstore,slot\n", {1}, {{"store", "slot"}}},
      {"\"Beginner's (Top Left) Shop\",\"a,b\",\"say \"\"hi\"\"\"\n",
       {1},
       {{"Beginner's (Top Left) Shop", "a,b", "say \"hi\""}}},
      // A line end inside quotes belongs to the field and counts as a line.
      {"\"two\r\nlines\",x\ny,\"\"\n",
       {1, 3},
       {{"two\r\nlines", "x"}, {"y", ""}}},
      {"\n\r\n,\n\na\n", {3, 5}, {{"", ""}, {"a"}}},
      // Blanks around a quoted field are left out, those in it kept.
      {"portal, 3, \"Sage Stone\"\n \t\" a\" \t,b\n",
       {1, 2},
       {{"portal", " 3", "Sage Stone"}, {" a", "b"}}},
      {"", {}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const CsvRecords csv = ParseCsv(c.text);
    EXPECT_EQ(csv.error, "");
    std::vector<int> lines;
    std::vector<Fields> records;
    for (const CsvRecord& record : csv.records) {
      lines.push_back(record.line);
      records.push_back(record.fields);
    }
    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(records, c.records);
  }
}

TEST(Csv, NamesTheLineOfWhatIsNotCsv) {
  const struct {
    std::string text;
    int line;
    std::string reason;
  } cases[] = {
      {"a\nb,\"open\nc\n", 2, "never closed"},
      {"a\n\"x\"y,z\n", 2, "followed by more text"},
      {"a\nb\nsay \"hi\"\n", 3, "inside an unquoted field"},
      {"a\n \"x\" y\n", 2, "followed by more text"},
  };
  for (const auto& c : cases) {
    const CsvRecords csv = ParseCsv(c.text);
    EXPECT_EQ(csv.error_line, c.line) << c.text;
    EXPECT_NE(csv.error.find(c.reason), std::string::npos) << csv.error;
    EXPECT_TRUE(csv.records.empty());
  }
}

TEST(Csv, QuotesOnlyFieldsThatNeedItAndReadsThemBack) {
  const Fields fields = {"Portal Shop",  "Beginner's (Top Left) Shop",
                         "a,b",          "say \"hi\"",
                         "two\r\nlines", ""};
  std::string line;
  for (const std::string& field : fields) {
    line += (line.empty() ? "" : ",") + CsvField(field);
  }
  EXPECT_EQ(line,
            "Portal Shop,Beginner's (Top Left) Shop,\"a,b\",\"say "
            "\"\"hi\"\"\",\"two\r\nlines\",");
  const CsvRecords csv = ParseCsv(line + "\r\n");
  ASSERT_EQ(csv.records.size(), 1u);
  EXPECT_EQ(csv.records[0].fields, fields);
}

}  // namespace
}  // namespace tivok
