#ifndef TIVOK_EDITOR_IMAGE_SAVES_H_
#define TIVOK_EDITOR_IMAGE_SAVES_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "editor/save_history.h"
#include "rom/image_write.h"
#include "rom/rom_file.h"

namespace tivok {

// What one write of a step, its undo or its redo did: the step it
// concerns, and the write asked of WriteBytes with its report, for the
// editor to word.
struct SaveResult {
  WriteKind kind = WriteKind::kSave;
  SavedStep step;
  WriteRequest request;
  WriteReport report;
  // A step that changed no byte: it is not recorded.
  bool unchanged = false;
  // An undo or redo that found a byte changed by another program: the step
  // left the history.
  bool dropped = false;

  // The bytes that this write left in the file, each with its value now.
  std::vector<ByteEdit> Left() const;
  // The image holds every byte that was due, whether or not the disk
  // confirmed it and whether or not the checks after the flush passed.
  bool InFile() const;
  // The file at the path may differ from before: a byte is in it, or
  // another program replaced it or changed its length meanwhile.
  bool ChangedFile() const;
};

// The steps made in the open image, and the writes that make, take back
// and make again each of them, all through WriteBytes, each in one write.
// A step enters the history once its bytes are in the file, unless it
// changed none. An undo (or redo) writes only while every byte is the one
// Tivok left there; when another program has changed one, nothing is
// written and that step leaves the history, so that the steps before it
// can still be undone. With `fix_checksum`, every write also leaves the
// global checksum right, as part of the same step.
class ImageSaves {
 public:
  // Writes `value` into the slot at `offset`.
  SaveResult Save(const std::string& path, FileOffset offset,
                  std::uint8_t value, bool fix_checksum = false);
  // Writes `changes`, the slots of the layout named `layout`, each
  // expecting the byte that the user saw.
  SaveResult ApplyLayout(const std::string& path, const std::string& layout,
                         std::vector<ByteChange> changes,
                         bool fix_checksum = false);
  // Writes the global checksum that the image's bytes give.
  SaveResult FixChecksum(const std::string& path);
  // Nothing when there is no step to undo or redo.
  std::optional<SaveResult> Undo(bool fix_checksum = false);
  std::optional<SaveResult> Redo(bool fix_checksum = false);

  const SavedStep* NextUndo() const { return history_.NextUndo(); }
  const SavedStep* NextRedo() const { return history_.NextRedo(); }
  void Clear() { history_.Clear(); }

 private:
  // Makes a step of `kind` with the request's changes, and records it.
  SaveResult Make(SavedStep step, WriteRequest request);
  // Writes the bytes of history's next undo or redo over those expected.
  std::optional<SaveResult> Rewrite(WriteKind kind, bool fix_checksum);

  SaveHistory history_;
};

}  // namespace tivok

#endif  // TIVOK_EDITOR_IMAGE_SAVES_H_
