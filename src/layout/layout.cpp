#include "layout/layout.h"

#include <array>
#include <map>

#include "layout/columns.h"
#include "layout/csv.h"
#include "layout/words.h"
#include "rom/describe.h"
#include "rom/hex_text.h"
#include "rom/item_table.h"

namespace tivok {
namespace {

enum Column { kStore, kSlot, kOffset, kCode, kItem, kWas, kColumnCount };

constexpr std::array<std::string_view, kColumnCount> kColumnNames = {
    "store", "slot", "offset", "code", "item", "was"};

// "0x" and hex digits, leading zeros allowed.
std::optional<std::int32_t> PrefixedHex(std::string_view text) {
  if (!Lower(text).starts_with("0x")) return std::nullopt;
  return ParseHex(text.substr(2));
}

// The item field: as ReadItem, and also "unknown item (0xC8)" as `list`
// writes a code that is no item (and "unknown item (C8)" as it once did).
Reading<int> ReadItemField(std::string_view word) {
  constexpr std::string_view kUnknown = "unknown item (";
  std::string lower = Lower(word);
  if (lower.starts_with("an ")) lower.erase(0, 3);
  if (!lower.starts_with(kUnknown) || !lower.ends_with(")")) {
    return ReadItem(word);
  }
  std::string_view digits = std::string_view(lower).substr(
      kUnknown.size(), lower.size() - kUnknown.size() - 1);
  if (digits.starts_with("0x")) digits.remove_prefix(2);
  const std::optional<std::int32_t> code = ParseHex(digits);
  if (!code || *code > 0xFF) {
    return {0, Echoed(word) + " names no code in hex"};
  }
  if (*code < ItemTable::kItemCount) {
    return {0, Echoed(word) + " is a known item, " +
                   ItemText(*code, CodeStyle::kCli)};
  }
  return {*code, {}};
}

// The was field: any byte, as a code in hex or as the item field names it,
// since a slot may hold a code that is no item.
Reading<int> ReadWasField(std::string_view word) {
  Reading<int> was = ReadCode(word);
  if (!was.ok()) was = ReadItemField(word);
  if (!was.ok()) was.error = "in the was column, " + was.error;
  return was;
}

// The column of each name in the header, or why the header is wrong.
struct Header {
  std::array<int, kColumnCount> index;
  std::size_t count = 0;
  std::string error;
};

Header ReadHeader(const CsvRecord& record) {
  Header header;
  header.index.fill(-1);
  header.count = record.fields.size();
  for (std::size_t i = 0; i < record.fields.size(); ++i) {
    const std::string name = Lower(Trimmed(record.fields[i]));
    int column = 0;
    while (column < kColumnCount && kColumnNames[column] != name) ++column;
    if (column == kColumnCount) {
      header.error = "unknown column " + Echoed(record.fields[i]) +
                     "; the first line names the columns, of store, slot, "
                     "offset, code, item and was";
      return header;
    }
    if (header.index[column] >= 0) {
      header.error = "the column \"" + name + "\" is named twice";
      return header;
    }
    header.index[column] = static_cast<int>(i);
  }
  if (header.index[kStore] < 0 || header.index[kSlot] < 0 ||
      (header.index[kItem] < 0 && header.index[kCode] < 0)) {
    header.error =
        "the first line names the columns, and needs store, slot, and item "
        "or code, such as \"store,slot,item\"";
  }
  return header;
}

// The wish of one row, or why there is none.
Reading<SlotWish> ReadRow(const Header& header, const CsvRecord& record) {
  if (record.fields.size() != header.count) {
    return {{},
            std::to_string(record.fields.size()) +
                " fields, but the first line names " +
                std::to_string(header.count) + " columns"};
  }
  auto field = [&](Column column) -> std::string_view {
    const int i = header.index[column];
    return i < 0 ? std::string_view() : Trimmed(record.fields[i]);
  };
  const Reading<const Store*> store = ReadStore(field(kStore));
  if (!store.ok()) return {{}, store.error};
  const Reading<int> slot = ReadSlot(field(kSlot), *store.value);
  if (!slot.ok()) return {{}, slot.error};
  const std::string_view offset = field(kOffset);
  if (!offset.empty() &&
      PrefixedHex(offset) != store.value->SlotOffset(slot.value)) {
    return {{},
            "the offset " + Echoed(offset) + " is not that of " +
                SlotText(*store.value, slot.value)};
  }
  Reading<int> code;
  Reading<int> item;
  if (!field(kCode).empty()) {
    code = ReadCode(field(kCode));
    if (!code.ok()) return {{}, code.error};
  }
  if (!field(kItem).empty()) {
    item = ReadItemField(field(kItem));
    if (!item.ok()) return {{}, item.error};
  }
  if (field(kCode).empty() && field(kItem).empty()) {
    return {{}, "the row gives neither an item nor a code"};
  }
  if (!field(kCode).empty() && !field(kItem).empty() &&
      code.value != item.value) {
    return {{},
            "the item and the code disagree: the item is " +
                ItemText(item.value, CodeStyle::kCli) + ", the code " +
                CodeColumn(code.value) + " is " +
                ItemText(code.value, CodeStyle::kCli)};
  }
  std::optional<int> was;
  if (!field(kWas).empty()) {
    const Reading<int> read = ReadWasField(field(kWas));
    if (!read.ok()) return {{}, read.error};
    was = read.value;
  }
  const int value = field(kCode).empty() ? item.value : code.value;
  return {{store.value, slot.value, value, was, record.line}, {}};
}

// A line of white space, which a layout leaves out as it does an empty one.
bool IsBlankLine(const CsvRecord& record) {
  return record.fields.size() == 1 && Trimmed(record.fields[0]).empty();
}

}  // namespace

void Refuse(std::vector<LayoutError>& kept, int& count, int line,
            std::string reason) {
  ++count;
  if (kept.size() < Layout::kMostErrorsKept) {
    kept.push_back({line, std::move(reason)});
  }
}

Layout ReadLayout(std::string_view text) {
  Layout layout;
  CsvRecords csv = ParseCsv(text);
  if (!csv.error.empty()) {
    Refuse(layout.errors, layout.error_count, csv.error_line, csv.error);
    return layout;
  }
  std::erase_if(csv.records, IsBlankLine);
  if (csv.records.empty()) {
    Refuse(layout.errors, layout.error_count, 1,
           "the layout is empty; its first line names the columns, such as "
           "\"store,slot,item\"");
    return layout;
  }
  const Header header = ReadHeader(csv.records.front());
  if (!header.error.empty()) {
    Refuse(layout.errors, layout.error_count, csv.records.front().line,
           header.error);
    return layout;
  }
  // The row that first gave each slot its item.
  std::map<FileOffset, std::size_t> first_wish;
  for (std::size_t r = 1; r < csv.records.size(); ++r) {
    const Reading<SlotWish> row = ReadRow(header, csv.records[r]);
    if (!row.ok()) {
      Refuse(layout.errors, layout.error_count, csv.records[r].line, row.error);
      continue;
    }
    const SlotWish& wish = row.value;
    const FileOffset offset = wish.store->SlotOffset(wish.slot);
    const auto earlier = first_wish.find(offset);
    if (earlier == first_wish.end()) {
      first_wish[offset] = layout.wishes.size();
      layout.wishes.push_back(wish);
      continue;
    }
    SlotWish& other = layout.wishes[earlier->second];
    if (other.code != wish.code) {
      Refuse(layout.errors, layout.error_count, wish.line,
             SlotText(*wish.store, wish.slot) + ", is given " +
                 ItemText(wish.code, CodeStyle::kCli) + " here, but " +
                 ItemText(other.code, CodeStyle::kCli) + " on line " +
                 std::to_string(other.line));
    } else if (wish.was && other.was && *wish.was != *other.was) {
      Refuse(layout.errors, layout.error_count, wish.line,
             SlotText(*wish.store, wish.slot) + ", must hold " +
                 ItemText(*wish.was, CodeStyle::kCli) +
                 " before the change here, but " +
                 ItemText(*other.was, CodeStyle::kCli) + " on line " +
                 std::to_string(other.line));
    } else if (wish.was) {
      other.was = wish.was;
    }
  }
  return layout;
}

bool IsLayout(std::span<const std::uint8_t> bytes) {
  std::string_view text(reinterpret_cast<const char*>(bytes.data()),
                        bytes.size());
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    CsvRecords csv = ParseCsv(text.substr(0, end));
    std::erase_if(csv.records, IsBlankLine);
    if (!csv.error.empty()) return false;
    if (!csv.records.empty()) {
      return ReadHeader(csv.records.front()).error.empty();
    }
    if (end == std::string_view::npos) return false;
    text.remove_prefix(end + 1);
  }
  return false;
}

bool KeepsOnly(const SlotWish& wish) {
  return ItemTable::NameOf(wish.code).empty();
}

std::string UnexpectedEnding(const SlotWish& wish, CodeStyle style,
                             std::string_view source) {
  if (KeepsOnly(wish)) {
    return ", which can be kept where a slot holds it, but never written";
  }
  return ", which the " + std::string(source) +
         " expects there before writing " + ItemText(wish.code, style);
}

}  // namespace tivok
