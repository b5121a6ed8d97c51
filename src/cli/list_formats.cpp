#include "cli/list_formats.h"

#include "cli/columns.h"
#include "cli/csv.h"
#include "cli/words.h"
#include "rom/hex_text.h"
#include "rom/item_table.h"

namespace tivok::cli {
namespace {

std::string PadLeft(const std::string& text, std::size_t width) {
  return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

std::string PadRight(const std::string& text, std::size_t width) {
  return text + std::string(width > text.size() ? width - text.size() : 0, ' ');
}

// `text` as a JSON string, quotes included.
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

}  // namespace

std::string TableText(const std::vector<StoreCodes>& stores) {
  std::string text;
  for (const StoreCodes& listed : stores) {
    if (!text.empty()) text += "\n";
    text += std::string(listed.store->selector_label) + "\n";
    text += "  Slot  Offset   Code  Item\n";
    for (int k = 1; k <= listed.store->slot_count; ++k) {
      const int code = listed.codes[static_cast<std::size_t>(k - 1)];
      text += "  " + PadLeft(std::to_string(k), 4) + "  " +
              PadRight(OffsetColumn(listed.store->SlotPosition(k)), 7) + "  " +
              PadRight(CodeColumn(code), 4) + "  " + ItemColumn(code) + "\n";
    }
  }
  return text;
}

std::string CsvText(const std::vector<StoreCodes>& stores) {
  std::string text = "store,slot,offset,code,item\r\n";
  for (const StoreCodes& listed : stores) {
    for (int k = 1; k <= listed.store->slot_count; ++k) {
      const int code = listed.codes[static_cast<std::size_t>(k - 1)];
      text += CsvField(listed.store->selector_label) + "," + std::to_string(k) +
              "," + OffsetColumn(listed.store->SlotPosition(k)) + "," +
              CodeColumn(code) + "," + CsvField(ItemColumn(code)) + "\r\n";
    }
  }
  return text;
}

std::string JsonText(const std::vector<StoreCodes>& stores) {
  std::string text = "{\n  \"stores\": [";
  for (std::size_t s = 0; s < stores.size(); ++s) {
    const Store& store = *stores[s].store;
    text += s == 0 ? "\n" : ",\n";
    text +=
        "    {\n      \"store\": " + JsonString(store.selector_label) +
        ",\n      \"word\": " + JsonString(StoreWord(store)) +
        ",\n      \"number\": " + std::to_string(store.selector_position + 1) +
        ",\n      \"slots\": [\n";
    for (int k = 1; k <= store.slot_count; ++k) {
      const int code = stores[s].codes[static_cast<std::size_t>(k - 1)];
      text += "        {\"slot\": " + std::to_string(k) + ", \"offset\": " +
              JsonString(OffsetColumn(store.SlotPosition(k))) +
              ", \"code\": " + JsonString(CodeColumn(code)) +
              ", \"item\": " + JsonString(ItemColumn(code)) + ", \"known\": " +
              (ItemTable::NameOf(code).empty() ? "false" : "true") + "}" +
              (k < store.slot_count ? ",\n" : "\n");
    }
    text += "      ]\n    }";
  }
  return text + (stores.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

}  // namespace tivok::cli
