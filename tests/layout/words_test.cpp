#include "layout/words.h"

#include <gtest/gtest.h>

#include <string>

#include "rom/store_table.h"

namespace tivok {
namespace {

TEST(Words, NameStoresInAnyCaseByLabelWordOrNumber) {
  const struct {
    std::string word;
    int position;  // -1: no store
  } cases[] = {
      {"Portal Shop", 4}, {"portal shop", 4},
      {"PORTAL", 4},      {"5", 4},
      {"beginner", 0},    {"BEGINNER'S (TOP LEFT) SHOP", 0},
      {"1", 0},           {"second", 1},
      {"3", 2},           {"Third (Bottom Middle) Shop", 2},
      {"book", 3},        {"4", 3},
      {"portl", -1},      {"0", -1},
      {"6", -1},          {"Pre-Starry Night Shop", -1},
      {"", -1},           {"+5", -1},
  };
  for (const auto& c : cases) {
    const Reading<const Store*> store = ReadStore(c.word);
    EXPECT_EQ(store.ok() ? store.value->selector_position : -1, c.position)
        << c.word;
  }
}

TEST(Words, NameSlotsFromOneAndItemsByNameOrPrefixedHex) {
  const Store& third = *StoreTable::BySelectorPosition(2);
  const struct {
    std::string word;
    int value;  // -1: refused
  } slots[] = {{"1", 1},   {"7", 7},  {"8", -1}, {"0", -1},
               {"-1", -1}, {"x", -1}, {"", -1},  {"1.0", -1}};
  for (const auto& c : slots) {
    const Reading<int> slot = ReadSlot(c.word, third);
    EXPECT_EQ(slot.ok() ? slot.value : -1, c.value) << c.word;
  }
  const struct {
    std::string word;
    int item;  // -1: refused by ReadItem
    int code;  // -1: refused by ReadCode
  } items[] = {
      {"Sirloin", 0x17, -1}, {"sIRLOIN", 0x17, -1}, {"sage stone", 3, -1},
      {"ATK Seed", 15, -1},  {"Null", 0, -1},       {"0x17", 0x17, 0x17},
      {"0X2b", 43, 43},      {"0x0", 0, 0},         {"0x2C", -1, 0x2C},
      {"0xC8", -1, 0xC8},    {"0x100", -1, -1},     {"0x", -1, -1},
      {"17", -1, -1},        {"0", -1, -1},         {"sirlion", -1, -1},
      {"Sage", -1, -1},      {"", -1, -1},
  };
  for (const auto& c : items) {
    const Reading<int> item = ReadItem(c.word);
    const Reading<int> code = ReadCode(c.word);
    EXPECT_EQ(item.ok() ? item.value : -1, c.item) << c.word;
    EXPECT_EQ(code.ok() ? code.value : -1, c.code) << c.word;
  }
}

}  // namespace
}  // namespace tivok
