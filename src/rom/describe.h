#ifndef TIVOK_ROM_DESCRIBE_H_
#define TIVOK_ROM_DESCRIBE_H_

#include <concepts>
#include <string>
#include <string_view>

#include "rom/rom_file.h"
#include "rom/store_table.h"

namespace tivok {

// The words for items, slots, stores, offsets and file names that the
// window's texts and tivok-cli's share. An item reads "Sirloin (17)" and a
// slot "slot 3 of Portal Shop, offset 0x2478E".

// How a text writes an item code: the window as its slot list shows codes
// ("17"), tivok-cli as it reads them back ("0x17").
enum class CodeStyle { kWindow, kCli };

// `code` as `style` writes it: "17", or "0x17" with two digits at least.
std::string CodeText(int code, CodeStyle style);

// Item `code` by name and code, "Sirloin (17)"; a code of no item reads
// "an unknown item (C8)".
std::string ItemText(int code, CodeStyle style = CodeStyle::kWindow);

// A code of no item as a listing names it: "unknown item (0xC8)".
std::string UnknownItemText(int code, CodeStyle style);

// A header title as a hex editor's text column shows it: printable ASCII
// as it is, every other byte as a dot.
std::string Printable(std::string_view title);

// Why a file whose header title is `title` is refused, after `subject`
// (its quoted name, or "it"): "\"a.gbc\" is not a Dragon Warrior Monsters
// image (its header title is \"...\", not \"DRAGON WMONAWQE\")", with "is
// no longer" for an image that another program changed. The title reads
// as Printable shows it.
std::string NotAnImageText(std::string_view subject, std::string_view title,
                           bool no_longer = false);

// Slot k of `store`, with its offset.
std::string SlotText(const Store& store, int k);
std::string SlotText(const SlotPlace& place);

// Slot k of `store` without its offset: "slot 3 of Portal Shop".
std::string SlotName(const Store& store, int k);

// Slots `first` to the last of `store`, without offsets: "slots 5 to 8 of
// Portal Shop", or "slot 8 of Portal Shop" when `first` is the last.
std::string SlotsFromText(const Store& store, int first);

// The slot at `offset` as SlotText gives it, the global checksum's byte
// there, or the bare offset of any other byte.
std::string PlaceText(FileOffset offset);

// `one` where `count` is 1, else `many`, for the words that agree with a
// count: "differs" or "differ".
template <std::integral Count>
std::string ForCount(Count count, std::string_view one, std::string_view many) {
  return std::string(count == 1 ? one : many);
}
// `count` and `noun`, which takes an "s" unless the count is 1: "1 slot",
// "0 slots", "3 more lines".
template <std::integral Count>
std::string Counted(Count count, std::string_view noun) {
  return std::to_string(count) + " " + std::string(noun) +
         ForCount(count, "", "s");
}

// Why bytes past the end of a file of `size` bytes are missing: "the file
// has only 149392 bytes".
std::string SizeReason(std::int64_t size);

// `text` safe to show in a terminal or a window: control characters are
// written as escapes ("\n", "\t", "\x1B", "\u009B"), and so are the
// characters that reorder text from right to left and back ("\u202E",
// "\u2066"); bytes that are not UTF-8 read "\xE9". Everything else,
// backslashes and letters beyond ASCII included, stays as it is.
std::string Escaped(std::string_view text);

// `text` escaped as Escaped does, and a double quote as \", so that it reads
// right between double quotes: "Sir\"loin".
std::string QuoteEscaped(std::string_view text);

// `text` with ASCII letters in lower case.
std::string Lower(std::string_view text);

// `text` without the white space around it.
std::string_view Trimmed(std::string_view text);

// The name of the file at `path`, without its folder, escaped and in double
// quotes, as the status line shows a file.
std::string QuotedName(const std::string& path);

// `message` with the full `path` of the file replaced by the file's name,
// so that the status line stays short.
std::string WithFileName(std::string message, const std::string& path);

// The reason that `error` gives without the action and the file's name,
// or else its whole message with the file's name for its full `path`.
std::string ReasonOf(const RomFileError& error, const std::string& path);

// Why a file cannot be read, in plain words, such as "there is no such
// file".
std::string PlainReason(const std::string& path, const RomFileError& error);

}  // namespace tivok

#endif  // TIVOK_ROM_DESCRIBE_H_
