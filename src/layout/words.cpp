#include "layout/words.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <limits>

#include "layout/suggest.h"
#include "rom/describe.h"
#include "rom/hex_text.h"
#include "rom/item_table.h"

namespace tivok {
namespace {

// In the window's order, as StoreTable::All() lists the stores.
constexpr std::array<std::string_view, StoreTable::kStoreCount> kStoreWords = {
    "beginner", "second", "third", "book", "portal"};

// The most characters of a word that a message echoes.
constexpr std::size_t kEchoedLength = 40;

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
  return Echoed(word) +
         " is a bare number, which could be hex or decimal: write an item "
         "code in hex with 0x, such as 0x17 for Sirloin, or the item's name";
}

// `word` read as "0x" and hex digits: the value, -1 for a word without the
// prefix and -2 for one whose digits are no hex number. A value above
// 0xFF is returned as it is: the caller says that no byte holds it.
std::int64_t PrefixedHexOf(std::string_view word) {
  if (word.size() < 2 || word[0] != '0' || (word[1] != 'x' && word[1] != 'X')) {
    return -1;
  }
  const std::string_view digits = word.substr(2);
  if (digits.empty() || digits.find_first_not_of("0123456789abcdefABCDEF") !=
                            std::string_view::npos) {
    return -2;
  }
  const std::optional<std::int32_t> value = ParseHex(digits);
  // Too many digits for the parser is still hex, only far above a byte.
  return value ? *value : std::numeric_limits<std::int64_t>::max();
}

// A hex number that no byte holds: "0x100 is above 0xFF, the largest byte".
std::string AboveByteError(std::string_view word) {
  return Echoed(word) + " is valid hex, but above 0xFF, the largest byte";
}

template <typename T>
Reading<T> Error(std::string text) {
  return {T{}, std::move(text)};
}

// The store words, then the labels: what an unknown store is compared with.
std::array<std::string_view, 2 * StoreTable::kStoreCount> StoreNames() {
  std::array<std::string_view, 2 * StoreTable::kStoreCount> names;
  for (const Store& store : StoreTable::All()) {
    const auto i = static_cast<std::size_t>(store.selector_position);
    names[i] = kStoreWords[i];
    names[i + StoreTable::kStoreCount] = store.selector_label;
  }
  return names;
}

}  // namespace

std::string Echoed(std::string_view word) {
  // Counts characters, not bytes: a cut never splits a UTF-8 sequence.
  std::size_t end = 0;
  std::size_t characters = 0;
  while (end < word.size() && characters < kEchoedLength) {
    ++end;
    while (end < word.size() && (word[end] & 0xC0) == 0x80) ++end;
    ++characters;
  }
  const bool cut = end < word.size();
  return "\"" + QuoteEscaped(word.substr(0, end)) + (cut ? "...\"" : "\"");
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
  const std::string close = DidYouMean(ClosestNames(word, StoreNames()));
  if (!close.empty()) {
    return Error<const Store*>("no store is called " + Echoed(word) + close);
  }
  return Error<const Store*>(
      "no store is called " + Echoed(word) +
      "; a store is one of the words beginner, second, third, book, "
      "portal, its number 1 to 5, or its label, such as \"Portal Shop\"");
}

Reading<int> ReadSlot(std::string_view word, const Store& store) {
  const int k = DecimalOf(word);
  const std::string range = "1 to " + std::to_string(store.slot_count);
  if (k < 0) {
    return Error<int>(Echoed(word) + " is no slot number; the slots of " +
                      std::string(store.selector_label) + " are " + range);
  }
  if (k < 1 || k > store.slot_count) {
    return Error<int>(std::string(store.selector_label) + " has no slot " +
                      std::to_string(k) + "; its slots are " + range);
  }
  return {k, {}};
}

Reading<int> ReadItem(std::string_view word) {
  const std::int64_t hex = PrefixedHexOf(word);
  if (hex == -1 && IsDigits(word)) return Error<int>(BareNumberError(word));
  if (hex == -2) return Error<int>(Echoed(word) + " is no item code in hex");
  if (hex > 0xFF) return Error<int>(AboveByteError(word));
  if (hex >= ItemTable::kItemCount) {
    const int last = ItemTable::kItemCount - 1;
    return Error<int>(CodeText(static_cast<int>(hex), CodeStyle::kCli) +
                      " is no item's code; the codes run from " +
                      ItemText(0, CodeStyle::kCli) + " to " +
                      ItemText(last, CodeStyle::kCli));
  }
  if (hex >= 0) return {static_cast<int>(hex), {}};
  if (const int code = ItemTable::CodeNamed(word); code >= 0) {
    return {code, {}};
  }
  const std::string close = DidYouMean(ClosestNames(word, ItemTable::Names()));
  return Error<int>("no item is called " + Echoed(word) +
                    (close.empty() ? "; an item is its name, such as Sirloin, "
                                     "or its code in hex, such as 0x17, as "
                                     "tivok-cli items lists them"
                                   : close));
}

Reading<int> ReadCode(std::string_view word) {
  const std::int64_t hex = PrefixedHexOf(word);
  if (hex > 0xFF) return Error<int>(AboveByteError(word));
  if (hex >= 0) return {static_cast<int>(hex), {}};
  if (IsDigits(word)) return Error<int>(BareNumberError(word));
  return Error<int>(Echoed(word) +
                    " is no code in hex; a code is written like 0x17");
}

}  // namespace tivok
