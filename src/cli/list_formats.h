#ifndef TIVOK_CLI_LIST_FORMATS_H_
#define TIVOK_CLI_LIST_FORMATS_H_

#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.h"
#include "rom/store_read.h"

namespace tivok::cli {

// The three forms of `list`. Each gives every slot that the file holds,
// with its number, offset, code and item; a code that is no item reads
// "unknown item (0xC8)". A store whose slots all lie past the end of the
// file is left out.
//   table: a heading per store and an aligned table of its slots, for
//     people;
//   csv: the layout that `apply` reads back (StoresCsv, layout_csv.h);
//   json: {"stores": [{"store", "word", "number", "slots": [{"slot",
//     "offset", "offset_hex", "code", "code_hex", "item", "known"}]}]},
//     offsets and codes as numbers, and in hex as text beside them.
std::string StoresText(const std::vector<StoreCodes>& stores, Format format);

// The 44 items with their codes, in the same three forms: an aligned
// table, CSV with the header "code,item", and JSON {"items": [{"code",
// "code_hex", "item"}]}.
std::string ItemsText(Format format);

// Parts of the listings, for the other listings (diff.h).

// `text` with spaces before or after it up to `width` characters.
std::string PadLeft(const std::string& text, std::size_t width);
std::string PadRight(const std::string& text, std::size_t width);

// `text` as a JSON string, quotes included.
std::string JsonString(std::string_view text);

// A slot's code as JSON, as a number and in hex, its item and whether it
// is known: "code": 23, "code_hex": "0x17", "item": "Sirloin", "known":
// true; the keys after `prefix`.
std::string JsonItem(int code, std::string_view prefix);

}  // namespace tivok::cli

#endif  // TIVOK_CLI_LIST_FORMATS_H_
