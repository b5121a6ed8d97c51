#ifndef TIVOK_CLI_LIST_FORMATS_H_
#define TIVOK_CLI_LIST_FORMATS_H_

#include <string>
#include <vector>

#include "cli/listing.h"

namespace tivok::cli {

// The three forms of `list`. Each gives every slot's number, offset, code
// and item; a code that is no item reads "unknown item (C8)".

// A heading per store and an aligned table of its slots, for people.
std::string TableText(const std::vector<StoreCodes>& stores);

// CSV (RFC 4180, lines ending in CR LF) with the header line
// "store,slot,offset,code,item": the form that `apply` reads back.
std::string CsvText(const std::vector<StoreCodes>& stores);

// JSON: {"stores": [{"store", "word", "number", "slots": [{"slot",
// "offset", "code", "item", "known"}]}]}.
std::string JsonText(const std::vector<StoreCodes>& stores);

}  // namespace tivok::cli

#endif  // TIVOK_CLI_LIST_FORMATS_H_
