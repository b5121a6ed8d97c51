#ifndef TIVOK_EDITOR_SAVE_HISTORY_H_
#define TIVOK_EDITOR_SAVE_HISTORY_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "rom/rom_file.h"

namespace tivok {

// What a write does: make a step of the history (a save, an applied
// layout, a checksum fix), take one back, or make it again.
enum class WriteKind { kSave, kUndo, kRedo };

// What a step of the history is.
enum class StepKind { kSave, kLayout, kChecksum };

// One byte that a step changed: where, what the file held there before and
// what the step left there.
struct ByteEdit {
  FileOffset offset = 0;
  std::uint8_t before = 0;
  std::uint8_t after = 0;
};

// One step of the history, undone and redone whole: a save of one slot, a
// layout applied to many, or a fix of the global checksum, each with the
// checksum's bytes where Tivok kept it right.
struct SavedStep {
  std::string path;
  StepKind kind = StepKind::kSave;
  // With kSave: the slot saved, what it held and the item written.
  FileOffset offset = 0;
  std::uint8_t before = 0;
  std::uint8_t after = 0;
  // With kLayout: the layout's file name, as bytes.
  std::string layout;
  // Every byte the step changed, in the order written.
  std::vector<ByteEdit> edits;

  // How many store slots the step changed.
  int SlotCount() const;
};

// The steps made in the open image, in order, for undo and redo: the steps
// before the mark are done, those after it undone. A new step drops the
// undone ones, as in every editor.
class SaveHistory {
 public:
  void Record(SavedStep save);
  void Clear();

  // The step that Undo would take back, or nullptr.
  const SavedStep* NextUndo() const;
  // The step that Redo would make again, or nullptr.
  const SavedStep* NextRedo() const;
  // Moves the mark once NextUndo's step was taken back, or NextRedo's made
  // again, keeping `step`: the step with the bytes as that write left them.
  void MarkUndone(SavedStep step);
  void MarkRedone(SavedStep step);
  // Takes NextUndo's or NextRedo's step out of the history, such as a step
  // whose byte another program has changed since; the steps around it stay.
  void DropNextUndo();
  void DropNextRedo();

 private:
  std::vector<SavedStep> saves_;
  std::size_t done_ = 0;
};

}  // namespace tivok

#endif  // TIVOK_EDITOR_SAVE_HISTORY_H_
