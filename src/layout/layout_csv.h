#ifndef TIVOK_LAYOUT_LAYOUT_CSV_H_
#define TIVOK_LAYOUT_LAYOUT_CSV_H_

#include <span>
#include <string>
#include <vector>

#include "compare/store_differences.h"
#include "rom/store_read.h"

namespace tivok {

// The layouts that Tivok writes, as `tivok-cli list` and `diff` print them
// and File, Export Layout... saves them: CSV (RFC 4180, lines ending in LF)
// that the layout reader (layout.h) takes back. A code that is no item
// reads "unknown item (0xC8)".

// Every slot that `stores` hold, store by store, under the header
// "store,slot,offset,code,item". Applied to the image that they were read
// from, it changes nothing.
std::string StoresCsv(std::span<const StoreCodes> stores);

// The differing slots under the header "store,slot,offset,code,item,was":
// the other image's items, and the clean one's as was, so that applying it
// carries the change over to an image only where that holds the clean
// items. A slot whose new code is no item is left out (LeftOut): a layout
// never writes such a code, and its row would refuse the whole layout on
// the clean image. The header alone for no differences.
std::string DifferencesCsv(const std::vector<SlotDifference>& differences);

// The differing slots that DifferencesCsv leaves out, and why, each as
// "slot 8 of Beginner's (Top Left) Shop, offset 0x24772: "hack.gbc" holds
// an unknown item (0xC8), which a layout keeps but never writes; the row
// is left out", for the image at `image`.
std::vector<std::string> LeftOut(const std::vector<SlotDifference>& differences,
                                 const std::string& image);

}  // namespace tivok

#endif  // TIVOK_LAYOUT_LAYOUT_CSV_H_
