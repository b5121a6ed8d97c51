#include "layout/layout_plan.h"

#include <cstddef>

#include "rom/describe.h"
#include "rom/rom_file.h"

namespace tivok {
namespace {

// Why `wish` cannot be written where its slot holds `code`, or nothing.
std::string WhyNot(const SlotWish& wish, int code, std::string_view source) {
  if (!KeepsOnly(wish) && (!wish.was || *wish.was == code)) return {};
  const int expected = KeepsOnly(wish) ? wish.code : *wish.was;
  return SlotText(*wish.store, wish.slot) + ", holds " + ItemText(code) +
         ", not " + ItemText(expected) +
         UnexpectedEnding(wish, CodeStyle::kWindow, source);
}

}  // namespace

std::vector<ByteChange> LayoutPlan::Writes() const {
  std::vector<ByteChange> writes;
  for (const PlannedChange& change : changes) {
    writes.push_back(
        {change.store->SlotOffset(change.slot), change.holds, change.gets});
  }
  return writes;
}

LayoutPlan PlanLayout(const Layout& layout, const StoreLookup& holds) {
  LayoutPlan plan;
  for (const SlotWish& wish : layout.wishes) {
    const StoreCodes* codes = holds(*wish.store);
    const int code = codes != nullptr ? codes->CodeOf(wish.slot) : -1;
    if (code < 0) {
      const std::string why =
          codes != nullptr ? codes->shortfall : "the image cannot be read";
      Refuse(
          plan.refusals, plan.refusal_count, wish.line,
          SlotText(*wish.store, wish.slot) + ", is not in the image: " + why);
    } else if (code == wish.code) {
      ++plan.unchanged;
    } else if (std::string why = WhyNot(wish, code, layout.source);
               !why.empty()) {
      Refuse(plan.refusals, plan.refusal_count, wish.line, std::move(why));
    } else {
      plan.changes.push_back({wish.store, wish.slot,
                              static_cast<std::uint8_t>(code),
                              static_cast<std::uint8_t>(wish.code), wish.line});
    }
  }
  return plan;
}

LayoutPreview PreviewOf(const LayoutPlan& plan, const std::string& layout_path,
                        const std::string& image_path,
                        std::string_view source) {
  LayoutPreview preview;
  preview.title = "Apply Layout";
  const int count = static_cast<int>(plan.changes.size());
  preview.heading = QuotedName(layout_path) + " changes " +
                    Counted(count, "slot") + " of " + QuotedName(image_path) +
                    ". Apply writes " + ForCount(count, "it", "them all") +
                    " in one step, which Edit, Undo takes back; Cancel "
                    "writes nothing.";
  for (const PlannedChange& change : plan.changes) {
    PreviewRow row{std::string(change.store->selector_label),
                   std::to_string(change.slot),
                   ItemText(change.holds),
                   ItemText(change.gets),
                   {}};
    row.accessible_text = row.store + ", slot " + row.slot + ": " + row.holds +
                          " becomes " + row.gets;
    preview.rows.push_back(std::move(row));
  }
  if (plan.unchanged == 0) {
    preview.unchanged =
        "Every row of the " + std::string(source) + " changes its slot.";
  } else {
    preview.unchanged =
        Counted(plan.unchanged, "row") +
        (plan.unchanged == 1
             ? " changes nothing: its slot holds its item already."
             : " change nothing: their slots hold their items already.");
  }
  return preview;
}

}  // namespace tivok
