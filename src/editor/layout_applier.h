#ifndef TIVOK_EDITOR_LAYOUT_APPLIER_H_
#define TIVOK_EDITOR_LAYOUT_APPLIER_H_

#include <string>

#include "editor/editor_host.h"

namespace tivok {

// The store editor's layouts: File, Apply Layout... and a layout dropped on
// the window, planned against the image, previewed and written as one step
// of the history.
class LayoutApplier {
 public:
  explicit LayoutApplier(EditorHost& editor) : editor_(editor) {}
  LayoutApplier(const LayoutApplier&) = delete;
  LayoutApplier& operator=(const LayoutApplier&) = delete;

  // Asks for a layout file, near the image, and applies it as ApplyFile
  // does; a cancel does nothing.
  void OnApplyLayout();
  // Applies the layout at `path` (bytes, absolute): reads it and plans it
  // against the image as last read. A layout that is refused says why,
  // with its lines, and writes nothing; one that changes nothing says so.
  // Otherwise the preview shows each change, and Apply writes them all in
  // one write, one step of the history, each expecting the byte shown;
  // Cancel writes nothing.
  void ApplyFile(const std::string& path);

 private:
  EditorHost& editor_;
};

}  // namespace tivok

#endif  // TIVOK_EDITOR_LAYOUT_APPLIER_H_
