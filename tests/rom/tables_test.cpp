#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rom/item_table.h"
#include "rom/store_table.h"

namespace tivok {
namespace {

TEST(StoreTable, HoldsEveryStoreInSelectorOrder) {
  const std::vector<std::string> labels = {
      "Beginner's (Top Left) Shop", "Second (Far Right) Shop",
      "Third (Bottom Middle) Shop", "Book (Bottom Left) Shop", "Portal Shop"};
  const std::vector<std::string> keys = {"Beginner's Shop",
                                         "Pre-Starry Night Shop", "Third Shop",
                                         "Book Shop", "Portal Shop"};
  const std::vector<int> counts = {8, 8, 7, 6, 8};
  ASSERT_EQ(StoreTable::All().size(), 5u);
  for (int p = 0; p < 5; ++p) {
    const Store* store = StoreTable::BySelectorPosition(p);
    ASSERT_NE(store, nullptr);
    EXPECT_EQ(store->selector_position, p);
    EXPECT_EQ(store->selector_label, labels[p]);
    EXPECT_EQ(store->save_key, keys[p]);
    EXPECT_EQ(store->slot_count, counts[p]);
    EXPECT_EQ(StoreTable::BySaveKey(keys[p]), store);
  }
  EXPECT_EQ(StoreTable::BySelectorPosition(-1), nullptr);
  EXPECT_EQ(StoreTable::BySelectorPosition(5), nullptr);
}

TEST(StoreTable, SaveKeysMatchExactly) {
  EXPECT_EQ(StoreTable::BySaveKey("Second (Far Right) Shop"), nullptr);
  EXPECT_EQ(StoreTable::BySaveKey("book shop"), nullptr);
  EXPECT_EQ(StoreTable::BySaveKey("Book Shop "), nullptr);
  EXPECT_EQ(StoreTable::BySaveKey(""), nullptr);
}

// An address shows the slot's position counted from 1, and reads back as
// the slot's offset.
TEST(StoreTable, SlotAddressTextsOfAllSlots) {
  const std::vector<std::vector<std::string>> expected = {
      {"&H2476C", "&H2476D", "&H2476E", "&H2476F", "&H24770", "&H24771",
       "&H24772", "&H24773"},
      {"&H24775", "&H24776", "&H24777", "&H24778", "&H24779", "&H2477A",
       "&H2477B", "&H2477C"},
      {"&H24785", "&H24786", "&H24787", "&H24788", "&H24789", "&H2478A",
       "&H2478B"},
      {"&H2477E", "&H2477F", "&H24780", "&H24781", "&H24782", "&H24783"},
      {"&H2478D", "&H2478E", "&H2478F", "&H24790", "&H24791", "&H24792",
       "&H24793", "&H24794"},
  };
  int total = 0;
  for (const Store& store : StoreTable::All()) {
    std::vector<std::string> texts;
    for (int k = 1; k <= store.slot_count; ++k) {
      texts.push_back(store.SlotAddressText(k));
      EXPECT_EQ(ParseSlotAddress(texts.back()), store.SlotOffset(k));
    }
    EXPECT_EQ(texts, expected[store.selector_position]) << store.save_key;
    total += store.slot_count;
  }
  EXPECT_EQ(total, 37);
}

TEST(StoreTable, RegionsFollowOneAnotherInFileOrder) {
  // File order: Beginner's, Second, Book, Third, Portal.
  const std::vector<int> file_order = {0, 1, 3, 2, 4};
  FileOffset next = 0x2476A;
  for (int p : file_order) {
    const Store& store = *StoreTable::BySelectorPosition(p);
    EXPECT_EQ(store.read_offset, next) << store.save_key;
    next = store.SlotOffset(store.slot_count) + 1;
  }
  EXPECT_EQ(next, 0x24794);
}

TEST(ItemTable, NamesByCode) {
  // Code 0 to 43, in the new-item selector's order.
  const std::vector<std::string> names = {
      "Null",       "Herb",       "Lovewater",  "Sage Stone", "World Dew",
      "Potion",     "Elf Water",  "Antidote",   "Moon Herb",  "Sky Bell",
      "Laurel",     "Awake Sand", "World Leaf", "Life Acorn", "Mystic Nut",
      "ATK Seed",   "DEF Seed",   "AGL Seed",   "INT Seed",   "Beef Jerky",
      "Porkchop",   "Rib",        "Bad Meat",   "Sirloin",    "Bolt Staff",
      "Wind Staff", "Mist Staff", "Lava Staff", "Snow Staff", "Warp Wing",
      "Tiny Medal", "Quest BK",   "Horror BK",  "BeNice BK",  "Cheater BK",
      "Smart BK",   "Comedy BK",  "Fire Staff", "Beast Tail", "Warp Staff",
      "Repellent",  "Shiny Harp", "Map Herb",   "Bookmark"};
  ASSERT_EQ(ItemTable::Names().size(), names.size());
  for (int code = 0; code < ItemTable::kItemCount; ++code) {
    const auto i = static_cast<std::size_t>(code);
    EXPECT_EQ(ItemTable::NameOf(code), names[i]) << code;
    EXPECT_EQ(ItemTable::Names()[i], names[i]) << code;
  }
  EXPECT_EQ(ItemTable::NameOf(44), "");
  EXPECT_EQ(ItemTable::NameOf(-1), "");
}

TEST(ItemTable, DescribesUnknownCodesPlainly) {
  EXPECT_EQ(ItemTable::Describe(2), "Lovewater");
  EXPECT_EQ(ItemTable::Describe(0xFF), "Code FF is no known item");
}

}  // namespace
}  // namespace tivok
