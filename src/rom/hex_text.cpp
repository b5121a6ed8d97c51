#include "rom/hex_text.h"

#include <charconv>

namespace tivok {

std::string UpperHex(std::uint64_t value) {
  char digits[16];
  auto result = std::to_chars(digits, digits + sizeof digits, value, 16);
  std::string text(digits, result.ptr);
  for (char& c : text) {
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string ByteHex(std::uint8_t value) {
  const std::string digits = UpperHex(value);
  return digits.size() < 2 ? "0" + digits : digits;
}

std::string OffsetText(std::int64_t offset) {
  if (offset < 0) {
    return "offset -0x" + UpperHex(static_cast<std::uint64_t>(-offset));
  }
  return "offset 0x" + UpperHex(static_cast<std::uint64_t>(offset));
}

std::optional<std::int32_t> ParseHex(std::string_view digits) {
  std::int32_t value = 0;
  const char* end = digits.data() + digits.size();
  auto result = std::from_chars(digits.data(), end, value, 16);
  if (digits.empty() || result.ec != std::errc() || result.ptr != end ||
      digits.front() == '-') {
    return std::nullopt;
  }
  return value;
}

}  // namespace tivok
