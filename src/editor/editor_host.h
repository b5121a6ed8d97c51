#ifndef TIVOK_EDITOR_EDITOR_HOST_H_
#define TIVOK_EDITOR_EDITOR_HOST_H_

#include <string>

#include "editor/editor_state.h"
#include "editor/image_saves.h"
#include "editor/slot_listing.h"

namespace tivok {

// What the parts of the store editor (applying layouts, comparing,
// exporting, the checksum fix) use of it. StoreEditor owns each part and
// gives it itself as this: a part keeps its own state and reaches the
// window, the open image and its history only through here, so that the
// status line and the menus say the same after any event.
class EditorHost {
 public:
  virtual EditorView& view() = 0;
  // The open image's path as the open dialog gave it; empty before any.
  virtual const std::string& image_path() const = 0;
  // The store listed and the reading of the image behind it.
  virtual SlotListing& listing() = 0;
  // The open image's history: every write goes through it.
  virtual ImageSaves& saves() = 0;

  // Sets the status line as after a choice, led by `lead`: the current
  // slot entry's item, what Save would write now and the notes on the
  // image. Does nothing while no store is listed.
  virtual void ShowStatus(const std::string& lead) = 0;
  // Tells the window what Save writes now, and offers Undo, Redo and the
  // rest as the history and the image allow.
  virtual void ShowPlan() = 0;
  // Reads the image again and lists the store shown; returns what other
  // programs changed, in words.
  virtual std::string ReadAgain() = 0;
  // Takes note of what `result` wrote, lists the store shown again and
  // says what the write did, as after a save.
  virtual void ReportWrite(const SaveResult& result) = 0;

 protected:
  ~EditorHost() = default;
};

}  // namespace tivok

#endif  // TIVOK_EDITOR_EDITOR_HOST_H_
