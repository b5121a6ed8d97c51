#ifndef TIVOK_LAYOUT_LAYOUT_PLAN_H_
#define TIVOK_LAYOUT_LAYOUT_PLAN_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "layout/layout.h"
#include "layout/layout_preview.h"
#include "rom/image_write.h"
#include "rom/store_read.h"
#include "rom/store_table.h"

namespace tivok {

// A slot that a layout changes: what it holds as the editor last read it,
// and what the layout's row on `line` writes there.
struct PlannedChange {
  const Store* store = nullptr;
  int slot = 0;
  std::uint8_t holds = 0;
  std::uint8_t gets = 0;
  int line = 0;
};

// What a layout would do to an image: the slots it changes, in the order of
// its rows, how many rows change nothing, and why it is refused, if it is
// (the first Layout::kMostErrorsKept reasons with their lines, and the
// count of all).
struct LayoutPlan {
  std::vector<PlannedChange> changes;
  int unchanged = 0;
  std::vector<LayoutError> refusals;
  int refusal_count = 0;

  bool refused() const { return refusal_count > 0; }
  // The bytes to write, each expecting the byte that the plan found, so
  // that a slot another program changed since refuses the whole write.
  std::vector<ByteChange> Writes() const;
};

// The codes that the image holds in a store, or nullptr when they cannot
// be read.
using StoreLookup = std::function<const StoreCodes*(const Store&)>;

// Plans `layout`, read without errors, against the codes `holds` gives.
// A row changes nothing where its slot holds its code already. It is
// refused where its slot holds something other than its `was`, lies past
// the end of the image, or would get a code that is no item.
LayoutPlan PlanLayout(const Layout& layout, const StoreLookup& holds);

// The preview of `plan`, which changes some slots, for the layout at
// `layout_path` and the image at `image_path`; `source` says what the
// rows came from, a "layout" or a "patch".
LayoutPreview PreviewOf(const LayoutPlan& plan, const std::string& layout_path,
                        const std::string& image_path,
                        std::string_view source = "layout");

}  // namespace tivok

#endif  // TIVOK_LAYOUT_LAYOUT_PLAN_H_
