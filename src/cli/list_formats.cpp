#include "cli/list_formats.h"

#include "layout/columns.h"
#include "layout/csv.h"
#include "layout/layout_csv.h"
#include "layout/words.h"
#include "rom/item_table.h"

namespace tivok::cli {

std::string PadLeft(const std::string& text, std::size_t width) {
  return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

std::string PadRight(const std::string& text, std::size_t width) {
  return text + std::string(width > text.size() ? width - text.size() : 0, ' ');
}

std::string JsonString(std::string_view text) {
  std::string json = "\"";
  for (char c : text) {
    switch (c) {
      case '"':
        json += "\\\"";
        break;
      case '\\':
        json += "\\\\";
        break;
      case '\n':
        json += "\\n";
        break;
      case '\r':
        json += "\\r";
        break;
      case '\t':
        json += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          constexpr char kHex[] = "0123456789ABCDEF";
          json += "\\u00";
          json += kHex[(c >> 4) & 0xF];
          json += kHex[c & 0xF];
        } else {
          json += c;
        }
    }
  }
  return json + "\"";
}

namespace {

// The code as a JSON number and in hex beside it, the keys after `prefix`.
std::string JsonCode(int code, std::string_view prefix = "") {
  const std::string key = "\"" + std::string(prefix) + "code";
  return key + "\": " + std::to_string(code) + ", " + key +
         "_hex\": " + JsonString(CodeColumn(code));
}

// The stores that hold at least one slot.
std::vector<const StoreCodes*> Listed(const std::vector<StoreCodes>& stores) {
  std::vector<const StoreCodes*> listed;
  for (const StoreCodes& store : stores) {
    if (!store.codes.empty()) listed.push_back(&store);
  }
  return listed;
}

std::string TableText(const std::vector<const StoreCodes*>& stores) {
  std::string text;
  for (const StoreCodes* listed : stores) {
    const Store& store = *listed->store;
    if (!text.empty()) text += "\n";
    text += std::string(store.selector_label) + "\n";
    text += "  Slot  Offset   Code  Item\n";
    for (int k = 1; k <= static_cast<int>(listed->codes.size()); ++k) {
      const int code = listed->CodeOf(k);
      text += "  " + PadLeft(std::to_string(k), 4) + "  " +
              PadRight(OffsetColumn(store.SlotOffset(k)), 7) + "  " +
              PadRight(CodeColumn(code), 4) + "  " + ItemColumn(code) + "\n";
    }
  }
  return text;
}

std::string JsonText(const std::vector<const StoreCodes*>& stores) {
  std::string text = "{\n  \"stores\": [";
  for (std::size_t s = 0; s < stores.size(); ++s) {
    const Store& store = *stores[s]->store;
    const int count = static_cast<int>(stores[s]->codes.size());
    text += s == 0 ? "\n" : ",\n";
    text +=
        "    {\n      \"store\": " + JsonString(store.selector_label) +
        ",\n      \"word\": " + JsonString(StoreWord(store)) +
        ",\n      \"number\": " + std::to_string(store.selector_position + 1) +
        ",\n      \"slots\": [\n";
    for (int k = 1; k <= count; ++k) {
      const int code = stores[s]->CodeOf(k);
      const FileOffset offset = store.SlotOffset(k);
      text += "        {\"slot\": " + std::to_string(k) +
              ", \"offset\": " + std::to_string(offset) +
              ", \"offset_hex\": " + JsonString(OffsetColumn(offset)) + ", " +
              JsonItem(code, "") + "}" + (k < count ? ",\n" : "\n");
    }
    text += "      ]\n    }";
  }
  return text + (stores.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

}  // namespace

std::string JsonItem(int code, std::string_view prefix) {
  const std::string known = ItemTable::NameOf(code).empty() ? "false" : "true";
  return JsonCode(code, prefix) + ", \"" + std::string(prefix) +
         "item\": " + JsonString(ItemColumn(code)) + ", \"" +
         std::string(prefix) + "known\": " + known;
}

std::string StoresText(const std::vector<StoreCodes>& stores, Format format) {
  const std::vector<const StoreCodes*> listed = Listed(stores);
  switch (format) {
    case Format::kCsv:
      return StoresCsv(stores);
    case Format::kJson:
      return JsonText(listed);
    case Format::kTable:
    case Format::kIps:  // patches are diff's alone (grammar.h)
    case Format::kBps:
      break;
  }
  return TableText(listed);
}

std::string ItemsText(Format format) {
  std::string text = format == Format::kTable ? "Code  Item\n"
                     : format == Format::kCsv ? "code,item\n"
                                              : "{\n  \"items\": [\n";
  for (int code = 0; code < ItemTable::kItemCount; ++code) {
    const std::string name(ItemTable::NameOf(code));
    switch (format) {
      case Format::kTable:
      case Format::kIps:  // patches are diff's alone (grammar.h)
      case Format::kBps:
        text += CodeColumn(code) + "  " + name + "\n";
        break;
      case Format::kCsv:
        text += CodeColumn(code) + "," + CsvField(name) + "\n";
        break;
      case Format::kJson:
        text += "    {" + JsonCode(code) + ", \"item\": " + JsonString(name) +
                (code + 1 < ItemTable::kItemCount ? "},\n" : "}\n");
        break;
    }
  }
  return format == Format::kJson ? text + "  ]\n}\n" : text;
}

}  // namespace tivok::cli
