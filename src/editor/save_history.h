#ifndef TIVOK_EDITOR_SAVE_HISTORY_H_
#define TIVOK_EDITOR_SAVE_HISTORY_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "rom/rom_file.h"

namespace tivok {

// What wrote a byte: a save, an undo of one, or a redo.
enum class WriteKind { kSave, kUndo, kRedo };

// One byte that a save wrote: into which file, where, what the file held
// there before and what the save wrote.
struct SavedByte {
  std::string path;
  FilePosition position = 0;
  std::uint8_t before = 0;
  std::uint8_t after = 0;
};

// The saves made in the open image, in order, for undo and redo: the saves
// before the mark are done, those after it undone. A new save drops the
// undone ones, as in every editor.
class SaveHistory {
 public:
  void Record(SavedByte save);
  void Clear();

  // The save that Undo would take back, or nullptr.
  const SavedByte* NextUndo() const;
  // The save that Redo would make again, or nullptr.
  const SavedByte* NextRedo() const;
  // Moves the mark once NextUndo's save was taken back, or NextRedo's made
  // again.
  void MarkUndone();
  void MarkRedone();
  // Takes NextUndo's or NextRedo's save out of the history, such as a save
  // whose byte another program has changed since; the saves around it stay.
  void DropNextUndo();
  void DropNextRedo();

 private:
  std::vector<SavedByte> saves_;
  std::size_t done_ = 0;
};

}  // namespace tivok

#endif  // TIVOK_EDITOR_SAVE_HISTORY_H_
