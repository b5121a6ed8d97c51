#ifndef TIVOK_EDITOR_IMAGE_SAVES_H_
#define TIVOK_EDITOR_IMAGE_SAVES_H_

#include <cstdint>
#include <optional>
#include <string>

#include "editor/save_history.h"
#include "rom/image_write.h"
#include "rom/rom_file.h"

namespace tivok {

// What one save, undo or redo did: the save it concerns, and the write
// asked of WriteBytes with its report, for the editor to word.
struct SaveResult {
  WriteKind kind = WriteKind::kSave;
  SavedByte save;
  WriteRequest request;
  WriteReport report;
  // A save that left the byte as it was: it is not recorded.
  bool unchanged = false;
  // An undo or redo that found the byte changed by another program: the
  // save left the history.
  bool dropped = false;

  // The byte that this write puts into the file: the save's own for a save
  // or a redo, the one from before it for an undo.
  std::uint8_t Written() const {
    return kind == WriteKind::kUndo ? save.before : save.after;
  }
  // The image holds the written byte now, whether or not the disk
  // confirmed it and whether or not the checks after the flush passed.
  bool InFile() const { return !report.in_file.empty() && report.in_file[0]; }
  // The file at the path may differ from before: the byte is in it, or
  // another program replaced it or changed its length meanwhile.
  bool ChangedFile() const;
};

// The saves made in the open image, and the writes that make, take back
// and make again each of them, all through WriteBytes. A save enters the
// history once its byte is in the file, unless the byte held that item
// already. An undo (or redo) writes only while the byte is the one Tivok
// left there; when another program has changed it, nothing is written and
// that save leaves the history, so that the saves before it can still be
// undone.
class ImageSaves {
 public:
  SaveResult Save(const std::string& path, FilePosition position,
                  std::uint8_t value);
  // Nothing when there is no save to undo or redo.
  std::optional<SaveResult> Undo();
  std::optional<SaveResult> Redo();

  const SavedByte* NextUndo() const { return history_.NextUndo(); }
  const SavedByte* NextRedo() const { return history_.NextRedo(); }
  void Clear() { history_.Clear(); }

 private:
  // Writes the byte of history's next undo or redo over the one expected.
  std::optional<SaveResult> Rewrite(WriteKind kind);

  SaveHistory history_;
};

}  // namespace tivok

#endif  // TIVOK_EDITOR_IMAGE_SAVES_H_
