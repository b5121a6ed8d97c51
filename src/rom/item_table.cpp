#include "rom/item_table.h"

#include <algorithm>

#include "rom/describe.h"
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
  const std::string wanted = Lower(name);
  for (std::size_t code = 0; code < kNames.size(); ++code) {
    if (Lower(kNames[code]) == wanted) return static_cast<int>(code);
  }
  return -1;
}

std::vector<int> ItemTable::Matching(std::string_view text) {
  const std::string wanted = Lower(text);
  std::vector<int> starting;
  std::vector<int> holding;
  for (std::size_t code = 0; code < kNames.size(); ++code) {
    const std::size_t at = Lower(kNames[code]).find(wanted);
    if (at == 0) {
      starting.push_back(static_cast<int>(code));
    } else if (at != std::string::npos) {
      holding.push_back(static_cast<int>(code));
    }
  }
  const auto alphabetical = [](int a, int b) {
    return Lower(NameOf(a)) < Lower(NameOf(b));
  };
  std::sort(starting.begin(), starting.end(), alphabetical);
  std::sort(holding.begin(), holding.end(), alphabetical);
  starting.insert(starting.end(), holding.begin(), holding.end());
  return starting;
}

int ItemTable::CodeBeginning(std::string_view text) {
  const std::string wanted = Lower(text);
  if (wanted.empty()) return -1;
  int found = -1;
  for (std::size_t code = 0; code < kNames.size(); ++code) {
    if (!Lower(kNames[code]).starts_with(wanted)) continue;
    if (found >= 0) return -1;
    found = static_cast<int>(code);
  }
  return found;
}

std::string ItemTable::Describe(int code) {
  std::string_view name = NameOf(code);
  if (!name.empty()) return std::string(name);
  return "Code " + UpperHex(static_cast<std::uint32_t>(code)) +
         " is no known item";
}

}  // namespace tivok
