#ifndef TIVOK_LAYOUT_COLUMNS_H_
#define TIVOK_LAYOUT_COLUMNS_H_

#include <string>

#include "rom/rom_file.h"

namespace tivok {

// The values in the columns of a listing, the same in each of its formats,
// as a layout gives them back.

// `offset` in hex, such as "0x2478E".
std::string OffsetColumn(FileOffset offset);

// An item code as the byte in hex, two digits at least, such as "0x17".
std::string CodeColumn(int code);

// The item's name, or "unknown item (0xC8)" for a code that is no item.
std::string ItemColumn(int code);

}  // namespace tivok

#endif  // TIVOK_LAYOUT_COLUMNS_H_
