#include "rom/item_table.h"

#include "rom/hex_text.h"

namespace tivok {
namespace {

constexpr std::array<std::string_view, ItemTable::kItemCount> kNames = {
    "Null",       "Herb",       "Lovewater",  "Sage Stone", "World Dew",
    "Potion",     "Elf Water",  "Antidote",   "Moon Herb",  "Sky Bell",
    "Laurel",     "Awake Sand", "World Leaf", "Life Acorn", "Mystic Nut",
    "ATK Seed",   "DEF Seed",   "AGL Seed",   "INT Seed",   "Beef Jerky",
    "Porkchop",   "Rib",        "Bad Meat",   "Sirloin",    "Bolt Staff",
    "Wind Staff", "Mist Staff", "Lava Staff", "Snow Staff", "Warp Wing",
    "Tiny Medal", "Quest BK",   "Horror BK",  "BeNice BK",  "Cheater BK",
    "Smart BK",   "Comedy BK",  "Fire Staff", "Beast Tail", "Warp Staff",
    "Repellent",  "Shiny Harp", "Map Herb",   "Bookmark",
};

}  // namespace

std::span<const std::string_view, ItemTable::kItemCount> ItemTable::Names() {
  return kNames;
}

std::string_view ItemTable::NameOf(int code) {
  if (code < 0 || code >= kItemCount) return {};
  return kNames[static_cast<std::size_t>(code)];
}

std::string ItemTable::Describe(int code) {
  std::string_view name = NameOf(code);
  if (!name.empty()) return std::string(name);
  return "Code " + UpperHex(static_cast<std::uint32_t>(code)) +
         " is no known item";
}

}  // namespace tivok
