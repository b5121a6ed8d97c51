#ifndef TIVOK_EDITOR_WRITE_STATUS_H_
#define TIVOK_EDITOR_WRITE_STATUS_H_

#include <string>
#include <vector>

#include "editor/image_saves.h"
#include "layout/layout.h"
#include "rom/store_table.h"

namespace tivok {

// What the window says of a save, an undo or a redo: the status line's
// text, and the box's text and title when a box is due. `failed` when it
// changed nothing in the image as asked.
struct WriteTold {
  std::string status;
  std::string box;
  std::string box_title;
  bool failed = false;
};

// Frames the core's words for the write (write_words.h): a write that went
// as asked in the editor's own texts ("Saved ...", "Undid the save: ..."),
// one whose byte is in the file with something unsure as "Saved, but ...",
// and any other as "Not saved: ..." and the like. An undo or a redo that
// found its byte changed by another program adds what the save wrote and
// that the save left the history. The status line names the file, the box
// gives its path; `shown` is the store listed.
WriteTold TellWrite(const SaveResult& result, const Store* shown);

// What the window says of the layout at `layout_path` when it is refused:
// `errors` (its reader's or its plan's, with their lines) and the count of
// all; or `reason` for a layout that was not read. The status line names
// files by name, the box by path; nothing was written.
WriteTold LayoutRefusedTold(const std::string& layout_path,
                            const std::vector<LayoutError>& errors, int count);
WriteTold LayoutRefusedTold(const std::string& layout_path,
                            const std::string& reason);

}  // namespace tivok

#endif  // TIVOK_EDITOR_WRITE_STATUS_H_
