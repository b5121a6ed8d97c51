#include "cli/diff.h"

#include <algorithm>

#include "cli/list_formats.h"
#include "layout/columns.h"
#include "layout/layout_csv.h"
#include "layout/words.h"
#include "rom/describe.h"

namespace tivok::cli {
namespace {

// A code and its item, as the table shows them: "0x17  Sirloin".
std::string CodeAndItem(int code) {
  return PadRight(CodeColumn(code), 4) + "  " + ItemColumn(code);
}

std::string NoDifferenceText(const Compared& compared) {
  const std::string slots =
      compared.only == nullptr
          ? "No slot"
          : "No slot of " + std::string(compared.only->selector_label);
  return slots + " differs between " + Quoted(compared.clean) + " and " +
         Quoted(compared.image) + ".\n";
}

std::string TableText(const std::vector<SlotDifference>& differences,
                      const Compared& compared) {
  if (differences.empty()) return NoDifferenceText(compared);
  // The clean column is as wide as its widest entry, in every store.
  std::size_t width = 5;
  for (const SlotDifference& difference : differences) {
    width = std::max(width, CodeAndItem(difference.clean).size());
  }
  std::string text;
  const Store* heading = nullptr;
  for (const SlotDifference& difference : differences) {
    const Store& store = *difference.store;
    if (&store != heading) {
      if (heading != nullptr) text += "\n";
      heading = &store;
      text += std::string(store.selector_label) + "\n";
      text += "  Slot  Offset   " + PadRight("Clean", width) + "  Image\n";
    }
    text += "  " + PadLeft(std::to_string(difference.slot), 4) + "  " +
            PadRight(OffsetColumn(store.SlotOffset(difference.slot)), 7) +
            "  " + PadRight(CodeAndItem(difference.clean), width) + "  " +
            CodeAndItem(difference.code) + "\n";
  }
  return text;
}

std::string JsonText(const std::vector<SlotDifference>& differences) {
  std::string text = "{\n  \"slots\": [";
  for (std::size_t i = 0; i < differences.size(); ++i) {
    const SlotDifference& difference = differences[i];
    const Store& store = *difference.store;
    const FileOffset offset = store.SlotOffset(difference.slot);
    text += i == 0 ? "\n" : ",\n";
    text += "    {\"store\": " + JsonString(store.selector_label) +
            ", \"word\": " + JsonString(StoreWord(store)) +
            ", \"number\": " + std::to_string(store.selector_position + 1) +
            ", \"slot\": " + std::to_string(difference.slot) +
            ", \"offset\": " + std::to_string(offset) +
            ", \"offset_hex\": " + JsonString(OffsetColumn(offset)) + ", " +
            JsonItem(difference.code, "") + ", " +
            JsonItem(difference.clean, "was_") + "}";
  }
  return text + (differences.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

}  // namespace

std::string DifferencesText(const std::vector<SlotDifference>& differences,
                            Format format, const Compared& compared) {
  switch (format) {
    case Format::kCsv:
      return DifferencesCsv(differences);
    case Format::kJson:
      return JsonText(differences);
    case Format::kTable:
    case Format::kIps:  // written as bytes (store_patch.h)
    case Format::kBps:
      break;
  }
  return TableText(differences, compared);
}

}  // namespace tivok::cli
