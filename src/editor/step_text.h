#ifndef TIVOK_EDITOR_STEP_TEXT_H_
#define TIVOK_EDITOR_STEP_TEXT_H_

#include <string>

#include "editor/save_history.h"

namespace tivok {

// The words for the steps of the history: a save of one slot, a layout
// applied to many, a checksum fix.

// What a step does: "Save Herb to Slot 3 of Portal Shop", "Apply
// shops.csv (7 slots)", "Fix Cartridge Checksum".
std::string StepActionText(const SavedStep& step);

// What Edit, Undo and Edit, Redo would do: "Undo Save Herb to Slot 3 of
// Portal Shop", "Undo Apply shops.csv (7 slots)", "Undo Fix Cartridge
// Checksum".
std::string UndoActionText(const SavedStep& step);
std::string RedoActionText(const SavedStep& step);

// What a layout or a checksum fix wrote, once it went as asked: the slots
// by name with their items before and after (the first three, and how
// many more), and whether the global checksum was set right with them.
std::string AppliedStatus(const SavedStep& step);
std::string FixedStatus();

// A layout whose slots all hold its items already: nothing was written.
std::string NothingToApplyStatus(const std::string& layout_path,
                                 const std::string& image_path);

// A preview that was cancelled: nothing was written.
std::string NotAppliedStatus(const std::string& layout_path);

// What an undo or a redo of `step` did, once it went as asked.
std::string UndoneStatus(const SavedStep& step);
std::string RedoneStatus(const SavedStep& step);

// " The global checksum was kept right." when `step` wrote it, else "".
std::string ChecksumKeptNote(const SavedStep& step);

}  // namespace tivok

#endif  // TIVOK_EDITOR_STEP_TEXT_H_
