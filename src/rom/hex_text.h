#ifndef TIVOK_ROM_HEX_TEXT_H_
#define TIVOK_ROM_HEX_TEXT_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tivok {

// `value` in upper-case hexadecimal without leading zeros ("0", "1F").
std::string UpperHex(std::uint64_t value);

// A byte as a hex editor shows it: two upper-case hex digits ("05", "2B").
std::string ByteHex(std::uint8_t value);

// How the window and its messages show where a byte is: its offset in
// hexadecimal, as a hex editor shows it, such as "offset 0x2478C".
std::string OffsetText(std::int64_t offset);

// The number that hexadecimal `digits` spell, or nothing when they are empty,
// hold a non-hex character or do not fit a 32-bit signed integer.
std::optional<std::int32_t> ParseHex(std::string_view digits);

}  // namespace tivok

#endif  // TIVOK_ROM_HEX_TEXT_H_
