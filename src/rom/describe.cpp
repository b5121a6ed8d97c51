#include "rom/describe.h"

#include "rom/checksum.h"
#include "rom/file_path.h"
#include "rom/hex_text.h"
#include "rom/item_table.h"

namespace tivok {
namespace {

// The length of the UTF-8 sequence that starts `text`, or 0 when it starts
// with no valid one (a stray continuation byte, an overlong or cut-short
// sequence, a surrogate, or a code point past U+10FFFF).
std::size_t Utf8Length(std::string_view text) {
  const auto byte = [&](std::size_t i) {
    return static_cast<unsigned char>(text[i]);
  };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  char32_t point = 0;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    point = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    point = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    point = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    point = (point << 6) | (byte(i) & 0x3F);
  }
  const bool overlong =
      (length == 3 && point < 0x800) || (length == 4 && point < 0x10000);
  if (overlong || (point >= 0xD800 && point <= 0xDFFF) || point > 0x10FFFF) {
    return 0;
  }
  return length;
}

std::string ByteEscape(unsigned char c) { return "\\x" + ByteHex(c); }

// True for the three bytes of U+202A to U+202E and U+2066 to U+2069, which
// make a terminal or a window show the text after them in another order.
bool IsBidiControl(std::string_view text) {
  const auto byte = [&](std::size_t i) {
    return static_cast<unsigned char>(text[i]);
  };
  if (text.size() < 3 || byte(0) != 0xE2) return false;
  return (byte(1) == 0x80 && byte(2) >= 0xAA && byte(2) <= 0xAE) ||
         (byte(1) == 0x81 && byte(2) >= 0xA6 && byte(2) <= 0xA9);
}

}  // namespace

std::string Printable(std::string_view title) {
  std::string text(title);
  for (char& c : text) {
    if (c < ' ' || c > '~') c = '.';
  }
  return text;
}

std::string CodeText(int code, CodeStyle style) {
  const auto value = static_cast<std::uint64_t>(code);
  if (style == CodeStyle::kWindow) return UpperHex(value);
  return "0x" + (value < 0x10 ? "0" + UpperHex(value) : UpperHex(value));
}

std::string ItemText(int code, CodeStyle style) {
  const std::string_view name = ItemTable::NameOf(code);
  const std::string hex = CodeText(code, style);
  if (name.empty()) return "an " + UnknownItemText(code, style);
  return std::string(name) + " (" + hex + ")";
}

std::string UnknownItemText(int code, CodeStyle style) {
  return "unknown item (" + CodeText(code, style) + ")";
}

std::string NotAnImageText(std::string_view subject, std::string_view title,
                           bool no_longer) {
  return std::string(subject) + (no_longer ? " is no longer" : " is not") +
         " a Dragon Warrior Monsters image (its header title is " +
         Quoted(Printable(title)) + ", not \"" +
         std::string(RomFile::kAcceptedTitle) + "\")";
}

std::string SlotText(const SlotPlace& place) {
  return SlotText(*place.store, place.slot);
}

std::string SlotText(const Store& store, int k) {
  return SlotName(store, k) + ", " + OffsetText(store.SlotOffset(k));
}

std::string SlotName(const Store& store, int k) {
  return "slot " + std::to_string(k) + " of " +
         std::string(store.selector_label);
}

std::string SlotsFromText(const Store& store, int first) {
  if (first == store.slot_count) return SlotName(store, first);
  return "slots " + std::to_string(first) + " to " +
         std::to_string(store.slot_count) + " of " +
         std::string(store.selector_label);
}

std::string PlaceText(FileOffset offset) {
  if (offset == kGlobalChecksumOffset) {
    return "the global checksum's high byte, " + OffsetText(offset);
  }
  if (offset == kGlobalChecksumOffset + 1) {
    return "the global checksum's low byte, " + OffsetText(offset);
  }
  const SlotPlace place = StoreTable::SlotAt(offset);
  return place.store == nullptr ? OffsetText(offset) : SlotText(place);
}

std::string SizeReason(std::int64_t size) {
  return "the file has only " + std::to_string(size) + " bytes";
}

std::string Escaped(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  while (!text.empty()) {
    const auto c = static_cast<unsigned char>(text.front());
    const std::size_t length = Utf8Length(text);
    if (length == 0) {
      shown += ByteEscape(c);
      text.remove_prefix(1);
      continue;
    }
    if (c == '\n') {
      shown += "\\n";
    } else if (c == '\r') {
      shown += "\\r";
    } else if (c == '\t') {
      shown += "\\t";
    } else if (c < 0x20 || c == 0x7F) {
      shown += ByteEscape(c);
    } else if (c == 0xC2 && static_cast<unsigned char>(text[1]) < 0xA0) {
      // U+0080 to U+009F: controls that some terminals obey.
      shown += "\\u00" + ByteHex(static_cast<unsigned char>(text[1]));
    } else if (IsBidiControl(text)) {
      // U+20xx: the low bits of the last two bytes give xx.
      const auto second = static_cast<unsigned char>(text[1]);
      const auto third = static_cast<unsigned char>(text[2]);
      shown += "\\u20" + ByteHex(static_cast<std::uint8_t>(
                             ((second & 0x3F) << 6) | (third & 0x3F)));
    } else {
      shown.append(text.substr(0, length));
    }
    text.remove_prefix(length);
  }
  return shown;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

std::string_view Trimmed(std::string_view text) {
  const auto space = [](char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
  };
  while (!text.empty() && space(text.front())) text.remove_prefix(1);
  while (!text.empty() && space(text.back())) text.remove_suffix(1);
  return text;
}

std::string QuoteEscaped(std::string_view text) {
  std::string shown;
  for (const char c : Escaped(text)) {
    if (c == '"') shown += '\\';
    shown += c;
  }
  return shown;
}

std::string QuotedName(const std::string& path) {
  return Quoted(FileName(path));
}

std::string WithFileName(std::string message, const std::string& path) {
  // Messages show paths as Quoted gives them.
  const std::string shown = QuoteEscaped(path);
  const std::string name = QuoteEscaped(FileName(path));
  if (path.empty() || name == shown) return message;
  for (std::size_t at = message.find(shown); at != std::string::npos;
       at = message.find(shown, at + name.size())) {
    message.replace(at, shown.size(), name);
  }
  return message;
}

std::string ReasonOf(const RomFileError& error, const std::string& path) {
  return error.reason().empty() ? WithFileName(error.what(), path)
                                : error.reason();
}

std::string PlainReason(const std::string& path, const RomFileError& error) {
  switch (error.kind()) {
    case RomFileError::Kind::kMissing:
      return "there is no such file";
    case RomFileError::Kind::kFolder:
      return "it is a folder";
    case RomFileError::Kind::kNoAccess:
      return "you have no permission to read it";
    case RomFileError::Kind::kTooShort:
      return "it is too short to be a cartridge image (" + error.reason() + ")";
    case RomFileError::Kind::kNotAFile:
    case RomFileError::Kind::kOther:
      break;
  }
  return ReasonOf(error, path);
}

}  // namespace tivok
