#include "cli/words.h"

#include <array>
#include <charconv>

#include "cli/columns.h"
#include "rom/hex_text.h"
#include "rom/item_table.h"

namespace tivok::cli {
namespace {

// In the window's order, as StoreTable::All() lists the stores.
constexpr std::array<std::string_view, StoreTable::kStoreCount> kStoreWords = {
    "beginner", "second", "third", "book", "portal"};

bool IsDigits(std::string_view word) {
  if (word.empty()) return false;
  for (char c : word) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// The decimal number `word` spells, or -1 when it spells none that fits.
int DecimalOf(std::string_view word) {
  int value = -1;
  const char* end = word.data() + word.size();
  auto result = std::from_chars(word.data(), end, value);
  if (!IsDigits(word) || result.ec != std::errc() || result.ptr != end) {
    return -1;
  }
  return value;
}

std::string BareNumberError(std::string_view word) {
  return "\"" + std::string(word) +
         "\" is a bare number, which could be hex or decimal: write an item "
         "code in hex with 0x, such as 0x17 for Sirloin, or the item's name";
}

// `word` read as "0x" and hex digits: the value, -1 for a word without the
// prefix and -2 for one whose digits are no hex number below 0x100.
int PrefixedHexOf(std::string_view word) {
  if (word.size() < 2 || word[0] != '0' || (word[1] != 'x' && word[1] != 'X')) {
    return -1;
  }
  const std::optional<std::int32_t> value = ParseHex(word.substr(2));
  if (!value || *value > 0xFF) return -2;
  return *value;
}

template <typename T>
Reading<T> Error(std::string text) {
  return {T{}, std::move(text)};
}

}  // namespace

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

std::string_view StoreWord(const Store& store) {
  return kStoreWords[static_cast<std::size_t>(store.selector_position)];
}

Reading<const Store*> ReadStore(std::string_view word) {
  const std::string lower = Lower(word);
  const int number = DecimalOf(word);
  for (const Store& store : StoreTable::All()) {
    if (lower == StoreWord(store) || lower == Lower(store.selector_label) ||
        number == store.selector_position + 1) {
      return {&store, {}};
    }
  }
  return Error<const Store*>(
      "no store is called \"" + std::string(word) +
      "\"; a store is one of the words beginner, second, third, book, "
      "portal, its number 1 to 5, or its label, such as \"Portal Shop\"");
}

Reading<int> ReadSlot(std::string_view word, const Store& store) {
  const int k = DecimalOf(word);
  const std::string range = "1 to " + std::to_string(store.slot_count);
  if (k < 0) {
    return Error<int>("\"" + std::string(word) +
                      "\" is no slot number; the slots of " +
                      std::string(store.selector_label) + " are " + range);
  }
  if (k < 1 || k > store.slot_count) {
    return Error<int>(std::string(store.selector_label) + " has no slot " +
                      std::string(word) + "; its slots are " + range);
  }
  return {k, {}};
}

Reading<int> ReadItem(std::string_view word) {
  const int hex = PrefixedHexOf(word);
  if (hex == -1 && IsDigits(word)) return Error<int>(BareNumberError(word));
  if (hex == -2) {
    return Error<int>("\"" + std::string(word) + "\" is no item code in hex");
  }
  if (hex >= ItemTable::kItemCount) {
    return Error<int>(CodeColumn(hex) +
                      " is no item's code; the codes run from 0x00 (Null) "
                      "to " +
                      CodeColumn(ItemTable::kItemCount - 1) + " (" +
                      ItemColumn(ItemTable::kItemCount - 1) + ")");
  }
  if (hex >= 0) return {hex, {}};
  if (const int code = ItemTable::CodeNamed(word); code >= 0) {
    return {code, {}};
  }
  return Error<int>("no item is called \"" + std::string(word) +
                    "\"; an item is its name, such as Sirloin, or its code "
                    "in hex, such as 0x17");
}

Reading<int> ReadCode(std::string_view word) {
  const int hex = PrefixedHexOf(word);
  if (hex >= 0) return {hex, {}};
  if (IsDigits(word)) return Error<int>(BareNumberError(word));
  return Error<int>("\"" + std::string(word) +
                    "\" is no code in hex; a code is written like 0x17");
}

std::string StoreWordsText() {
  std::string text;
  for (const Store& store : StoreTable::All()) {
    text += "  " + std::to_string(store.selector_position + 1) + "  " +
            std::string(StoreWord(store)) +
            std::string(10 - StoreWord(store).size(), ' ') +
            std::string(store.selector_label) + "\n";
  }
  return text;
}

std::string ItemNamesText() {
  std::string text;
  std::string line = " ";
  for (int code = 0; code < ItemTable::kItemCount; ++code) {
    const std::string entry = " " + CodeColumn(code) + " " + ItemColumn(code) +
                              (code + 1 < ItemTable::kItemCount ? "," : "");
    if (line.size() + entry.size() > 78) {
      text += line + "\n";
      line = " ";
    }
    line += entry;
  }
  return text + line + "\n";
}

}  // namespace tivok::cli
