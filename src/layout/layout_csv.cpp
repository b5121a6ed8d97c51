#include "layout/layout_csv.h"

#include "layout/columns.h"
#include "layout/csv.h"
#include "rom/describe.h"
#include "rom/item_table.h"

namespace tivok {
namespace {

// One row's store, slot, offset, code and item, without its line end.
std::string SlotFields(const Store& store, int k, int code) {
  return CsvField(store.selector_label) + "," + std::to_string(k) + "," +
         OffsetColumn(store.SlotOffset(k)) + "," + CodeColumn(code) + "," +
         CsvField(ItemColumn(code));
}

// A new code that a layout cannot write.
bool Unwritable(const SlotDifference& difference) {
  return ItemTable::NameOf(difference.after).empty();
}

}  // namespace

std::string StoresCsv(std::span<const StoreCodes> stores) {
  std::string text = "store,slot,offset,code,item\n";
  for (const StoreCodes& listed : stores) {
    for (int k = 1; k <= static_cast<int>(listed.codes.size()); ++k) {
      text += SlotFields(*listed.store, k, listed.CodeOf(k)) + "\n";
    }
  }
  return text;
}

std::string DifferencesCsv(const std::vector<SlotDifference>& differences) {
  std::string text = "store,slot,offset,code,item,was\n";
  for (const SlotDifference& difference : differences) {
    if (Unwritable(difference)) continue;
    text += SlotFields(*difference.store, difference.slot, difference.after) +
            "," + CsvField(ItemColumn(difference.before)) + "\n";
  }
  return text;
}

std::vector<std::string> LeftOut(const std::vector<SlotDifference>& differences,
                                 const std::string& image) {
  std::vector<std::string> left_out;
  for (const SlotDifference& difference : differences) {
    if (!Unwritable(difference)) continue;
    left_out.push_back(SlotText(*difference.store, difference.slot) + ": " +
                       Quoted(image) + " holds " +
                       ItemText(difference.after, CodeStyle::kCli) +
                       ", which a layout keeps but never writes; the row is "
                       "left out");
  }
  return left_out;
}

}  // namespace tivok
