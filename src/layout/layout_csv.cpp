#include "layout/layout_csv.h"

#include "layout/columns.h"
#include "layout/csv.h"

namespace tivok {
namespace {

// One row's store, slot, offset, code and item, without its line end.
std::string SlotFields(const Store& store, int k, int code) {
  return CsvField(store.selector_label) + "," + std::to_string(k) + "," +
         OffsetColumn(store.SlotOffset(k)) + "," + CodeColumn(code) + "," +
         CsvField(ItemColumn(code));
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
    text += SlotFields(*difference.store, difference.slot, difference.code) +
            "," + CsvField(ItemColumn(difference.clean)) + "\n";
  }
  return text;
}

}  // namespace tivok
