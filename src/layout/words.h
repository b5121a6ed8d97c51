#ifndef TIVOK_LAYOUT_WORDS_H_
#define TIVOK_LAYOUT_WORDS_H_

#include <string>
#include <string_view>

#include "rom/store_table.h"

namespace tivok {

// A value read from a word of the command line or a field of a layout, or
// why the word names none: `error` is empty exactly when `value` holds.
template <typename T>
struct Reading {
  T value{};
  std::string error;

  bool ok() const { return error.empty(); }
};

// A store, in any case: its label ("Portal Shop"), its short word
// ("portal") or its number in the window's order, 1 to 5. A word that
// names none is answered with the closest words and labels (suggest.h).
Reading<const Store*> ReadStore(std::string_view word);

// A slot of `store`, counted from 1, in decimal.
Reading<int> ReadSlot(std::string_view word, const Store& store);

// An item: its name in any case, or its code in hex with "0x" ("0x17").
// Only the 44 items are accepted; a bare number is refused as ambiguous,
// and a name of none is answered with the closest names.
Reading<int> ReadItem(std::string_view word);

// A byte in hex with "0x", 0x00 to 0xFF, whether or not it is an item's
// code; a bare number is refused as ambiguous.
Reading<int> ReadCode(std::string_view word);

// The short word for `store`, such as "portal".
std::string_view StoreWord(const Store& store);

// A word of the command line or a field of a layout as a message echoes
// it: in double quotes, cut after 40 characters (marked "..."), with
// control characters escaped (describe.h).
std::string Echoed(std::string_view word);

}  // namespace tivok

#endif  // TIVOK_LAYOUT_WORDS_H_
