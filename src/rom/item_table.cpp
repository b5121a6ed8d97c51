#include "rom/item_table.h"

#include <algorithm>

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

int ItemTable::CodeNamed(std::string_view name) {
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  for (std::size_t code = 0; code < kNames.size(); ++code) {
    const std::string_view known = kNames[code];
    if (known.size() == name.size() &&
        std::equal(known.begin(), known.end(), name.begin(),
                   [&](char a, char b) { return lower(a) == lower(b); })) {
      return static_cast<int>(code);
    }
  }
  return -1;
}

std::string ItemTable::Describe(int code) {
  std::string_view name = NameOf(code);
  if (!name.empty()) return std::string(name);
  return "Code " + UpperHex(static_cast<std::uint32_t>(code)) +
         " is no known item";
}

}  // namespace tivok
