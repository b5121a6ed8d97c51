#ifndef TIVOK_EDITOR_LAYOUT_APPLIER_H_
#define TIVOK_EDITOR_LAYOUT_APPLIER_H_

#include <optional>
#include <string>

#include "compare/comparison.h"
#include "editor/editor_host.h"
#include "layout/layout.h"
#include "layout/layout_file.h"

namespace tivok {

// The store editor's layouts: File, Apply Layout... and a layout dropped on
// the window, planned against the image, previewed and written as one step
// of the history. An IPS or BPS patch is applied as the layout of the slots
// it changes in the clean image of `comparison`, or in the open image when
// there is none.
class LayoutApplier {
 public:
  LayoutApplier(EditorHost& editor, const Comparison& comparison)
      : editor_(editor), comparison_(comparison) {}
  LayoutApplier(const LayoutApplier&) = delete;
  LayoutApplier& operator=(const LayoutApplier&) = delete;

  // Asks for a layout file, near the image, and applies it as ApplyFile
  // does; a cancel does nothing.
  void OnApplyLayout();
  // Applies the layout or patch at `path` (bytes, absolute): reads it, as
  // a patch's slots where it is one, and plans it against the image as
  // last read. A layout that is refused says why,
  // with its lines, and writes nothing; one that changes nothing says so.
  // Otherwise the preview shows each change, and Apply writes them all in
  // one write, one step of the history, each expecting the byte shown;
  // Cancel writes nothing.
  void ApplyFile(const std::string& path);

 private:
  // The layout that `text`, read from `path`, asks for: its rows, or a
  // patch's slots; empty with the refusal said when there is none.
  std::optional<Layout> LayoutOf(const std::string& path,
                                 const LayoutText& text);

  EditorHost& editor_;
  const Comparison& comparison_;
};

}  // namespace tivok

#endif  // TIVOK_EDITOR_LAYOUT_APPLIER_H_
