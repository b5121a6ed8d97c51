#include "editor/step_text.h"

#include "rom/checksum.h"
#include "rom/describe.h"
#include "rom/file_path.h"
#include "rom/item_table.h"
#include "rom/store_table.h"

namespace tivok {
namespace {

// How many changed slots a status names; the others are counted.
constexpr std::size_t kNamed = 3;

// The layout's file name as the status line and the menu show it.
std::string LayoutName(const SavedStep& step) {
  return Escaped(FileName(step.layout));
}

}  // namespace

std::string StepActionText(const SavedStep& step) {
  switch (step.kind) {
    case StepKind::kLayout:
      return "Apply " + LayoutName(step) + " (" +
             Counted(step.SlotCount(), "slot") + ")";
    case StepKind::kChecksum:
      return "Fix Cartridge Checksum";
    case StepKind::kSave:
      break;
  }
  const SlotPlace place = StoreTable::SlotAt(step.offset);
  std::string item(ItemTable::NameOf(step.after));
  if (item.empty()) item = ItemText(step.after);
  if (place.store == nullptr) return "Save " + item;
  return "Save " + item + " to Slot " + std::to_string(place.slot) + " of " +
         std::string(place.store->selector_label);
}

namespace {

// The slots of `step`, each as "slot 3 of Portal Shop: Herb (1), was
// Sirloin (17)", the first three, then how many more; `undone` gives the
// items the other way round.
std::string SlotList(const SavedStep& step, bool undone) {
  std::string text;
  std::size_t named = 0;
  for (const ByteEdit& edit : step.edits) {
    const SlotPlace place = StoreTable::SlotAt(edit.offset);
    if (place.store == nullptr) continue;
    if (named++ == kNamed) break;
    text += (named > 1 ? "; " : "") + SlotName(*place.store, place.slot) +
            ": " + ItemText(undone ? edit.before : edit.after) + ", was " +
            ItemText(undone ? edit.after : edit.before);
  }
  const int more = step.SlotCount() - static_cast<int>(kNamed);
  if (more > 0) text += "; and " + Counted(more, "slot") + " more";
  return text;
}

}  // namespace

std::string UndoActionText(const SavedStep& step) {
  return "Undo " + StepActionText(step);
}

std::string RedoActionText(const SavedStep& step) {
  return "Redo " + StepActionText(step);
}

std::string ChecksumKeptNote(const SavedStep& step) {
  if (step.kind == StepKind::kChecksum) return "";
  for (const ByteEdit& edit : step.edits) {
    if (InGlobalChecksum(edit.offset)) {
      return " The global checksum was kept right.";
    }
  }
  return "";
}

std::string AppliedStatus(const SavedStep& step) {
  const int count = step.SlotCount();
  return "Applied " + LayoutName(step) + ": wrote " + Counted(count, "slot") +
         " in one step (" + SlotList(step, false) + ")." +
         ChecksumKeptNote(step) + " Undo takes " +
         ForCount(count, "it", "them all") + " back.";
}

std::string FixedStatus() {
  return "Fixed the cartridge's global checksum; it matches the image's "
         "bytes now.";
}

std::string NothingToApplyStatus(const std::string& layout_path,
                                 const std::string& image_path) {
  return "Nothing to change: " + QuotedName(image_path) +
         " holds the items of " + QuotedName(layout_path) +
         " already; nothing was written.";
}

std::string NotAppliedStatus(const std::string& layout_path) {
  return "Did not apply " + QuotedName(layout_path) +
         ": the preview was cancelled, and nothing was written.";
}

std::string UndoneStatus(const SavedStep& step) {
  switch (step.kind) {
    case StepKind::kLayout:
      return "Undid Apply " + LayoutName(step) + ": " +
             Counted(step.SlotCount(), "slot") + " " +
             ForCount(step.SlotCount(), "holds its item", "hold their items") +
             " from before again (" + SlotList(step, true) + ").";
    case StepKind::kChecksum:
      return "Undid the checksum fix: the global checksum is as it was "
             "before.";
    case StepKind::kSave:
      break;
  }
  return "Undid the save: " + PlaceText(step.offset) + ", holds " +
         ItemText(step.before) + " again.";
}

std::string RedoneStatus(const SavedStep& step) {
  switch (step.kind) {
    case StepKind::kLayout:
      return "Redid Apply " + LayoutName(step) + ": " +
             Counted(step.SlotCount(), "slot") + " " +
             ForCount(step.SlotCount(), "holds the layout's item",
                      "hold the layout's items") +
             " again (" + SlotList(step, false) + ").";
    case StepKind::kChecksum:
      return "Redid the checksum fix: the global checksum matches the "
             "image's bytes again.";
    case StepKind::kSave:
      break;
  }
  return "Redid the save: " + PlaceText(step.offset) + ", holds " +
         ItemText(step.after) + " again.";
}

}  // namespace tivok
